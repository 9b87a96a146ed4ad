"""The pages driven as a user drives them, through WebDriver and in real time: clicks,
drags and keys reach the programs, their lines reach the console panel, and their end
keys end them. Probe points come from the figures' coordinates.
Usage: test_real_input.py PROGRAM"""
import math
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import harness


def window_point(wx, wy, width, height):
    """World point (origin at the window centre, y up) to the window pixel holding it."""
    return math.floor(width / 2 + wx), height - 1 - math.floor(height / 2 + wy)


def turned(points, degrees, about=(0, 0)):
    a = math.radians(degrees)
    return [(about[0] + x * math.cos(a) - y * math.sin(a), about[1] + x * math.sin(a) + y * math.cos(a))
            for x, y in points]


class Page(unittest.TestCase):
    scripts = (harness.RECORDER,)

    def setUp(self):
        self.driver, base = self.enterContext(harness.chromium(*self.scripts))
        harness.open_program(self.driver, base, self.program)
        self.canvas = self.driver.find_element(By.ID, 'canvas')

    def wait_colour(self, points, colour, shown=True, timeout=60):
        def matches(driver):
            return all(not harness.differs(found, colour) for found in harness.probe(driver, points)) == shown
        harness.wait_for(self.driver, matches, timeout, lambda: '%s: %s %s %s; found %s' % (
            self.program, points, 'never showed' if shown else 'kept showing', colour,
            harness.probe(self.driver, points)))

    def wait_line(self, text, timeout=60):
        harness.wait_for(self.driver, lambda d: text in harness.lines(d), timeout, lambda: '%s: no line "%s" in %s'
                         % (self.program, text, harness.lines(self.driver)[-20:]))

    def at(self, x, y):
        """Window point (x, y) as WebDriver's offset from the canvas centre."""
        return x - self.canvas.size['width'] // 2, y - self.canvas.size['height'] // 2

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()


class Shaderplanes(Page):
    program = 'shaderplanes'
    WALL = (235, 225, 196)

    def test_click_turns_a_house_over_r_puts_it_back_esc_ends(self):
        # Two wall points of the house at (50, 50) (figure scaled 2, moved by (-12, 14)),
        # standing and turned over about that point by -95 degrees.
        wall = [(2 * x - 12, 2 * y + 14) for x, y in ((-10, -3), (-10, -12))]
        standing = [window_point(x, y, 1200, 800) for x, y in turned(wall, 0, (50, 50))]
        over = [window_point(x, y, 1200, 800) for x, y in turned(wall, -95, (50, 50))]
        self.wait_colour(standing, self.WALL)
        # Fire at the house's point, then take the pointer and the ring around it away.
        actions = ActionChains(self.driver).move_to_element_with_offset(self.canvas, *self.at(650, 350)).click()
        actions.move_to_element_with_offset(self.canvas, *self.at(200, 650)).move_by_offset(1, 1).perform()
        self.wait_colour(over, self.WALL)
        self.wait_colour(standing, self.WALL, shown=False)
        # The house turns about a point of its wall: once the explosion no longer covers
        # that point, it is over and cannot hit the house again after the reset.
        self.wait_colour([(650, 349)], self.WALL)

        self.keys('r')
        self.wait_line('*Objects reseted')
        self.wait_colour(standing, self.WALL)

        self.keys(Keys.ESCAPE)
        self.assertEqual(harness.wait_ended(self.driver), 0)
        self.assertIn('*** Good Bye ***', harness.lines(self.driver), 'no good-bye before the end')


class Dragplanes(Page):
    program = 'dragplanes'
    GREEN, GREY = (0, 255, 0), (140, 140, 140)

    def test_drag_moves_the_reticle_arrow_tilts_the_frame_end_ends(self):
        def centre(x, y):  # the reticle's centre, where its arms of width 2 cross
            return [(x - 1, y - 1), (x, y - 1), (x - 1, y), (x, y)]
        self.wait_colour(centre(512, 400), self.GREEN)
        actions = ActionChains(self.driver).move_to_element_with_offset(self.canvas, 0, 0).click_and_hold()
        for _ in range(10):
            actions.move_by_offset(-30, -10)
        actions.release().perform()
        self.wait_colour(centre(*harness.pointer(self.driver)), self.GREEN)
        self.wait_colour(centre(512, 400), self.GREEN, shown=False)

        # Ten presses of the left arrow turn the frame 20 degrees counter-clockwise, and
        # its centre top panel (grey 140, from y 360 up) over these points of the sky.
        panel = [window_point(x, y, 1024, 800) for x, y in turned([(-150, 380), (-60, 380)], 20)]
        self.wait_colour(panel, self.GREY, shown=False)
        self.keys(*[Keys.ARROW_LEFT] * 10)
        self.wait_colour(panel, self.GREY)

        self.keys(Keys.END)
        self.assertEqual(harness.wait_ended(self.driver), 0)


class Transformplanes(Page):
    program = 'transformplanes'
    scripts = (harness.RECORDER, harness.FAST_TIMERS)

    def test_scene_lines_then_the_cycle_number_reach_the_console_end_ends(self):
        # Scene 6 prints 40 lines "6" a frame; the first cycle number has no line end of
        # its own and comes with the next "6".
        self.wait_line('06', timeout=300)
        printed = harness.lines(self.driver)
        before = printed[:printed.index('06')]
        self.assertEqual(set(before), {'6'}, 'lines before "06"')
        self.assertEqual(len(before) % 40, 0, 'a frame\'s lines arrived incomplete')

        self.keys(Keys.END)
        self.assertEqual(harness.wait_ended(self.driver), 0)


if __name__ == '__main__':
    case = {'shaderplanes': Shaderplanes, 'dragplanes': Dragplanes, 'transformplanes': Transformplanes}[sys.argv[1]]
    result = unittest.TextTestRunner(verbosity=2).run(unittest.defaultTestLoader.loadTestsFromTestCase(case))
    sys.exit(not result.wasSuccessful())
