#!/usr/bin/env python3
"""Delays and bytes of one TCP stream between two traced programs.

Reads two system-call traces (strace -f -ttt -yy -s 0) of the host and of
a joined program, finds the host's sends on the stream to PORT's peer and
the joined program's reads of it, and pairs them by their place in the
stream (the same bytes in the same order). For each send: the delay until
the joined program's thread that read its last byte next waits in its event
loop again (the poll that follows the read), by which time the change has
been applied to its windows. Prints the count, the median and the worst
delay in milliseconds, and the bytes each way.

Usage: stream_delay.py HOST_TRACE JOINED_TRACE PORT
"""
import re
import statistics
import sys

CALL = re.compile(r'^(?:\[pid\s+)?(\d+)\]?\s+(\d+\.\d+)\s+(\w+)\((\d+)<(TCP(?:v6)?:\[.*?\]\]?|[^>]*)>.*\)\s+=\s+(-?\d+)')
# A call another thread's output cut in two: its start, then its end.
UNFINISHED = re.compile(r'^(?:\[pid\s+)?(\d+)\]?\s+(\d+\.\d+)\s+(\w+)\((\d+)<(TCP(?:v6)?:\[.*?\]\]?|[^>]*)>.*<unfinished \.\.\.>')
RESUMED = re.compile(r'^(?:\[pid\s+)?(\d+)\]?\s+(\d+\.\d+)\s+<\.\.\. (\w+) resumed>.*\)\s+=\s+(-?\d+)')
POLL = re.compile(r'^(?:\[pid\s+)?(\d+)\]?\s+(\d+\.\d+)\s+p?poll\(')
SENDS = {'write', 'sendto', 'writev', 'sendmsg'}
READS = {'read', 'recvfrom', 'readv', 'recvmsg'}


def calls(path, port, local):
    """(pid, time, name, bytes) of the calls on the stream; local: the
    stream's local end is PORT (the host) rather than its remote end."""
    # The host listens on every address, so its end may be IPv6 with the
    # loopback mapped in ([::ffff:127.0.0.1]:PORT).
    want = re.compile(rf'127\.0\.0\.1\]?:{port}->' if local else rf'->\[?(?:::ffff:)?127\.0\.0\.1\]?:{port}\]$')
    out, polls, pending = [], [], {}
    for line in open(path, errors='replace'):
        u = UNFINISHED.match(line)
        if u:
            pending[u.group(1)] = (u.group(3), u.group(5))
        r = RESUMED.match(line)
        if r and r.group(1) in pending:
            name, where = pending.pop(r.group(1))
            if name == r.group(3) and where.startswith('TCP') and want.search(where) and int(r.group(4)) > 0:
                out.append((r.group(1), float(r.group(2)), name, int(r.group(4))))
            continue
        m = CALL.match(line)
        if m and m.group(5).startswith('TCP') and want.search(m.group(5)) and int(m.group(6)) > 0:
            out.append((m.group(1), float(m.group(2)), m.group(3), int(m.group(6))))
            continue
        p = POLL.match(line)
        if p:
            polls.append((p.group(1), float(p.group(2))))
    return out, polls


def main():
    host_path, joined_path, port = sys.argv[1], sys.argv[2], int(sys.argv[3])
    host, _ = calls(host_path, port, True)
    joined, polls = calls(joined_path, port, False)
    # The two traces start a moment apart, so the first bytes one holds may
    # be missing from the other: the stream is lined up at the first run of
    # ten sends whose sizes the reads repeat exactly.
    sent = [(t, n) for _pid, t, name, n in host if name in SENDS]
    got = [(pid, t, n) for pid, t, name, n in joined if name in READS]
    back = sum(n for _p, _t, name, n in joined if name in SENDS)
    start = next(((i, j) for i in range(min(40, len(sent))) for j in range(min(40, len(got)))
                  if [n for _t, n in sent[i:i + 10]] == [n for _p, _t, n in got[j:j + 10]]), None)
    if start is None:
        print('the two traces could not be lined up')
        return 1
    sends, offset = [], 0
    for t, n in sent[start[0]:]:
        offset += n
        sends.append((offset, t))
    reads, offset = [], 0
    for pid, t, n in got[start[1]:]:
        offset += n
        done = next((pt for pp, pt in polls if pp == pid and pt >= t), None)
        reads.append((offset, t, done))
    delays, k = [], 0
    for end, t in sends:
        while k < len(reads) and reads[k][0] < end:
            k += 1
        if k == len(reads) or reads[k][2] is None:
            break
        delays.append((reads[k][2] - t) * 1000.0)
    if not delays:
        print('no sends paired with reads')
        return 1
    print(f'sends {len(sends)}, paired {len(delays)}; delay to applied: median {statistics.median(delays):.3f} ms, '
          f'worst {max(delays):.3f} ms, 99th percentile {sorted(delays)[int(0.99 * (len(delays) - 1))]:.3f} ms; '
          f'bytes host to joined {sum(n for _t, n in sent)}, joined to host {back}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
