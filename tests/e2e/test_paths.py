"""The real program on help folders and pages whose paths are unusual: names
with "#", and a pack named through "./", ".." and "//"."""

import os
import shutil
import tempfile
import unittest

from harness import CONTENTS, DEMO_PACK, INDEX, ProgramTest


def page(title, subject, body=""):
    return (f"<html><head><title>{title}</title><o:subject>{subject}</o:subject></head>"
            f"<body><h1>{title}</h1>{body}</body></html>")


class PathTest(ProgramTest):
    window_manager = False

    def setUp(self):
        super().setUp()
        self.folder = tempfile.mkdtemp(prefix="lumora-paths-")
        self.addCleanup(shutil.rmtree, self.folder, True)

    def open_first_topic(self, report):
        """Double-clicks the first row of the topic index."""
        x, y, _, _ = report.on_screen("ComplexList(1)")
        self.display.click(x + 40, y + 30, repeat=2)

    def test_folder_and_page_named_with_hash(self):
        help_folder = os.path.join(self.folder, "C# Help")
        os.makedirs(help_folder)
        shutil.copyfile(DEMO_PACK, os.path.join(help_folder, "english.qlp"))
        with open(os.path.join(help_folder, "index.html"), "w") as f:
            f.write(page("Hash home", "Zeta home", '<a href="faq%232.html">FAQ</a>'))
        with open(os.path.join(help_folder, "faq#2.html"), "w") as f:
            f.write(page("Hash faq", "Alpha questions"))
        self.launch([os.path.join(help_folder, "english.qlp"), "-index"])
        report = self.wait(lambda r: r["page"] == INDEX and r["title"] == "Hash home", "the home page of C# Help")
        home = report["url"]
        self.assertTrue(home.endswith("/c# help/index.html"), home)

        self.open_first_topic(report)
        report = self.wait(lambda r: r["title"] == "Hash faq", "faq#2.html from the index")
        faq = report["url"]
        self.assertTrue(faq.endswith("/c# help/faq#2.html"), faq)
        self.click(report, "ToolButton(0)")  # Back
        report = self.wait(lambda r: r["title"] == "Hash home" and r["url"] == home, "back to the home page")
        self.click(report, "ToolButton(1)")  # Forward
        self.wait(lambda r: r["title"] == "Hash faq" and r["url"] == faq, "forward to faq#2.html")

    def test_pack_named_through_dot_dot_and_double_separators_is_recorded_once(self):
        help_folder = os.path.dirname(DEMO_PACK)
        parent, name = os.path.split(help_folder)
        for arguments, cwd in ((["./english.qlp"], help_folder), ([f"{parent}//{name}/../{name}//english.qlp"], None)):
            with self.subTest(arguments=arguments):
                self.launch([*arguments, "-index"], cwd=cwd)
                report = self.wait(lambda r: r["page"] == INDEX and r["url"] and not r["loading"], "the home page")
                home = report["url"]
                self.assertEqual(home, os.path.normpath(os.path.join(help_folder, "index.html")).lower())
                # Get Help asks for the home page, which is already shown.
                self.click(report, "FormControl(1)")
                report = self.wait(lambda r: r["page"] == CONTENTS, "the contents page")
                self.open_page(report, INDEX)
                self.open_first_topic(report)
                report = self.wait(lambda r: r["url"] != home and not r["loading"], "a topic from the index")
                self.assertEqual(report["history"], [home, report["url"]])
                self.lumora.stop()


if __name__ == "__main__":
    unittest.main()
