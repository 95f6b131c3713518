#!/usr/bin/env python3
"""The options of `lumo --help` and of each subcommand's --help against the
OPTIONS section of the man page.

Usage: help_matches_man.py PATH/TO/lumo PATH/TO/lumo.1

In the man page, the options of the "General" subsection are the program's
own; "Common options" and "Line options" belong to every subcommand; each
entry of "Run options" belongs to the subcommand its text begins with. Every
help lists -h and --help besides. The options named in the SYNOPSIS must be
options of some help. `lumo lines` takes --format, -o, --output and --lines.
Prints the differences; exit status 1 when any.
"""
import re, subprocess, sys

SUBCOMMANDS = ('frequency', 'sensitivity', 'synthesize')
# The checks take these common and line options, and their own from the
# "Check options" subsection; the listing of named lines takes its own few.
CHECKS = ('modes', 'tolerance')
CHECK_SHARED = {'--defaults', '--format', '-o', '--output', '--outer', '--inner', '--er',
                '--line', '--lines'}
LINES_OPTIONS = {'--format', '-o', '--output', '--lines'}
HELP = {'-h', '--help'}


def help_options(prog, *args):
    text = subprocess.run([prog, *args, '--help'], capture_output=True, text=True, check=True).stdout
    names = set()
    in_options = False
    for line in text.splitlines():
        if line.strip().endswith(':') and not line.startswith(' '):
            in_options = line.strip() == 'Options:'
            continue
        m = re.match(r'^\s+(-[\w-]+(?:,-[\w-]+)*)', line)
        if in_options and m:
            names.update(m.group(1).split(','))
    return names


def roff_options(line):
    """Option names in a line of man(7) source: \\-\\-name and \\-x."""
    found = re.findall(r'\\-\\-[a-z](?:[a-z]|\\-)*|(?<![\\a-z])\\-[a-z](?![a-z\\])', line)
    return {f.replace('\\-', '-') for f in found}


def man_options(path):
    lines = open(path, encoding='utf-8').read().splitlines()
    general, every, synopsis = set(), set(), set()
    per_run = {s: set() for s in SUBCOMMANDS + CHECKS}
    section = subsection = None
    i = 0
    while i < len(lines):
        line = lines[i]
        if line.startswith('.SH '):
            section, subsection = line[4:].strip('"'), None
        elif line.startswith('.SS '):
            subsection = line[4:].strip('"')
        elif section == 'SYNOPSIS':
            synopsis |= roff_options(line)
        elif section == 'OPTIONS' and line == '.TP' and i + 1 < len(lines):
            names = roff_options(lines[i + 1])
            body = lines[i + 2] if i + 2 < len(lines) else ''
            if subsection == 'General':
                general |= names
            elif subsection in ('Common options', 'Line options'):
                every |= names
            elif subsection in ('Run options', 'Check options') and names:
                run = body.split()[1] if body.startswith('.B ') else ''
                if run not in per_run:
                    sys.exit('man page: run option %s names no subcommand' % sorted(names))
                per_run[run] |= names
            i += 1
        i += 1
    if not CHECK_SHARED <= every:
        sys.exit('man page: check options %s are not documented' % sorted(CHECK_SHARED - every))
    runs = {s: every | per_run[s] | HELP for s in SUBCOMMANDS}
    runs.update({s: CHECK_SHARED | per_run[s] | HELP for s in CHECKS})
    if not LINES_OPTIONS <= every | general:
        sys.exit('man page: lines options %s are not documented' % sorted(LINES_OPTIONS - every))
    runs['lines'] = LINES_OPTIONS | HELP
    return general, runs, synopsis


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    prog, page = argv
    general, runs, synopsis = man_options(page)
    problems = []

    def compare(what, helped, documented):
        for name in sorted(helped - documented):
            problems.append('%s: %s is in --help, not in the man page' % (what, name))
        for name in sorted(documented - helped):
            problems.append('%s: %s is in the man page, not in --help' % (what, name))

    everything = set()
    top = help_options(prog)
    compare('lumo', top, general)
    everything |= top
    for s in SUBCOMMANDS + CHECKS + ('lines',):
        helped = help_options(prog, s)
        compare('lumo ' + s, helped, runs[s])
        everything |= helped
    for name in sorted(synopsis - everything):
        problems.append('SYNOPSIS: %s is in no --help' % name)
    for p in problems:
        print(p)
    print('%d option lists compared, %d differences' % (2 + len(SUBCOMMANDS + CHECKS), len(problems)))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
