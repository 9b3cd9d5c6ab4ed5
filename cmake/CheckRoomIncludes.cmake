# Run as a build step (cmake -P) before a room's library compiles: every include of another
# room's header must name a room below this one. A room's own headers, same-folder includes and
# system headers are always allowed; a platform-free room may include no Win32 header at all.
#   ROOM     the room checked, for the message
#   ALLOWED  the top folders of src/ its files may include from, separated by |
#   LOGIC    ON for a platform-free room: no path with a win32/ folder
#   FILES    the files to check, separated by |
#   STAMP    touched when every include is allowed
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" allowed "${ALLOWED}")
string(REPLACE "|" ";" files "${FILES}")
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "\"([^\"]+)\"" quoted "${line}")
    set(path "${CMAKE_MATCH_1}")
    string(REGEX MATCH "^[^/]+" top "${path}")
    if(NOT top IN_LIST allowed)
      string(APPEND faults "\n  ${file}: \"${path}\" is not below the ${ROOM} room")
    elseif(LOGIC AND path MATCHES "(^|/)win32/")
      string(APPEND faults "\n  ${file}: \"${path}\" is Win32; the platform-free ${ROOM} room cannot include it")
    endif()
  endforeach()
endforeach()
if(faults)
  string(REPLACE ";" " " shown "${allowed}")
  message(FATAL_ERROR "An include runs back up the rooms (the ${ROOM} room may include ${shown}):${faults}")
endif()
file(TOUCH "${STAMP}")
