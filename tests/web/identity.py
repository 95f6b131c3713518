"""The web page's WebAssembly module gives the native program's bytes.

The cross-platform identity check's seeded argument lists (every subcommand
and format, mixed units, values no build accepts, `plot` and `export` of
stored reports; tests/identity/identity.py) run through the native `lumo`,
each in a fresh folder, and through one instance of the page's module under
Node (tests/web/run_wasm.mjs), each in a fresh in-memory folder, as the page
runs them one after another. Exit status, standard output, standard error
and every file written must be the same bytes; only the report's clock is
masked.

    python3 identity.py NATIVE_LUMO SITE_DIR [COUNT] [SEED]
"""

import base64
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'identity'))
import identity  # noqa: E402


def run_wasm(site, lists, inputs):
    """The outcomes of the argument lists on one module, as
    identity.outcome gives them natively."""
    b64 = lambda data: base64.b64encode(data).decode()
    files = {name: b64(data) for name, data in inputs.items()}
    r = subprocess.run(['node', os.path.join(HERE, 'run_wasm.mjs'), os.path.join(site, 'lumo.js')],
                       input=json.dumps([{'args': a, 'files': files} for a in lists]).encode(),
                       capture_output=True, check=True, timeout=1200)
    mask = lambda data: identity.CLOCK.sub(b'<clock>', data)
    outcomes = []
    for res in json.loads(r.stdout):
        written = {}
        for name, data in sorted(res['files'].items()):
            data = base64.b64decode(data)
            if inputs.get(name) != data:
                written[name] = mask(data)
        outcomes.append((res['status'], mask(base64.b64decode(res['stdout'])),
                         base64.b64decode(res['stderr']), written))
    return outcomes


def main():
    native = identity.Runner(os.path.abspath(sys.argv[1]))
    site = sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 300
    seed = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    lists = identity.argument_lists(count, seed)
    inputs = dict({'Lumo.DEF': identity.DELIVERED}, **identity.stored_reports(native))
    wasm = run_wasm(site, lists, inputs)
    differences = 0
    for args, got in zip(lists, wasm):
        want = identity.outcome(native, args, inputs)
        if got != want:
            differences += 1
            if differences <= 10:
                print('lumo ' + ' '.join(args))
                print('  ' + identity.first_difference(want, got))
    print(f'web identity: {count} argument lists (seed {seed}), {differences} differences')
    print(f'{count - differences} passed, {differences} failed')
    return 1 if differences else 0


if __name__ == '__main__':
    sys.exit(main())
