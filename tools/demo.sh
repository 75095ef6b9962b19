#!/usr/bin/env bash
# Monitors this machine through a local SNMP agent that the demo starts itself.
#   tools/demo.sh [BUILD_DIR] [linkwatch options...]
# ./linkwatch.sh demo installs what is missing, builds and then runs this script.
#
# It starts net-snmp's snmpd on 127.0.0.1 and a free unprivileged UDP port, with a
# configuration of its own in a temporary folder (read-only community "public"),
# runs the built linkwatch against it and stops the agent again when linkwatch
# ends, on Ctrl-C as well. On a terminal linkwatch redraws its table in place
# until Ctrl-C; otherwise (a pipe, CI) it prints two poll cycles (--cycles 2, the
# second about 7 seconds after the first) and ends by itself. Options after
# BUILD_DIR go to linkwatch, for example: ./linkwatch.sh demo --format tsv
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${1:-build}
[ $# -gt 0 ] && shift
LINKWATCH="$BUILD_DIR/apps/cli/linkwatch"
if [ ! -x "$LINKWATCH" ]; then
  echo "demo: $LINKWATCH is not built (run ./linkwatch.sh demo)" >&2
  exit 1
fi

SNMPD=$(command -v snmpd || true)
for candidate in /usr/sbin/snmpd /usr/local/sbin/snmpd; do
  [ -n "$SNMPD" ] || { [ -x "$candidate" ] && SNMPD=$candidate; } || true
done
if [ -z "$SNMPD" ]; then
  echo "demo: snmpd is missing (Debian package snmpd; ./linkwatch.sh deps installs it)" >&2
  exit 1
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/linkwatch-demo.XXXXXX")
AGENT_PID=""

stop_agent() {
  if [ -n "$AGENT_PID" ] && kill -0 "$AGENT_PID" 2>/dev/null; then
    kill -TERM "$AGENT_PID" 2>/dev/null || true
    # Bounded wait, then make sure.
    for _ in $(seq 1 50); do
      kill -0 "$AGENT_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$AGENT_PID" 2>/dev/null || true
  fi
  AGENT_PID=""
  rm -rf "$WORK"
}
trap stop_agent EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

cat >"$WORK/snmpd.conf" <<CONF
# The demo's own agent: reads only, from this machine only.
rocommunity public 127.0.0.1
sysLocation Linkwatch demo agent on $(hostname 2>/dev/null || echo this machine)
sysContact nobody@localhost
CONF
mkdir -p "$WORK/persist"

# Asks the agent for its up-time; true once it answers.
agent_answers() {
  MIBS= MIBDIRS= snmpget -v2c -c public -t 1 -r 0 -Oqv "127.0.0.1:$1" 1.3.6.1.2.1.1.3.0 \
    >/dev/null 2>&1
}

# Starts snmpd on a random unprivileged port; a port in use makes snmpd exit at
# once, and the next try takes another port.
start_agent() {
  local port
  for _ in 1 2 3 4 5 6 7 8; do
    port=$((20000 + RANDOM % 40000))
    SNMP_PERSISTENT_DIR="$WORK/persist" SNMPCONFPATH="$WORK" MIBS= \
      "$SNMPD" -f -Lf "$WORK/snmpd.log" -C -c "$WORK/snmpd.conf" -p "$WORK/snmpd.pid" \
      "udp:127.0.0.1:$port" </dev/null >"$WORK/snmpd.out" 2>&1 &
    AGENT_PID=$!
    for _ in $(seq 1 100); do
      kill -0 "$AGENT_PID" 2>/dev/null || break
      if command -v snmpget >/dev/null; then
        agent_answers "$port" && { PORT=$port; return 0; }
      elif [ -s "$WORK/snmpd.pid" ]; then
        PORT=$port
        return 0
      fi
      sleep 0.1
    done
    kill -KILL "$AGENT_PID" 2>/dev/null || true
    wait "$AGENT_PID" 2>/dev/null || true
    AGENT_PID=""
  done
  echo "demo: snmpd did not start; its log:" >&2
  cat "$WORK/snmpd.log" "$WORK/snmpd.out" >&2 2>/dev/null || true
  return 1
}

PORT=""
start_agent
echo "demo: snmpd serves this machine on udp:127.0.0.1:$PORT (community public)" >&2

ARGS=("--port" "$PORT")
if [ -t 1 ]; then
  echo "demo: linkwatch redraws the table after every poll; Ctrl-C ends the demo" >&2
else
  has_cycles=no
  for arg in "$@"; do
    case "$arg" in --cycles | --cycles=*) has_cycles=yes ;; esac
  done
  [ "$has_cycles" = yes ] || ARGS+=("--cycles" "2")
fi

# linkwatch ends itself cleanly on Ctrl-C; the demo then stops the agent.
trap '' INT TERM
status=0
"$LINKWATCH" "${ARGS[@]}" "$@" 127.0.0.1 || status=$?
exit "$status"
