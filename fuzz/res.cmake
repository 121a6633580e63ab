w32_add_fuzzer(fuzz_res "${CMAKE_CURRENT_SOURCE_DIR}/fuzz_res.cpp" w32_resources)
