# Shared by the install tools: what they run writes into one log (build/install-deps.log, or
# $TVM_INSTALL_LOG), and a failure says what failed, shows the log's last lines and what to do
# instead of ending with a bare exit status. Set tvm_tool to the tool's name before use.

tvm_install_log=${TVM_INSTALL_LOG:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/install-deps.log}
mkdir -p "$(dirname "$tvm_install_log")"

# Ends the tool: what failed, the log's tail, what to do.
tvm_install_failed() { # what hint [status]
  trap - ERR
  {
    echo "$tvm_tool: $1 failed${3:+ (exit status $3)}."
    if [ -s "$tvm_install_log" ]; then
      echo "The last lines of $tvm_install_log:"
      tail -n 25 "$tvm_install_log" | sed 's/^/  | /'
    fi
    echo "What to do: $2"
  } >&2
  exit 1
}

# Runs a command with its output into the log; when it fails, ends the tool with `hint`.
tvm_logged() { # what hint command...
  local what=$1 hint=$2
  shift 2
  echo "== $what: $*" >>"$tvm_install_log"
  "$@" >>"$tvm_install_log" 2>&1 || tvm_install_failed "$what" "$hint" $?
}

# Anything else that fails ends the tool the same way, naming the command.
tvm_install_on_error() { # hint
  set -E
  # shellcheck disable=SC2064
  trap "tvm_install_failed \"the command \\\"\$BASH_COMMAND\\\" (line \$LINENO)\" \"$1\" \$?" ERR
}
