#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
"""The show's speed in headless Chromium against the native house frame, in one run.

    web_bench.py NATIVE_BUILD WEB_BUILD

Compares like with like: the WebAssembly build draws with the 128-bit kernel family, so
the native house frame is measured with that family too (MORNAKLE_SIMD=sse2), and both
figures are medians, taken in turns: a native run, then the whole show in the page's test
mode at 60 frames a second of show time, three times over, the page's mean CPU milliseconds
per frame in every span taken from each. Then it plays the whole show as a visitor does
(Play, Enter in the dialog) and times the frames the page shows. Fails when the median
house frame in the browser costs more than 1.5 times the median native one, when a span's
frames do not fit in a 60 Hz display's frame time, or when the show as played falls below
59 frames a second (headless Chromium's display runs at 60 Hz).
"""
import json
import statistics
import os
import subprocess
import sys
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import web_test  # noqa: E402

HOUSE_SPAN = '1'
LIMIT_RATIO = 1.5
ROUNDS = 3  # native and browser runs, in turns
NATIVE_FAMILY = 'sse2'  # what the WebAssembly build draws with
FRAME_BUDGET_MS = 1000 / 60
LEAST_RATE = 59


def native_house_ms(native):
    """The median of five repetitions of the native house frame, drawn with the browser's family."""
    program = os.path.join(native, 'bench', 'scenes', 'scenes_bench')
    result = subprocess.run([program, '--benchmark_filter=^houseFrame$', '--benchmark_format=json',
                             '--benchmark_min_time=0.5', '--benchmark_repetitions=5',
                             '--benchmark_report_aggregates_only=true'],
                            capture_output=True, text=True, check=True, cwd=os.path.join(native, 'bench', 'scenes'),
                            env=dict(os.environ, MORNAKLE_SIMD=NATIVE_FAMILY))
    (median,) = [b for b in json.loads(result.stdout)['benchmarks'] if b.get('aggregate_name') == 'median']
    return median['cpu_time']  # reported in milliseconds


def played_frame_times(driver, address):
    """When the page showed each frame of the whole show, played as a visitor plays it (the
    dialog's frames aside)."""
    driver.get(address)
    play = driver.find_element(By.ID, 'play')
    WebDriverWait(driver, 60).until(lambda _: play.is_enabled())
    driver.execute_script('''
        window.shownAt = [];
        const shown = window.onShown;
        window.onShown = (...frame) => { window.shownAt.push(performance.now()); return shown(...frame); };''')
    play.click()
    time.sleep(2)
    answered = driver.execute_script('return performance.now();')
    driver.find_element(By.TAG_NAME, 'body').send_keys('\ue007')  # Enter: OK in the device dialog
    WebDriverWait(driver, 300).until(lambda _: play.is_displayed() and play.text == 'Play again')
    return [at for at in driver.execute_script('return window.shownAt;') if at > answered]


def main():
    native, web = (os.path.abspath(p) for p in sys.argv[1:3])
    web_test.NATIVE, web_test.WEB = native, web
    natives, timings = [], []
    web_test.WebShow.setUpClass()
    try:
        case = web_test.WebShow()
        for _ in range(ROUNDS):
            natives.append(native_house_ms(native))
            out = case.run_page('frame-ms=16&until-ms=200000', timeout=600)
            timings.append({span: ms for span, ms in json.loads(out['timing']).items()})
        shown = played_frame_times(case.driver, case.address)
    finally:
        web_test.WebShow.tearDownClass()
    native_ms = statistics.median(natives)
    timing = {span: statistics.median(t[span] for t in timings) for span in timings[0]}
    print('native house frame (%s), median of %d runs: %.3f ms (%s)' %
          (NATIVE_FAMILY, ROUNDS, native_ms, ', '.join('%.3f' % ms for ms in natives)))
    for span, ms in sorted(timing.items(), key=lambda item: int(item[0])):
        print('browser span %2s: %.3f ms a frame (median of %d)' % (span, ms, ROUNDS))
    print('browser house frames: %s ms' % ', '.join('%.3f' % t[HOUSE_SPAN] for t in timings))
    ratio = timing[HOUSE_SPAN] / native_ms
    slowest = max(timing.values())
    print('house frame in the browser / native: %.2f (limit %.1f)' % (ratio, LIMIT_RATIO))
    print('slowest span: %.3f ms a frame (60 Hz leaves %.1f ms)' % (slowest, FRAME_BUDGET_MS))
    gaps = [later - earlier for earlier, later in zip(shown, shown[1:])]
    rate = 1000 * len(gaps) / sum(gaps)
    late = sum(gap > 1.5 * FRAME_BUDGET_MS for gap in gaps)
    print('the show as played: %d frames in %.1f s, %.1f frames a second; %d frames (%.2f%%) came a display '
          'frame late or more, the longest after %.1f ms' % (len(shown), sum(gaps) / 1000, rate, late,
                                                             100 * late / len(gaps), max(gaps)))
    fast_enough = ratio <= LIMIT_RATIO and slowest < FRAME_BUDGET_MS and rate >= LEAST_RATE
    return 0 if fast_enough and out['status'] == '0' else 1


if __name__ == '__main__':
    sys.exit(main())
