#!/usr/bin/env python3
"""End-to-end cases for the Windows build, where file names ignore letter case.

Usage: LUMO_RUNNER=wine python3 tests/windows/windows_e2e.py build-windows/lumo.exe

LUMO_RUNNER is put before the program (split like a shell command line).
Each case runs the program in a fresh temporary folder holding a writable
copy of the delivered Lumo.DEF, and checks:
  - an output name designating the open Lumo.DEF in another letter case ends
    in the fatal report "File already opened in another unit", with Lumo.DEF
    untouched and no other file made;
  - the reserved-name list is letter-case exact: Lumo.exe is an ordinary
    output file;
  - the same output file chosen again in another letter case stays
    connected: the session and the file are those of choosing the same
    spelling twice, but for the name as typed in the "Data stored" line.
"""
import os, re, shlex, shutil, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DELIVERED_DEF = os.path.join(ROOT, 'Lumo.DEF')

# Every prompt of a frequency analysis on the defaults (13 entries), then
# storage wanted and the file name.
FIRST_PASS = '\n' * 13 + '1\n%s\n'
# "1" at the end of a report: a new option of the same function (four
# entries), storage wanted and the file name.
NEXT_OPTION = '1\n' + '\n' * 4 + '1\n%s\n'
END = '3\n'

REPORT_START = b'        Lumo (v. 1.0)'
SAME_FILE = re.compile(rb'\AAt line \d+ of file [\w.]+ \(unit = 1\)\n'
                       rb'Lumo runtime error: File already opened in another unit\n\Z')
# The banner date and the report header's date and time.
CLOCK = re.compile(rb'Date: ?[ \d]{2}/[ \d]{2}/[ \d]{4}( at [ \d]{2}:[ \d]{2}:[ \d]{2})?')


def run(prog, stdin):
    """Runs one session; returns (status, stdout, stderr, {file: bytes}) with
    the clock masked in stdout and the files, and the defaults file as read."""
    d = tempfile.mkdtemp(prefix='lumo-win-')
    try:
        shutil.copyfile(DELIVERED_DEF, os.path.join(d, 'Lumo.DEF'))
        os.chmod(os.path.join(d, 'Lumo.DEF'), 0o644)
        runner = shlex.split(os.environ.get('LUMO_RUNNER', ''))
        r = subprocess.run(runner + [prog], cwd=d, input=stdin.encode(), capture_output=True,
                           timeout=60)
        files = {}
        for n in os.listdir(d):
            with open(os.path.join(d, n), 'rb') as f:
                files[n] = f.read() if n == 'Lumo.DEF' else CLOCK.sub(b'<clock>', f.read())
        return r.returncode, CLOCK.sub(b'<clock>', r.stdout), r.stderr, files
    finally:
        shutil.rmtree(d, ignore_errors=True)


def defaults_spelled_otherwise(prog, name):
    status, _, err, files = run(prog, FIRST_PASS % name + END)
    problems = []
    if status != 2:
        problems.append('exit status %d, expected 2' % status)
    if not SAME_FILE.match(err):
        problems.append('error stream %r' % err)
    with open(DELIVERED_DEF, 'rb') as f:
        if sorted(files) != ['Lumo.DEF']:
            problems.append('folder after the run: %s' % sorted(files))
        elif files['Lumo.DEF'] != f.read():
            problems.append('Lumo.DEF was written')
    return problems


def reserved_list_is_case_exact(prog):
    status, _, err, files = run(prog, FIRST_PASS % 'Lumo.exe' + END)
    problems = []
    if (status, err) != (0, b''):
        problems.append('exit status %d, error stream %r' % (status, err))
    if sorted(files) != ['Lumo.DEF', 'Lumo.exe'] or files['Lumo.exe'].count(REPORT_START) != 1:
        problems.append('folder after the run: %s' % sorted(files))
    return problems


def same_file_spelled_otherwise(prog, second):
    want = run(prog, FIRST_PASS % 'report.txt' + NEXT_OPTION % 'report.txt' + END)
    got = run(prog, FIRST_PASS % 'report.txt' + NEXT_OPTION % second + END)
    typed = b'User filename: ' + second.encode()
    got = (got[0], got[1].replace(typed, b'User filename: report.txt'), got[2],
           {n: t.replace(typed, b'User filename: report.txt') for n, t in got[3].items()})
    problems = []
    if want[3].get('report.txt', b'').count(REPORT_START) != 2:
        problems.append('the reference session did not store two reports')
    for what, a, b in zip(('exit status', 'console output', 'error stream', 'files'), want, got):
        if a != b:
            problems.append('%s differs from storing twice into report.txt' % what)
    return problems


CASES = [('defaults file as ' + n, lambda p, n=n: defaults_spelled_otherwise(p, n))
         for n in ('LUMO.DEF', 'LUMO.def', 'lumo.DEF', 'Lumo.def')]
CASES += [('reserved list is letter-case exact', reserved_list_is_case_exact)]
CASES += [('same file again as ' + n, lambda p, n=n: same_file_spelled_otherwise(p, n))
          for n in ('REPORT.TXT', 'Report.txt')]


def main(argv):
    if len(argv) != 1:
        print(__doc__)
        return 2
    prog = os.path.abspath(argv[0])
    failed = 0
    for name, case in CASES:
        problems = case(prog)
        print('%-45s %s' % (name, 'ok' if not problems else 'FAILED'))
        for p in problems:
            print('  ' + p)
        failed += bool(problems)
    print('%d passed, %d failed' % (len(CASES) - failed, failed))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
