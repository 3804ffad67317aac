"""A help set of 3,000 topics: the index list scrolls end to end by its scroll bar in the real window; the look-up
and a sort keep the selected row in view; and the search list starts each search at its first row."""

import os

from harness import INDEX, SEARCH, ProgramTest, write_help_set

TOPICS = 3000
# A list in pixels at 96 dpi: its frame, its header strip, its scroll bar, and the height of the bar's arrows.
FRAME, HEADER, BAR, ARROW = 2, 16, 17, 17
LIST = "ComplexList(1)"


class LongLists(ProgramTest):
    def assert_selected_in_view(self, report):
        c = report.control(LIST)
        self.assertTrue(c["firstInView"] <= c["selected"] <= c["lastInView"], c)

    def at(self, end, name=LIST):
        return lambda r: (r.control(name)["lastInView"] == r.control(name)["rows"] - 1 if end
                          else r.control(name)["firstInView"] == 0)

    def bar(self, report, name=LIST):  # the scroll bar's column, and its top and bottom, on the screen
        x, y, w, h = report.on_screen(name)
        return x + w - FRAME - BAR // 2 - 1, y + FRAME + HEADER + 1, y + h - 3

    def test_index_list_scrolls_end_to_end_and_sort_look_up_and_search_keep_their_row(self):
        folder = os.path.join(self.config, "help")
        os.makedirs(folder)
        # Subjects run against the file names, so that sorting by subject moves every row.
        self.pack = write_help_set(folder, TOPICS, lambda i: f"Topic {TOPICS - 1 - i:05} about printing",
                                   lambda i: "Print the table. " + ("The xylophone page." if i == 1234 else ""))
        report = self.start("-index", page=INDEX, timeout=120)
        c = report.control(LIST)
        self.assertEqual((c["rows"], c["firstInView"], c["scrollBar"]), (TOPICS + 1, 0, True))
        # In reading order, the first row selected, as the reader sees it.
        first = ["topic 00000 about printing", "topic"]
        self.assertEqual((c["selectedCells"], c["rowsInView"][:2]), (first, [first, ["topic 00001 about printing", "topic"]]))
        bar_x, top, bottom = self.bar(report)
        slider = {False: (bar_x, top + ARROW + 3), True: (bar_x, bottom - ARROW - 4)}  # at the top, at the end
        near = {False: (bar_x, top + ARROW + 32), True: (bar_x, bottom - ARROW - 32)}
        for to_end, end in ((True, "end"), (False, "top")):
            self.display.drag(slider[not to_end], (bar_x, slider[not to_end][1] + (600 if to_end else -600)))
            self.wait(self.at(to_end), f"slider dragged to the {end}")
            self.shoot(f"long-index-{end}.png")

        # Held, the arrows and the track reach the ends, each from the slider dragged near that end.
        at_end = False
        for part, point, to_end in (("up", (bar_x, top + ARROW // 2), False), ("down", (bar_x, bottom - ARROW // 2), True),
                                    ("track top", (bar_x, top + ARROW + 12), False), ("track bottom", (bar_x, bottom - ARROW - 12), True)):
            with self.subTest(held=part):
                self.display.drag(slider[at_end], near[to_end])
                self.wait(lambda r: 0 < r.control(LIST)["firstInView"] and not self.at(True)(r), "off the ends")
                self.display.mouse_move(*point)
                self.display.run("xdotool", "mousedown", "1")
                try:
                    self.wait(self.at(to_end), f"{part} held to its end", 90)
                finally:
                    self.display.run("xdotool", "mouseup", "1")
                at_end = to_end

        # The wheel and the list keys are the list's own (its unit tests); the look-up is the window's.
        self.click(report, "WriteBox(1)")
        self.type("topic 029")  # Topic00099
        report = self.wait(lambda r: r.control(LIST)["selected"] == 2900, "the look-up selects a topic far down")
        self.assert_selected_in_view(report)
        self.shoot("long-index-look-up.png")
        # A second click on the topic column's title turns the order round: the selection follows its topic
        # near the top, Display opens it.
        x, y, w, _ = report.on_screen(LIST)
        self.display.click(x + w / 2 - 40, y + 9)
        self.display.click(x + w / 2 - 40, y + 9)
        report = self.wait(lambda r: r.control(LIST)["selected"] == 100, "sorted by topic, Z to A")
        self.assert_selected_in_view(report)
        self.click(report, "CommandButton(2)")
        report = self.wait(lambda r: r["url"].endswith("/reference/topic00099.html"), "Display opens the topic")
        # A look-up without match selects nothing and Enter opens nothing: one step back from the next
        # topic opened is the topic before.
        self.click(report, "WriteBox(1)")
        self.key("ctrl+a")
        self.type("zzz")
        self.wait(lambda r: r.control(LIST)["selected"] == -1, "nothing selected")
        self.key("Return", "ctrl+a")
        self.type("topic 02994")  # Topic00005
        self.key("Return")
        report = self.wait(lambda r: r["url"].endswith("/reference/topic00005.html"), "Enter opens the topic")
        self.click(report, "ToolButton(0)")  # Back
        self.wait(lambda r: r["url"].endswith("/reference/topic00099.html"), "back one step")

        # A long search scrolled to its end, then a search with one result: that row shows, and the
        # count keeps its right edge.
        report = self.open_page(report, SEARCH)
        right = sum(report.control("FrameLabel(2)")["rect"][0:3:2])
        for words, count in (("print", TOPICS), ("xylophone", 1)):
            self.click(report, "WriteBox(0)")
            self.key("ctrl+a")
            self.type(words)
            self.key("Return")
            report = self.wait(lambda r: r.control("FrameLabel(2)")["caption"] == f"Matches: {count}"
                               and not r["busy"], f"{count} matches", 120)
            c = report.control("ComplexList(0)")
            self.assertEqual((c["rows"], c["selected"], c["firstInView"], c["scrollBar"]), (count, 0, 0, count > 1))
            self.assertEqual(sum(report.control("FrameLabel(2)")["rect"][0:3:2]), right, "Matches: N moved")
            if count > 1:  # scrolled to its end before the next search
                bar_x, top, _ = self.bar(report, "ComplexList(0)")
                self.display.drag((bar_x, top + ARROW + 3), (bar_x, top + ARROW + 603))
                self.wait(self.at(True, "ComplexList(0)"), "the search list at its end")
