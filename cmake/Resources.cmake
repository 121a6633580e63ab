# Compiles a resource script with llvm-rc into a standard .res file and links its bytes into
# TARGET, where the layer finds them as the module's resources (symbols w32_module_res_begin/end).
# The script comes after "--": llvm-rc would read an absolute path such as /check/... as its /C option.
find_program(LLVM_RC NAMES llvm-rc llvm-rc-14 REQUIRED)

function(w32_add_resources target rc_file)
  get_filename_component(rc_abs "${rc_file}" ABSOLUTE)
  get_filename_component(rc_name "${rc_file}" NAME_WE)
  get_filename_component(rc_dir "${rc_abs}" DIRECTORY)
  set(res_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}.res")
  set(asm_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}_res.S")
  add_custom_command(
    OUTPUT "${res_file}"
    COMMAND "${LLVM_RC}" /C 65001 /I "${CMAKE_SOURCE_DIR}/platform/include" /I "${rc_dir}"
            /FO "${res_file}" -- "${rc_abs}"
    DEPENDS "${rc_abs}" ${ARGN} "${CMAKE_SOURCE_DIR}/platform/include/windows.h"
    IMPLICIT_DEPENDS C "${rc_abs}"
    COMMENT "Compiling resources ${rc_file}"
    VERBATIM)
  file(WRITE "${asm_file}.in"
    "    .section .rodata\n"
    "    .balign 16\n"
    "    .globl w32_module_res_begin\n"
    "w32_module_res_begin:\n"
    "    .incbin \"${res_file}\"\n"
    "    .globl w32_module_res_end\n"
    "w32_module_res_end:\n"
    "    .byte 0\n"
    "    .section .note.GNU-stack,\"\",@progbits\n")
  configure_file("${asm_file}.in" "${asm_file}" COPYONLY)
  set_source_files_properties("${asm_file}" PROPERTIES OBJECT_DEPENDS "${res_file}")
  target_sources(${target} PRIVATE "${asm_file}")
endfunction()
