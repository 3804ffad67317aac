"""Debian's Python and PostgreSQL manuals as help sets: their index opens in reading order, the look-up finds pages
by their real titles, and the pages it opens make a browser's history."""

import os
import shutil

import harness
from harness import INDEX, ProgramTest

LIST = "ComplexList(1)"


class RealDocs(ProgramTest):
    def start_on(self, package, source):
        self.assertTrue(os.path.isdir(source), f"{source} is missing: install {package}")
        html = shutil.copytree(source, os.path.join(self.config, "html"))  # links to /usr/share/javascript become files
        self.pack = shutil.copyfile(harness.DEMO_PACK, os.path.join(html, "english.qlp"))
        report = self.start("-index", page=INDEX, timeout=120)
        c = report.control(LIST)
        self.assertEqual((c["selected"], c["selectedCells"]), (0, c["rowsInView"][0]))
        return report

    def look_up(self, report, word, subject):
        self.click(report, "WriteBox(1)")
        self.key("ctrl+a")
        self.type(word)
        return self.wait(lambda r: subject(r.control(LIST)["selectedCells"] or [""]), f"{word!r} looked up")

    def open_by_look_up(self, report, word, subject, file):
        self.look_up(report, word, lambda cells: cells[0] == subject)
        self.key("Return")
        # A page opened drops the pages ahead, as in a browser.
        return self.wait(lambda r: r["url"].endswith(file) and not r["loading"]
                         and not r.control("ToolButton(1)")["enabled"], f"Enter opens {file}, Forward disabled")

    def step(self, report, button, file, forward):  # Back or Forward, to the file, Forward then enabled or not
        self.click(report, button)
        return self.wait(lambda r: r["url"].endswith(file) and r.control("ToolButton(1)")["enabled"] == forward,
                         f"{button} to {file}, Forward enabled: {forward}")

    def test_postgresql_manual(self):
        report = self.start_on("postgresql-doc-15", "/usr/share/doc/postgresql-doc-15/html")
        # Chapter numbers sort as numbers, ahead of the words.
        self.assertTrue(report.control(LIST)["rowsInView"][0][0].startswith("1. "), report.control(LIST))
        report = self.open_by_look_up(report, "vacuum", "vacuum", "/sql-vacuum.html")
        report = self.open_by_look_up(report, "routine", "25.1. routine vacuuming", "/routine-vacuuming.html")
        report = self.step(report, "ToolButton(0)", "/sql-vacuum.html", forward=True)
        # Opened after a step back, a page takes the place of the one ahead: Back returns to the page the reader
        # came from, Forward to the new page.
        report = self.open_by_look_up(report, "vacuumdb", "vacuumdb", "/app-vacuumdb.html")
        self.assertEqual([os.path.basename(u) for u in report["history"][-2:]], ["sql-vacuum.html", "app-vacuumdb.html"])
        report = self.step(report, "ToolButton(0)", "/sql-vacuum.html", forward=True)
        self.step(report, "ToolButton(1)", "/app-vacuumdb.html", forward=False)
        # A right click on Back lists the pages behind by title, nearest first; the third is three steps back.
        report = self.open_by_look_up(report, "pg_dump", "pg_dump", "/app-pgdump.html")
        self.display.mouse_move(*report.screen_centre("ToolButton(0)"))
        self.display.run("xdotool", "click", "3")
        report = self.wait(lambda r: len(r["historyMenu"]) == 3, "Back's list of pages")
        self.assertEqual(report["historyMenu"][:2], ["vacuumdb", "VACUUM"])
        self.key("Down", "Down", "Down", "Return")
        self.wait(lambda r: r["url"].endswith("/html/index.html") and r["historyPos"] == 0
                  and r.control("ToolButton(1)")["enabled"], "three steps back, Forward enabled")

    def test_python_manual(self):
        report = self.start_on("python3.11-doc", "/usr/share/doc/python3.11/html")
        rows = report.control(LIST)["rowsInView"]
        # "datetime — basic date and time types", and the C API's "datetime objects" after it.
        report = self.look_up(report, "datetime", lambda cells: cells[0].startswith("datetime"))
        self.assertEqual(report.control(LIST)["selectedCells"][0], "datetime — basic date and time types")
        # Every page's title ends in the manual's name, which the index leaves out.
        rows += report.control(LIST)["rowsInView"]
        self.assertEqual([s for s, _ in rows if s.endswith(" — python 3.11.2 documentation")], [])
        self.key("Return")
        self.wait(lambda r: r["url"].endswith("/library/datetime.html"), "Enter opens the module's page")
