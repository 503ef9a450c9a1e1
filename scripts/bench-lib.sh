#!/usr/bin/env bash
# Helpers for the benchmarks: what a running process has cost so far, read
# from /proc, and the cost over a window of time worked out from two readings.
#
# Usage: source scripts/bench-lib.sh; bench_read PID >before; sleep 20;
#        bench_read PID >after; bench_cost before after 20

# bench_read PID: one line per thread of the process, "TID CPU_NS VOLUNTARY
# INVOLUNTARY": the thread's time on a CPU in nanoseconds (/proc schedstat,
# exact, where /proc/PID/stat counts only in 10 ms clock ticks) and its
# voluntary and involuntary context switches. /proc/PID/status holds the
# switches of the main thread alone, so every thread is read on its own. A
# thread that ends while it is read is left out.
bench_read() {
  local pid="$1" task cpu rest
  for task in /proc/"$pid"/task/*; do
    read -r cpu rest 2>/dev/null <"$task/schedstat" || continue
    awk -v tid="${task##*/}" -v cpu="$cpu" '
      /^voluntary_ctxt_switches:/ { v = $2 }
      /^nonvoluntary_ctxt_switches:/ { n = $2 }
      END { if (v != "") print tid, cpu, v, n }' "$task/status" 2>/dev/null || true
  done
}

# bench_cost BEFORE AFTER SECONDS: from two bench_read files taken SECONDS
# apart, prints "CPU_PERCENT WAKEUPS VOLUNTARY INVOLUNTARY THREADS ENDED":
# percent of one core, context switches per second (voluntary plus
# involuntary, then each alone), the number of threads read at the end, and
# how many threads of the first reading had ended by the second (their cost
# in between is lost; a thread started in between counts from zero).
bench_cost() {
  awk -v s="$3" '
    FNR == NR { cpu[$1] = $2; vol[$1] = $3; inv[$1] = $4; next }
    {
      threads++
      dc += $2 - cpu[$1]; dv += $3 - vol[$1]; di += $4 - inv[$1]
      seen[$1] = 1
    }
    END {
      for (t in cpu) if (!(t in seen)) ended++
      printf "%.3f %.1f %.1f %.1f %d %d\n", 100 * dc / 1e9 / s, (dv + di) / s, dv / s, di / s, threads, ended
    }' "$1" "$2"
}

# bench_main_wakeups BEFORE AFTER SECONDS PID: the voluntary context switches
# per second of the process's main thread alone (its thread id is the
# process id), from two bench_read files: how often the thread that runs the
# event loop and every timer slept and was woken.
bench_main_wakeups() {
  awk -v s="$3" -v tid="$4" '
    FNR == NR { if ($1 == tid) v = $3; next }
    $1 == tid { printf "%.1f\n", ($3 - v) / s }' "$1" "$2"
}

# bench_peak_mib PID: the process's peak resident memory (VmHWM) in MiB.
bench_peak_mib() {
  awk '/^VmHWM:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$1/status"
}

# bench_now: seconds since the epoch, to the nanosecond.
bench_now() {
  date +%s.%N
}

# bench_load: the one-minute load average of the machine.
bench_load() {
  cut -d' ' -f1 /proc/loadavg
}
