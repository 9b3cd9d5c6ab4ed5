# Each room of src/ keeps its platform-free files at its top and its Win32 files in win32/
# (the platform and toolkit rooms are Win32 throughout). The rooms are layered: each declares the
# rooms it builds on, links them, and may include only their headers, which a build step checks
# before the room compiles. core is below every room.

# The rooms a room may include from: itself, core, what it declares and what those build on.
# KIND is LOGIC or WIN32; the two sides of a room are layered apart.
function(_tvm_room_below out kind room)
  set(below ${room} core)
  foreach(dep IN LISTS ARGN)
    get_property(declared GLOBAL PROPERTY TVM_${kind}_DECLARED_${dep})
    if(NOT declared)
      message(FATAL_ERROR "The ${room} room builds on '${dep}', which is not declared before it")
    endif()
    get_property(dep_below GLOBAL PROPERTY TVM_${kind}_BELOW_${dep})
    list(APPEND below ${dep} ${dep_below})
  endforeach()
  list(REMOVE_DUPLICATES below)
  set_property(GLOBAL PROPERTY TVM_${kind}_DECLARED_${room} TRUE)
  set_property(GLOBAL PROPERTY TVM_${kind}_BELOW_${room} "${below}")
  set(${out} "${below}" PARENT_SCOPE)
endfunction()

# Makes TARGET wait for the check that FILES include only from ALLOWED rooms.
function(_tvm_check_includes target room logic allowed)
  set(files ${ARGN})
  set(stamp "${CMAKE_BINARY_DIR}/room_includes/${target}.checked")
  string(REPLACE ";" "|" allowed_arg "${allowed}")
  string(REPLACE ";" "|" files_arg "${files}")
  add_custom_command(OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} -DROOM=${room} -DALLOWED=${allowed_arg} -DLOGIC=${logic}
            -DFILES=${files_arg} -DSTAMP=${stamp} -P "${CMAKE_SOURCE_DIR}/cmake/CheckRoomIncludes.cmake"
    DEPENDS ${files} "${CMAKE_SOURCE_DIR}/cmake/CheckRoomIncludes.cmake"
    COMMENT "Checking that the ${room} room includes only the rooms below it"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS "${stamp}")
  add_dependencies(${target} ${target}_includes)
endfunction()

# The platform-free part of a room becomes a static library, tvm_<room>_logic, on every target;
# ARGN names the platform-free rooms it builds on.
function(tvm_logic_room room)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${room}/*.cpp")
  file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${room}/*.h")
  set(target tvm_${room}_logic)
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} "${CMAKE_SOURCE_DIR}/src")
  foreach(dep IN LISTS ARGN)
    target_link_libraries(${target} ${scope} tvm_${dep}_logic)
  endforeach()
  _tvm_room_below(below LOGIC ${room} ${ARGN})
  _tvm_check_includes(${target} ${room} ON "${below}" ${sources} ${headers})
endfunction()

# The Win32 side of a room: a static library TARGET of the room's Win32 files (FOLDER, relative
# to src/, default <room>/win32; EXCLUDE a regular expression of files left out) that links its
# own platform-free part, the Win32 rooms it DEPENDS on (and the folder forms when it USES_FORMS)
# and the system LIBS.
function(tvm_win32_room room)
  cmake_parse_arguments(arg "USES_FORMS" "TARGET;FOLDER;EXCLUDE" "DEPENDS;LIBS" ${ARGN})
  if(NOT arg_FOLDER)
    set(arg_FOLDER "${room}/win32")
  endif()
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${arg_FOLDER}/*.cpp")
  file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${arg_FOLDER}/*.h")
  if(arg_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${arg_EXCLUDE}")
  endif()
  add_library(${arg_TARGET} STATIC ${sources})
  tvm_windows_binary(${arg_TARGET})
  target_include_directories(${arg_TARGET} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  if(TARGET tvm_${room}_logic)
    target_link_libraries(${arg_TARGET} PUBLIC tvm_${room}_logic)
  endif()
  set_property(GLOBAL PROPERTY TVM_WIN32_TARGET_${room} ${arg_TARGET})
  foreach(dep IN LISTS arg_DEPENDS)
    get_property(dep_target GLOBAL PROPERTY TVM_WIN32_TARGET_${dep})
    if(dep_target)
      target_link_libraries(${arg_TARGET} PUBLIC ${dep_target})
    endif()
  endforeach()
  set(rooms ${arg_DEPENDS})
  if(arg_USES_FORMS)
    target_link_libraries(${arg_TARGET} PUBLIC tvm_forms)
    list(APPEND rooms forms)
    set_property(GLOBAL PROPERTY TVM_WIN32_DECLARED_forms TRUE)
  endif()
  target_link_libraries(${arg_TARGET} PUBLIC ${arg_LIBS})
  _tvm_room_below(below WIN32 ${room} ${rooms})
  _tvm_check_includes(${arg_TARGET} ${room} OFF "${below}" ${sources} ${headers})
endfunction()

# A room whose Win32 side builds into a binary of its own (a DLL, an executable) and not into a
# library: declares the rooms below it and checks the includes of TARGET's FILES.
function(tvm_win32_binary_room room)
  cmake_parse_arguments(arg "" "TARGET" "DEPENDS;FILES" ${ARGN})
  _tvm_room_below(below WIN32 ${room} ${arg_DEPENDS})
  _tvm_check_includes(${arg_TARGET} ${room} OFF "${below}" ${arg_FILES})
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
