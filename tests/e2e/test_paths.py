"""The real program on unusual paths: a help folder and a page named with "#",
and a pack named through "./", ".." and "//"."""

import os
import shutil
import tempfile
import unittest

from harness import CONTENTS, DEMO_PACK, INDEX, PAGE, ProgramTest


class PathTest(ProgramTest):
    window_manager = False

    def open_first_topic(self, report):
        x, y, _, _ = report.on_screen("ComplexList(1)")
        self.display.click(x + 40, y + 30, repeat=2)

    def test_folder_and_page_named_with_hash(self):
        folder = os.path.join(tempfile.mkdtemp(prefix="lumora-paths-"), "C# Help")
        self.addCleanup(shutil.rmtree, os.path.dirname(folder), True)
        os.makedirs(folder)
        shutil.copyfile(DEMO_PACK, os.path.join(folder, "english.qlp"))
        for name, subject, body in (("index.html", "Zeta home", '<a href="faq%232.html">FAQ</a>'),
                                    ("faq#2.html", "Alpha questions", "")):
            with open(os.path.join(folder, name), "w", encoding="ascii") as f:
                f.write(PAGE.format(subject=subject, body=body))
        self.launch([os.path.join(folder, "english.qlp"), "-index"])
        report = self.wait(lambda r: r["page"] == INDEX and r["title"] == "Zeta home", "the home page of C# Help")
        home = report["url"]
        self.assertTrue(home.endswith("/c# help/index.html"), home)
        self.open_first_topic(report)  # "alpha questions" sorts first
        report = self.wait(lambda r: r["title"] == "Alpha questions", "faq#2.html from the index")
        faq = report["url"]
        self.assertTrue(faq.endswith("/c# help/faq#2.html"), faq)
        self.click(report, "ToolButton(0)")  # Back
        report = self.wait(lambda r: r["title"] == "Zeta home" and r["url"] == home, "back to the home page")
        self.click(report, "ToolButton(1)")  # Forward
        self.wait(lambda r: r["title"] == "Alpha questions" and r["url"] == faq, "forward to faq#2.html")

    def test_pack_named_through_dot_dot_and_double_separators_is_recorded_once(self):
        help_folder = os.path.dirname(DEMO_PACK)
        parent, name = os.path.split(help_folder)
        for arguments, cwd in ((["./english.qlp"], help_folder), ([f"{parent}//{name}/../{name}//english.qlp"], None)):
            with self.subTest(arguments=arguments):
                self.launch([*arguments, "-index"], cwd=cwd)
                report = self.wait(lambda r: r["page"] == INDEX and r["url"] and not r["loading"], "the home page")
                home = report["url"]
                self.assertEqual(home, os.path.normpath(os.path.join(help_folder, "index.html")).lower())
                self.click(report, "FormControl(1)")  # Get Help asks for the home page, already shown
                report = self.open_page(self.wait(lambda r: r["page"] == CONTENTS, "the contents page"), INDEX)
                self.open_first_topic(report)
                report = self.wait(lambda r: r["url"] != home and not r["loading"], "a topic from the index")
                self.assertEqual(report["history"], [home, report["url"]])
                self.lumora.stop()


if __name__ == "__main__":
    unittest.main()
