"""Keys a reader expects: zoom kept for the user, history and home from the
keyboard, print and preview, and typing at once on the index page."""

import os
import re
import tempfile
import time
import unittest

from harness import DEMO_PACK, Display, start_shown

INDEX = 1


class Keys(unittest.TestCase):
    def setUp(self):
        self.display = Display(window_manager=True)
        self.config = tempfile.mkdtemp(prefix="lumora-user-")
        self.lumora = None

    def tearDown(self):
        if self.lumora:
            self.lumora.stop()
        self.display.close()

    def start(self):
        self.lumora = start_shown(self.display, [DEMO_PACK], config_home=self.config)
        report = self.lumora.wait_report(lambda r: r["url"].endswith("/index.html"), "the home page")
        self.focus_page(report)
        return report

    def focus_page(self, report):
        """Gives the page the keyboard with a click on its top margin, where no link is."""
        x0, y0, _, _ = report["window"]
        x, y, w, _ = report.control("WebBrowser(0)")["rect"]
        self.display.click(x0 + x + w // 2, y0 + y + 6)
        time.sleep(0.5)

    def key(self, *keys):
        self.display.run("xdotool", "key", "--delay", "60", *keys)

    def wait(self, condition, what):
        return self.lumora.wait_report(condition, what, timeout=30)

    def test_zoom_by_keys_and_wheel_is_kept_between_runs(self):
        report = self.start()
        self.assertEqual(report["zoom"], 1.0)
        self.key("ctrl+plus")
        self.wait(lambda r: r["zoom"] == 1.1, "zoomed in")
        self.key("ctrl+minus", "ctrl+minus")
        self.wait(lambda r: r["zoom"] == 0.9, "zoomed out twice")
        self.key("ctrl+0")
        self.wait(lambda r: r["zoom"] == 1.0, "zoom reset")
        self.display.mouse_move(*report.screen_centre("WebBrowser(0)"))
        self.display.run("xdotool", "keydown", "ctrl", "click", "4", "click", "4", "keyup", "ctrl")
        self.wait(lambda r: r["zoom"] == 1.25, "zoomed in by the wheel")
        self.lumora.stop()
        report = self.start()
        self.assertEqual(report["zoom"], 1.25)

    def test_window_place_is_kept_and_brought_back_onto_a_screen(self):
        report = self.start()
        x, y, width, height = report["window"]
        grip = report.screen_centre("FormCaption(0)")
        self.display.drag(grip, (grip[0] + 80, grip[1] + 50))
        report = self.wait(lambda r: r["window"][:2] == [x + 80, y + 50], "moved by its caption")
        # The pane made wider by its drag slider, at its right edge.
        self.display.click(*report.screen_centre("ToolButton(3)"))
        report = self.wait(lambda r: r["page"] == INDEX and not r["busy"], "the index page")
        px, py, pw, ph = report.control("ExplorerHolder(0)")["rect"]
        grip = (report["window"][0] + px + pw - 3, report["window"][1] + py + ph // 2)
        self.display.drag(grip, (grip[0] + 60, grip[1]))
        self.wait(lambda r: r.control("ExplorerHolder(0)")["rect"][2] > pw + 30, "a wider pane")
        time.sleep(0.5)  # the drag's last steps land
        report = self.lumora.report()
        pane = report.control("ExplorerHolder(0)")["rect"][2]
        self.display.click(*report.screen_centre("FormControl(4)"))
        self.assertEqual(self.lumora.wait_exit(timeout=30), 0)
        self.lumora.stop()
        report = self.start()
        self.assertEqual(report["window"], [x + 80, y + 50, width, height])
        self.display.click(*report.screen_centre("ToolButton(3)"))
        report = self.wait(lambda r: r["page"] == INDEX and not r["busy"], "the index page again")
        self.assertEqual(report.control("ExplorerHolder(0)")["rect"][2], pane)
        self.lumora.stop()

        # A place on a screen that is gone (say, a monitor since unplugged).
        settings = os.path.join(self.config, "quillmark", "lumora.ini")
        with open(settings, encoding="utf-8") as f:
            text = re.sub(r"Geometry=@Rect\(\d+ \d+", "Geometry=@Rect(5000 4000", f.read())
        with open(settings, "w", encoding="utf-8") as f:
            f.write(text)
        x, y, width, height = self.start()["window"]
        self.assertTrue(x >= 0 and y >= 0 and x + width <= 1024 and y + height <= 768, (x, y, width, height))

    def test_history_home_print_and_preview_from_the_keyboard(self):
        report = self.start()
        home = report["url"]
        self.key("alt+Left")  # nothing to go back to
        time.sleep(0.5)
        self.assertEqual(self.lumora.report()["url"], home)
        self.display.click(*report.screen_centre("ToolButton(3)"))
        self.wait(lambda r: r["page"] == INDEX and not r["busy"], "the index page")
        # The look-up box has the keyboard as soon as its page opens.
        self.display.run("xdotool", "type", "--delay", "40", "glossary")
        self.key("Return")
        self.wait(lambda r: r["url"].endswith("/glossary.html"), "the glossary")
        # The page takes the keyboard; the window's keys still work there.
        self.focus_page(self.lumora.report())
        self.key("alt+Left")
        self.wait(lambda r: r["url"] == home, "back home")
        self.key("alt+Right")
        self.wait(lambda r: r["url"].endswith("/glossary.html"), "forward to the glossary")
        self.key("alt+Home")
        self.wait(lambda r: r["url"] == home and r["page"] == 0, "home again on the contents page")
        for keys, title in (("ctrl+p", "^Print$"), ("ctrl+shift+p", "^Print Preview$")):
            with self.subTest(keys=keys):
                self.key(keys)
                dialog = self.display.wait_window(title, timeout=60)
                self.display.press_key(dialog[0], "Escape")
                deadline = time.monotonic() + 30
                while self.display.windows(title) and time.monotonic() < deadline:
                    time.sleep(0.2)
                self.assertEqual(self.display.windows(title), [])

    def focus_stops(self, key, count):
        """The control holding the keyboard after each of count presses of key."""
        stops = []
        for _ in range(count):
            before = self.lumora.report().data.get("focus")
            self.key(key)
            deadline = time.monotonic() + 0.5  # within the page the next link takes it
            while self.lumora.report().data.get("focus") == before and time.monotonic() < deadline:
                time.sleep(0.05)
            stops.append(self.lumora.report().data.get("focus"))
        return stops

    def tab_to(self, name, most):
        for _ in range(most):
            if self.lumora.report().data.get("focus") == name:
                return
            self.focus_stops("Tab", 1)
        self.fail(f"Tab never reached {name}")

    def test_tab_visits_every_button_and_enter_presses_it(self):
        # A page of few links: within the page Tab visits each of them.
        self.lumora = start_shown(self.display, [DEMO_PACK, "-topic", "glossary"], config_home=self.config)
        report = self.wait(lambda r: r["url"].endswith("/glossary.html"), "the glossary")
        first = report["url"]
        self.display.click(*report.screen_centre("ToolButton(4)"))  # the search page
        self.wait(lambda r: r["page"] == 2, "the search page")
        self.display.run("xdotool", "type", "--delay", "40", "print")
        self.key("Return")
        report = self.wait(lambda r: r.control("ComplexList(0)")["rows"] > 1, "search results")
        presses = self.focus_stops("Tab", 40)
        # One stop a control: the page's links are stops within the page.
        forward = [name for i, name in enumerate(presses) if i == 0 or name != presses[i - 1]]
        cycle = forward[:forward.index(forward[0], 1)]
        print("\nTab stops:", ", ".join(cycle), flush=True)
        shown = {c["name"] for c in report.visible()}
        buttons = [n for n in shown if re.fullmatch(r"(ToolButton|FormControl)\(\d+\)", n)]
        # Back and Forward have no history to go to yet, and a disabled button is no stop.
        idle = ["ToolButton(0)", "ToolButton(1)"]
        self.assertEqual(len(buttons), 13)
        for name in set(buttons) - set(idle) | {"WriteBox(0)", "CommandButton(0)", "ComplexList(0)", "WebBrowser(0)"}:
            self.assertIn(name, cycle)
        for name in idle:
            self.assertNotIn(name, cycle)
        self.assertEqual(len(cycle), len(set(cycle)), "a control visited twice in one round")
        # Shift+Tab walks the same round backwards.
        presses = self.focus_stops("shift+Tab", 40)
        backward = [name for i, name in enumerate(presses) if name != (presses[i - 1] if i else forward[-1])]
        at = cycle.index(forward[-1])
        self.assertEqual(backward[:len(cycle)], [cycle[(at - 1 - i) % len(cycle)] for i in range(len(cycle))])
        # Enter in the list opens the selected result; Enter on Back goes back.
        self.tab_to("WriteBox(0)", len(cycle))
        self.key("Down")
        self.wait(lambda r: r.data.get("focus") == "ComplexList(0)", "Down from the box into the list")
        self.key("Return")
        report = self.wait(lambda r: r["url"] != first, "the first result opened")
        self.tab_to("ToolButton(0)", 80)  # through the opened page's links too
        self.key("Return")
        self.wait(lambda r: r["url"] == first, "back to the glossary by Enter on Back")


if __name__ == "__main__":
    unittest.main()
