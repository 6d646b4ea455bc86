# AddressSanitizer and UBSan for the asan preset.
if(DIMORO_SANITIZE)
    target_compile_options(dimoro_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(dimoro_options INTERFACE -fsanitize=address,undefined)
endif()
