#!/usr/bin/env python3
"""End-to-end speed of long sweeps through the real lumo binary.

Runs, in a temporary directory:
  - a frequency analysis of 1,000,001 rows with storage on, console output
    redirected to a file;
  - an outer-conductor synthesis with transmission loss of 100,001 rows,
    stored as well;
  - the same frequency analysis at 10,001 rows, to show that peak memory
    does not grow with the number of rows.
For each it prints rows per second, bytes written (console + stored file),
peak resident memory (GNU time), the time `cat` takes to copy the same bytes,
and the time `dd` takes to write them 8192 bytes at a time, the block size in
which a disk file receives Lumo's output.

Usage: python3 bench/sweep_bench.py [PATH/TO/lumo]   (default build/lumo)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

DEFAULTS = """Lumo benchmark defaults
10.0         F.
18.0         FMAX.
1.0          FMIN.
1.0          FSTEP.
1.72         RESB.
1.72         RESD.
10           SRB.
10           SRD.
2.1          ER.
0.25         B.
0.2          BMIN.
0.4          BMAX.
0.05         BSTEP.
0.1          D.
0.05         DMIN.
0.2          DMAX.
0.05         DSETP.
0.0002       DLTAN.
100          ZMAX.
25           ZMIN.
5            ZSTEP.
bench.txt
"""

# Answers: FUNCTION, (conductor), dimensions and materials kept, OPTION,
# range, (loss frequency), storage, file name, OPERATION.
def frequency_answers(step):
    return "1\n\n\n\n\n\n\n\n\n1\n1\n101\n%s\n1\nsweep.txt\n3\n" % step

SYNTHESIS = "2\n2\n\n\n\n\n\n\n\n1\n1\n101\n0.001\n\n1\nsynth.txt\n3\n"


def timed(argv, cwd, stdin_bytes, stdout_path):
    """Runs argv; returns (seconds, exit status, resource usage) of that child."""
    with open(stdout_path, "wb") as out:
        start = time.perf_counter()
        proc = subprocess.Popen(argv, cwd=cwd, stdin=subprocess.PIPE, stdout=out,
                                stderr=subprocess.DEVNULL)
        proc.stdin.write(stdin_bytes)
        proc.stdin.close()
        _, status, usage = os.wait4(proc.pid, 0)
        elapsed = time.perf_counter() - start
    return elapsed, os.waitstatus_to_exitcode(status), usage


def measure(prog, answers, label, rows, repeats=3):
    work = tempfile.mkdtemp(prefix="lumo-bench-")
    try:
        with open(os.path.join(work, "Lumo.DEF"), "w") as f:
            f.write(DEFAULTS)
        out_path = os.path.join(work, "console.out")
        best = None
        for _ in range(repeats):
            elapsed, status, _ = timed([prog], work, answers.encode(), out_path)
            if status != 0:
                sys.exit("%s: lumo ended with status %s" % (label, status))
            best = elapsed if best is None else min(best, elapsed)
        # Peak memory of lumo alone: GNU time reports it for its own child.
        rss_path = os.path.join(work, "rss")
        timed(["/usr/bin/time", "-f", "%M", "-o", rss_path, prog], work, answers.encode(),
              out_path)
        with open(rss_path) as f:
            rss = int(f.read().split()[-1])
        files = [out_path] + [os.path.join(work, n) for n in os.listdir(work) if n.endswith(".txt")]
        nbytes = sum(os.path.getsize(p) for p in files)
        copy = os.path.join(work, "copy.bin")
        cat = min(timed(["cat"] + files, work, b"", copy)[0] for _ in range(repeats))
        # The same bytes delivered 8192 at a time, as a disk file receives them.
        joined = os.path.join(work, "joined.bin")
        with open(joined, "wb") as j:
            subprocess.run(["cat"] + files, stdout=j, check=True)
        blocks = min(timed(["dd", "if=" + joined, "of=" + copy, "bs=8192", "status=none"],
                           work, b"", os.devnull)[0] for _ in range(repeats))
        print("%-34s %8d rows %6.3f s %9.0f rows/s %10d bytes  peak %5d KiB"
              "  cat %.3f s (x%.1f)  8 KiB blocks %.3f s (x%.1f)"
              % (label, rows, best, rows / best, nbytes, rss, cat, best / cat, blocks, best / blocks))
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    prog = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/lumo")
    measure(prog, frequency_answers("0.01"), "frequency analysis, stored", 10001)
    measure(prog, frequency_answers("0.0001"), "frequency analysis, stored", 1000001)
    measure(prog, SYNTHESIS, "outer synthesis with loss, stored", 100001)


if __name__ == "__main__":
    main()
