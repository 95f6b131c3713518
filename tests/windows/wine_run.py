#!/usr/bin/env python3
"""The runner of the Windows checks: `wine_run.py PROGRAM ARGS...` runs
PROGRAM under Wine with this script's standard input, and passes on its
standard output, standard error and exit status.

Lumo never ends in failure without a line on standard error. A run that
does so, with nothing on standard output either, is Wine failing to start
the program (its own messages are off under WINEDEBUG=-all): the program is
started once more on the same input. Each retry is noted in the file named
by LUMO_WINE_RETRIES, when set, so that CI can print how many there were.
"""
import os
import subprocess
import sys


def main(argv):
    if not argv:
        print(__doc__, file=sys.stderr)
        return 2
    stdin = sys.stdin.buffer.read()
    for attempt in (1, 2):
        r = subprocess.run(['wine', *argv], input=stdin, capture_output=True)
        if r.returncode == 0 or r.stdout or r.stderr or attempt == 2:
            break
        log = os.environ.get('LUMO_WINE_RETRIES')
        if log:
            with open(log, 'a') as f:
                f.write('status %d and no output: %s in %s\n' % (r.returncode, ' '.join(argv),
                                                                 os.getcwd()))
    sys.stdout.buffer.write(r.stdout)
    sys.stderr.buffer.write(r.stderr)
    return r.returncode


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
