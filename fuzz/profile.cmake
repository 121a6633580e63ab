w32_add_fuzzer(fuzz_profile "${CMAKE_CURRENT_SOURCE_DIR}/fuzz_profile.cpp" w32_kernel)
