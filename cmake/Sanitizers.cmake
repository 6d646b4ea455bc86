# AddressSanitizer and UBSan for the asan preset, and with libFuzzer's coverage for the fuzz preset.
if(DIMORO_SANITIZE)
    target_compile_options(dimoro_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(dimoro_options INTERFACE -fsanitize=address,undefined)
endif()

# The libraries get the coverage hooks only; the fuzz targets themselves link libFuzzer's main.
if(DIMORO_FUZZ)
    target_compile_options(dimoro_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(dimoro_options INTERFACE -fsanitize=address,undefined)
endif()
