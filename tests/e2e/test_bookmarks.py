"""Bookmarks: pages kept with Ctrl+D are there after a restart; opened, renamed, moved, removed and brought back;
a page gone from the help set is dimmed and says so; a damaged bookmarks file is set aside; Tab and names."""

import glob
import json
import os
import pathlib
import shutil
import tempfile

from harness import BOOKMARKS, DEMO_PACK, ProgramTest

LIST = "ComplexList(2)"
STATUS = "FrameLabel(7)"


def rows(report):
    return report.control(LIST)["rowsInView"]


class Bookmarks(ProgramTest):
    def setUp(self):
        super().setUp()
        # A help set of the test's own, so that a page can be taken away from it.
        folder = tempfile.mkdtemp(prefix="lumora-bookmarks-")
        self.addCleanup(shutil.rmtree, folder, True)
        shutil.copytree(os.path.dirname(DEMO_PACK), os.path.join(folder, "help"))
        self.pack = os.path.join(folder, "help", "english.qlp")

    def kept_file(self):
        return json.loads(pathlib.Path(self.bookmarks_file()).read_text(encoding="utf-8"))["bookmarks"]

    def bookmarks_file(self):
        return glob.glob(os.path.join(self.config, "data", "quillmark", "lumora", "bookmarks", "*.json"))[0]

    def test_kept_across_a_restart_opened_renamed_moved_removed_and_brought_back(self):
        self.start()
        self.key("ctrl+d")
        report = self.wait(lambda r: r["page"] == BOOKMARKS and len(rows(r)) == 1, "the home page kept")
        self.assertEqual(rows(report), [["Welcome to Lumora Help", "index.html"]])
        self.assertEqual(report.control(STATUS)["caption"], 'Added "Welcome to Lumora Help".')
        self.lumora.stop()
        report = self.start("-topic", "glossary")
        self.key("ctrl+d", "ctrl+d")  # twice: still one entry
        report = self.wait(lambda r: r["page"] == BOOKMARKS and len(rows(r)) == 2
                           and "kept already" in r.control(STATUS)["caption"], "the glossary kept once")
        self.assertEqual([r[1] for r in rows(report)], ["index.html", "glossary.html"])
        self.assertEqual(report.control(LIST)["selectedCells"][1], "glossary.html")
        self.lumora.stop()

        report = self.start()
        report = self.open_page(report, BOOKMARKS)
        self.assertEqual([r[1] for r in rows(report)], ["index.html", "glossary.html"])
        self.assertEqual(report.get("focus"), LIST)
        # Enter opens the selected bookmark (the list keeps the keyboard).
        self.key("Down", "Return")
        report = self.wait(lambda r: r["url"].endswith("/glossary.html") and not r["loading"], "the glossary opened")
        # F2 renames in place; Escape would keep the old name.
        self.key("F2")
        self.wait(lambda r: r.get("renaming") == "Glossary", "the name in its editor")
        self.key("ctrl+a")
        self.type("Words & terms")
        self.key("Return")
        report = self.wait(lambda r: rows(r)[1][0] == "Words && terms" and "renaming" not in r, "renamed")
        self.assertEqual(self.kept_file()[1], {"name": "Words & terms", "page": "glossary.html"})
        # Alt+Up moves the row up; a drag moves it back down.
        self.key("alt+Up")
        report = self.wait(lambda r: [x[1] for x in rows(r)] == ["glossary.html", "index.html"], "moved up")
        self.assertEqual(report.control(LIST)["selected"], 0)
        self.assertEqual([b["page"] for b in self.kept_file()], ["glossary.html", "index.html"])
        first, second = self.row_centre(report, 0), self.row_centre(report, 1)
        self.display.drag(first, (second[0], second[1] + 4))
        report = self.wait(lambda r: [x[1] for x in rows(r)] == ["index.html", "glossary.html"], "dragged down")
        # Delete removes; Ctrl+Z puts it back in its place.
        self.key("Delete")
        report = self.wait(lambda r: [x[1] for x in rows(r)] == ["index.html"], "removed")
        self.assertEqual(report.control(STATUS)["caption"], 'Removed "Words && terms". Ctrl+Z brings it back.')
        self.assertEqual(len(self.kept_file()), 1)
        self.key("ctrl+z")
        report = self.wait(lambda r: [x[1] for x in rows(r)] == ["index.html", "glossary.html"], "brought back")
        self.assertEqual(len(self.kept_file()), 2)

        # A page taken away from the help set: dimmed, and opening it says so instead of an error page.
        os.remove(os.path.join(os.path.dirname(self.pack), "glossary.html"))
        self.open_page(report, 0)
        report = self.open_page(self.lumora.report(), BOOKMARKS)
        self.assertEqual(report.control(LIST)["dimmed"], [1])
        url = report["url"]
        self.click(report, LIST)  # the keyboard back in the list
        self.key("End", "Return")
        report = self.wait(lambda r: "no longer in this help set" in r.control(STATUS)["caption"], "said so")
        self.assertEqual(report["url"], url)
        self.shoot("bookmarks-dimmed.png")

    @staticmethod
    def row_centre(report, row):
        x, y, w, _ = report.on_screen(LIST)
        height = report.control(LIST)["rowHeight"]
        return x + w // 3, y + report.control(LIST)["rowsTop"] + row * height + height // 2

    def test_a_damaged_file_is_set_aside_and_tab_and_names_on_the_page(self):
        report = self.start()
        self.key("ctrl+d")
        self.wait(lambda r: len(rows(r)) == 1, "kept")
        self.lumora.stop()
        path = self.bookmarks_file()
        with open(path, "w", encoding="utf-8") as f:
            f.write('{"bookmarks": [{"name": 3}')
        report = self.start()
        report = self.open_page(report, BOOKMARKS)
        self.assertEqual(rows(report), [])
        self.assertTrue(os.path.exists(path + ".damaged"))
        self.assertIn("could not be read; it was kept as", self.lumora.log_text())
        self.assertIn("No bookmarks yet", report.control(STATUS)["caption"])
        # A new size lays the pane out again; the list keeps the keyboard.
        self.display.run("xdotool", "windowsize", str(self.windows()[0]), "900", "640")
        report = self.wait(lambda r: r["window"][2:] == [900, 640], "the new size")
        self.assertEqual(report.get("focus"), LIST)
        # Tab goes from the list to Add and Display, then on to the page.
        stops = []
        for _ in range(3):
            before = self.lumora.report().get("focus")
            self.key("Tab")
            stops.append(self.wait(lambda r, b=before: r.get("focus") != b, "the next stop").get("focus"))
        self.assertEqual(stops, ["CommandButton(3)", "CommandButton(4)", "WebBrowser(0)"])
        # Enter on Add keeps the page shown.
        self.key("shift+Tab", "shift+Tab", "Return")
        self.wait(lambda r: len(rows(r)) == 1, "kept by Add")
        self.settled("bookmarks-page.png")
