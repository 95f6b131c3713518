"""The web page's WebAssembly module gives the native program's bytes.

Seeded random argument lists, for every run kind and format, valid and not
(values across their ranges in mixed units, then one value spoiled), run
through the native `lumo` (each in a fresh empty folder) and through the
page's module in Node (tests/web/run_wasm.mjs, one module for all). Exit
status, standard output, standard error and every file written must be the
same bytes. Only the report's clock reading is masked.

    python3 identity.py NATIVE_LUMO SITE_DIR [COUNT] [SEED]
"""

import base64
import json
import os
import random
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CLOCK = re.compile(rb'Date: ?[ 0-9]+/ ?[ 0-9]+/[0-9]+ at [ 0-9]+: ?[ 0-9]+: ?[ 0-9]+Hours')

LENGTH_UNITS = [('', 1.0), ('in', 1.0), ('mil', 1000.0), ('mm', 25.4), ('um', 25400.0)]
FREQ_UNITS = [('', 1.0), ('GHz', 1.0), ('MHz', 1e3), ('kHz', 1e6)]
ROUGH_UNITS = [('', 1.0), ('um', 0.0254), ('nm', 25.4)]


def number(rng, x):
    """x written as a person might: a few significant digits, sometimes
    with an exponent."""
    digits = rng.choice([2, 3, 4, 6, 8])
    text = f'{x:.{digits}g}'
    return text if 'e' in text or rng.random() < 0.8 else f'{x:.{digits}e}'


def with_unit(rng, x, units):
    unit, scale = rng.choice(units)
    if unit and rng.random() < 0.15:
        unit = unit.upper()
    gap = ' ' if unit and rng.random() < 0.2 else ''
    return number(rng, x * scale) + gap + unit


def sweep(rng, start, stop, rows, units):
    unit, scale = rng.choice(units)
    step = (stop - start) / max(rows - 1, 1) if stop > start else rng.uniform(0.01, 1) * start
    return ':'.join(number(rng, v * scale) + unit for v in (start, stop, step))


def line_options(rng, with_losses):
    b = rng.uniform(0.02, 2.0)
    d = b * rng.uniform(0.05, 0.9)
    opts = ['--outer', with_unit(rng, b, LENGTH_UNITS), '--inner', with_unit(rng, d, LENGTH_UNITS)]
    er = 1.0 if rng.random() < 0.1 else rng.uniform(1.0, 12.0)
    opts += ['--er', number(rng, er)]
    if with_losses:
        if er != 1.0 and rng.random() < 0.7:
            opts += ['--tand', number(rng, 10 ** rng.uniform(-5, -1))]
        for side in ('outer', 'inner'):
            if rng.random() < 0.5:
                opts += [f'--rho-{side}', number(rng, rng.uniform(1.5, 12))]
            if rng.random() < 0.5:
                opts += [f'--rough-{side}', with_unit(rng, rng.uniform(0, 120), ROUGH_UNITS)]
    return opts, b, d


def outputs(rng, run, plots=True):
    opts = []
    fmt = rng.choice(['report', 'csv', 'json', None])
    if fmt:
        opts += ['--format', fmt]
    if rng.random() < 0.3:
        opts += ['-o', rng.choice(['out.txt', 'table.csv', 'r.json'])]
    if plots and rng.random() < 0.4:
        opts += ['--plot', f'{run}.svg']
    return opts


def valid_case(rng):
    run = rng.choice(['frequency', 'sensitivity', 'synthesize', 'synthesize', 'modes',
                      'tolerance'])
    if run == 'frequency':
        opts, _, _ = line_options(rng, True)
        start = 10 ** rng.uniform(-2, 1)
        opts += ['--freq', sweep(rng, start, start * rng.uniform(1, 20), rng.randint(1, 60),
                                 FREQ_UNITS)]
    elif run == 'sensitivity':
        opts, b, d = line_options(rng, False)
        vary = rng.choice(['inner', 'outer'])
        lo, hi = (d * 0.5, d * 1.1) if vary == 'inner' else (b * 0.9, b * 2)
        opts += ['--vary', vary, '--range', sweep(rng, lo, hi, rng.randint(1, 40), LENGTH_UNITS)]
    elif run == 'synthesize':
        sens = rng.random() < 0.4
        conductor = rng.choice(['inner', 'outer'])
        opts, _, _ = line_options(rng, not sens)
        drop = '--outer' if conductor == 'outer' else '--inner'
        i = opts.index(drop)
        del opts[i:i + 2]
        low = rng.uniform(5, 80)
        opts += ['--conductor', conductor,
                 '--impedance', sweep(rng, low, low + rng.uniform(0, 120), rng.randint(1, 30),
                                      [('', 1.0)])]
        if sens:
            opts.append('--sensitivity')
        elif rng.random() < 0.5:
            opts += ['--loss-at', with_unit(rng, 10 ** rng.uniform(-1, 1.5), FREQ_UNITS)]
    elif run == 'modes':
        opts, _, _ = line_options(rng, False)
    else:
        opts, b, d = line_options(rng, False)
        opts += ['--tol-outer', with_unit(rng, b * rng.uniform(0, 0.05), LENGTH_UNITS),
                 '--tol-inner', with_unit(rng, d * rng.uniform(0, 0.05), LENGTH_UNITS),
                 '--tol-er', number(rng, rng.uniform(0, 0.1))]
        if rng.random() < 0.5:
            opts += ['--offset', with_unit(rng, (b - d) * rng.uniform(0, 0.3), LENGTH_UNITS)]
        for opt, value in (('--zref', rng.uniform(20, 100)), ('--rl-target', rng.uniform(10, 40)),
                           ('--samples', rng.randint(1, 20000)), ('--seed', rng.randint(0, 10**6)),
                           ('--distribution', rng.choice(['normal', 'uniform']))):
            if rng.random() < 0.4:
                opts += [opt, value if isinstance(value, str) else number(rng, value)
                         if isinstance(value, float) else str(value)]
    return [run] + opts + outputs(rng, run, plots=run != 'modes')


BAD_VALUES = ['abc', '', '-1', '0', '1e99', '1e-30', 'nan', 'inf', '1,5', '0x10', '12parsec',
              '+2', '1:2', '5::1', ' 3']


def spoiled_case(rng):
    args = valid_case(rng)
    kind = rng.random()
    values = [i for i in range(2, len(args)) if args[i - 1].startswith('-')
              and not args[i].startswith('-')]
    if kind < 0.6 and values:
        args[rng.choice(values)] = rng.choice(BAD_VALUES)
    elif kind < 0.7:
        args.insert(rng.randint(1, len(args)), rng.choice(['--bogus', '--outer', '-x', 'extra']))
    elif kind < 0.8:
        args[0] = rng.choice(['frequencies', 'Frequency', '', 'help'])
    elif kind < 0.9 and '--freq' in args:
        i = args.index('--freq') + 1
        parts = args[i].split(':')
        args[i] = ':'.join([parts[1], parts[0], parts[2]])
    else:
        args = rng.choice([['--help'], ['--version'], [args[0], '--help'],
                           ['--init', '--force'], ['--force'], ['plot'], ['export', 'x']])
    return args


def defaults_files(rng):
    """Mostly none (the built-in defaults); else a Lumo.DEF in the folder,
    the delivered one or one cut short."""
    with open(os.path.join(HERE, '..', '..', 'Lumo.DEF'), 'rb') as f:
        delivered = f.read()
    pick = rng.random()
    if pick < 0.85:
        return {}
    if pick < 0.95:
        return {'Lumo.DEF': delivered}
    return {'Lumo.DEF': b''.join(delivered.splitlines(keepends=True)[:rng.randint(0, 12)])}


def cases(count, seed):
    rng = random.Random(seed)
    out = []
    for _ in range(count):
        args = valid_case(rng) if rng.random() < 0.7 else spoiled_case(rng)
        out.append((args, defaults_files(rng)))
    return out


def run_native(lumo, args, files):
    with tempfile.TemporaryDirectory(prefix='lumo-identity-') as folder:
        for name, data in files.items():
            with open(os.path.join(folder, name), 'wb') as f:
                f.write(data)
        r = subprocess.run([lumo] + args, cwd=folder, stdin=subprocess.DEVNULL,
                           capture_output=True, timeout=120)
        files = {}
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), 'rb') as f:
                files[name] = f.read()
        return {'status': r.returncode, 'stdout': r.stdout, 'stderr': r.stderr, 'files': files}


def run_wasm(site, all_cases):
    runner = os.path.join(HERE, 'run_wasm.mjs')
    b64 = lambda data: base64.b64encode(data).decode()
    inputs = [{'args': a, 'files': {n: b64(d) for n, d in files.items()}}
              for a, files in all_cases]
    r = subprocess.run(['node', runner, os.path.join(site, 'lumo.js')],
                       input=json.dumps(inputs).encode(),
                       capture_output=True, check=True, timeout=1200)
    out = []
    for res in json.loads(r.stdout):
        d = base64.b64decode
        out.append({'status': res['status'], 'stdout': d(res['stdout']),
                    'stderr': d(res['stderr']),
                    'files': {n: d(v) for n, v in sorted(res['files'].items())}})
    return out


def masked(result):
    m = lambda b: CLOCK.sub(b'Date:<clock>Hours', b)
    return {'status': result['status'], 'stdout': m(result['stdout']),
            'stderr': result['stderr'], 'files': {n: m(v) for n, v in result['files'].items()}}


def first_difference(a, b):
    for key in ('status', 'stdout', 'stderr'):
        if a[key] != b[key]:
            return f'{key}: native {a[key]!r:.300} / wasm {b[key]!r:.300}'
    if sorted(a['files']) != sorted(b['files']):
        return f'files: native {sorted(a["files"])} / wasm {sorted(b["files"])}'
    for name in a['files']:
        x, y = a['files'][name], b['files'][name]
        if x != y:
            at = next(i for i in range(min(len(x), len(y)) + 1)
                      if i == min(len(x), len(y)) or x[i] != y[i])
            return f'file {name} differs at byte {at}: native {x[at:at + 80]!r} / wasm {y[at:at + 80]!r}'
    return None


def main():
    lumo, site = os.path.abspath(sys.argv[1]), sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 400
    seed = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    all_cases = cases(count, seed)
    native = [masked(run_native(lumo, a, files)) for a, files in all_cases]
    wasm = [masked(r) for r in run_wasm(site, all_cases)]
    failed = 0
    kinds = {}
    for (args, _), a, b in zip(all_cases, native, wasm):
        key = (args[0] if args else '(none)', 'ok' if a['status'] == 0 else f'status {a["status"]}')
        kinds[key] = kinds.get(key, 0) + 1
        diff = first_difference(a, b)
        if diff:
            failed += 1
            if failed <= 10:
                print(f'DIFFERS: lumo {" ".join(repr(x) if " " in x or not x else x for x in args)}')
                print(f'  {diff}')
    print('argument lists by subcommand and outcome: ' +
          ', '.join(f'{k[0]} {k[1]}: {n}' for k, n in sorted(kinds.items())))
    print(f'web identity: {count} argument lists (seed {seed}), {failed} differences')
    print(f'{count - failed} passed, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
