"""A help set of 3,000 topics: the index and search lists scroll end to end by
every means, keep the selected row in view, and keep their counts in place."""

import shutil
import tempfile
import unittest

from harness import INDEX, SEARCH, ProgramTest, write_help_set

TOPICS = 3000

# Geometry of a list in pixels at 96 dpi: a two-pixel frame, a 16-pixel header
# strip, and a 17-pixel scroll bar whose arrows are 17 pixels high.
FRAME, HEADER, BAR, ARROW = 2, 16, 17, 17


class LongLists(ProgramTest):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="lumora-long-lists-")
        # Subjects run against the file names, so that sorting by subject
        # moves every row.
        cls.pack = write_help_set(cls.folder, TOPICS, lambda i: f"Topic {TOPICS - 1 - i:05} about printing",
                                  lambda i: "Print the table. " + ("The xylophone page. " if i == 1234 else ""))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder, ignore_errors=True)

    def list_state(self, report, name):
        c = report.control(name)
        return c["rows"], c["selected"], c["firstInView"], c["lastInView"], c["scrollBar"]

    def points(self, report, name):
        """Screen points of a list's parts: a row, the two arrows, the track
        ends, and the slider when the list shows its first or last rows."""
        x, y, w, h = report.on_screen(name)
        bar_x, bar_top, bar_bottom = x + w - FRAME - BAR // 2 - 1, y + FRAME + HEADER + 1, y + h - 3
        return {
            "row": (x + 40, y + FRAME + HEADER + 30),
            "up": (bar_x, bar_top + ARROW // 2),
            "down": (bar_x, bar_bottom - ARROW // 2),
            "track top": (bar_x, bar_top + ARROW + 12),
            "track bottom": (bar_x, bar_bottom - ARROW - 12),
            "slider at top": (bar_x, bar_top + ARROW + 3),
            "slider at bottom": (bar_x, bar_bottom - ARROW - 4),
        }

    def assert_selected_in_view(self, report, name):
        _, selected, first, last, _ = self.list_state(report, name)
        self.assertTrue(first <= selected <= last, (selected, first, last))

    def at_end(self, name):
        return lambda r: r.control(name)["lastInView"] == r.control(name)["rows"] - 1

    def at_top(self, name):
        return lambda r: r.control(name)["firstInView"] == 0

    def hold(self, point, condition, what, timeout=90):
        self.display.mouse_move(*point)
        self.display.run("xdotool", "mousedown", "1")
        try:
            return self.wait(condition, what, timeout)
        finally:
            self.display.run("xdotool", "mouseup", "1")

    def drag_slider(self, report, name, to_end):
        p = self.points(report, name)
        start = p["slider at top"] if to_end else p["slider at bottom"]
        self.display.drag(start, (start[0], start[1] + (600 if to_end else -600)))
        return self.wait(self.at_end(name) if to_end else self.at_top(name), f"slider dragged, to the end: {to_end}")

    def test_index_list_scrolls_end_to_end_by_every_means(self):
        name = "ComplexList(1)"
        report = self.start("-index", page=INDEX, timeout=120)
        rows, selected, first, last, bar = self.list_state(report, name)
        self.assertEqual(rows, TOPICS + 1)
        self.assertTrue(bar, "3,000 topics do not fit: the scroll bar shows from the start")
        self.assertEqual(first, 0)
        self.shoot("long-index-top.png")
        p = self.points(report, name)

        # The slider, both ways.
        report = self.drag_slider(report, name, to_end=True)
        self.shoot("long-index-end.png")
        report = self.drag_slider(report, name, to_end=False)

        # Held, the arrows and the track reach the ends, each from the slider
        # dragged near that end (a held track moves two steps a tick).
        near = {False: (p["up"][0], p["track top"][1] + 20), True: (p["up"][0], p["track bottom"][1] - 20)}
        at_end = False
        for part, to_end in (("up", False), ("down", True), ("track top", False), ("track bottom", True)):
            with self.subTest(held=part):
                self.display.drag(p["slider at bottom" if at_end else "slider at top"], near[to_end])
                self.wait(lambda r: 0 < r.control(name)["firstInView"] and not self.at_end(name)(r), "off the ends")
                self.hold(p[part], self.at_end(name) if to_end else self.at_top(name), f"{part} held to its end")
                at_end = to_end

        # The wheel, from near either end.
        self.display.mouse_move(*p["row"])
        self.display.run("xdotool", "click", "--repeat", "60", "--delay", "10", "4")
        report = self.wait(lambda r: r.control(name)["lastInView"] < r.control(name)["rows"] - 1, "wheel up")
        self.display.run("xdotool", "click", "--repeat", "60", "--delay", "10", "5")
        report = self.wait(self.at_end(name), "wheel down to the end")

        # The keyboard: Home, End, PageUp, PageDown, each showing its row.
        self.display.click(*p["row"])
        for key, moved in (("Home", lambda now, was, rows: now == 0), ("End", lambda now, was, rows: now == rows - 1),
                           ("Prior", lambda now, was, rows: now < was), ("Next", lambda now, was, rows: now > was)):
            with self.subTest(key=key):
                was = self.lumora.report().control(name)["selected"]
                self.key(key)
                report = self.wait(lambda r: moved(r.control(name)["selected"], was, r.control(name)["rows"]),
                                   f"{key} moves the selection")
                self.assert_selected_in_view(report, name)

    def test_look_up_sort_and_display_keep_the_topic(self):
        name = "ComplexList(1)"
        report = self.start("-index", page=INDEX, timeout=120)

        # Typing the first letters of a topic far down shows it selected.
        self.click(report, "WriteBox(1)")
        self.type("topic 000")  # first in the folder: Topic02900
        report = self.wait(lambda r: r.control(name)["selected"] > 2800, "the look-up selects a topic far down")
        self.assert_selected_in_view(report, name)
        self.shoot("long-index-look-up.png")

        # Sorting by the topic column moves the topic near the top; the
        # selection follows it, and Display opens it.
        self.display.click(report.screen_centre(name)[0] - 40, report.screen_centre(name)[1] -
                           report.control(name)["rect"][3] / 2 + 9)
        report = self.wait(lambda r: r.control(name)["selected"] < 200, "sorted by topic")
        self.assert_selected_in_view(report, name)
        self.click(report, "CommandButton(2)")
        report = self.wait(lambda r: r["url"].endswith("/reference/topic02900.html"), "Display opens the topic")

        # A look-up without match selects nothing, and Enter opens nothing:
        # one step back from the next topic opened is the topic before.
        self.click(report, "WriteBox(1)")
        self.key("ctrl+a")
        self.type("zzz")
        report = self.wait(lambda r: r.control(name)["selected"] == -1, "nothing selected")
        self.key("Return")
        self.key("ctrl+a")
        self.type("topic 02994")  # Topic00005
        self.key("Return")
        report = self.wait(lambda r: r["url"].endswith("/reference/topic00005.html"), "Enter opens the topic")
        self.click(report, "ToolButton(0)")  # Back
        report = self.wait(lambda r: not r["url"].endswith("/topic00005.html"), "back one step")
        self.assertTrue(report["url"].endswith("/reference/topic02900.html"), report["url"])

    def test_search_results_start_at_their_first_row(self):
        name = "ComplexList(0)"
        report = self.start("-search", page=SEARCH, timeout=120)
        count = report.control("FrameLabel(2)")
        right = count["rect"][0] + count["rect"][2]

        def search(words):
            self.click(report, "WriteBox(0)")
            self.key("ctrl+a")
            self.type(words)
            self.key("Return")

        search("print")
        report = self.wait(lambda r: r.control("FrameLabel(2)")["caption"] == f"Matches: {TOPICS}" and not r["busy"],
                           "3,000 matches", 120)
        rows, selected, first, _, bar = self.list_state(report, name)
        self.assertEqual((rows, selected, first, bar), (TOPICS, 0, 0, True))
        count = report.control("FrameLabel(2)")
        self.assertEqual(count["rect"][0] + count["rect"][2], right, "Matches: N keeps its right edge")

        # Scrolled to the end, then a search with one result shows that row.
        report = self.drag_slider(report, name, to_end=True)
        search("xylophone")
        report = self.wait(lambda r: r.control("FrameLabel(2)")["caption"] == "Matches: 1" and not r["busy"],
                           "one match", 120)
        self.assertEqual(self.list_state(report, name), (1, 0, 0, 0, False))
        count = report.control("FrameLabel(2)")
        self.assertEqual(count["rect"][0] + count["rect"][2], right)
        self.shoot("long-search-one-result.png")


if __name__ == "__main__":
    unittest.main()
