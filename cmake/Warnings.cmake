# Compiler options shared by every target of the project.
add_library(dimoro_options INTERFACE)
target_compile_options(dimoro_options INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wshadow)
if(DIMORO_WERROR)
    target_compile_options(dimoro_options INTERFACE -Werror)
endif()
target_compile_definitions(dimoro_options INTERFACE QT_NO_KEYWORDS)
