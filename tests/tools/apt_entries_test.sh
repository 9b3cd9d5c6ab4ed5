#!/usr/bin/env bash
# The entries tools/apt-entries derives, one case per shape of a machine's apt configuration: each
# case writes the files of a fake /etc/apt and, for each kind of entries, the file expected back.
set -uo pipefail
tool="$(cd "$(dirname "$0")/../.." && pwd)/tools/apt-entries"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

put() { mkdir -p "$(dirname "$apt/$1")"; cat >"$apt/$1"; }
# For one kind of entries (deb-src, backports): the kind of file expected (list, sources, or none
# when the tool must fail), its text on stdin.
want() { echo "$2" >"$case_dir/$1.kind"; cat >"$case_dir/$1.want"; }

# A Debian installed the usual way, and debootstrap's: one-line entries, sources.list.d empty.
case_one_line_entries_and_an_empty_sources_list_d() {
  mkdir -p "$apt/sources.list.d"
  put sources.list <<'EOF'
# deb cdrom:[Debian GNU/Linux 12]/ bookworm main
deb http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian trixie main
deb http://deb.debian.org/debian   bookworm-updates main
deb http://security.debian.org/debian-security bookworm-security main
deb http://deb.debian.org/debian trixie main
EOF
  want deb-src list <<'EOF'
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian bookworm-updates main
deb-src http://security.debian.org/debian-security bookworm-security main
EOF
  want backports list <<'EOF'
deb http://deb.debian.org/debian bookworm-backports main
EOF
}

case_one_line_entries_with_options_in_sources_list_d_only() {
  put sources.list.d/debian.list <<'EOF'
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main contrib
EOF
  want deb-src list <<'EOF'
deb-src [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main contrib
EOF
  want backports list <<'EOF'
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-backports main contrib
EOF
}

# deb822 stanzas: comments dropped, other releases and files of other names left out.
case_deb822_stanzas() {
  put sources.list.d/debian.sources <<'EOF'
Types: deb
# http://snapshot.debian.org/archive/debian/20250520T000000Z
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main

Types: deb
URIs: http://deb.debian.org/debian
Suites: trixie
Components: main
EOF
  put sources.list.d/nodesource.sources.disabled <<'EOF'
Types: deb
URIs: https://deb.nodesource.com/node_20.x
Suites: bookworm
Components: main
EOF
  want deb-src sources <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg


Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main


EOF
  want backports sources <<'EOF'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg


EOF
}

# A third party's deb822 file beside Debian's one-line entries.
case_deb822_of_another_suite_and_one_line_entries() {
  put sources.list.d/vendor.sources <<'EOF'
Types: deb
URIs: https://packages.example.invalid/apt
Suites: stable
Components: main
EOF
  put sources.list <<'EOF'
deb http://deb.debian.org/debian bookworm main
EOF
  want deb-src list <<'EOF'
deb-src http://deb.debian.org/debian bookworm main
EOF
  want backports list <<'EOF'
deb http://deb.debian.org/debian bookworm-backports main
EOF
}

case_no_entries_of_the_release() {
  mkdir -p "$apt/sources.list.d"
  put sources.list <<'EOF'
deb http://deb.debian.org/debian trixie main
EOF
  want deb-src none </dev/null
  want backports none </dev/null
}

# Backports come from the main archive only: the security and updates suites alone give sources
# but nothing to take backports from.
case_only_the_security_and_updates_suites() {
  put sources.list.d/debian.sources <<'EOF'
Types: deb
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main

Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-updates
Components: main
EOF
  want deb-src sources <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main


Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm-updates
Components: main


EOF
  want backports none </dev/null
}

failures=0
cases=$(declare -F | awk '$3 ~ /^case_/ { print $3 }')
for c in $cases; do
  case_dir="$work/$c"
  apt="$case_dir/apt"
  mkdir -p "$apt"
  "$c"
  for kind in deb-src backports; do
    out="$case_dir/out-$kind/tavelmoor-$kind"
    mkdir -p "$(dirname "$out")"
    want_kind=$(cat "$case_dir/$kind.kind")
    written=$(bash "$tool" "$kind" bookworm "$out" "$apt" 2>"$case_dir/$kind.stderr")
    status=$?
    problem=""
    case "$want_kind" in
      none)
        if [ "$status" -eq 0 ]; then problem="succeeded and wrote $written"
        elif ! grep -q bookworm "$case_dir/$kind.stderr"; then problem="failed without naming the release: $(cat "$case_dir/$kind.stderr")"
        elif [ -n "$(ls -A "$(dirname "$out")")" ]; then problem="left a file behind"; fi ;;
      *)
        if [ "$status" -ne 0 ]; then problem="failed ($status): $(cat "$case_dir/$kind.stderr")"
        elif [ "$written" != "$out.$want_kind" ]; then problem="wrote '$written', not $out.$want_kind"
        elif ! diff -u "$case_dir/$kind.want" "$written" >"$case_dir/$kind.diff"; then problem="wrote other entries:
$(cat "$case_dir/$kind.diff")"; fi ;;
    esac
    if [ -n "$problem" ]; then
      echo "FAILED $c ($kind): $problem"
      failures=$((failures + 1))
    else
      echo "ok     $c ($kind)"
    fi
  done
done
[ "$failures" -eq 0 ]
