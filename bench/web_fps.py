"""Frames per second of the three programs, in the browser and natively, on this machine's
CPU: each page of build-web/site in headless Chromium (WebGL 2 on SwiftShader), and each
native program of build/ on Xvfb (Mesa's llvmpipe), as scripts/run starts it. A frame is
a display call that was drawn; each ends with glFlush, so both sides count those, over the
same seconds after the same warm-up from the first frame. Run by hand, not by ctest, after
scripts/build and scripts/build --web, with Debian's Python (it has python3-selenium):

    /usr/bin/python3 bench/web_fps.py [--seconds 10] [--warmup 2] [--runs 1] [--uncapped]
                                      [--only web|native] [PROGRAM...]

The browser draws at most one frame per animation frame, which Chromium paces at 60 a
second; --uncapped lifts that pacing to show what the page could draw.
"""
import argparse
import contextlib
import functools
import http.server
import os
import signal
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "scripts"))
from web_screenshot import start_chromium  # noqa: E402  (the same Chromium as scripts/run --web)

PROGRAMS = ["shaderplanes", "transformplanes", "dragplanes"]

# Runs in each page before its scripts: notes the time of every glFlush (WebGL's flush)
# and of every animation frame callback that runs.
COUNTERS = r"""
(() => {
  const counts = {flushes: [], frames: []};
  for (const context of [WebGL2RenderingContext, WebGLRenderingContext]) {
    const flush = context.prototype.flush;
    context.prototype.flush = function () { counts.flushes.push(performance.now()); return flush.call(this); };
  }
  const request = window.requestAnimationFrame;
  window.requestAnimationFrame = function (callback) {
    return request.call(window, time => { counts.frames.push(performance.now()); callback(time); });
  };
  window.planesFrameCounts = counts;
})();
"""

# Put before libGL with LD_PRELOAD: counts the native program's glFlush calls in the
# same window of time and writes the count to FPS_OUT once the window has passed.
NATIVE_COUNTER = r"""
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

void glFlush(void)
{
    static void (*real_flush)(void);
    static double first = -1;
    static long counted;
    static int written;
    if (!real_flush)
        real_flush = (void (*)(void))dlsym(RTLD_NEXT, "glFlush");
    real_flush();
    double t = now();
    if (first < 0)
        first = t;
    double warmup = atof(getenv("FPS_WARMUP")), seconds = atof(getenv("FPS_SECONDS"));
    if (t - first >= warmup && t - first < warmup + seconds) {
        counted++;
    } else if (t - first >= warmup + seconds && !written) {
        FILE* out = fopen(getenv("FPS_OUT"), "w");
        fprintf(out, "%ld\n", counted);
        fclose(out);
        written = 1;
    }
}
"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(site):
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        yield "http://127.0.0.1:%d" % server.server_address[1]
    finally:
        server.shutdown()


def in_window(times, warmup_ms, seconds):
    """How many of the times (ms) fall in the counted window after the first one."""
    if not times:
        return 0
    start = times[0] + warmup_ms
    return sum(1 for t in times if start <= t < start + seconds * 1000)


def browser_frames(driver, base, program, warmup, seconds):
    """Frames the page drew in the window, animation frames run in it, and the renderer."""
    driver.get("%s/%s.html" % (base, program))
    time.sleep(warmup + seconds + 1)
    counts = driver.execute_script("return window.planesFrameCounts")
    renderer = driver.execute_script(
        "const gl = document.createElement('canvas').getContext('webgl2');"
        "const info = gl.getExtension('WEBGL_debug_renderer_info');"
        "return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);")
    driver.get("about:blank")  # ends the program before anything else runs
    return (in_window(counts["flushes"], warmup * 1000, seconds),
            in_window(counts["frames"], warmup * 1000, seconds), renderer)


def native_frames(shim, build, program, warmup, seconds):
    """Frames the native program drew in the window, or None if it wrote no count."""
    with tempfile.TemporaryDirectory(prefix="planes-fps-") as work:
        result = os.path.join(work, "count")
        env = dict(os.environ, LD_PRELOAD=shim, FPS_OUT=result, FPS_WARMUP=str(warmup),
                   FPS_SECONDS=str(seconds), MALLOC_TOP_PAD_="16777216")  # as scripts/run
        env.pop("DISPLAY", None)
        run = subprocess.Popen(
            ["xvfb-run", "-a", "-s", "-screen 0 1600x1200x24", "./" + program],
            cwd=os.path.join(build, program), env=env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.monotonic() + warmup + seconds + 30
        while not os.path.exists(result) and time.monotonic() < deadline and run.poll() is None:
            time.sleep(0.2)
        time.sleep(0.2)  # the count is written in one go; let it land
        os.killpg(run.pid, signal.SIGTERM)  # the program, xvfb-run and its Xvfb
        run.wait()
        if not os.path.exists(result):
            return None
        with open(result) as counted:
            return int(counted.read())


def compile_shim(work):
    source, shim = os.path.join(work, "count_flush.c"), os.path.join(work, "count_flush.so")
    with open(source, "w") as out:
        out.write(NATIVE_COUNTER)
    subprocess.run(["cc", "-O2", "-shared", "-fPIC", "-o", shim, source, "-ldl"], check=True)
    return shim


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("programs", nargs="*", default=PROGRAMS)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--warmup", type=float, default=2)
    parser.add_argument("--runs", type=int, default=1)
    parser.add_argument("--uncapped", action="store_true")
    parser.add_argument("--only", choices=["web", "native"])
    parser.add_argument("--site", default=os.path.join(ROOT, "build-web", "site"))
    parser.add_argument("--native", default=os.path.join(ROOT, "build"))
    args = parser.parse_args()

    print("Machine: %d cores, %s" % (os.cpu_count(), cpu_name()))
    print("Frames drawn in %g s after %g s from the first frame%s%s" % (
        args.seconds, args.warmup, ", Chromium unpaced" if args.uncapped else "",
        "" if args.only else "; each page, then the same program natively"))
    flags = ["--disable-frame-rate-limit", "--disable-gpu-vsync"] if args.uncapped else []
    with contextlib.ExitStack() as stack:
        work = stack.enter_context(tempfile.TemporaryDirectory(prefix="planes-fps-"))
        if args.only != "web":
            shim = compile_shim(work)
        if args.only != "native":
            base = stack.enter_context(serve(args.site))
            driver = start_chromium(os.path.join(work, "profile"), flags)
            stack.callback(driver.quit)
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": COUNTERS})
        for run in range(args.runs):
            for program in args.programs:
                line = "%-16s" % program
                if args.only != "native":
                    flushes, frames, renderer = browser_frames(driver, base, program, args.warmup, args.seconds)
                    line += "  browser %4d frames %5.1f/s (%d animation frames)" % (
                        flushes, flushes / args.seconds, frames)
                if args.only != "web":
                    count = native_frames(shim, args.native, program, args.warmup, args.seconds)
                    line += ("  native %4d frames %5.1f/s" % (count, count / args.seconds)
                             if count is not None else "  native: no count (did it start?)")
                # Other work on the machine takes frames from both: note how busy it was.
                print(line + "  [load %.2f]" % os.getloadavg()[0], flush=True)
        if args.only != "native":
            print("Browser renderer: " + renderer)


def cpu_name():
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return "unknown CPU"


if __name__ == "__main__":
    main()
