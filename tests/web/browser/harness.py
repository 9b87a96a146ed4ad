"""The browser tests' harness: the site on a local port, headless Chromium (also as a
phone or a tablet, with real touches), scripts put into the pages, the canvas read back,
and pictures compared pixel by pixel."""
import base64
import collections
import contextlib
import functools
import http.server
import math
import os
import shutil
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

# setTimeout and requestAnimationFrame only queue their callbacks, and the test moves
# time on: timeouts run in due-time order, those due together in the order they were
# set, as a browser's timer queue runs them. planesClock.run takes the steps the native
# capture takes (capture.cpp), with GLUT's button and key codes.
VIRTUAL_CLOCK = r'''(() => {
  let now = 0, order = 0, timeouts = [], frames = [];
  window.setTimeout = (fn, ms, ...args) => {
    timeouts.push({id: ++order, due: now + Math.max(0, Math.floor(Number(ms) || 0)), fn, args});
    return order;
  };
  window.clearTimeout = id => { timeouts = timeouts.filter(t => t.id !== id); };
  window.requestAnimationFrame = fn => frames.push(fn);
  const advance = ms => {
    for (const end = now + ms; ; ) {
      const due = timeouts.filter(t => t.due <= end).sort((a, b) => a.due - b.due || a.id - b.id)[0];
      if (!due) { now = end; return; }
      timeouts.splice(timeouts.indexOf(due), 1);
      now = due.due;
      due.fn(...due.args);
    }
  };
  const key = code => ['keydown', 'keyup'].forEach(type => {
    const event = new KeyboardEvent(type, {bubbles: true, cancelable: true});
    Object.defineProperty(event, 'keyCode', {get: () => code});
    document.body.dispatchEvent(event);
  });
  // Event coordinates are whole pixels and the canvas may sit at a fraction of one;
  // GLUT truncates the difference, so round up to land on (x, y).
  const mouse = (type, button, x, y) => {
    const canvas = document.getElementById('canvas'), box = canvas.getBoundingClientRect();
    canvas.dispatchEvent(new MouseEvent(type, {bubbles: true, cancelable: true, view: window, button,
                                                clientX: Math.ceil(box.left + x), clientY: Math.ceil(box.top + y)}));
  };
  const special = {100: 37, 101: 38, 102: 39, 103: 40, 107: 35};  // GLUT key -> keyCode
  window.planesClock = {advance, run: steps => steps.forEach(step => {
    const [op, a, b, c] = step.split(' ').map((v, i) => i ? Number(v) : v);
    if (op === 'wait') advance(a);
    else if (op === 'frame') { const due = frames; frames = []; due.forEach(fn => fn(now)); }
    else if (op === 'down' || op === 'up') mouse('mouse' + op, a, b, c);
    else if (op === 'move') mouse('mousemove', 0, a, b);
    else if (op === 'key') key(a >= 97 && a <= 122 ? a - 32 : a);
    else if (op === 'special') key(special[a]);
    else throw new Error('unknown step ' + step);
  })};
})();'''

# Every line that reaches the console panel, in order (the panel keeps only the latest),
# and where on the canvas the last mouse event was, in canvas pixels as GLUT maps it
# through the canvas's box.
RECORDER = r'''window.planesLines = [];
new MutationObserver(records => records.forEach(record => {
  if (record.target.id === 'console')
    record.addedNodes.forEach(node => planesLines.push(node.textContent.replace(/\n$/, '')));
})).observe(document, {childList: true, subtree: true});
['mousedown', 'mousemove', 'mouseup'].forEach(type => window.addEventListener(type, event => {
  const canvas = document.getElementById('canvas'), box = canvas.getBoundingClientRect();
  window.planesPointer = [(event.clientX - box.left) * canvas.width / box.width,
                          (event.clientY - box.top) * canvas.height / box.height];
}, true));'''

# Every timeout fires after 1 ms instead of its period (as tests/support/fast_timers.cpp
# does natively), so a sequence counted in ticks runs as fast as timers and frames allow.
FAST_TIMERS = r'''const planesSetTimeout = window.setTimeout;
window.setTimeout = (fn, ms, ...args) => planesSetTimeout(fn, Math.min(Number(ms) || 0, 1), ...args);'''

READ_CANVAS = r'''const canvas = document.getElementById('canvas'), copy = document.createElement('canvas');
[copy.width, copy.height] = [canvas.width, canvas.height];
const context = copy.getContext('2d');
context.drawImage(canvas, 0, 0);
const data = context.getImageData(0, 0, copy.width, copy.height).data;
let text = '';
for (let i = 0; i < data.length; i += 0x8000)
  text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
return [copy.width, copy.height, btoa(text)];'''

Picture = collections.namedtuple('Picture', 'width height rgb')  # RGB bytes, top row first


def pixel(picture, x, y):
    i = 3 * (y * picture.width + x)
    return tuple(picture.rgb[i:i + 3])


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def chromium(*page_scripts):
    """The site (PLANES_WEB_SITE) on a free loopback port and a fresh headless Chromium;
    yields (driver, base URL). The page_scripts run in each page before its own."""
    site = os.environ['PLANES_WEB_SITE']
    if not os.path.isfile(os.path.join(site, 'index.html')):
        raise RuntimeError('no site in "%s"' % site)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(_QuietHandler, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    profile = tempfile.mkdtemp(prefix='planes-chromium-')
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                 '--disable-background-networking', '--disable-component-update', '--no-first-run',
                 '--user-data-dir=' + profile, '--window-size=1600,1400', '--force-device-scale-factor=1'):
        options.add_argument(flag)
    driver = None
    try:
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        driver.set_script_timeout(300)
        for script in page_scripts:
            driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': script})
        yield driver, 'http://127.0.0.1:%d/' % server.server_address[1]
    finally:
        if driver:
            driver.quit()
        server.shutdown()
        server.server_close()
        shutil.rmtree(profile, ignore_errors=True)


def wait_for(driver, condition, timeout, describe):
    """Polls condition(driver) until it holds and returns its value; past timeout
    seconds, fails with describe()."""
    try:
        return WebDriverWait(driver, timeout, poll_frequency=0.05).until(condition)
    except TimeoutException:
        raise AssertionError(describe()) from None


def open_program(driver, base, program, fragment=''):
    """Loads the program's page (with the address fragment, e.g. '#shaders=...') and waits
    until its main has run (on a virtual clock, moving it on in case the page starts the
    program from a timeout)."""
    driver.get(base + program + '.html' + fragment)
    started = 'if (window.Module && Module.calledRun) return true; if (window.planesClock) planesClock.advance(1);'
    wait_for(driver, lambda d: d.execute_script(started), 60, lambda: program + ' did not start')


def read_canvas(driver):
    width, height, text = driver.execute_script(READ_CANVAS)
    rgba, rgb = base64.b64decode(text), bytearray(width * height * 3)
    for c in range(3):
        rgb[c::3] = rgba[c::4]
    return Picture(width, height, bytes(rgb))


def probe(driver, points):
    """Canvas colours at window points (x, y from the top left)."""
    picture = read_canvas(driver)
    return [pixel(picture, x, y) for x, y in points]


def differs(a, b, tolerance=3):
    return any(abs(u - v) > tolerance for u, v in zip(a, b))


def lines(driver):
    return driver.execute_script('return planesLines')


def pointer(driver):
    """The window point GLUT reports for the last mouse event: it truncates the position."""
    return tuple(math.trunc(v) for v in driver.execute_script('return planesPointer'))


def wait_ended(driver, timeout=60):
    """Waits until the page shows that the program ended; returns its exit status."""
    shown = "const e = document.getElementById('ended'); return !e.hidden && e.textContent.includes('ended');"
    wait_for(driver, lambda d: d.execute_script(shown), timeout, lambda: 'the page does not show that it ended')
    return driver.execute_script('return window.planesExitStatus')


def browser_picture(driver, base, program, steps):
    """The canvas after the program ran the steps on the page's virtual clock."""
    open_program(driver, base, program)
    for i in range(0, len(steps), 200):
        driver.execute_script('planesClock.run(arguments[0])', steps[i:i + 200])
    return read_canvas(driver)


def native_picture(steps, path):
    """The native program's picture after the same steps: capture.cpp (PLANES_CAPTURE)."""
    subprocess.run([os.environ['PLANES_CAPTURE'], path] + steps, check=True, timeout=300, stdout=subprocess.DEVNULL)
    with open(path, 'rb') as f:
        magic, size, depth, rgb = f.read().split(b'\n', 3)  # as save_framebuffer_ppm writes it
    width, height = map(int, size.split())
    return Picture(width, height, rgb)


def write_ppm(path, picture):
    with open(path, 'wb') as f:
        f.write(b'P6\n%d %d\n255\n' % (picture.width, picture.height) + picture.rgb)


def play(ms, frame_ms):
    """Steps that let ms pass with a frame every frame_ms, ending on a frame."""
    steps = ['wait %d' % frame_ms, 'frame'] * (ms // frame_ms)
    return steps + (['wait %d' % (ms % frame_ms), 'frame'] if ms % frame_ms else [])


def _on_edge(picture, x, y, tolerance):
    """Within one pixel of a colour change."""
    centre = pixel(picture, x, y)
    return any(differs(pixel(picture, nx, ny), centre, tolerance)
               for ny in range(max(y - 1, 0), min(y + 2, picture.height))
               for nx in range(max(x - 1, 0), min(x + 2, picture.width)))


def compare(native, browser, tolerance=3, text_box=None):
    """The pixels whose colours differ by more than tolerance in a channel, those of them
    on an edge of neither picture, and, inside text_box (x0, y0, x1, y1), the pixels
    white in one picture only (bitmap text)."""
    assert native[:2] == browser[:2], 'sizes differ: native %s, browser %s' % (native[:2], browser[:2])
    stride = 3 * native.width
    differing, flat, text = [], [], []
    for y in range(native.height):
        if native.rgb[y * stride:(y + 1) * stride] != browser.rgb[y * stride:(y + 1) * stride]:
            for x in range(native.width):
                if differs(pixel(native, x, y), pixel(browser, x, y), tolerance):
                    differing.append((x, y))
                    if not _on_edge(native, x, y, tolerance) and not _on_edge(browser, x, y, tolerance):
                        flat.append((x, y))
    x0, y0, x1, y1 = text_box or (0, 0, 0, 0)
    for y in range(y0, y1):
        for x in range(x0, x1):
            if (pixel(native, x, y) == (255, 255, 255)) != (min(pixel(browser, x, y)) >= 255 - tolerance):
                text.append((x, y))
    return differing, flat, text


def difference_picture(native, differing, flat):
    """The native picture faded, differing pixels on edges yellow, the others red."""
    rgb = bytearray(128 + v // 2 for v in native.rgb)
    for colour, pixels in ((b'\xff\xc8\x00', differing), (b'\xff\x00\x00', flat)):
        for x, y in pixels:
            rgb[3 * (y * native.width + x):3 * (y * native.width + x) + 3] = colour
    return Picture(native.width, native.height, bytes(rgb))


def emulate(driver, width, height, scale):
    """Pages loaded from now on see a touch screen of width x height CSS pixels."""
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': width, 'height': height, 'deviceScaleFactor': scale, 'mobile': True})
    driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True})


def point_in(driver, selector, x=0.5, y=0.5):
    """The viewport point at fractions x, y across the element's box."""
    return driver.execute_script('const b = document.querySelector(arguments[0]).getBoundingClientRect();'
                                 'return [b.left + arguments[1] * b.width, b.top + arguments[2] * b.height];',
                                 selector, x, y)


def touch(driver, kind, *fingers):
    """A real touch event (touchStart, touchMove, touchEnd) leaving the fingers (x, y) down."""
    driver.execute_cdp_cmd('Input.dispatchTouchEvent',
                           {'type': kind, 'touchPoints': [{'x': x, 'y': y} for x, y in fingers]})


def finger(driver, *points):
    """A finger down on the first point, moved through the others, lifted."""
    for i, point in enumerate(points):
        touch(driver, 'touchMove' if i else 'touchStart', point)
    touch(driver, 'touchEnd')
