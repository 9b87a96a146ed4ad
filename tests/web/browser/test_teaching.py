"""The pages teach: each shows the files its program is built from, exactly as the tree
holds them, with links to single lines; shaderplanes' page runs shaders edited in it, and
from a link to them. Usage: test_teaching.py   (PLANES_SOURCE_DIR: the tree built from)"""
import os
import pathlib
import sys
import unittest

from selenium.webdriver.common.by import By

import harness
from test_devices import house_wall
from test_real_input import Page, Shaderplanes, window_point

SOURCE = pathlib.Path(os.environ['PLANES_SOURCE_DIR'])
VERT, FRAG = 'Shaders/simple.vert', 'Shaders/simple.frag'
DRAWN = ['common/airplane_outline.h', 'common/airplane_immediate.h', 'common/airplane_immediate.cpp']
SHARED = {'shaderplanes': ['common/airplane_outline.h', VERT, FRAG], 'transformplanes': DRAWN, 'dragplanes': DRAWN}
CLEAR, MAGENTA = (189, 189, 189), (255, 0, 255)
BACKGROUND = [window_point(150, 50, 1200, 800), window_point(-150, -50, 1200, 800)]  # no figure there


def shipped(path):
    return (SOURCE / path).read_text(encoding='utf-8')


def changed(path, old, new):
    """The shipped shader with old replaced, and the line (from 1) where it was."""
    text = shipped(path)
    return text.replace(old, new), text[:text.index(old)].count('\n') + 1


class Teaching(Page):
    program = 'shaderplanes'

    @classmethod
    def setUpClass(cls):
        cls.driver, cls.base = cls.enterClassContext(harness.chromium())

    def setUp(self):
        self.driver.get_log('browser')  # only what this test causes counts

    def open(self, fragment=''):
        self.driver.get('about:blank')  # else an address differing only in its fragment keeps the page
        harness.open_program(self.driver, self.base, self.program, fragment)

    def editor(self, path):
        return self.driver.find_element(By.CSS_SELECTOR, 'textarea[data-edit="%s"]' % path)

    def text(self, selector):
        return self.driver.execute_script('return document.querySelector(arguments[0]).textContent', selector)

    def press(self, button):
        """Presses Run or Reset and waits for the program's fresh start."""
        self.driver.execute_script('window.planesPageBefore = true')
        self.driver.find_element(By.ID, button).click()
        harness.wait_for(self.driver, lambda d: d.execute_script(
            'return !window.planesPageBefore && window.Module && Module.calledRun'), 60, lambda: button + ': no new start')

    def run_shaders(self, vert, frag):
        self.driver.execute_script('const [v, f] = document.querySelectorAll("textarea[data-edit]");'
                                   '[v.value, f.value] = [arguments[0], arguments[1]];', vert, frag)
        self.press('run-shaders')
        return self.driver.current_url[self.driver.current_url.index('#'):]

    def test_every_page_holds_its_files_byte_for_byte(self):
        for program, shared in SHARED.items():
            self.driver.get(self.base + program + '.html')
            # Opened, so highlighted: the text must still be the file's.
            self.driver.execute_script("document.querySelectorAll('details.file').forEach(d => d.open = true)")
            harness.wait_for(self.driver, lambda d: d.execute_script(
                "return [...document.querySelectorAll('code[data-file]')].every(c => c.classList.contains('hljs'))"),
                10, lambda: program + ': not highlighted')
            shown = dict(self.driver.execute_script(
                "return [...document.querySelectorAll('[data-file]')].map(e => [e.dataset.file, e.textContent])"))
            self.assertEqual(sorted(shown), sorted([program + '/' + name for name in os.listdir(SOURCE / program)]
                                                   + shared), program)
            for path, text in shown.items():
                self.assertEqual(text.encode('utf-8'), (SOURCE / path).read_bytes(), '%s: %s' % (program, path))

    def test_a_line_link_opens_its_file_there_a_click_on_a_number_makes_one(self):
        self.open('#shaderplanes/frame.cpp:150')
        # The open files, the marked line's number, whether its bar is level with it, and
        # whether it is in view.
        where = ("const number = document.querySelector('.line-numbers a.marked'), box = number.getBoundingClientRect(),"
                 "  bar = number.closest('.code').querySelector('.line-mark:not([hidden])').getBoundingClientRect();"
                 "return [[...document.querySelectorAll('details[open] code')].map(c => c.dataset.file), number.textContent,"
                 "        Math.abs(bar.top - box.top) < 1, box.top >= 0 && box.bottom <= innerHeight];")
        self.assertEqual(self.driver.execute_script(where), [['shaderplanes/frame.cpp'], '150', True, True])
        self.driver.find_element(By.CSS_SELECTOR, 'a[href="#shaderplanes/frame.cpp:7"]').click()
        self.assertTrue(self.driver.current_url.endswith('#shaderplanes/frame.cpp:7'), self.driver.current_url)
        self.assertEqual(self.driver.execute_script(where)[:3], [['shaderplanes/frame.cpp'], '7', True])

    def test_edited_shaders_run_from_their_link_and_reset_brings_back_the_shipped(self):
        magenta, _ = changed(FRAG, 'vec4(u_primitive_color, 1.0)', 'vec4(1.0, 0.0, 1.0, 1.0)')
        self.open()
        self.wait_colour(house_wall(0), Shaderplanes.WALL)
        self.editor(FRAG).clear()
        self.editor(FRAG).send_keys(magenta)  # typed: the keys are the editor's, not the program's
        self.press('run-shaders')
        self.wait_colour(house_wall(0), MAGENTA)
        self.wait_colour(BACKGROUND, CLEAR)
        self.assertIn('PROGRAM NAME: TARNISK_HW1', self.text('#console'))
        link = self.driver.current_url
        self.assertIn('#shaders=', link)

        self.open(link[link.index('#'):])
        self.wait_colour(house_wall(0), MAGENTA)
        self.assertEqual(self.editor(FRAG).get_property('value'), magenta)

        self.press('reset-shaders')
        self.wait_colour(house_wall(0), Shaderplanes.WALL)
        self.assertNotIn('#', self.driver.current_url)
        self.assertEqual([self.editor(p).get_property('value') for p in (VERT, FRAG)], [shipped(VERT), shipped(FRAG)])

    def test_errors_name_the_lines_written_and_leave_only_the_clear_colour(self):
        # The rewriting for WebGL adds a line above the fragment shader's line and two
        # above the vertex shader's.
        vert, vert_line = changed(VERT, 'u_ModelViewProjectionMatrix *', 'u_ModelViewProjectionMatrx *')
        frag, frag_line = changed(FRAG, 'u_primitive_color, 1.0', 'u_primitive_colour, 1.0')
        self.open()
        self.run_shaders(vert, frag)
        log = self.text('#shader-log').splitlines()
        named = {'%s:%d: ' % (VERT, vert_line), '%s:%d: ' % (FRAG, frag_line)}
        self.assertEqual({entry[:entry.index(' ') + 1] for entry in log}, named, log)
        self.assertTrue(any('u_primitive_colour' in entry for entry in log), log)
        clear = bytes(CLEAR) * (1200 * 800)
        harness.wait_for(self.driver, lambda d: harness.read_canvas(d).rgb == clear, 60,
                         lambda: 'more than the clear colour shows')
        severe = [entry for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']
        self.assertEqual(severe, [])

    def test_a_link_is_only_ever_text_and_a_damaged_one_gives_the_shipped_shaders(self):
        markup = shipped(FRAG) + '// </textarea><img src=x onerror="window.pwned=1"><script>window.pwned=2</script>\n'
        self.open()
        link = self.run_shaders(shipped(VERT), markup)
        self.open(link)
        self.wait_colour(house_wall(0), Shaderplanes.WALL)
        self.assertEqual(self.editor(FRAG).get_property('value'), markup)
        self.assertEqual(self.driver.execute_script(
            "return [window.pwned, document.querySelectorAll('img, script:not([src])').length]"), [None, 0])

        self.open(link[:-6])
        self.wait_colour(house_wall(0), Shaderplanes.WALL)
        self.assertEqual([self.editor(p).get_property('value') for p in (VERT, FRAG)], [shipped(VERT), shipped(FRAG)])
        self.assertEqual(len(self.text('#shader-log').splitlines()), 1, self.text('#shader-log'))
        self.assertIn('cannot be read', self.text('#shader-log'))


if __name__ == '__main__':
    result = unittest.TextTestRunner(verbosity=2).run(unittest.defaultTestLoader.loadTestsFromTestCase(Teaching))
    sys.exit(not result.wasSuccessful())
