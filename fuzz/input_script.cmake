w32_add_fuzzer(fuzz_input_script "${CMAKE_CURRENT_SOURCE_DIR}/fuzz_input_script.cpp" w32_display)
