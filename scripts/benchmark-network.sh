#!/usr/bin/env bash
# What network play costs, measured on the real programs under Xvfb, each
# program on its own screen, over the loopback (127.0.0.1) only:
#
#  1. Idle host: kestrava2 --host with nobody joined beside a plain kestrava2
#     and the empty window with a 500 ms timer (the idle benchmark's floor,
#     scripts/probe/empty_window.cpp), each with player 1's panel waiting,
#     all read over the same seconds: CPU and wake-ups, as
#     scripts/benchmark-idle.sh reads them.
#  2. A joined program waiting for its turn: kestrava2 hosting with seat 2
#     held by a joined kestrava2; while the host's player 1 thinks, both
#     programs are read over the same seconds.
#  3. A whole match over the stream (the end-to-end test's duel: the host's
#     shot, the joined player's, the host's killing shot, the kill and the
#     winner's messages, the score board), both programs traced with strace:
#     every send of the host on the stream is paired, by its place in the
#     stream, with the joined program's read of its last byte; the delay runs
#     until the reading thread waits in its event loop again (the change is
#     applied by then). The tracing slows every system call of both
#     programs, so the delays are upper bounds; the host's wait from the
#     flush to its send (within the same event-loop turn or the next) is not
#     in them. Bytes each way are counted on the stream.
#
# Usage: scripts/benchmark-network.sh [seconds] [build-dir]
# (defaults: 20, build). Needs a build with the probes:
#   bash scripts/build.sh build-perf -DKESTRAVA_BUILD_PROBES=ON
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
source "$E2E_ROOT/scripts/bench-lib.sh"
seconds="${1:-20}"
e2e_init_build "${2:-}"
[ -x "$E2E_BIN/kestrava_empty_window" ] ||
  { echo "no $E2E_BIN/kestrava_empty_window: build with -DKESTRAVA_BUILD_PROBES=ON" >&2; exit 2; }
command -v strace >/dev/null || { echo "strace is needed for the delays" >&2; exit 2; }

# The floor has a screen of its own, so that no window of it lies under a
# click meant for the game.
e2e_add_screen floor
"$E2E_BIN/kestrava_empty_window" --timer 500 >"$E2E_WORK/floor.log" 2>&1 &
floor=$!
extra_pids=("$floor")
stop_extras() {
  local pid
  for pid in "${extra_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  e2e_cleanup
}
trap stop_extras EXIT
sleep 1
e2e_use_screen main

# measure LABEL=PID...: reads every PID over the same $seconds, prints a line each.
measure() {
  local pair label pid
  for pair in "$@"; do bench_read "${pair#*=}" >"$E2E_WORK/before-${pair#*=}"; done
  local load_before start end window
  load_before=$(bench_load)
  start=$(bench_now)
  sleep "$seconds"
  for pair in "$@"; do bench_read "${pair#*=}" >"$E2E_WORK/after-${pair#*=}"; done
  end=$(bench_now)
  window=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }')
  echo "  over $window s, load average $load_before then $(bench_load):"
  for pair in "$@"; do
    label="${pair%=*}" pid="${pair#*=}"
    read -r cpu wake vol inv threads ended < <(bench_cost "$E2E_WORK/before-$pid" "$E2E_WORK/after-$pid" "$window")
    printf '  %-34s CPU %6.3f %% of one core, %6.1f wake-ups/s (%.1f + %.1f), main thread woken %s/s, %d threads\n' \
      "$label" "$cpu" "$wake" "$vol" "$inv" \
      "$(bench_main_wakeups "$E2E_WORK/before-$pid" "$E2E_WORK/after-$pid" "$window" "$pid")" "$threads"
    eval "cpu_${pid}=$cpu wake_${pid}=$wake"
  done
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

echo "1. kestrava2 hosting with nobody joined, beside kestrava2 and the floor, player 1's panel waiting"
e2e_duel_until_first_panel kestrava2
plain=$E2E_PROGRAM_PID
e2e_add_screen idlehost
e2e_duel_until_first_panel kestrava2 --host="$E2E_NET_PORT" --code "$E2E_NET_CODE"
host=$E2E_PROGRAM_PID
sleep 1
measure "kestrava2=$plain" "kestrava2 --host (nobody joined)=$host" "empty window, 500 ms timer=$floor"
eval 'hc=$cpu_'$host' hw=$wake_'$host' pc=$cpu_'$plain' pw=$wake_'$plain' fc=$cpu_'$floor' fw=$wake_'$floor
echo "  host against kestrava2: CPU x $(ratio "$hc" "$pc"), wake-ups x $(ratio "$hw" "$pw");" \
     "against the floor: CPU x $(ratio "$hc" "$fc"), wake-ups x $(ratio "$hw" "$fw")"
e2e_stop_program
e2e_use_screen main
e2e_stop_program

echo "2. a joined kestrava2 waiting while the host's player 1 thinks"
E2E_NET_PORT=$((E2E_NET_PORT + 1))
e2e_network_duel kestrava2
host=$E2E_PROGRAM_PID
e2e_wait_window "Player1" 10 >/dev/null
e2e_use_screen joined
joined=$E2E_PROGRAM_PID
e2e_use_screen main
sleep 1
measure "kestrava2 hosting=$host" "kestrava2 joined, waiting=$joined" "empty window, 500 ms timer=$floor"
eval 'hc=$cpu_'$host' hw=$wake_'$host' jc=$cpu_'$joined' jw=$wake_'$joined
echo "  joined against host: CPU x $(ratio "$jc" "$hc"), wake-ups x $(ratio "$jw" "$hw")"

echo "3. the rest of the match, both programs traced"
trace() { strace -f -ttt -yy -s 0 -e trace=read,recvfrom,readv,recvmsg,write,sendto,writev,sendmsg,poll,ppoll -o "$2" -p "$1" 2>/dev/null & extra_pids+=($!); }
trace "$host" "$E2E_WORK/host.trace"
trace "$joined" "$E2E_WORK/joined.trace"
sleep 1
host_battle="$E2E_BATTLE"
panel=$(e2e_wait_window "Player1" 10)
for press in 1 2 3; do e2e_click_twips "$panel" $E2E_AT_FIRE; done
e2e_wait_gone "Player1" 10
e2e_pointer_away
e2e_use_screen joined
panel=$(e2e_wait_window "Budi" 20)
for press in 1 2 3; do e2e_click_twips "$panel" $E2E_AT_FIRE_PANEL2; done
e2e_wait_gone "Budi" 10
e2e_pointer_away
e2e_use_screen main
panel=$(e2e_wait_window "Player1" 20)
e2e_click_twips "$host_battle" $E2E_AT_DAMAGE_FULL
e2e_point_twips "$panel" $E2E_AT_FIRE
e2e_press_here
e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_FAR_GAUGE" 50 >/dev/null
e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_HIGH_GAUGE" 50 >/dev/null
e2e_wait_gone "Player1" 10
e2e_pointer_away
e2e_press_ok "$(e2e_wait_window kestrava2 20)"
box=$(e2e_wait_window kestrava2 20)
e2e_press_ok "$box"
e2e_wait_window "Score:" 10 >/dev/null
sleep 1
# The whole connection, from the join on: the host's socket's counters.
ss -tinH state established "( sport = :$E2E_NET_PORT )" |
  grep -o 'bytes_sent:[0-9]*\|bytes_received:[0-9]*' | tr '\n' ' ' |
  sed 's/^/  the host'"'"'s end of the stream since the join: /; s/$/\n/'
for pid in "${extra_pids[@]:1}"; do kill -INT "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
extra_pids=("$floor")
python3 "$E2E_ROOT/scripts/lib/stream_delay.py" "$E2E_WORK/host.trace" "$E2E_WORK/joined.trace" "$E2E_NET_PORT" | sed 's/^/  /'
