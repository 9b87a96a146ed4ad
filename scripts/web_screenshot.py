"""Opens a program's page in headless Chromium, lets it run, saves its canvas as a PNG,
then ends the program with its own exit key and prints what it wrote to its console.

Usage: python3 scripts/web_screenshot.py URL SECONDS PNG   (scripts/run --web runs it)
Fails with one line on standard error when it cannot save the screenshot.
"""
import sys
import tempfile
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

# WebGL 2 on the CPU (SwiftShader through ANGLE), as on a machine without a GPU.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
    "--disable-background-networking", "--disable-component-update", "--no-first-run",
    "--force-device-scale-factor=1", "--window-size=1400,1200",
]


def start_chromium(profile_dir, extra_flags=()):
    """Headless Chromium driven by Debian's chromedriver, with a profile of its own."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in CHROMIUM_FLAGS + list(extra_flags) + ["--user-data-dir=" + profile_dir]:
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_for(driver, script, seconds):
    """Polls a JavaScript expression until it is true; returns its last value."""
    deadline = time.monotonic() + seconds
    while True:
        value = driver.execute_script("return " + script)
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.05)


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: web_screenshot.py URL SECONDS PNG")
    url, seconds, png = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    failure = None
    with tempfile.TemporaryDirectory(prefix="planes-chromium-") as profile:
        try:
            driver = start_chromium(profile)
        except WebDriverException as error:
            sys.exit("scripts/run: cannot save the screenshot: Chromium did not start (%s)"
                     % error.msg.splitlines()[0])
        try:
            driver.get(url)
            time.sleep(seconds)
            if driver.execute_script("return document.getElementById('canvas').hidden"):
                failure = "the program ended before the screenshot"
            else:
                picture = driver.find_element(By.ID, "canvas").screenshot_as_png
                try:
                    with open(png, "wb") as out:
                        out.write(picture)
                    print("screenshot: " + png, file=sys.stderr)
                except OSError as error:
                    failure = "%s: %s" % (png, error.strerror)
            # Leave the way a user would: the program's own exit key, as its button sends it.
            exit_key = driver.find_elements(By.CSS_SELECTOR, "button[data-key='27'], button[data-key='35']")
            if exit_key and exit_key[0].is_enabled():
                exit_key[0].click()
                wait_for(driver, "document.getElementById('canvas').hidden", 5)
            print(driver.execute_script("return document.getElementById('console').textContent"), end="")
        except WebDriverException as error:
            failure = error.msg.splitlines()[0] if error.msg else type(error).__name__
        finally:
            driver.quit()
    if failure:
        sys.exit("scripts/run: cannot save the screenshot: " + failure)


if __name__ == "__main__":
    main()
