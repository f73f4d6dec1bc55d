#!/usr/bin/env python3
"""Time from starting `lk63-questionnaire` to its first painted window, using
the wall clock its --startup-time option prints; median of many runs.

    bench/window_first_paint.py BUILD_DIR [RUNS]   (QT_QPA_PLATFORM defaults to offscreen)
"""
import os
import re
import statistics
import sys
import time


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    program = os.path.join(sys.argv[1], "bin", "lk63-questionnaire")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    from_start, from_main, cpu = [], [], []
    for _ in range(runs):
        read_end, write_end = os.pipe()
        started_us = time.time_ns() // 1000
        pid = os.posix_spawn(program, [program, "--startup-time"], env,
                             file_actions=[(os.POSIX_SPAWN_DUP2, write_end, 1)])
        os.close(write_end)
        with os.fdopen(read_end) as out:
            text = out.read()
        _, status, usage = os.wait4(pid, 0)
        found = re.search(r"first paint ([0-9.]+) ms.*wall clock (\d+) us", text)
        if os.waitstatus_to_exitcode(status) != 0 or not found:
            sys.exit(f"{program} --startup-time failed: {text!r}")
        from_main.append(float(found.group(1)))
        from_start.append((int(found.group(2)) - started_us) / 1000)
        cpu.append((usage.ru_utime + usage.ru_stime) * 1000)
    med = statistics.median
    print(f"process start -> first paint median {med(from_start):.1f} ms, main() -> first paint "
          f"{med(from_main):.1f} ms, CPU of the whole process {med(cpu):.1f} ms ({runs} runs)")


if __name__ == "__main__":
    main()
