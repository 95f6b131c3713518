"""The web page in a real browser: headless Chromium loads the built site
from a local server and is used as a person would, by typing and clicking.
What it shows is checked against the native program run on the command
line the page shows.

    /usr/bin/python3 browser_test.py SITE_DIR NATIVE_LUMO SCREENSHOT_DIR
"""

import json
import os
import re
import shlex
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import browser, served  # noqa: E402

SITE, LUMO, SHOTS = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]
passed, failed = 0, 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print(f'FAILED: {what}')


def native(args):
    with tempfile.TemporaryDirectory() as folder:
        return subprocess.run([LUMO] + args, cwd=folder, capture_output=True, timeout=60)


def settle(d, before):
    """Waits until the page has computed since `before` and nothing waits."""
    for _ in range(400):
        state = d.execute_script(
            'return [Number(document.documentElement.dataset.computed || 0),'
            ' window.lumoPage ? window.lumoPage.pending : 1]')
        if state[0] > before and state[1] is None:
            return
        time.sleep(0.025)
    raise TimeoutError('the page did not compute')


def back(d):
    """Back in the history: within the page (popstate) or, for an entry an
    earlier load of the page made, a new load."""
    d.execute_script('window.lumoBefore = true')
    before = computed(d)
    d.back()
    time.sleep(0.1)
    settle(d, before if d.execute_script('return window.lumoBefore === true') else 0)


def computed(d):
    return int(d.execute_script('return document.documentElement.dataset.computed || 0'))


def type_into(d, element_id, text):
    before = computed(d)
    e = d.find_element(By.ID, element_id)
    e.send_keys(Keys.CONTROL, 'a')
    e.send_keys(text)
    e.send_keys(Keys.TAB)
    settle(d, before)


def click(d, element_id):
    before = computed(d)
    d.find_element(By.ID, element_id).click()
    settle(d, before)


def choose(d, element_id, value):
    before = computed(d)
    Select(d.find_element(By.ID, element_id)).select_by_value(value)
    settle(d, before)


def command(d):
    return shlex.split(d.find_element(By.ID, 'command-line').text)[1:]


def at(obj, path):
    for part in path.split('.'):
        if obj is not None:
            obj = obj[int(part)] if isinstance(obj, list) else obj[part]
    return obj


def shown_values(d):
    return d.execute_script(
        'return [...document.querySelectorAll("#results [data-key]")]'
        '.map(e => [e.dataset.key, e.dataset.value === undefined ? null : e.dataset.value])')


def series_points(d):
    return d.execute_script(
        'return [...document.querySelectorAll("#plot svg path.series")]'
        '.map(p => [p.dataset.name, (p.getAttribute("d").match(/[ML]/g) || []).length])')


def check_against_native(d, label, rows_expected):
    args = command(d)
    print(f'{label}: lumo {" ".join(args)}')
    r = native(args + ['--format', 'json'])
    check(r.returncode == 0, f'{label}: native lumo {args} failed: {r.stderr!r}')
    truth = json.loads(r.stdout)
    # Sensitivity, modes and tolerance show the line's header values from a
    # one-row frequency run of the same B, D and Er.
    own = ('--line', '--outer', '--inner', '--er')
    line = [a for i, a in enumerate(args) if a in own or args[i - 1] in own]
    extra = native(['frequency'] + line + ['--freq', '1:1:1', '--format', 'json'])
    sources = {'': truth, 'frequency:': json.loads(extra.stdout) if extra.returncode == 0 else {}}
    values = shown_values(d)
    value_of = lambda k: at(sources['frequency:' if k.startswith('frequency:') else ''],
                            k.removeprefix('frequency:'))
    mismatches = [(k, v, value_of(k)) for k, v in values
                  if (None if v is None else json.loads(v)) != value_of(k)]
    check(values and not mismatches, f'{label}: values differ from the native JSON: {mismatches[:3]}')
    rows = truth.get('rows', [])
    check(len(rows) == rows_expected, f'{label}: {len(rows)} rows, expected {rows_expected}')
    cells = d.execute_script('return document.querySelectorAll("#tables tbody tr").length')
    if rows:
        check(cells == min(len(rows), 200), f'{label}: {cells} table rows on screen')
        series = series_points(d)
        check(series and all(n == len(rows) for _, n in series),
              f'{label}: plot series {series}, expected {len(rows)} points each')
    return args, truth


# Each run kind as a person reaches it: the controls clicked and the fields
# typed, the rows the run must then have.
RUN_CASES = [
    ('frequency', [('type', 'f-freq-step', '0.5'), ('type', 'f-outer', '6.2'),
                   ('unit', 'f-outer-unit', 'mm')], 35),
    ('sensitivity', [('click', 'run-sensitivity'), ('click', 'f-vary-outer'),
                     ('type', 'f-range-step', '0.005')], 21),
    ('synthesis', [('click', 'run-synthesize'), ('click', 'f-conductor-outer'),
                   ('type', 'f-impedance-stop', '75'), ('click', 'f-output-sensitivity')], 11),
    ('modes', [('click', 'run-modes'), ('type', 'f-er', '3.5')], 0),
    ('tolerance', [('click', 'run-tolerance'), ('type', 'f-samples', '5000'),
                   ('unit', 'f-offset-unit', 'mil'), ('type', 'f-offset', '2')], 0),
]


def act(d, steps):
    for step in steps:
        if step[0] == 'type':
            type_into(d, step[1], step[2])
        elif step[0] == 'click':
            click(d, step[1])
        else:
            choose(d, step[1], step[2])


def not_blank(png):
    """The PNG's pixels are not all one colour (decoded with zlib alone)."""
    pos, data = 8, b''
    while pos < len(png):
        length, kind = struct.unpack('>I4s', png[pos:pos + 8])
        if kind == b'IDAT':
            data += png[pos + 8:pos + 8 + length]
        pos += 12 + length
    return len(set(zlib.decompress(data))) > 16


def run_kinds(d, url):
    d.get(url + 'index.html')
    settle(d, 0)
    for label, steps, rows in RUN_CASES:
        act(d, steps)
        check_against_native(d, label, rows)
    # A named line replaces the edited B and Er: its values fill the
    # fields, so the command line names the line alone.
    act(d, [('click', 'run-modes'), ('unit', 'f-line', '2.4mm')])
    args, _ = check_against_native(d, 'named line', 0)
    check(args == ['modes', '--line', '2.4mm'], f'named line: {args}')


def bad_value_and_history(d, url):
    d.get(url + 'index.html')
    settle(d, 0)
    type_into(d, 'f-er', '2.5')
    good = command(d)
    rows_before = d.execute_script('return document.querySelectorAll("#tables tbody tr").length')
    type_into(d, 'f-outer', 'abc')
    message = d.find_element(By.ID, 'f-outer-message').text
    expected = native(good + ['--outer', 'abc']).stderr.decode().strip()
    check(message == expected, f'message beside the field: {message!r}, expected {expected!r}')
    check(d.find_element(By.ID, 'f-outer').get_attribute('aria-invalid') == 'true',
          'aria-invalid on the bad field')
    check('stale' in d.find_element(By.ID, 'results').get_attribute('class'),
          'the last result is marked stale')
    check(command(d) == good and d.execute_script(
        'return document.querySelectorAll("#tables tbody tr").length') == rows_before,
          'the last good result stays visible')
    type_into(d, 'f-outer', '0.3')
    check(d.find_element(By.ID, 'f-outer').get_attribute('aria-invalid') is None,
          'aria-invalid cleared once the value is accepted')
    after = command(d)
    check(after == ['frequency', '--outer', '0.3', '--er', '2.5'], f'command line {after}')

    # Reloading the URL gives the same run; Back restores the inputs before.
    values = shown_values(d)
    d.get(d.current_url)
    settle(d, 0)
    check(command(d) == after and shown_values(d) == values, 'the URL reproduces the run')
    back(d)
    check(d.find_element(By.ID, 'f-outer').get_attribute('value') == 'abc',
          'Back restores the previous inputs, the refused value included')
    back(d)
    check(command(d) == good and d.find_element(By.ID, 'f-outer').get_attribute('value') == '0.2425',
          f'Back again: {command(d)}')


# Downloads: the page's query, the button, the file it gives and the
# arguments that give the same bytes on the command line shown.
DOWNLOADS = [
    ('run=synthesize&conductor=inner&impedance=20:90:5', 'csv', 'lumo-synthesize.csv',
     ['--format', 'csv']),
    ('freq=1:4:0.5&length=30cm', 's2p', 'lumo-frequency.s2p',
     ['--format', 's2p', '--length', '30cm']),
]


def downloads(url):
    with tempfile.TemporaryDirectory() as folder, browser(downloads=folder) as d:
        for query, button, name, extra in DOWNLOADS:
            d.get(url + 'index.html?' + query)
            settle(d, 0)
            d.find_element(By.CSS_SELECTOR, f'[data-download="{button}"]').click()
            path = os.path.join(folder, name)
            for _ in range(200):
                if os.path.exists(path):
                    break
                time.sleep(0.05)
            got = open(path, 'rb').read() if os.path.exists(path) else b''
            want = native(command(d) + extra).stdout
            check(got == want and len(want) > 100,
                  f'downloaded {name} is the command line\'s: {got[:120]!r} / {want[:120]!r}')


def from_files():
    """The page opened straight from its folder computes too."""
    with browser() as d:
        d.get('file://' + os.path.abspath(os.path.join(SITE, 'index.html')) + '?er=3')
        settle(d, 0)
        check(command(d) == ['frequency', '--er', '3'], f'from file://: {command(d)}')


def screenshots(url):
    os.makedirs(SHOTS, exist_ok=True)
    for width, height, dark in ((1280, 800, False), (360, 740, False), (1280, 800, True),
                                (360, 740, True)):
        name = f'{"desktop" if width > 600 else "phone"}-{"dark" if dark else "light"}'
        with browser(width, height, dark) as d:
            d.get(url + 'index.html')
            settle(d, 0)
            png = d.get_screenshot_as_png()
            with open(os.path.join(SHOTS, f'web-{name}.png'), 'wb') as f:
                f.write(png)
            check(not_blank(png), f'screenshot {name} is not blank')
            if width < 600:
                d.execute_script('document.getElementById("results").scrollIntoView()')
                with open(os.path.join(SHOTS, f'web-{name}-result.png'), 'wb') as f:
                    f.write(d.get_screenshot_as_png())
            overflow = d.execute_script(
                'return document.documentElement.scrollWidth - window.innerWidth')
            check(overflow <= 0, f'{name}: the page is {overflow} px wider than the screen')


def main():
    with served(SITE) as url:
        with browser() as d:
            run_kinds(d, url)
            bad_value_and_history(d, url)
            logs = [e for e in d.get_log('browser') if e['level'] == 'SEVERE']
            check(not logs, f'console errors: {logs}')
        downloads(url)
        screenshots(url)
    from_files()
    print(f'{passed} passed, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
