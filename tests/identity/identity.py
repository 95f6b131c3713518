#!/usr/bin/env python3
"""One identity test across platforms: builds of Lumo for different systems
give byte-identical standard output, standard error, exit status and
written files for the same command line.

Usage: identity.py [--count N] [--seed S] [--jobs J (4)] REFERENCE OTHER...

REFERENCE and each OTHER are command lines (split like a shell's) that start
a Lumo build, the argument list being appended: `build/lumo`,
`python3 tests/windows/wine_run.py build-windows/lumo.exe`, and so on.
Each of N seeded random argument lists (default 300, seed 19) runs once per
runner, in a fresh temporary folder holding the delivered Lumo.DEF and the
stored reports that `plot` and `export` read (made once by REFERENCE).
The report's clock (date and time of now) is masked; everything else must
match byte for byte: the console streams are binary on every platform, so
report lines end in CR LF and diagnostics in LF everywhere.

Prints "N argument lists, D differences" (D: lists where some runner
differs from REFERENCE), the first differences in detail, and exits 1 when
D > 0. Another test imports `argument_lists`, `Runner` and `compare` to add
a runner of its own.
"""
import argparse
import concurrent.futures
import os
import random
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
with open(os.path.join(ROOT, 'Lumo.DEF'), 'rb') as f:
    DELIVERED = f.read()

# The banner date and the report header's date and time.
CLOCK = re.compile(rb'Date: ?[ \d]{2}/[ \d]{2}/[ \d]{4}( at [ \d]{2}:[ \d]{2}:[ \d]{2})?')

# Reports the dialogue stores, which plot and export read: the answers that
# store each (made once by the reference runner).
STORED = {
    # a frequency analysis of entered values
    'freq.txt': '1\n0.5\n0.2\n2.2\n0.001\n1.72\n2.44\n32\n50\n1\n1\n2\n0.3\n1\nfreq.txt\n3\n',
    # a sensitivity analysis over the outer diameter
    'sens.txt': '1\n0.2\n0.1\n1\n\n\n\n\n2\n2\n0.05\n0.3\n0.05\n1\nsens.txt\n3\n',
    # an inner-conductor synthesis with sensitivities
    'syn.txt': '2\n1\n0.25\n2.1\n\n\n\n\n\n2\n30\n75\n5\n1\nsyn.txt\n3\n',
    # an outer-conductor synthesis with losses, stopped unrealizable
    'stop.txt': '2\n2\n0.1\n1\n\n\n\n\n1\n200\n500\n100\n1\n1\nstop.txt\n3\n',
    # three frequency reports in one file
    'three.txt': '\n' * 13 + '1\nthree.txt\n' + '1\n\n\n\n\n1\n\n' * 2 + '3\n',
}


class Runner:
    """A Lumo build started by a command line; run() gives (status, stdout,
    stderr) of one argument list in folder `cwd`."""

    def __init__(self, command):
        self.command = command
        # Files named relative to here, since each run has a folder of its own.
        self.argv = [os.path.abspath(w) if os.path.exists(w) else w for w in shlex.split(command)]

    def run(self, args, cwd, stdin=b''):
        r = subprocess.run(self.argv + list(args), cwd=cwd, input=stdin, capture_output=True,
                           timeout=120)
        return r.returncode, r.stdout, r.stderr


# Values as a user types them: inches in any of the length units, a blank
# or not before the unit, any letter case.
LENGTH_UNITS = [('', 1.0), ('in', 1.0), ('mil', 1000.0), ('mm', 25.4), ('um', 25400.0)]
FREQUENCY_UNITS = [('', 1.0), ('GHz', 1.0), ('MHz', 1e3), ('kHz', 1e6)]
ROUGHNESS_UNITS = [('', 1.0), ('um', 0.0254), ('nm', 25.4)]


def number(g, x):
    """x written with 1 to 6 significant digits."""
    return ('%.*g' % (g.randint(1, 6), x))


def quantity(g, x, units):
    unit, factor = g.choice(units)
    text = number(g, x * factor)
    if unit:
        unit = g.choice([unit, unit.lower(), unit.upper()])
        text += g.choice(['', ' ']) + unit
    return text


def log_uniform(g, lo, hi):
    return lo * (hi / lo) ** g.random()


def sweep(g, lo, hi, units, max_rows=60):
    """START:STOP:STEP of at most max_rows rows, each part in its own unit."""
    start = log_uniform(g, lo, hi)
    stop = start * g.uniform(1.0, 4.0)
    step = (stop - start) / g.randint(1, max_rows) or start
    return ':'.join(quantity(g, v, units) for v in (start, stop, step))


# The delivered Lumo.DEF's diameters, which stand for those not given.
DELIVERED_B, DELIVERED_D = 0.2425, 0.0726


def line_options(g, analysis=True, synthesized=None):
    """Some of the line options (never the synthesized conductor's
    diameter), B above D as given or as completed from Lumo.DEF."""
    opts = []
    outer = synthesized != 'outer' and g.random() < 0.7
    inner = synthesized != 'inner' and g.random() < 0.7
    if outer and inner:
        b = log_uniform(g, 0.05, 2.0)
        d = b * g.uniform(0.05, 0.9)
    else:
        b = log_uniform(g, DELIVERED_D * 1.2, 2.0)
        d = log_uniform(g, 0.01, DELIVERED_B * 0.9)
    if outer:
        opts += ['--outer', quantity(g, b, LENGTH_UNITS)]
    if inner:
        opts += ['--inner', quantity(g, d, LENGTH_UNITS)]
    er = g.choice(['1', '2.1', number(g, g.uniform(1.0, 12.0))]) if g.random() < 0.6 else None
    if er:
        opts += ['--er', er]
    if not analysis:
        return opts
    if g.random() < (0.3 if er != '1' else 0.05):
        opts += ['--tand', g.choice(['0', number(g, log_uniform(g, 1e-5, 0.05))])]
    for name in ('--rho-outer', '--rho-inner'):
        if g.random() < 0.25:
            opts += [name, number(g, g.uniform(1.5, 10.0))]
    for name in ('--rough-outer', '--rough-inner'):
        if g.random() < 0.25:
            opts += [name, quantity(g, g.uniform(0.0, 60.0), ROUGHNESS_UNITS)]
    return opts


# Values no build accepts, each with the option it goes to.
INVALID = [
    ['--er', '0.9'], ['--er', '1000'], ['--er', 'abc'], ['--outer', '-1'], ['--outer', '3 furlong'],
    ['--inner', '0'], ['--inner', '1e999'], ['--outer', '2e'], ['--tand', '100'],
    ['--rough-inner', '5 mil'], ['--format', 'xml'], ['--max-rows', '0'], ['--max-rows', '1.5'],
    ['--outer', '0.1', '--inner', '0.2'], ['--unknown'], ['--freq', '2:1:1'], ['--freq', '1:2:0'],
    ['--freq', '1:2'], ['--freq', '1GHz:2kHz:3'],
]


def run_arguments(g):
    kind = g.choice(['frequency', 'sensitivity', 'synthesize'])
    conductor = g.choice(['inner', 'outer'])
    args = [kind] + line_options(g, synthesized=conductor if kind == 'synthesize' else None)
    if kind == 'frequency':
        if g.random() < 0.3:
            return args + line_model_arguments(g)
        if g.random() < 0.8:
            args += ['--freq', sweep(g, 0.01, 40.0, FREQUENCY_UNITS)]
    elif kind == 'sensitivity':
        args += ['--vary', g.choice(['inner', 'outer'])]
        if g.random() < 0.8:
            args += ['--range', sweep(g, 0.01, 1.0, LENGTH_UNITS)]
    else:
        args += ['--conductor', conductor]
        if g.random() < 0.8:
            args += ['--impedance', sweep(g, 10.0, 100.0, [('', 1.0)])]
        choice = g.random()
        if choice < 0.3:
            args += ['--loss-at', quantity(g, log_uniform(g, 0.01, 40.0), FREQUENCY_UNITS)]
        elif choice < 0.6:
            args += ['--sensitivity']
    if g.random() < 0.1:
        args += ['--max-rows', str(g.randint(1, 80))]
    if g.random() < 0.3:
        args += ['--plot', 'run.svg']
    return args


MODEL_LENGTH_UNITS = [('', 1.0), ('in', 1.0), ('ft', 1 / 12), ('mil', 1000.0), ('mm', 25.4),
                      ('cm', 2.54), ('m', 0.0254)]


def line_model_arguments(g):
    """A frequency run written as a line model: Touchstone, SPICE or RLGC."""
    form = g.choice(['s2p', 'spice', 'rlgc'])
    args = ['--format', form]
    if form == 'spice':
        f = quantity(g, log_uniform(g, 0.01, 40.0), FREQUENCY_UNITS)
        args += ['--freq', '%s:%s:1' % (f, f)]  # the model holds at one frequency
        if g.random() < 0.5:
            args += ['--name', g.choice(['cable', 'lumo_line', 'x1'])]
    else:
        args += ['--freq', sweep(g, 0.01, 40.0, FREQUENCY_UNITS, max_rows=20)]
    if form != 'rlgc' and g.random() < 0.95:
        args += ['--length', quantity(g, log_uniform(g, 0.1, 400.0), MODEL_LENGTH_UNITS)]
    if form == 's2p':
        if g.random() < 0.7:
            args += ['--s-format', g.choice(['ri', 'ma', 'db'])]
        if g.random() < 0.3:
            args += ['--zref', number(g, g.uniform(25.0, 100.0))]
    return args


def checks_arguments(g):
    if g.random() < 0.4:
        return ['modes'] + line_options(g, analysis=False)
    args = ['tolerance'] + line_options(g, analysis=False)
    args += ['--tol-outer', quantity(g, log_uniform(g, 1e-4, 0.01), LENGTH_UNITS),
             '--tol-inner', quantity(g, log_uniform(g, 1e-4, 0.005), LENGTH_UNITS),
             '--tol-er', number(g, log_uniform(g, 1e-3, 0.1))]
    if g.random() < 0.3:
        args += ['--offset', quantity(g, log_uniform(g, 1e-4, 0.005), LENGTH_UNITS)]
    if g.random() < 0.3:
        args += ['--zref', number(g, g.uniform(25.0, 100.0))]
    if g.random() < 0.3:
        args += ['--rl-target', number(g, g.uniform(10.0, 40.0))]
    args += ['--samples', str(g.randint(1, 5000))]
    if g.random() < 0.5:
        args += ['--seed', str(g.randint(0, 2**31))]
    if g.random() < 0.4:
        args += ['--distribution', g.choice(['normal', 'uniform'])]
    if g.random() < 0.3:
        args += ['--plot', 'tolerance.svg']
    return args


def report_arguments(g):
    report = g.choice(sorted(STORED))
    if g.random() < 0.5:
        return ['plot', report] + (['-o', 'stored.svg'] if g.random() < 0.5 else [])
    return ['export', report, '--format', g.choice(['csv', 'json'])] + (
        ['-o', 'stored.out'] if g.random() < 0.5 else [])


def argument_lists(count, seed):
    """`count` argument lists over every subcommand and format, the same for
    the same seed; about one in seven carries a value no build accepts."""
    g = random.Random(seed)
    lists = []
    for _ in range(count):
        pick = g.random()
        if pick < 0.6:
            args = run_arguments(g)
        elif pick < 0.85:
            args = checks_arguments(g)
        else:
            lists.append(report_arguments(g))
            continue
        if '--format' not in args and g.random() < 0.8:
            args += ['--format', g.choice(['report', 'csv', 'json'])]
        if g.random() < 0.2:
            args += ['-o', 'out.txt']
        if g.random() < 0.12:
            args += g.choice(INVALID)
        lists.append(args)
    return lists


def outcome(runner, args, inputs, stdin=b'', mask=CLOCK):
    """(status, stdout, stderr, files written) of one run in a fresh folder,
    the clock masked."""
    d = tempfile.mkdtemp(prefix='lumo-identity-')
    try:
        for name, data in inputs.items():
            with open(os.path.join(d, name), 'wb') as f:
                f.write(data)
        status, out, err = runner.run(args, d, stdin)
        written = {}
        for name in sorted(os.listdir(d)):
            with open(os.path.join(d, name), 'rb') as f:
                data = f.read()
            if inputs.get(name) != data:
                written[name] = mask.sub(b'<clock>', data)
        return status, mask.sub(b'<clock>', out), err, written
    finally:
        shutil.rmtree(d, ignore_errors=True)


def stored_reports(reference):
    """The reports plot and export read, as the reference stores them."""
    reports = {}
    for name, answers in STORED.items():
        status, _, err, files = outcome(reference, [], {'Lumo.DEF': DELIVERED}, answers.encode(),
                                        re.compile(b'(?!)'))
        if status != 0 or name not in files:
            raise SystemExit('the reference failed to store %s: %r' % (name, err))
        reports[name] = files[name]
    return reports


def first_difference(a, b):
    """Where two outcomes first differ, in words."""
    for what, x, y in zip(('exit status', 'stdout', 'stderr'), a[:3], b[:3]):
        if x == y:
            continue
        if what == 'exit status':
            return 'exit status %d, reference %d' % (y, x)
        xs, ys = x.split(b'\n'), y.split(b'\n')
        for i, (p, q) in enumerate(zip(xs, ys)):
            if p != q:
                return '%s line %d: %r, reference %r' % (what, i + 1, q, p)
        return '%s: %d lines, reference %d' % (what, len(ys), len(xs))
    for name in sorted(set(a[3]) | set(b[3])):
        if a[3].get(name) != b[3].get(name):
            return 'file %s differs' % name
    return 'no difference'


def compare(reference, others, lists, jobs=2, report=print):
    """Runs every argument list on every runner; returns the lists (with
    their descriptions) where some runner differs from the reference."""
    inputs = dict({'Lumo.DEF': DELIVERED}, **stored_reports(reference))

    def one(args):
        want = outcome(reference, args, inputs)
        found = []
        for r in others:
            got = outcome(r, args, inputs)
            if got != want:
                found.append('%s: %s' % (r.command, first_difference(want, got)))
        return args, found

    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        results = list(pool.map(one, lists))
    return [(args, found) for args, found in results if found]


def main(argv):
    p = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    p.add_argument('--count', type=int, default=300)
    p.add_argument('--seed', type=int, default=19)
    p.add_argument('--jobs', type=int, default=4)  # runs under Wine mostly wait
    p.add_argument('reference')
    p.add_argument('others', nargs='+')
    a = p.parse_args(argv)
    start = time.monotonic()
    lists = argument_lists(a.count, a.seed)
    differences = compare(Runner(a.reference), [Runner(c) for c in a.others], lists, a.jobs)
    for args, found in differences[:10]:
        print('lumo ' + ' '.join(shlex.quote(x) for x in args))
        for line in found:
            print('  ' + line)
    print('%d argument lists, %d differences (%.0f s)' % (len(lists), len(differences),
                                                        time.monotonic() - start))
    return 1 if differences else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
