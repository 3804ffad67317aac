"""Bookmarks: pages kept with Ctrl+D are there after a restart; opened, renamed, moved, removed and brought back;
a page gone from the help set is dimmed and says so; a damaged bookmarks file is set aside; Tab and focus."""

import glob
import json
import os
import pathlib
import shutil

from harness import BOOKMARKS, DEMO_PACK, ProgramTest

LIST, STATUS = "ComplexList(2)", "FrameLabel(7)"


def pages(report):  # the page column of the rows in view
    return [row[1] for row in report.control(LIST)["rowsInView"]]


class Bookmarks(ProgramTest):
    def setUp(self):
        super().setUp()
        help_folder = shutil.copytree(os.path.dirname(DEMO_PACK), os.path.join(self.config, "help"))
        self.pack = os.path.join(help_folder, "english.qlp")  # a help set of its own: a page is taken from it

    def file(self):
        return glob.glob(os.path.join(self.config, "data", "quillmark", "lumora", "bookmarks", "*.json"))[0]

    def kept(self):
        return json.loads(pathlib.Path(self.file()).read_text(encoding="utf-8"))["bookmarks"]

    def step(self, keys, order, what):  # keys pressed, then the list's pages in that order
        self.key(*keys)
        return self.wait(lambda r: pages(r) == order, what)

    def test_kept_across_a_restart_opened_renamed_moved_removed_and_brought_back(self):
        self.start()
        report = self.step(["ctrl+d"], ["index.html"], "the home page kept")
        self.assertEqual((report["page"], report.control(LIST)["rowsInView"], report.control(STATUS)["caption"]),
                         (BOOKMARKS, [["Welcome to Lumora Help", "index.html"]], 'Added "Welcome to Lumora Help".'))
        self.lumora.stop()
        self.start("-topic", "glossary")
        self.key("ctrl+d", "ctrl+d")
        self.wait(lambda r: pages(r) == ["index.html", "glossary.html"] and "kept already" in r.control(STATUS)["caption"],
                  "the glossary kept once")
        self.lumora.stop()
        report = self.open_page(self.start(), BOOKMARKS)
        self.assertEqual((pages(report), report.get("focus")), (["index.html", "glossary.html"], LIST))
        self.key("Down", "Return")
        self.wait(lambda r: r["url"].endswith("/glossary.html") and not r["loading"], "opened by Enter")
        self.key("F2")
        self.wait(lambda r: r.get("renaming") == "Glossary", "the name in its editor")
        self.key("ctrl+a")
        self.type("Words & terms")
        self.key("Return")
        report = self.wait(lambda r: r.control(LIST)["rowsInView"][1][0] == "Words & terms" and "renaming" not in r,
                           "renamed")
        self.assertEqual(self.kept()[1], {"name": "Words & terms", "page": "glossary.html"})
        report = self.step(["alt+Up"], ["glossary.html", "index.html"], "moved up")
        self.assertEqual([b["page"] for b in self.kept()], ["glossary.html", "index.html"])
        x, y, w, _ = report.on_screen(LIST)
        top, height = y + report.control(LIST)["rowsTop"], report.control(LIST)["rowHeight"]
        self.display.drag((x + w // 3, top + height // 2), (x + w // 3, top + 2 * height - 2))
        self.wait(lambda r: pages(r) == ["index.html", "glossary.html"], "dragged down")
        report = self.step(["Delete"], ["index.html"], "removed")
        self.assertEqual((report.control(STATUS)["caption"], len(self.kept())), ('Removed "Words && terms". Ctrl+Z brings it back.', 1))
        report = self.step(["ctrl+z"], ["index.html", "glossary.html"], "brought back where it was")
        self.assertEqual(len(self.kept()), 2)
        # A page taken away from the help set: dimmed, and opening it says so instead of an error page.
        os.remove(os.path.join(os.path.dirname(self.pack), "glossary.html"))
        self.open_page(report, 0)
        report = self.open_page(self.lumora.report(), BOOKMARKS)
        self.assertEqual(report.control(LIST)["dimmed"], [1])
        self.click(report, LIST)
        self.key("End", "Return")
        self.assertEqual(self.wait(lambda r: "no longer in this help set" in r.control(STATUS)["caption"],
                                   "said so")["url"], report["url"])

    def test_a_damaged_file_is_set_aside_and_the_keyboard_on_the_page(self):
        self.start()
        self.step(["ctrl+d"], ["index.html"], "kept")
        self.lumora.stop()
        path = self.file()
        pathlib.Path(path).write_text('{"bookmarks": [{"name": 3}', encoding="utf-8")
        report = self.open_page(self.start(), BOOKMARKS)
        self.assertEqual((pages(report), os.path.exists(path + ".damaged")), ([], True))
        self.assertIn("could not be read; it was kept as", self.lumora.log_text())
        self.assertIn("No bookmarks yet", report.control(STATUS)["caption"])
        # A new size lays the pane out again; the list keeps the keyboard.
        self.display.run("xdotool", "windowsize", str(self.windows()[0]), "900", "640")
        self.assertEqual(self.wait(lambda r: r["window"][2:] == [900, 640], "the new size").get("focus"), LIST)
        stops = []  # Tab: the list, Add, Display, the page
        for _ in range(3):
            before = self.lumora.report().get("focus")
            self.key("Tab")
            stops.append(self.wait(lambda r, b=before: r.get("focus") != b, "the next stop").get("focus"))
        self.assertEqual(stops, ["CommandButton(3)", "CommandButton(4)", "WebBrowser(0)"])
        self.step(["shift+Tab", "shift+Tab", "Return"], ["index.html"], "kept by Enter on Add")
        self.settled("bookmarks-page.png")
