#!/usr/bin/env bash
# The build step that keeps the rooms in their layers (cmake/CheckRoomIncludes.cmake), one case
# per kind of include: each case writes one source file, the rooms it may include from, and
# whether the step must pass or refuse it (with the refused path in its message).
set -uo pipefail
check="$(cd "$(dirname "$0")/../.." && pwd)/cmake/CheckRoomIncludes.cmake"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
# run NAME ROOM ALLOWED LOGIC EXPECT [REFUSED-PATH]; the source file on stdin.
run() {
  local name=$1 room=$2 allowed=$3 logic=$4 expect=$5 refused=${6:-}
  local file="$work/$name.cpp" stamp="$work/$name.checked"
  cat >"$file"
  rm -f "$stamp"
  local out rc
  out=$(cmake -DROOM="$room" -DALLOWED="$allowed" -DLOGIC="$logic" -DFILES="$file" -DSTAMP="$stamp" \
    -P "$check" 2>&1)
  rc=$?
  local got=pass
  [ $rc -ne 0 ] && got=refuse
  if [ "$got" != "$expect" ]; then
    echo "FAIL $name: expected $expect, got $got"; echo "$out"; failures=$((failures + 1)); return
  fi
  if [ "$expect" = pass ] && [ ! -f "$stamp" ]; then
    echo "FAIL $name: passed without its stamp"; failures=$((failures + 1)); return
  fi
  if [ "$expect" = refuse ] && ! grep -qF "\"$refused\"" <<<"$out"; then
    echo "FAIL $name: the message does not name $refused"; echo "$out"; failures=$((failures + 1)); return
  fi
  echo "ok   $name"
}

run own_room_and_below navigator "navigator|core|platform|toolkit" OFF pass <<'EOF'
#include <windows.h>
#include "navigator/win32/navigator_form.h"
#include "navigator/app_win_store.h"
#include "platform/handles.h"
#include "local_header.h"
EOF

run an_include_back_up navigator "navigator|core|platform|toolkit" OFF refuse "scroller/win32/tavelmoor_form.h" <<'EOF'
#include "navigator/app_win_store.h"
#include "scroller/win32/tavelmoor_form.h"
EOF

run indented_and_spaced_includes_count_too setsize "setsize|core|navigator" OFF refuse "scroller/engine_state.h" <<'EOF'
#if defined(SOMETHING)
  #  include "scroller/engine_state.h"
#endif
EOF

run win32_in_a_platform_free_room scroller "scroller|core|navigator" ON refuse "navigator/win32/desktop_model.h" <<'EOF'
#include "navigator/app_win_store.h"
#include "navigator/win32/desktop_model.h"
EOF

run own_win32_in_a_platform_free_room navigator "navigator|core" ON refuse "navigator/win32/window_geometry.h" <<'EOF'
#include "navigator/win32/window_geometry.h"
EOF

run platform_free_room_below scroller "scroller|core|navigator" ON pass <<'EOF'
#include <vector>
#include "core/geometry.h"
#include "navigator/move_ledger.h"
// #include "app/win32/platform_setup.h" is not an include
EOF

if [ $failures -ne 0 ]; then echo "$failures case(s) failed"; exit 1; fi
