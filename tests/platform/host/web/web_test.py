#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
"""The show in headless Chromium against the native program.

    web_test.py NATIVE_BUILD WEB_BUILD

Serves WEB_BUILD/site on 127.0.0.1 and checks, with selenium and chromium-driver:
  - frames at chosen counter values, one in every span of the show, equal the native
    headless capture pixel for pixel, and the sound mixed so far has the CRC-32 of the
    same prefix of the native --wav;
  - the dialog's Cancel and close box, and a missing data file, end the show with the
    native program's exit code and message;
  - a visitor's path: Play, a click on the dialog's close box ends the show, Play again,
    Enter in the dialog, the rain on the canvas, Escape ends, and no error in the console;
  - the transport: a link's moment (#t=61.2) opens there after Play and the dialog; Space
    holds the clock and the canvas, whatever control has the focus, and resumes; Right
    and '.' move a paused show 5 s and one tick on; a chapter in the list jumps back to
    it; a link with a bad moment says so once and plays from the start;
  - in test mode, seeks forward and back (a new instance) end on the frames and sound of a
    run that never sought;
  - a first visit fetches at most 2 MiB until the show's first frames are on the canvas,
    every byte the server sends counted, headers included;
  - the page links our licence and the notices of the libraries in the program, and every
    link and every notice the notices' README names is in the site.
"""
import base64
import functools
import glob
import http.server
import html.parser
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.error
import urllib.request
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

NATIVE = WEB = None
FRAME_MS = 250
# One counter value inside each span of the show, in running order (the show's clock
# starts at the third frame, at 2 * FRAME_MS).
SPAN_TIMES = [5000, 20000, 30000, 36000, 45000, 60000, 72000, 85000, 96000, 102000, 108000]
MISSING_FILE = 'back.xm'
# What a first visit may fetch before the show's first frame, from a server that
# compresses nothing.
BYTE_BUDGET = 2 * 1024 * 1024


def clock_seconds(text):
    """The page's clock ("61.2" or "1:01.2") in seconds."""
    minutes, _, seconds = text.rpartition(':')
    return (int(minutes) * 60 if minutes else 0) + float(seconds)


def decode_png(data):
    """Width, height and the RGB bytes of a PNG, as ImageMagick decodes it."""
    def magick(*command):
        return subprocess.run(command, input=data, capture_output=True, check=True).stdout
    width, height = magick('identify', '-format', '%w %h', 'png:-').split()
    return int(width), int(height), magick('convert', 'png:-', '-depth', '8', 'rgb:-')


class Server(http.server.ThreadingHTTPServer):
    hidden = set()  # paths answered with 404, as if the file were not there

    def __init__(self, *args):
        super().__init__(*args)
        self.lock = threading.Lock()
        self.reset()

    def reset(self):
        """Counts from nothing again."""
        with self.lock:
            self.paths, self.sent = [], 0

    def count(self, path=None, sent=0):
        """Counts a request for path, or bytes sent."""
        with self.lock:
            if path is not None:
                self.paths.append(path)
            self.sent += sent


class CountingWriter:
    """The connection's writer, counting every byte that crosses it: headers and bodies."""
    def __init__(self, writer, server):
        self.writer, self.server = writer, server

    def write(self, data):
        self.server.count(sent=len(data))
        return self.writer.write(data)

    def __getattr__(self, name):
        return getattr(self.writer, name)


class Handler(http.server.SimpleHTTPRequestHandler):
    def setup(self):
        super().setup()
        self.wfile = CountingWriter(self.wfile, self.server)

    def do_GET(self):
        self.server.count(path=self.path.split('?')[0])
        if self.path.split('?')[0] in self.server.hidden:
            self.send_error(404)
            return
        super().do_GET()

    def log_message(self, *args):
        pass


def native_run(folder, *arguments, data=None):
    """The native headless program's exit code and standard error."""
    program = os.path.join(NATIVE, 'mornakle')
    data = data or os.path.join(NATIVE, 'data')
    result = subprocess.run([program, '--headless', '--data', data, *arguments], cwd=folder,
                            capture_output=True, text=True, timeout=600)
    return result.returncode, result.stderr


class WebShow(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix='mornakle-web-')
        cls.server = Server(('127.0.0.1', 0),
                            functools.partial(Handler, directory=os.path.join(WEB, 'site')))
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.address = 'http://127.0.0.1:%d/' % cls.server.server_address[1]
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--autoplay-policy=no-user-gesture-required',
                     '--user-data-dir=' + os.path.join(cls.scratch, 'profile')):
            options.add_argument(flag)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        service = Service(executable_path='/usr/bin/chromedriver')
        cls.driver = webdriver.Chrome(options=options, service=service)
        cls.driver.set_window_size(1000, 1000)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.shutdown()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def run_page(self, query, timeout=120):
        """The test mode's outputs: frame, audio, timing, status."""
        self.driver.get(self.address + 'index.html?' + query)
        status = self.driver.find_element(By.ID, 'status')
        WebDriverWait(self.driver, timeout).until(lambda _: status.get_attribute('value'))
        return {name: self.driver.find_element(By.ID, name).get_attribute('value')
                for name in ('frame', 'audio', 'timing', 'status')}

    def test_frames_and_sound_equal_the_native_program(self):
        frames = os.path.join(self.scratch, 'frames')
        wav = os.path.join(self.scratch, 'show.wav')
        code, _ = native_run(self.scratch, '--frame-ms', str(FRAME_MS), '--capture', frames, '--wav', wav)
        self.assertEqual(code, 0)
        with open(wav, 'rb') as f:
            samples = f.read()[44:]
        captured = {int(name[-14:-4]): name for name in os.listdir(frames) if name.startswith("frame-")}
        spans_seen = set()
        for until in SPAN_TIMES:
            with self.subTest(until_ms=until):
                out = self.run_page('frame-ms=%d&until-ms=%d' % (FRAME_MS, until))
                self.assertEqual(out['status'], '0')
                spans_seen.update(json.loads(out['timing']))
                prefix = 'data:image/png;base64,'
                self.assertTrue(out['frame'].startswith(prefix))
                web_frame = decode_png(base64.b64decode(out['frame'][len(prefix):]))
                with open(os.path.join(frames, captured[until]), 'rb') as f:
                    native_frame = decode_png(f.read())
                self.assertEqual(web_frame[:2], (640, 480))
                self.assertTrue(web_frame == native_frame, 'the frame at %d ms differs' % until)
                count, crc = out['audio'].split()
                self.assertGreater(int(count), 0)
                self.assertEqual(crc, '%08x' % zlib.crc32(samples[:int(count) * 4]))
        self.assertEqual(spans_seen, {str(i) for i in range(len(SPAN_TIMES))})

    def test_show_end_and_start_offset(self):
        # A counter that starts late and a show played to its end.
        out = self.run_page('frame-ms=2000&until-ms=400000&start-ms=70000')
        code, _ = native_run(self.scratch, '--frame-ms', '2000', '--start-ms', '70000')
        self.assertEqual(out['status'], str(code))

    def test_dialog_answers(self):
        for answer in ('cancel', 'close'):
            with self.subTest(dialog=answer):
                out = self.run_page('frame-ms=20&until-ms=100000&dialog=' + answer)
                code, _ = native_run(self.scratch, '--dialog', answer)
                self.assertEqual(out['status'], str(code))

    def test_missing_data_file(self):
        data = os.path.join(self.scratch, 'data')
        shutil.copytree(os.path.join(NATIVE, 'data'), data)
        os.remove(os.path.join(data, MISSING_FILE))
        code, stderr = native_run(self.scratch, '--frame-ms', '20', data=data)
        self.server.hidden = {'/data/' + MISSING_FILE + '.gz'}
        try:
            out = self.run_page('frame-ms=20&until-ms=100000')
        finally:
            self.server.hidden = set()
        self.assertEqual(out['status'], str(code))
        message = self.driver.find_element(By.ID, 'message').get_attribute('textContent')
        self.assertTrue(message and message in stderr, (message, stderr))

    def test_visitors_path(self):
        driver = self.driver
        driver.get_log('browser')
        driver.get(self.address)
        play = driver.find_element(By.ID, 'play')
        WebDriverWait(driver, 60).until(lambda _: play.is_enabled())
        canvas = driver.find_element(By.ID, 'screen')
        size = lambda _: driver.execute_script('const c = arguments[0]; return [c.width, c.height];', canvas)
        # The dialog's close box, found with the mouse on its picture scaled into the canvas,
        # ends the show; Play again starts it anew.
        play.click()
        WebDriverWait(driver, 30).until(lambda _: canvas.is_displayed() and size(_) != [640, 480])
        width, height = size(None)
        scale = min(canvas.size['width'] / width, canvas.size['height'] / height)
        webdriver.ActionChains(driver).move_to_element_with_offset(
            canvas, round((width - 11 - width / 2) * scale), round((10 - height / 2) * scale)).click().perform()
        WebDriverWait(driver, 30).until(lambda _: play.is_displayed() and play.text == 'Play again')
        play.click()
        WebDriverWait(driver, 30).until(lambda _: canvas.is_displayed() and size(_) != [640, 480])
        body = driver.find_element(By.TAG_NAME, 'body')
        body.send_keys('\ue007')  # Enter: OK in the device dialog
        time.sleep(3)
        green = self.rain_pixels()
        self.assertEqual(green[:2], [640, 480])
        self.assertGreater(green[2], 1000, 'no rain on the canvas')
        body.send_keys('\ue00c')  # Escape ends the show
        WebDriverWait(driver, 30).until(lambda _: play.is_displayed() and play.text == 'Play again')
        errors = [entry for entry in driver.get_log('browser') if entry['level'] == 'SEVERE']
        self.assertEqual(errors, [])

    def test_seeks_end_as_a_run_that_never_sought(self):
        plain = self.run_page('frame-ms=50&until-ms=45000')
        self.assertEqual(plain['status'], '0')
        # From the start to 40 s; to 30 s, then on to 80 s in place and back to 40 s in a new
        # instance; sixteen seeks, seven of them back: each ends at 45 s on the frame and the sound of
        # the plain run, nothing of the instances before left behind.
        for seeks in ('40000', '30000,80000,40000', ','.join(['20000', '41000', '39000', '42000'] * 4)):
            with self.subTest(seeks=seeks):
                out = self.run_page('frame-ms=50&until-ms=45000&seeks=' + seeks)
                self.assertEqual(out['status'], '0')
                self.assertEqual(out['audio'], plain['audio'])
                self.assertTrue(out['frame'] == plain['frame'], 'the frame at 45 s differs')

    def start_visit(self, fragment):
        """A visitor's show from index.html + fragment: Play, Enter in the dialog; the clock."""
        driver = self.driver
        driver.get('about:blank')  # the same page with another fragment would not load again
        driver.get(self.address + 'index.html' + fragment)
        play = driver.find_element(By.ID, 'play')
        WebDriverWait(driver, 60).until(lambda _: play.is_enabled())
        driver.get_log('browser')
        play.click()
        canvas = driver.find_element(By.ID, 'screen')
        WebDriverWait(driver, 30).until(lambda _: canvas.is_displayed() and self.rain_pixels()[:2] != [640, 480])
        driver.find_element(By.TAG_NAME, 'body').send_keys('\ue007')  # Enter: OK in the device dialog
        clock = driver.find_element(By.ID, 'time')
        before = clock.text
        WebDriverWait(driver, 30, poll_frequency=0.02).until(lambda _: clock.text != before)
        return clock

    def canvas_hash(self):
        return self.driver.execute_script('''
            const c = document.getElementById('screen');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let h = 0;
            for (let i = 0; i < d.length; ++i) h = (Math.imul(h, 31) + d[i]) | 0;
            return h;''')

    def test_transport(self):
        driver = self.driver
        clock = self.start_visit('#t=61.2')
        first = clock_seconds(clock.text)
        self.assertTrue(61.2 <= first < 62.5, first)
        # Space on the focused pause button pauses once (the button does not also take it).
        pause = driver.find_element(By.ID, 'pause')
        pause.send_keys(' ')
        WebDriverWait(driver, 5).until(lambda _: pause.get_attribute('aria-pressed') == 'true')
        time.sleep(0.3)
        held, picture = clock.text, self.canvas_hash()
        time.sleep(2)
        self.assertEqual((clock.text, self.canvas_hash()), (held, picture))
        # Right on the focused seek bar: 5 s on, still paused; '.' twice two ticks on (the
        # clock shows tenths).
        seek_bar = driver.find_element(By.ID, 'seek')
        seek_bar.send_keys('\ue014')  # Right
        WebDriverWait(driver, 10).until(lambda _: clock.text != held)
        moved = clock_seconds(clock.text)
        self.assertAlmostEqual(moved - clock_seconds(held), 5, delta=0.15)
        time.sleep(1)
        self.assertEqual(clock_seconds(clock.text), moved)
        self.assertNotEqual(self.canvas_hash(), picture)
        seek_bar.send_keys('..')
        WebDriverWait(driver, 10).until(lambda _: clock_seconds(clock.text) != moved)
        time.sleep(0.5)
        self.assertAlmostEqual(clock_seconds(clock.text) - moved, 0.1, delta=0.01)
        # Space resumes: the clock runs again.
        body = driver.find_element(By.TAG_NAME, 'body')
        body.send_keys(' ')
        resumed = clock.text
        WebDriverWait(driver, 5).until(lambda _: clock_seconds(clock.text) > clock_seconds(resumed) + 0.3)
        self.assertEqual(pause.get_attribute('aria-pressed'), 'false')
        # A chapter before the moment: a seek back, the dialog answered unseen.
        chapters = driver.find_elements(By.CSS_SELECTOR, '#chapters button')
        self.assertGreaterEqual(len(chapters), 10)
        chapter = chapters[2]
        start = int(chapter.get_attribute('data-ms')) / 1000
        self.assertLess(start, first)
        chapter.click()
        WebDriverWait(driver, 30, poll_frequency=0.02).until(lambda _: clock_seconds(clock.text) < first)
        self.assertTrue(start - 0.1 <= clock_seconds(clock.text) < start + 1.5, (start, clock.text))
        # Paused, the link carries the moment on screen (copied, or shown for copying).
        body.send_keys(' ')
        WebDriverWait(driver, 5).until(lambda _: pause.get_attribute('aria-pressed') == 'true')
        time.sleep(0.3)
        driver.find_element(By.ID, 'copy-link').click()
        offered = lambda: (driver.find_element(By.ID, 'link').get_attribute('value') +
                           driver.find_element(By.ID, 'message').text)
        WebDriverWait(driver, 5).until(lambda _: '#t=' in offered())
        moment_ms = round(float(re.search(r'#t=([\d.]+)', offered()).group(1)) * 1000)
        self.assertEqual(moment_ms // 100, round(clock_seconds(clock.text) * 10))
        body.send_keys('\ue00c')  # Escape ends the show, paused or not
        play = driver.find_element(By.ID, 'play')
        WebDriverWait(driver, 30).until(lambda _: play.is_displayed() and play.text == 'Play again')
        # Play again starts from the beginning, the link's moment left behind.
        play.click()
        canvas = driver.find_element(By.ID, 'screen')
        WebDriverWait(driver, 30).until(lambda _: canvas.is_displayed() and self.rain_pixels()[:2] != [640, 480])
        before = clock.text
        body.send_keys('\ue007')
        WebDriverWait(driver, 30, poll_frequency=0.02).until(lambda _: clock.text != before)
        self.assertLess(clock_seconds(clock.text), 2)
        body.send_keys('\ue00c')
        WebDriverWait(driver, 30).until(lambda _: play.is_displayed() and play.text == 'Play again')
        errors = [entry for entry in driver.get_log('browser') if entry['level'] == 'SEVERE']
        self.assertEqual(errors, [])

    def test_link_with_a_bad_moment(self):
        clock = self.start_visit('#t=1:75')
        self.assertLess(clock_seconds(clock.text), 2)
        said = [entry['message'] for entry in self.driver.get_log('browser') if 't=1:75' in entry['message']]
        self.assertEqual(len(said), 1, said)
        self.driver.find_element(By.TAG_NAME, 'body').send_keys('\ue00c')

    def rain_pixels(self):
        """The canvas's size and how many of its pixels are the rain's green."""
        return self.driver.execute_script('''
            const c = document.getElementById('screen');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let n = 0;
            for (let i = 0; i < d.length; i += 4) if (d[i + 1] > 64 && d[i + 1] > 2 * d[i]) ++n;
            return [c.width, c.height, n];''')

    def test_bytes_before_the_first_frame(self):
        # Counted where the bytes leave the server, so the worker's and the worklet's
        # fetches count as the page's own do; the browser's cache starts empty.
        driver = self.driver
        driver.execute_cdp_cmd('Network.clearBrowserCache', {})
        self.server.reset()
        driver.get(self.address)
        play = driver.find_element(By.ID, 'play')
        WebDriverWait(driver, 60).until(lambda _: play.is_enabled())
        play.click()
        canvas = driver.find_element(By.ID, 'screen')
        WebDriverWait(driver, 30).until(lambda _: canvas.is_displayed() and self.rain_pixels()[:2] != [640, 480])
        body = driver.find_element(By.TAG_NAME, 'body')
        body.send_keys('\ue007')  # Enter: OK in the device dialog
        # The rain on the canvas: the show's first frames are drawn.
        WebDriverWait(driver, 30).until(lambda _: self.rain_pixels()[2] > 1000)
        total, requests = self.server.sent, list(self.server.paths)
        body.send_keys('\ue00c')  # Escape ends the show
        WebDriverWait(driver, 30).until(lambda _: play.is_displayed())
        with open(os.path.join(WEB, 'site', 'data', 'files.txt')) as f:
            wanted = {'/mornakle.js', '/mornakle.wasm.gz'} | {'/data/%s.gz' % name for name in f.read().split()}
        self.assertLessEqual(wanted, set(requests))
        # Each of them crossed whole: the count holds at least their sizes.
        self.assertGreaterEqual(total, sum(os.path.getsize(os.path.join(WEB, 'site', path[1:])) for path in wanted))
        print('\n%d bytes (%.2f MiB) in %d requests before the first frame' % (total, total / 2**20, len(requests)),
              file=sys.stderr)
        self.assertLessEqual(total, BYTE_BUDGET)

    def test_links_and_notices_are_in_the_site(self):
        class Links(html.parser.HTMLParser):
            def __init__(self):
                super().__init__()
                self.found = []

            def handle_starttag(self, tag, attributes):
                if tag == 'a':
                    self.found.append(dict(attributes)['href'])

        def answer(path):
            try:
                with urllib.request.urlopen(self.address + path) as response:
                    return response.status, response.read().decode(errors='replace')
            except urllib.error.HTTPError as error:
                return error.code, ''

        links = Links()
        links.feed(answer('')[1])
        self.assertIn('LICENSE.txt', links.found)
        self.assertIn('licenses/README.txt', links.found)
        # The files the licences' README names, relative to licenses/; a * stands for any name,
        # and at least one file must match it.
        readme = answer('licenses/README.txt')[1]
        named = {os.path.normpath('licenses/' + name) for name in re.findall(r'[\w.+*/-]+\.txt', readme)}
        self.assertIn('licenses/musl-COPYRIGHT.txt', named)
        site = os.path.join(WEB, 'site')
        named = {os.path.relpath(path, site) for pattern in named
                 for path in glob.glob(os.path.join(site, pattern)) or [os.path.join(site, pattern)]}
        for path in sorted(set(links.found) | named):
            with self.subTest(path=path):
                self.assertEqual(answer(path)[0], 200)
        self.assertIn('MIT License', answer('LICENSE.txt')[1])


if __name__ == '__main__':
    NATIVE, WEB = (os.path.abspath(p) for p in sys.argv[1:3])
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)
