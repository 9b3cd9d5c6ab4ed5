# hook_setter.exe, a second setter of a hook library in a process of its own, built in the win and
# the win64 trees; the test program that starts it learns its path as TVM_HOOK_SETTER.
function(tvm_hook_setter tests)
  add_executable(hook_setter "${CMAKE_SOURCE_DIR}/tests/win/programs/hook_setter.cpp")
  tvm_windows_binary(hook_setter)
  target_include_directories(hook_setter PRIVATE "${CMAKE_SOURCE_DIR}/src" "${CMAKE_SOURCE_DIR}/tests")
  target_compile_definitions(hook_setter PRIVATE TVM_BIN_DIR="${TVM_OUTPUT_DIR}")
  target_compile_definitions(${tests} PRIVATE TVM_HOOK_SETTER="$<TARGET_FILE:hook_setter>")
  add_dependencies(${tests} hook_setter)
endfunction()
