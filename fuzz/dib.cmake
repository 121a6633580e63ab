w32_add_fuzzer(fuzz_dib "${CMAKE_CURRENT_SOURCE_DIR}/fuzz_dib.cpp" w32_gdi)
