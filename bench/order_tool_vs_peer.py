#!/usr/bin/env python3
"""Whole-process time of `lk63-order pdf ORDER.json -o X.pdf` against the Qt
PDF writer peer on the same one-page questionnaire, run alternately in one
session so both see the same machine load; prints medians and their ratio.

    bench/order_tool_vs_peer.py BUILD_DIR [RUNS]   (a Release build with LK63_BUILD_BENCH=ON)
"""
import os
import statistics
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def spawn_time(argv, env):
    start = time.perf_counter_ns()
    pid = os.posix_spawn(argv[0], argv, env)
    _, status = os.waitpid(pid, 0)
    elapsed = (time.perf_counter_ns() - start) / 1e6
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{argv[0]} failed")
    return elapsed


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    order = os.path.join(HERE, "..", "tests", "app", "data", "all_first.json")
    out = tempfile.mkdtemp(prefix="lk63-vs-peer-")
    ours = [os.path.join(build, "bin", "lk63-order"), "pdf", order, "-o", os.path.join(out, "ours.pdf")]
    peer = [os.path.join(build, "bin", "qt-pdf-peer"), os.path.join(out, "peer.pdf")]
    env = dict(os.environ)
    # The peer needs a platform for its fonts, not a screen.
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    for argv in (ours, peer):  # warm the page cache
        spawn_time(argv, env)
    times = {"ours": [], "peer": []}
    for _ in range(runs):
        times["ours"].append(spawn_time(ours, env))
        times["peer"].append(spawn_time(peer, env))
    med = {k: statistics.median(v) for k, v in times.items()}
    for k in ("ours", "peer"):
        v = sorted(times[k])
        print(f"{k:5s} median {med[k]:7.2f} ms  (p10 {v[len(v) // 10]:.2f}, p90 {v[len(v) * 9 // 10]:.2f}, {runs} runs)")
    print(f"ratio ours/peer {med['ours'] / med['peer']:.3f}")
    for name in ("ours.pdf", "peer.pdf"):
        os.unlink(os.path.join(out, name))
    os.rmdir(out)


if __name__ == "__main__":
    main()
