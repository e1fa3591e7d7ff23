#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
"""The page audited by Lighthouse, as a visitor's phone would load it.

    lighthouse.py WEB_BUILD [RUNS]

Installs the Lighthouse this folder's package-lock.json pins into WEB_BUILD/lighthouse
(npm ci, once per lock file), serves WEB_BUILD/site with Python's http.server, as any
static server would serve it, and audits it RUNS times (default 3) in Debian's Chromium
with Lighthouse's default, mobile, profile. Prints every run's scores and fails when
accessibility, best practices or SEO score below 0.95 in any run, or when the median
performance score is below 0.9 (it moves with the machine's load, so one run decides
nothing).
"""
import filecmp
import functools
import http.server
import json
import os
import shutil
import statistics
import subprocess
import sys
import threading

HERE = os.path.dirname(os.path.abspath(__file__))
LOCK_FILES = ('package.json', 'package-lock.json')
CHROMIUM = '/usr/bin/chromium'
# What the machine's Chromium needs to run headless as root, and to stay off the network.
CHROMIUM_FLAGS = ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                  '--disable-background-networking', '--disable-component-update', '--disable-sync')
CATEGORIES = ('performance', 'accessibility', 'best-practices', 'seo')
LEAST_EACH_RUN = {'accessibility': 0.95, 'best-practices': 0.95, 'seo': 0.95}
LEAST_MEDIAN = {'performance': 0.9}


def install(folder):
    """Lighthouse as the lock file pins it, in folder; npm ci again only when the lock file changed."""
    os.makedirs(folder, exist_ok=True)
    changed = False
    for name in LOCK_FILES:
        target = os.path.join(folder, name)
        if not os.path.exists(target) or not filecmp.cmp(os.path.join(HERE, name), target, shallow=False):
            shutil.copyfile(os.path.join(HERE, name), target)
            changed = True
    program = os.path.join(folder, 'node_modules', '.bin', 'lighthouse')
    if changed or not os.path.exists(program):
        subprocess.run(['npm', 'ci', '--ignore-scripts', '--no-audit', '--no-fund', '--prefix', folder], check=True)
    return program


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def audit(program, address, folder, run):
    """One Lighthouse run's scores by category."""
    report = os.path.join(folder, 'run-%d.json' % run)
    profile = os.path.join(folder, 'profile')
    shutil.rmtree(profile, ignore_errors=True)
    scratch = os.path.join(folder, 'tmp')
    os.makedirs(scratch, exist_ok=True)
    flags = ' '.join(CHROMIUM_FLAGS + ('--user-data-dir=' + profile,))
    environment = dict(os.environ, CHROME_PATH=CHROMIUM, TMPDIR=scratch)
    subprocess.run([program, address, '--quiet', '--output=json', '--output-path=' + report,
                    '--only-categories=' + ','.join(CATEGORIES), '--chrome-flags=' + flags],
                   env=environment, check=True, timeout=300)
    with open(report) as f:
        result = json.load(f)
    if result.get('runtimeError'):
        sys.exit('Lighthouse could not audit the page: %s' % result['runtimeError'])
    return {name: result['categories'][name]['score'] for name in CATEGORIES}


def main():
    web = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    folder = os.path.join(web, 'lighthouse')
    program = install(folder)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0),
                                             functools.partial(QuietHandler, directory=os.path.join(web, 'site')))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    address = 'http://127.0.0.1:%d/' % server.server_address[1]
    try:
        scores = [audit(program, address, folder, run) for run in range(1, runs + 1)]
    finally:
        server.shutdown()

    print('Lighthouse, mobile: ' + ', '.join(CATEGORIES))
    for run, score in enumerate(scores, 1):
        print('  run %d: %s' % (run, '  '.join('%.2f' % score[name] for name in CATEGORIES)))
    failures = []
    for name, least in LEAST_EACH_RUN.items():
        if min(score[name] for score in scores) < least:
            failures.append('%s below %.2f in a run' % (name, least))
    for name, least in LEAST_MEDIAN.items():
        median = statistics.median(score[name] for score in scores)
        print('  median %s: %.2f' % (name, median))
        if median < least:
            failures.append('median %s %.2f below %.2f' % (name, median, least))
    if failures:
        sys.exit('Lighthouse: ' + '; '.join(failures))
    print('Lighthouse: every score at its bound or above')


if __name__ == '__main__':
    main()
