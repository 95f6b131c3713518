"""Times the web page in headless Chromium, from a local server, and prints
the medians (the page's own clock: from navigation, or from the input event,
to the result drawn and laid out). Not a test: nothing is asserted.

    /usr/bin/python3 bench.py SITE_DIR [REPEATS]
"""

import os
import statistics
import sys
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import browser, served  # noqa: E402

SITE = sys.argv[1]
REPEATS = int(sys.argv[2]) if len(sys.argv) > 2 else 7


def wait(d, before):
    for _ in range(2000):
        n, pending = d.execute_script(
            'return [Number(document.documentElement.dataset.computed || 0),'
            ' window.lumoPage ? window.lumoPage.pending : 1]')
        if n > before and pending is None:
            return
        time.sleep(0.01)
    raise TimeoutError('the page did not compute')


def recompute(d, field, values):
    """Types each value into the field in turn; the page's time for each."""
    times = []
    for v in values:
        before = int(d.execute_script('return document.documentElement.dataset.computed'))
        e = d.find_element(By.ID, field)
        e.send_keys(Keys.END, Keys.BACKSPACE, v)
        wait(d, before)
        times.append(d.execute_script('return window.lumoPage.timings.at(-1).ms'))
    return times


def main():
    results = []
    with served(SITE) as url:
        with browser() as d:
            ready = []
            for _ in range(REPEATS):
                d.get(url + 'index.html')
                wait(d, 0)
                ready.append(d.execute_script('return window.lumoPage.readyAt'))
            results.append(('page ready, first result drawn (from navigation)', ready, 500))
            # Er 2.1 -> 2.2, 2.3, ...: one changed character each time.
            digits = [str(i % 9 + 1) for i in range(REPEATS)]
            results.append(('one field changed, 18-row sweep', recompute(d, 'f-er', digits), 50))
            d.get(url + 'index.html?freq=0.0018:18:0.0018')
            wait(d, 0)
            rows = d.execute_script('return window.lumoPage.good.json.rows.length')
            results.append((f'one field changed, {rows}-row sweep', recompute(d, 'f-er', digits),
                            400))
            d.get(url + 'index.html?run=tolerance')
            wait(d, 0)
            samples = d.execute_script('return window.lumoPage.good.json.inputs.samples')
            results.append((f'tolerance run, {samples} samples', recompute(d, 'f-tol-er', digits),
                            300))
            d.get(url + 'index.html?freq=0.0011:18:0.000017')
            wait(d, 0)
            message = d.find_element(By.ID, 'f-freq-message').text
            print(f'a 10^6-row sweep is refused: {message}')
    print(f'{"measure":<52} {"median ms":>10} {"max ms":>8} {"budget":>7}')
    for name, times, budget in results:
        print(f'{name:<52} {statistics.median(times):>10.1f} {max(times):>8.1f} {budget:>7}')


if __name__ == '__main__':
    main()
