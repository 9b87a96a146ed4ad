"""The pages on phones and tablets (Chromium's device emulation, real touches): the canvas
fits, touches land on the pixel under them, full screen fills the screen, and every page
runs opened as a file. Prints the canvas's CSS size on each device. Usage: test_devices.py"""
import math
import os
import pathlib
import sys
import unittest

from selenium.webdriver.common.keys import Keys

import harness
from test_real_input import Dragplanes, Page, Shaderplanes, turned, window_point

PHONE, PHONE_ON_ITS_SIDE, TABLET = (390, 844, 3), (844, 390, 3), (820, 1180, 2)  # CSS px, device px to one
WINDOWS = {'shaderplanes': (1200, 800), 'transformplanes': (1024, 800), 'dragplanes': (1024, 800)}


def house_wall(degrees):
    """test_real_input's wall points of the house at (50, 50), turned about that point."""
    wall = [(2 * x - 12, 2 * y + 14) for x, y in ((-10, -3), (-10, -12))]
    return [window_point(x, y, 1200, 800) for x, y in turned(wall, degrees, (50, 50))]


class Devices(Page):
    def setUp(self):
        self.driver, self.base = self.enterContext(harness.chromium(*self.scripts))

    def open(self, program, device):
        if device:
            harness.emulate(self.driver, *device)
        self.program = program
        harness.open_program(self.driver, self.base, program)

    def on_canvas(self, x, y):
        """The viewport point in the middle of window pixel (x, y)."""
        width, height = WINDOWS[self.program]
        return harness.point_in(self.driver, '#canvas', (x + 0.5) / width, (y + 0.5) / height)

    def assert_scaled(self, device, room, largest=math.inf):
        """The canvas's box is its window scaled as large as room (CSS px) allows, up to largest."""
        width, height = WINDOWS[self.program]
        scale = min(room[0] / width, room[1] / height, largest)
        box = self.driver.execute_script("return document.getElementById('canvas').getBoundingClientRect()")
        print('%s: %s canvas %.2f x %.2f CSS px' % (device, self.program, box['width'], box['height']))
        for found, expected in ((box['width'], width * scale), (box['height'], height * scale)):
            self.assertAlmostEqual(found, expected, delta=0.5, msg='%s: %s' % (device, box))

    def tap_the_house(self):
        harness.finger(self.driver, self.on_canvas(*window_point(50, 50, 1200, 800)))
        self.wait_colour(house_wall(-95), Shaderplanes.WALL)

    def test_the_canvas_fits_each_screen_never_past_one_to_one(self):
        sideways = 'return document.documentElement.scrollWidth > document.documentElement.clientWidth'
        for device in (None, PHONE, PHONE_ON_ITS_SIDE, TABLET):  # None: the harness's desktop window
            for program in WINDOWS:
                self.open(program, device)
                room = self.driver.execute_script("return [document.querySelector('.screen').clientWidth, "
                                                  "innerHeight]")
                self.assert_scaled(device or 'desktop', room, largest=1)
                self.assertFalse(self.driver.execute_script(sideways), device)
            self.driver.get(self.base + 'index.html')
            self.assertFalse(self.driver.execute_script(sideways), 'index.html on %s' % (device,))

    def test_a_tap_turns_the_house_over(self):
        self.open('shaderplanes', PHONE)
        self.wait_colour(house_wall(0), Shaderplanes.WALL)
        self.tap_the_house()

    def test_a_finger_drag_moves_the_reticle_the_right_button_shows_its_ring(self):
        self.open('dragplanes', PHONE)
        harness.finger(self.driver, *[self.on_canvas(512 - 10 * i, 400 - 7 * i) for i in range(11)])
        x, y = harness.pointer(self.driver)
        centre = [(x - 1, y - 1), (x, y - 1), (x - 1, y), (x, y)]  # where the arms of width 2 cross
        self.wait_colour(centre, Dragplanes.GREEN)

        def ring_shown(driver):  # arms and ring (radius 40) in the ring's colour, which is never green
            picture = harness.read_canvas(driver)
            arms = harness.pixel(picture, x, y)
            return harness.differs(arms, Dragplanes.GREEN) and any(  # the ring 45 degrees up to the right
                not harness.differs(harness.pixel(picture, x + dx, y - dy), arms)
                for dx in range(26, 31) for dy in range(27, 32))
        harness.touch(self.driver, 'touchStart', harness.point_in(self.driver, 'button[data-button="right"]'))
        harness.wait_for(self.driver, ring_shown, 60, lambda: 'no ring round (%d, %d)' % (x, y))
        harness.touch(self.driver, 'touchEnd')
        self.wait_colour(centre, Dragplanes.GREEN)

    def test_full_screen_fills_the_screen_the_first_esc_only_leaves_it(self):
        self.open('shaderplanes', PHONE_ON_ITS_SIDE)
        harness.finger(self.driver, harness.point_in(self.driver, '#full-screen'))
        harness.wait_for(self.driver, lambda d: d.execute_script('return document.fullscreenElement'), 10,
                         lambda: 'not full screen')
        self.assert_scaled('full screen on %s' % (PHONE_ON_ITS_SIDE,), PHONE_ON_ITS_SIDE[:2])
        self.tap_the_house()
        self.keys(Keys.ESCAPE)  # shaderplanes would end at once
        harness.wait_for(self.driver, lambda d: d.execute_script('return !document.fullscreenElement'), 10,
                         lambda: 'ESC did not leave full screen')
        self.assertTrue(self.driver.execute_script("return document.getElementById('ended').hidden"), 'ESC quit')
        self.keys(Keys.ESCAPE)
        self.assertEqual(harness.wait_ended(self.driver), 0)

    def test_each_page_runs_opened_as_a_file(self):
        site = pathlib.Path(os.environ['PLANES_WEB_SITE']).resolve()
        for page in ['index'] + list(WINDOWS):
            self.driver.get((site / (page + '.html')).as_uri())
            footer = self.driver.execute_script("return document.querySelector('footer')?.textContent")
            self.assertEqual(footer, 'planes ' + os.environ['PLANES_VERSION'], page)
            if page != 'index':
                harness.wait_for(self.driver, lambda d: any(harness.read_canvas(d).rgb), 60,
                                 lambda: page + ' drew nothing')


if __name__ == '__main__':
    result = unittest.TextTestRunner(verbosity=2).run(unittest.defaultTestLoader.loadTestsFromTestCase(Devices))
    sys.exit(not result.wasSuccessful())
