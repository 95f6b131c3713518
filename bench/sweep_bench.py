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
peak resident memory, and the time `cat` takes to copy the same bytes (the
floor that no program writing them can beat).

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


def run(prog, work, answers, label, rows):
    out_path = os.path.join(work, "console.out")
    start = time.perf_counter()
    with open(out_path, "wb") as out:
        proc = subprocess.Popen([prog], cwd=work, stdin=subprocess.PIPE, stdout=out,
                                stderr=subprocess.PIPE)
        _, err = proc.communicate(answers.encode())
        status = proc.returncode
    elapsed = time.perf_counter() - start
    stored = [n for n in os.listdir(work) if n.endswith(".txt")]
    files = [out_path] + [os.path.join(work, n) for n in stored]
    nbytes = sum(os.path.getsize(p) for p in files)
    copy = os.path.join(work, "copy.bin")
    start = time.perf_counter()
    with open(copy, "wb") as dst:
        subprocess.run(["cat"] + files, stdout=dst, check=True)
    floor = time.perf_counter() - start
    os.remove(copy)
    for p in files:
        os.remove(p)
    if status != 0:
        sys.exit("%s: lumo ended with status %s: %s" % (label, status, err.decode()))
    return elapsed, nbytes, floor


def measure(prog, answers, label, rows):
    work = tempfile.mkdtemp(prefix="lumo-bench-")
    try:
        with open(os.path.join(work, "Lumo.DEF"), "w") as f:
            f.write(DEFAULTS)
        # Peak memory of one child: run it under a fresh python process so that
        # RUSAGE_CHILDREN holds only that child's peak.
        code = ("import resource,subprocess,sys;"
                "subprocess.run([sys.argv[1]],input=sys.stdin.buffer.read(),"
                "stdout=subprocess.DEVNULL,stderr=subprocess.DEVNULL,cwd=sys.argv[2]);"
                "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")
        rss = subprocess.run([sys.executable, "-c", code, prog, work], input=answers.encode(),
                             capture_output=True, check=True).stdout.decode().strip()
        for n in os.listdir(work):
            if n.endswith(".txt"):
                os.remove(os.path.join(work, n))
        elapsed, nbytes, floor = run(prog, work, answers, label, rows)
        print("%-34s %9d rows %8.2f s %10.0f rows/s %11d bytes  peak %6s KiB  cat %.3f s (x%.1f)"
              % (label, rows, elapsed, rows / elapsed, nbytes, rss, floor,
                 elapsed / floor if floor > 0 else float("inf")))
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    prog = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/lumo")
    measure(prog, frequency_answers("0.01"), "frequency analysis, stored", 10001)
    measure(prog, frequency_answers("0.0001"), "frequency analysis, stored", 1000001)
    measure(prog, SYNTHESIS, "outer synthesis with loss, stored", 100001)


if __name__ == "__main__":
    main()
