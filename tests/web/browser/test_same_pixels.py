"""The pages draw what the native programs draw. Both sides reach each state by the same
steps on a clock the test moves (the page's virtual clock, the native capture's own);
a pixel may differ only on an edge, and the bitmap text must be the same pixels.
Usage: test_same_pixels.py PROGRAM"""
import os
import sys
import unittest

import harness
from harness import play


def drag(x0, y0, x1, y1, count):
    """Left button down at (x0, y0), count moves to (x1, y1), released there."""
    moves = ['move %d %d' % (x0 + (x1 - x0) * i // count, y0 + (y1 - y0) * i // count) for i in range(1, count + 1)]
    return ['down 0 %d %d' % (x0, y0)] + moves + ['up 0 %d %d' % (x1, y1)]


CLICK_HOUSE = ['move 1000 550', 'frame', 'down 0 1000 550', 'up 0 1000 550']  # the house at (400, -150)
STATES = {
    'shaderplanes': [('first frame', ['frame']),
                     ('swords in flight', CLICK_HOUSE + play(100, 16)),
                     ('house turned over', CLICK_HOUSE + play(700, 16))],
    'transformplanes': [('first frame', ['frame']),
                        ('parade', play(16200, 100)),    # show tick 450
                        ('scene 1', play(31200, 250))],  # show tick 1450
    'dragplanes': [('first frame', ['frame']),
                   ('tilted, reticle dragged', play(250, 50) + ['special 100'] * 3 + drag(512, 400, 412, 330, 12)
                    + ['down 2 412 330'] + play(100, 50))],
}
# dragplanes' "Energy: [ ... ]": from its raster position (window x 640, baseline at
# y 700) to the right edge, with room for ascents and descenders.
TEXT_BOX = {'dragplanes': (636, 680, 1024, 706)}


class SamePixels(unittest.TestCase):
    def test_states(self):
        with harness.chromium(harness.VIRTUAL_CLOCK) as (driver, base):
            for state, steps in STATES[PROGRAM]:
                with self.subTest(state=state):
                    name = '%s_%s' % (PROGRAM, state.replace(' ', '_').replace(',', ''))
                    native = harness.native_picture(steps, name + '_native.ppm')
                    browser = harness.browser_picture(driver, base, PROGRAM, steps)
                    differing, flat, text = harness.compare(native, browser, text_box=TEXT_BOX.get(PROGRAM))
                    print('%s, %s: %.4f %% of the pixels differ (%d), %d of them off the edges; %d text pixels differ'
                          % (PROGRAM, state, 100.0 * len(differing) / (native.width * native.height), len(differing),
                             len(flat), len(text)), flush=True)
                    if flat or text:
                        harness.write_ppm(name + '_browser.ppm', browser)
                        harness.write_ppm(name + '_difference.ppm', harness.difference_picture(native, differing, flat))
                    else:
                        os.remove(name + '_native.ppm')
                    self.assertTrue(not flat, 'differing pixels off the edges (x, y from the top left), the first: %s; '
                                     'pictures %s_*.ppm in %s' % (flat[:10], name, os.getcwd()))
                    self.assertTrue(not text, 'text pixels white in one picture only: %s' % text[:10])


if __name__ == '__main__':
    PROGRAM = sys.argv[1]
    unittest.main(argv=sys.argv[:1], verbosity=2)
