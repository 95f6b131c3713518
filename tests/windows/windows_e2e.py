#!/usr/bin/env python3
"""End-to-end cases for the Windows build, where file names ignore letter case.

Usage: LUMO_RUNNER=wine python3 tests/windows/windows_e2e.py build-windows/lumo.exe build/lumo

LUMO_RUNNER is put before the Windows program (split like a shell command
line); the second program is the build for this machine, run as it is, the
reference for the command line's output. Each case runs in a fresh
temporary folder holding a writable copy of the delivered Lumo.DEF unless
it says otherwise, and checks:
  - an output name designating the open Lumo.DEF in another letter case ends
    the dialogue in the fatal report "File already opened in another unit",
    with Lumo.DEF untouched and no other file made;
  - the reserved-name list is letter-case exact: Lumo.exe is an ordinary
    output file;
  - the same output file chosen again in another letter case stays
    connected: the session and the file are those of choosing the same
    spelling twice, but for the name as typed in the "Data stored" line;
  - each subcommand writes the reference's bytes (report clock masked) and
    error stream, to standard output and over an existing file, and refuses
    LUMO.def as its output while Lumo.DEF is the defaults file read;
  - lumo --init writes the delivered Lumo.DEF into an empty folder, and
    refuses a folder holding lumo.def unless --force.
"""
import os, re, shlex, shutil, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
with open(os.path.join(ROOT, 'Lumo.DEF'), 'rb') as f:
    DELIVERED = f.read()

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


def run(prog, stdin='', args=(), files=None, runner=True):
    """Runs the program once; returns (status, stdout, stderr, {file: bytes})
    with the clock masked in stdout and in every file but Lumo.DEF."""
    d = tempfile.mkdtemp(prefix='lumo-win-')
    try:
        for name, data in ({'Lumo.DEF': DELIVERED} if files is None else files).items():
            with open(os.path.join(d, name), 'wb') as f:
                f.write(data)
        before = runner and shlex.split(os.environ.get('LUMO_RUNNER', '')) or []
        r = subprocess.run(before + [prog, *args], cwd=d, input=stdin.encode(),
                           capture_output=True, timeout=60)
        found = {}
        for n in os.listdir(d):
            with open(os.path.join(d, n), 'rb') as f:
                found[n] = f.read() if n == 'Lumo.DEF' else CLOCK.sub(b'<clock>', f.read())
        return r.returncode, CLOCK.sub(b'<clock>', r.stdout), r.stderr, found
    finally:
        shutil.rmtree(d, ignore_errors=True)


def defaults_spelled_otherwise(prog, _, name):
    status, _, err, files = run(prog, FIRST_PASS % name + END)
    problems = []
    if status != 2:
        problems.append('exit status %d, expected 2' % status)
    if not SAME_FILE.match(err):
        problems.append('error stream %r' % err)
    if sorted(files) != ['Lumo.DEF']:
        problems.append('folder after the run: %s' % sorted(files))
    elif files['Lumo.DEF'] != DELIVERED:
        problems.append('Lumo.DEF was written')
    return problems


def reserved_list_is_case_exact(prog, _):
    status, _, err, files = run(prog, FIRST_PASS % 'Lumo.exe' + END)
    problems = []
    if (status, err) != (0, b''):
        problems.append('exit status %d, error stream %r' % (status, err))
    if sorted(files) != ['Lumo.DEF', 'Lumo.exe'] or files['Lumo.exe'].count(REPORT_START) != 1:
        problems.append('folder after the run: %s' % sorted(files))
    return problems


def same_file_spelled_otherwise(prog, _, second):
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


def subcommand_as_reference(prog, reference, args):
    want = run(reference, args=args, runner=False)
    got = run(prog, args=args)
    # The same run into an existing file, which is replaced.
    stored = run(prog, args=args + ['-o', 'out.txt'],
                 files={'Lumo.DEF': DELIVERED, 'out.txt': b'old\n'})
    problems = []
    if want[0] != 0 or len(want[1]) < 200:
        problems.append('the reference run failed: %r' % (want[:3],))
    if got[:3] != want[:3]:
        problems.append('status, output or error stream differ from the reference')
    # Diagnostics (such as the multimode warning) still go to the error stream.
    if stored[:3] != (0, b'', want[2]) or stored[3].get('out.txt') != want[1]:
        problems.append('-o out.txt: status %d, error %r, file %s the reference output' % (
            stored[0], stored[2], 'differs from' if 'out.txt' in stored[3] else 'missing, not'))
    return problems


def defaults_file_as_output(prog, _):
    status, out, err, files = run(prog, args=['frequency', '-o', 'LUMO.def'])
    want_err = b'lumo: -o LUMO.def: that is the defaults file in use\n'
    if (status, out, err, files) != (2, b'', want_err, {'Lumo.DEF': DELIVERED}):
        return ['status %d, output %r, error %r, files %s' % (status, out[:40], err, sorted(files))]
    return []


def init(prog, _):
    wrote = b'Wrote the delivered Lumo.DEF into this folder; start the dialogue with: lumo\n'
    exists = b'lumo: --init: Lumo.DEF already exists here (--force replaces it)\n'
    cases = [(['--init'], {}, (0, wrote, b''), {'Lumo.DEF': DELIVERED}),
             (['--init'], {'lumo.def': b'old\n'}, (1, b'', exists), {'lumo.def': b'old\n'}),
             (['--init', '--force'], {'lumo.def': b'old\n'}, (0, wrote, b''), None)]
    problems = []
    for args, files, want, after in cases:
        got = run(prog, args=args, files=files)
        if got[:3] != want:
            problems.append('%s: status %d, output %r, error %r' % (' '.join(args), *got[:3]))
        # Replacing lumo.def keeps whichever spelling the file system kept.
        contents = list(got[3].values())
        if (after is not None and got[3] != after) or (after is None and contents != [DELIVERED]):
            problems.append('%s: folder after the run: %s' % (' '.join(args), sorted(got[3])))
    return problems


CASES = [('defaults file as ' + n, lambda p, r, n=n: defaults_spelled_otherwise(p, r, n))
         for n in ('LUMO.DEF', 'LUMO.def', 'lumo.DEF', 'Lumo.def')]
CASES += [('reserved list is letter-case exact', reserved_list_is_case_exact)]
CASES += [('same file again as ' + n, lambda p, r, n=n: same_file_spelled_otherwise(p, r, n))
          for n in ('REPORT.TXT', 'Report.txt')]
CASES += [('lumo ' + ' '.join(a), lambda p, r, a=a: subcommand_as_reference(p, r, a))
          for a in (['frequency', '--format', 'csv'],
                    ['sensitivity', '--vary', 'inner', '--format', 'json'],
                    ['synthesize', '--conductor', 'outer', '--inner', '0.5mm'])]
CASES += [('lumo frequency -o LUMO.def', defaults_file_as_output)]
CASES += [('lumo --init', init)]


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    prog, reference = (os.path.abspath(a) for a in argv)
    failed = 0
    for name, case in CASES:
        problems = case(prog, reference)
        print('%-50s %s' % (name, 'ok' if not problems else 'FAILED'))
        for p in problems:
            print('  ' + p)
        failed += bool(problems)
    print('%d passed, %d failed' % (len(CASES) - failed, failed))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
