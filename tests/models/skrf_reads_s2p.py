#!/usr/bin/env python3
"""scikit-rf reads the Touchstone files Lumo writes, and their S-parameters
agree with an independent model of the same lines.

Usage: skrf_reads_s2p.py LUMO

1. Every data format (RI, MA, DB) and reference (50 and 75 ohms) reads back
   into an skrf.Network equal, within 1e-9, to the S-parameters of Lumo's own
   model: the line of Zc and gamma that its rlgc table gives.
2. Three lines (the delivered one, 0.141" semi-rigid, a 7 mm air line),
   smooth conductors, 1 ft, 1 to 18 GHz, against a DistributedCircuit whose
   R, L, G and C come from textbook formulas here: |S21| within 1e-4 dB,
   phase within 0.01 degree, |S11| within 5e-4. The air line also against
   skrf's own Coaxial, whose phase lacks the internal inductance.
"""
import csv
import math
import os
import subprocess
import sys
import tempfile

import numpy

# scikit-rf 0.15 still uses numpy.complex, which numpy 1.24 removed.
numpy.complex = complex
import skrf  # noqa: E402
from skrf.media import Coaxial, DistributedCircuit  # noqa: E402

LUMO = os.path.abspath(sys.argv[1])
MU0 = 4e-7 * math.pi
EPS0 = 1 / (MU0 * 299792458.0**2)
LENGTH_M = 0.3048
failures = []


def lumo(folder, *args):
    run = subprocess.run([LUMO, "frequency", *args], cwd=folder, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"lumo {' '.join(args)} failed ({run.returncode}): {run.stderr}")


def check(what, worst, limit):
    print(f"{what}: largest difference {worst:.3g} (limit {limit:g})")
    if not worst <= limit:
        failures.append(what)


def model_s(rows, zref):
    """S11, S21 of 1 ft of the line each rlgc row describes."""
    zc = numpy.array([float(r["zc_re_ohm"]) + 1j * float(r["zc_im_ohm"]) for r in rows])
    gamma = numpy.array(
        [float(r["alpha_np_per_m"]) + 1j * float(r["beta_rad_per_m"]) for r in rows])
    gl = gamma * LENGTH_M
    den = 2 * zc * zref * numpy.cosh(gl) + (zc**2 + zref**2) * numpy.sinh(gl)
    return (zc**2 - zref**2) * numpy.sinh(gl) / den, 2 * zc * zref / den


def textbook(outer_in, inner_in, er, tand, rho_uohm_cm, freq_hz):
    """R, L, G, C per metre of a smooth coaxial line, skin effect included."""
    b, d = outer_in * 0.0254, inner_in * 0.0254
    omega = 2 * math.pi * freq_hz
    rs = numpy.sqrt(math.pi * freq_hz * MU0 * rho_uohm_cm * 1e-8)
    r = rs / (math.pi * b) + rs / (math.pi * d)
    log = math.log(b / d)
    c = 2 * math.pi * EPS0 * er / log
    l_ext = MU0 / (2 * math.pi) * log
    return r, l_ext + r / omega, omega * c * tand, c


with tempfile.TemporaryDirectory() as folder:
    # 1. Lumo's files, read back.
    sweep = ["--freq", "1:18:1", "--rough-outer", "0", "--rough-inner", "0"]
    lumo(folder, *sweep, "--format", "rlgc", "-o", "line.csv")
    with open(os.path.join(folder, "line.csv"), newline="") as f:
        rows = list(csv.DictReader(f))
    for zref in (50, 75):
        s11, s21 = model_s(rows, zref)
        for fmt in ("ri", "ma", "db"):
            name = f"line_{fmt}_{zref}.s2p"
            lumo(folder, *sweep, "--format", "s2p", "--length", "1ft", "--s-format", fmt,
                 "--zref", str(zref), "-o", name)
            net = skrf.Network(os.path.join(folder, name))
            if not numpy.allclose(net.z0, zref) or len(net.f) != 18:
                failures.append(f"{name}: reference {net.z0[0]} or {len(net.f)} rows")
            want = numpy.stack([numpy.stack([s11, s21], -1), numpy.stack([s21, s11], -1)], -2)
            check(f"{name} read back against Lumo's model", numpy.abs(net.s - want).max(), 1e-9)

    # 2. The physics against an independent model.
    lines = [
        ("delivered line", ["--outer", "0.2425", "--inner", "0.0726", "--er", "2.1",
                            "--tand", "0.0002"], 0.2425, 0.0726, 2.1, 0.0002),
        ("0.141 semi-rigid", ["--outer", "0.1175", "--inner", "0.0362", "--er", "2.03",
                              "--tand", "0.0002"], 0.1175, 0.0362, 2.03, 0.0002),
        ("7 mm air line", ["--outer", "7mm", "--inner", "3.04mm", "--er", "1"],
         7 / 25.4, 3.04 / 25.4, 1.0, 0.0),
    ]
    freq = skrf.Frequency(1, 18, 18, "ghz")
    rho = 1.72  # the delivered Lumo.DEF's resistivity, both conductors
    for name, args, outer, inner, er, tand in lines:
        lumo(folder, *args, *sweep, "--format", "s2p", "--length", "1ft", "-o", "t.s2p")
        net = skrf.Network(os.path.join(folder, "t.s2p"))
        r, l, g, c = textbook(outer, inner, er, tand, rho, freq.f)
        # The line between ports of its own complex Zc, renormalised to 50
        # ohms with pseudo-waves (the classical S-parameters of a real
        # reference).
        ref = DistributedCircuit(freq, C=c, L=l, R=r, G=g).line(LENGTH_M, "m")
        ref.renormalize(50, s_def="pseudo")
        db = numpy.abs(net.s_db[:, 1, 0] - ref.s_db[:, 1, 0]).max()
        deg = numpy.abs(numpy.angle(net.s[:, 1, 0] / ref.s[:, 1, 0], deg=True)).max()
        s11 = numpy.abs(net.s_mag[:, 0, 0] - ref.s_mag[:, 0, 0]).max()
        print(f"{name}: |S21| at 18 GHz {net.s_db[-1, 1, 0]:.6f} dB, textbook "
              f"{ref.s_db[-1, 1, 0]:.6f} dB")
        check(f"{name}: |S21|, dB", db, 1e-4)
        check(f"{name}: S21 phase, degrees", deg, 0.01)
        check(f"{name}: |S11|", s11, 5e-4)
        if er == 1.0:
            # Coaxial's own line, renormalised from its Zc to 50 ohms; it has
            # no internal inductance, whose phase is the conductor loss (rad).
            coax = Coaxial(freq, Dint=inner * 0.0254, Dout=outer * 0.0254, epsilon_r=1,
                           tan_delta=0, sigma=1 / (rho * 1e-8))
            ref = coax.line(LENGTH_M, "m")
            ref.renormalize(50, s_def="pseudo")
            internal = numpy.degrees(r / (2 * 50) * LENGTH_M)
            db = numpy.abs(net.s_db[:, 1, 0] - ref.s_db[:, 1, 0]).max()
            deg = numpy.abs(numpy.angle(net.s[:, 1, 0] / ref.s[:, 1, 0], deg=True)
                            + internal).max()
            check(f"{name} against Coaxial: |S21|, dB", db, 1e-4)
            check(f"{name} against Coaxial: S21 phase less the internal inductance's, degrees",
                  deg, 0.01)

if failures:
    sys.exit("failed: " + "; ".join(failures))
