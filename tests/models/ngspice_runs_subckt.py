#!/usr/bin/env python3
"""ngspice runs the subcircuit Lumo writes: 1 ft of the delivered line with
smooth conductors at 10 GHz, between 50-ohm terminations, in an AC analysis.
|S21| (twice the output voltage over the source's) agrees within 1e-4 dB
with the value computed here from Lumo's rlgc row for the same line.

Usage: ngspice_runs_subckt.py LUMO
"""
import csv
import math
import cmath
import os
import re
import shutil
import subprocess
import sys
import tempfile

LUMO = os.path.abspath(sys.argv[1])
LINE = ["--freq", "10:10:1", "--rough-outer", "0", "--rough-inner", "0"]
LENGTH_M = 0.3048
ZREF = 50.0

# The source's open-circuit amplitude is 2 V: the output voltage is S21.
BENCH = """1 ft of line between 50-ohm terminations
.include line.cir
V1 in 0 dc 0 ac 2
R1 in a 50
X1 a 0 out 0 lumo_line
R2 out 0 50
.ac lin 1 10g 10g
.print ac vdb(out)
.end
"""


def lumo(folder, *args):
    run = subprocess.run([LUMO, "frequency", *LINE, *args], cwd=folder, capture_output=True,
                         text=True)
    if run.returncode != 0:
        sys.exit(f"lumo failed ({run.returncode}): {run.stderr}")


ngspice = shutil.which("ngspice")
if ngspice is None:
    sys.exit("ngspice is not installed (tools/setup-deps tests installs it)")
with tempfile.TemporaryDirectory() as folder:
    lumo(folder, "--format", "spice", "--length", "1ft", "-o", "line.cir")
    lumo(folder, "--format", "rlgc", "-o", "line.csv")
    with open(os.path.join(folder, "bench.cir"), "w") as f:
        f.write(BENCH)
    run = subprocess.run([ngspice, "-b", "bench.cir"], cwd=folder, capture_output=True,
                         text=True)
    if run.returncode != 0:
        sys.exit(f"ngspice -b exited {run.returncode}:\n{run.stdout}\n{run.stderr}")
    found = re.search(r"^0\s+1\.000000e\+10\s+(\S+)\s*$", run.stdout, re.M)
    if found is None:
        sys.exit("no AC result at 10 GHz in ngspice's output:\n" + run.stdout)
    spice_db = float(found.group(1))
    with open(os.path.join(folder, "line.csv"), newline="") as f:
        row = next(csv.DictReader(f))

zc = complex(float(row["zc_re_ohm"]), float(row["zc_im_ohm"]))
gl = complex(float(row["alpha_np_per_m"]), float(row["beta_rad_per_m"])) * LENGTH_M
s21 = 2 * zc * ZREF / (2 * zc * ZREF * cmath.cosh(gl) + (zc**2 + ZREF**2) * cmath.sinh(gl))
analytic_db = 20 * math.log10(abs(s21))
print(f"|S21| at 10 GHz: ngspice {spice_db:.6f} dB, from the rlgc row {analytic_db:.6f} dB, "
      f"difference {abs(spice_db - analytic_db):.2g} dB")
if not abs(spice_db - analytic_db) <= 1e-4:
    sys.exit("ngspice's |S21| differs from the analytic value by more than 1e-4 dB")
