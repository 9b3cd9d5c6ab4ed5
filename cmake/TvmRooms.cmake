# Each room of src/ keeps its platform-free files at its top and its Win32 files in win32/.
# The platform-free part becomes a static library, tvm_<room>_logic, on every target.
function(tvm_logic_room room)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${room}/*.cpp")
  set(target tvm_${room}_logic)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${CMAKE_SOURCE_DIR}/src")
  endif()
  foreach(dep IN LISTS ARGN)
    if(sources)
      target_link_libraries(${target} PUBLIC tvm_${dep}_logic)
    else()
      target_link_libraries(${target} INTERFACE tvm_${dep}_logic)
    endif()
  endforeach()
endfunction()

# The Win32 files of a room, for the binaries that contain it.
function(tvm_win32_sources out room)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${room}/win32/*.cpp")
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Windows binaries link their runtime statically: Wine and users get one self-contained file.
function(tvm_windows_binary target)
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# A deliverable lands in the shared output folder.
function(tvm_deliverable target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY "${TVM_OUTPUT_DIR}"
    LIBRARY_OUTPUT_DIRECTORY "${TVM_OUTPUT_DIR}"
    PREFIX "")
endfunction()

include(GoogleTest)
# Registers the tests of a GoogleTest executable. Under Wine the tests are listed when CTest runs
# (through the emulator), and each test runs in a process of its own.
# MODES: the Windows modes to run it in (default, win10); LOCK: a resource the tests must not share.
function(tvm_gtest target)
  cmake_parse_arguments(arg "" "TIMEOUT" "MODES;LOCK" ${ARGN})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 60)
  endif()
  if(NOT CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT ${arg_TIMEOUT})
    return()
  endif()
  if(NOT arg_MODES)
    set(arg_MODES default)
  endif()
  foreach(mode IN LISTS arg_MODES)
    set(props ENVIRONMENT "TVM_WINE_MODE=${mode}" TIMEOUT ${arg_TIMEOUT})
    if(arg_LOCK)
      list(APPEND props RESOURCE_LOCK "${arg_LOCK}-${mode}")
    endif()
    gtest_discover_tests(${target}
      TEST_SUFFIX ".${mode}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES ${props})
  endforeach()
endfunction()
