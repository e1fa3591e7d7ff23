#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
"""The longest seek in headless Chromium: a link to 109 s, played as a visitor plays it.

    seek_bench.py NATIVE_BUILD WEB_BUILD

Opens index.html#t=109, Play, Enter in the dialog, and times in the page, from the
show's first frame (drawn unseen, the seek's first report to the page) to the frame at 109 s
on the canvas: about 2,200 frames drawn unseen on the virtual counter, with their sound
mixed unplayed. Three visits; fails when the median is over 2 s.
"""
import os
import statistics
import sys

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import web_test  # noqa: E402

VISITS = 3
LIMIT_S = 2.0


def seek_seconds(driver, address):
    driver.get('about:blank')
    driver.get(address + 'index.html#t=109')
    play = driver.find_element(By.ID, 'play')
    WebDriverWait(driver, 60).until(lambda _: play.is_enabled())
    # The page's own functions, watched: the seek's first report (its first frame drawn
    # unseen), and its arrival.
    driver.execute_script('''
        window.seekTimes = {};
        const seeking = window.onSeeking, arrived = window.onArrived;
        window.onSeeking = (...report) => { window.seekTimes.asked ??= performance.now(); return seeking(...report); };
        window.onArrived = (ms) => { window.seekTimes.arrived = performance.now(); window.seekTimes.at = ms;
                                     return arrived(ms); };''')
    play.click()
    canvas = driver.find_element(By.ID, 'screen')
    WebDriverWait(driver, 30).until(lambda _: canvas.is_displayed() and canvas.get_attribute('width') != '640')
    driver.find_element(By.TAG_NAME, 'body').send_keys('\ue007')  # Enter: OK in the device dialog
    WebDriverWait(driver, 60).until(lambda _: driver.execute_script('return window.seekTimes.arrived;'))
    times = driver.execute_script('return window.seekTimes;')
    driver.find_element(By.TAG_NAME, 'body').send_keys('\ue00c')
    WebDriverWait(driver, 30).until(lambda _: play.is_displayed())
    if not 109000 <= times['at'] < 109050:
        raise SystemExit('the seek arrived at %d ms' % times['at'])
    return (times['arrived'] - times['asked']) / 1000


def main():
    web_test.NATIVE, web_test.WEB = (os.path.abspath(p) for p in sys.argv[1:3])
    web_test.WebShow.setUpClass()
    try:
        case = web_test.WebShow()
        seconds = [seek_seconds(case.driver, case.address) for _ in range(VISITS)]
    finally:
        web_test.WebShow.tearDownClass()
    median = statistics.median(seconds)
    print('seek to 109 s in Chromium: median %.3f s of %d visits (%s); limit %.1f s' %
          (median, VISITS, ', '.join('%.3f' % s for s in seconds), LIMIT_S))
    return 0 if median <= LIMIT_S else 1


if __name__ == '__main__':
    sys.exit(main())
