#!/usr/bin/python3
"""The show's speed in headless Chromium against the native house frame, in one run.

    web_bench.py NATIVE_BUILD WEB_BUILD

Runs the native house-frame benchmark (bench/scenes), then the whole show in the
page's test mode at 60 frames a second of show time, and prints the page's mean CPU
milliseconds per frame in every span. Fails when a house frame in the browser costs
more than 2.5 times the native one, or when a span's frames do not fit in a 60 Hz
display's frame time.
"""
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import web_test  # noqa: E402

HOUSE_SPAN = '1'
LIMIT_RATIO = 2.5
FRAME_BUDGET_MS = 1000 / 60


def native_house_ms(native):
    program = os.path.join(native, 'bench', 'scenes', 'scenes_bench')
    result = subprocess.run([program, '--benchmark_filter=^houseFrame$', '--benchmark_format=json',
                             '--benchmark_min_time=2'], capture_output=True, text=True, check=True,
                            cwd=os.path.join(native, 'bench', 'scenes'))
    (bench,) = json.loads(result.stdout)['benchmarks']
    return bench['cpu_time']  # reported in milliseconds


def main():
    native, web = (os.path.abspath(p) for p in sys.argv[1:3])
    web_test.NATIVE, web_test.WEB = native, web
    native_ms = native_house_ms(native)
    web_test.WebShow.setUpClass()
    try:
        case = web_test.WebShow()
        out = case.run_page('frame-ms=16&until-ms=200000', timeout=600)
    finally:
        web_test.WebShow.tearDownClass()
    timing = {span: ms for span, ms in json.loads(out['timing']).items()}
    print('native house frame: %.3f ms' % native_ms)
    for span, ms in sorted(timing.items(), key=lambda item: int(item[0])):
        print('browser span %2s: %.3f ms a frame' % (span, ms))
    ratio = timing[HOUSE_SPAN] / native_ms
    slowest = max(timing.values())
    print('house frame in the browser / native: %.2f (limit %.1f)' % (ratio, LIMIT_RATIO))
    print('slowest span: %.3f ms a frame (60 Hz leaves %.1f ms)' % (slowest, FRAME_BUDGET_MS))
    return 0 if ratio <= LIMIT_RATIO and slowest < FRAME_BUDGET_MS and out['status'] == '0' else 1


if __name__ == '__main__':
    sys.exit(main())
