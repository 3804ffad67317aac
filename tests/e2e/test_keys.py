"""Keys a reader expects: zoom, history and home, print and preview, typing at once on the index page, Tab and
Shift+Tab round the window's controls, and Enter on a search result; the zoom, place and pane kept for the user."""

import pathlib
import re
import time

from harness import INDEX, SEARCH, ProgramTest, poll
from test_find import occurrences

DAMAGED = "\x00[Window]\nGeometry=@Rect(\x01\nMaximized=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x13Q)\n"  # a damaged file


class Keys(ProgramTest):
    def test_kept_zoom_place_and_pane_history_keys_print_and_a_place_brought_back_onto_the_screen(self):
        self.start()
        report = self.wait(lambda r: r.get("focus") == "WebBrowser(0)", "the page has the keyboard at start")
        x, y, width, height = report["window"]
        for keys, zoom in ((["ctrl+plus"], 1.1), (["ctrl+minus", "ctrl+minus"], 0.9), (["ctrl+0"], 1.0)):
            self.key(*keys)
            self.wait(lambda r, z=zoom: r["zoom"] == z, f"{keys}: zoom {zoom}")
        self.display.mouse_move(*report.screen_centre("WebBrowser(0)"))
        self.display.run("xdotool", "keydown", "ctrl", "click", "4", "click", "4", "keyup", "ctrl")
        self.wait(lambda r: r["zoom"] == 1.25, "zoomed in by the wheel")
        grip = report.screen_centre("FormCaption(0)")
        self.display.drag(grip, (grip[0] + 80, grip[1] + 50))
        report = self.wait(lambda r: r["window"][:2] == [x + 80, y + 50], "moved by its caption")
        # The pane made wider by its drag slider, at its right edge.
        report = self.open_page(report, INDEX)
        pane_x, _, pw, _ = report.on_screen("ExplorerHolder(0)")
        self.drag_pane(report, pane_x + pw + 57)
        self.wait(lambda r: r.control("ExplorerHolder(0)")["rect"][2] > pw + 30, "a wider pane")
        report, _ = self.settled("wider-pane.png")  # the drag's last steps land
        pane = report.control("ExplorerHolder(0)")["rect"][2]
        self.click(report, "FormControl(4)")
        self.assertEqual(self.lumora.process.wait(timeout=30), 0)
        self.focus_page(report := self.start())
        home = report["url"]
        report = self.open_page(report, INDEX)
        self.assertEqual((report["zoom"], report["window"], report.control("ExplorerHolder(0)")["rect"][2]),
                         (1.25, [x + 80, y + 50, width, height], pane))
        # The look-up box has the keyboard as soon as its page opens, and keeps Backspace.
        self.type("glossaryy")
        self.key("BackSpace", "Return")
        self.wait(lambda r: r["url"].endswith("/glossary.html"), "the glossary")
        # F6 goes between the look-up box and the page; the window's keys still work in the page.
        self.focus_page(self.lumora.report())
        for key, reached in (("F6", lambda r: r.get("focus") == "WriteBox(1)"),
                             ("F6", lambda r: r.get("focus") == "WebBrowser(0)"),
                             ("alt+Left", lambda r: r["url"] == home),
                             ("alt+Right", lambda r: r["url"].endswith("/glossary.html")),
                             ("alt+Home", lambda r: r["url"] == home and r["page"] == 0),
                             ("BackSpace", lambda r: r["url"].endswith("/glossary.html")),
                             ("F1", lambda r: r["url"].endswith("/using/overview.html"))):
            self.key(key)
            self.wait(reached, key)
        for keys, title in (("ctrl+p", "^Print$"), ("ctrl+shift+p", "^Print Preview$")):
            self.key(keys)
            self.display.press_key(self.display.wait_window(title, timeout=60)[0], "Escape")
            poll(lambda: not self.display.windows(title), f"{title} stays", 30)
        self.lumora.stop()
        # A place on a screen that is gone (a monitor since unplugged), one larger than this screen, and a
        # damaged file: the window comes back whole, in the usual time (the fitting's cases are its unit test's).
        settings = pathlib.Path(self.config, "quillmark", "lumora.ini")
        saved = settings.read_text(encoding="utf-8")
        for rect in ("5000 4000 800 600", "0 0 60000 60000", None):
            with self.subTest(rect=rect):
                settings.write_text(DAMAGED if rect is None else
                                    re.sub(r"Geometry=@Rect\([^)]*\)", f"Geometry=@Rect({rect})", saved))
                x, y, width, height = self.start()["window"]
                self.assertTrue(x >= 0 and y >= 0 and x + width <= 1024 and y + height <= 768, (x, y, width, height))
                self.lumora.stop()

    def focus_stops(self, key, count, until=None):
        """The control holding the keyboard after each of count presses of key (or until it is `until`)."""
        stops = []
        while len(stops) < count:
            before = self.lumora.report().get("focus")
            if before == until:
                return stops
            self.key(key)
            deadline = time.monotonic() + 0.5  # within the page the next link takes it
            while self.lumora.report().get("focus") == before and time.monotonic() < deadline:
                time.sleep(0.05)
            stops.append(self.lumora.report().get("focus"))
        self.assertIn(until, (None, stops[-1]), f"Tab never reached {until}")
        return stops

    def test_tab_visits_every_button_and_enter_presses_it(self):
        # A page of few links: within the page Tab visits each of them.
        report = self.start("-topic", "glossary")
        first = report["url"]
        self.open_page(report, SEARCH)
        self.type("preview print")
        self.key("Return")
        report = self.wait(lambda r: r.control("ComplexList(0)")["rows"] > 1, "search results")
        presses = self.focus_stops("Tab", 40)
        # One stop a control: the page's links are stops within the page.
        forward = [name for i, name in enumerate(presses) if i == 0 or name != presses[i - 1]]
        cycle = forward[:forward.index(forward[0], 1)]
        buttons = {c["name"] for c in report.visible() if re.fullmatch(r"(ToolButton|FormControl)\(\d+\)", c["name"])}
        # Back and Forward have no history to go to yet, and a disabled button is no stop.
        idle = {"ToolButton(0)", "ToolButton(1)"}
        self.assertEqual(len(buttons), 14)
        self.assertEqual((buttons - idle | {"WriteBox(0)", "CommandButton(0)", "ComplexList(0)", "WebBrowser(0)"})
                         - set(cycle), set(), cycle)
        self.assertEqual(idle & set(cycle), set(), cycle)
        self.assertEqual(len(cycle), len(set(cycle)), f"a control visited twice in one round: {cycle}")
        presses = self.focus_stops("shift+Tab", 40)
        backward = [name for i, name in enumerate(presses) if name != (presses[i - 1] if i else forward[-1])]
        at = cycle.index(forward[-1])
        self.assertEqual(backward[:len(cycle)], [cycle[(at - 1 - i) % len(cycle)] for i in range(len(cycle))])
        # Enter in the list opens the selected result, the words searched for marked on it; Enter on Back goes back.
        self.focus_stops("Tab", len(cycle), until="WriteBox(0)")
        self.key("Down")
        self.wait(lambda r: r.get("focus") == "ComplexList(0)", "Down from the box into the list")
        self.key("Return")
        report = self.wait(lambda r: r["url"] != first and r["searchMarks"]["page"] == r["url"], "a result, marked")
        self.assertEqual(report["searchMarks"]["count"], occurrences(report["url"], ["preview", "print"]))
        self.assertGreater(report["searchMarks"]["count"], 0)
        self.shoot("search-marks.png")
        self.focus_stops("Tab", 80, until="ToolButton(0)")  # through the opened page's links too
        self.key("Return")
        self.wait(lambda r: r["url"] == first, "back to the glossary by Enter on Back")
        # The index pane's stops lead on to the page and the toolbar, too.
        self.open_page(self.lumora.report(), INDEX)
        stops = self.focus_stops("Tab", 40, until="ToolButton(2)")
        self.assertEqual(stops[:3], ["ComplexList(1)", "CommandButton(2)", "WebBrowser(0)"])
