w32_add_fuzzer(fuzz_path "${CMAKE_CURRENT_SOURCE_DIR}/fuzz_path.cpp" w32_kernel)
