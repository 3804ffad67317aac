"""The Russian demo: a pack in UTF-8 captions the window, and a word typed in
lower case finds pages written in windows-1251, UTF-8 and UTF-16."""

import os
import time
import unittest

from harness import BUILD_DIR, Display, start_shown

RUSSIAN_PACK = os.path.join(BUILD_DIR, "share", "lumora", "help-ru", "russian.qlp")
SHOTS = os.path.join(BUILD_DIR, "e2e-shots")
SEARCH = 2


class RussianWindow(unittest.TestCase):
    def setUp(self):
        self.display = Display()
        self.lumora = None

    def tearDown(self):
        if self.lumora:
            self.lumora.stop()
        self.display.close()

    def test_captions_search_and_first_result(self):
        self.lumora = start_shown(self.display, [RUSSIAN_PACK, "-search"])
        report = self.lumora.wait_report(lambda r: r["page"] == SEARCH and r["url"] and not r["busy"], "the search page")
        captions = {name: report.control(name).get("caption") for name in
                    ("CommandButton(0)", "CommandButton(1)", "FrameLabel(2)", "ToolButton(2)", "ToolButton(4)")}
        self.assertEqual(captions, {"CommandButton(0)": "&Найти", "CommandButton(1)": "&Показать",
                                    "FrameLabel(2)": "Найдено: 0", "ToolButton(2)": "Содержание",
                                    "ToolButton(4)": "Поиск"})

        self.display.click(*report.screen_centre("WriteBox(0)"))
        # Letters beyond the keyboard map are typed through a remapped key;
        # slowly, so the program has the new map before each letter.
        self.display.run("xdotool", "type", "--delay", "150", "печать")
        time.sleep(0.3)
        self.display.run("xdotool", "key", "Return")
        report = self.lumora.wait_report(
            lambda r: r.control("FrameLabel(2)")["caption"] not in ("Найдено: 0", "Найдено:"), "search results")
        self.assertRegex(report.control("FrameLabel(2)")["caption"], r"^Найдено: [1-9]\d*$")
        os.makedirs(SHOTS, exist_ok=True)
        self.display.screenshot(os.path.join(SHOTS, "russian-search.png"))

        self.display.click(*report.screen_centre("CommandButton(1)"))  # Display: the best match
        report = self.lumora.wait_report(lambda r: r["url"].endswith("/spravka/pechat.html"), "the printing page")
        time.sleep(0.5)
        self.display.screenshot(os.path.join(SHOTS, "russian-page.png"))


if __name__ == "__main__":
    unittest.main()
