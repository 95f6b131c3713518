"""Headless Chromium, driven by chromedriver through Selenium, on a site
served from a local folder; shared by the browser test and the benchmark.

Needs Debian's chromium, chromium-driver and python3-selenium (run with
/usr/bin/python3)."""

import contextlib
import functools
import http.server
import os
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Without the networking flags, Chromium's own background connections are
# refused on a closed network and slow its start.
FLAGS = ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--disable-dev-shm-usage']


class _Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def served(folder):
    """The folder on http://127.0.0.1:PORT/ for the time of the block."""
    handler = functools.partial(_Quiet, directory=folder)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f'http://127.0.0.1:{server.server_address[1]}/'
    finally:
        server.shutdown()
        server.server_close()


@contextlib.contextmanager
def browser(width=1280, height=800, dark=False, downloads=None):
    """A fresh headless Chromium with its own profile; `dark` asks pages for
    the dark colour scheme; `downloads` is the folder downloads go to."""
    with tempfile.TemporaryDirectory(prefix='lumo-chromium-') as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = os.environ.get('LUMO_CHROMIUM', '/usr/bin/chromium')
        for flag in FLAGS:
            options.add_argument(flag)
        options.add_argument(f'--user-data-dir={profile}')
        options.add_argument(f'--window-size={width},{height}')
        if downloads:
            options.add_experimental_option('prefs', {
                'download.default_directory': downloads,
                'download.prompt_for_download': False,
            })
        service = Service(os.environ.get('LUMO_CHROMEDRIVER', '/usr/bin/chromedriver'))
        driver = webdriver.Chrome(service=service, options=options)
        try:
            # The window size includes no browser frame in headless mode;
            # the viewport is set exactly all the same.
            driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                'width': width, 'height': height, 'deviceScaleFactor': 1,
                'mobile': width < 600})
            if dark:
                driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {
                    'features': [{'name': 'prefers-color-scheme', 'value': 'dark'}]})
            if downloads:
                driver.execute_cdp_cmd('Page.setDownloadBehavior',
                                       {'behavior': 'allow', 'downloadPath': downloads})
            yield driver
        finally:
            driver.quit()
