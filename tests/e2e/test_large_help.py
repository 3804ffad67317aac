"""A help set large enough that building its index takes a while: closing the
window while the status box shows ends the program at once."""

import os
import re
import shutil
import tempfile
import time
import unittest

from harness import DEMO_PACK, TITLE, Display, start_shown

PAGE = ("<html><head><title>{subject}</title><!--[if gte mso 9]><xml><o:DocumentProperties>"
        "<o:Subject>{subject}</o:Subject></o:DocumentProperties></xml><![endif]--></head>"
        "<body><p>{body}</p></body></html>")


def write_large_help_set(folder, pages=2000, damaged=300):
    """Ordinary pages in one folder with capitals in their names, and damaged
    exports of 16 MB (sparse files) that never close their title, so the
    index has to read them to the end."""
    shutil.copyfile(DEMO_PACK, os.path.join(folder, "english.qlp"))
    with open(os.path.join(folder, "index.html"), "w", encoding="ascii") as f:
        f.write(PAGE.format(subject="Welcome", body="The home page."))
    os.makedirs(os.path.join(folder, "Reference"))
    body = "Choose Print from the File menu to print the table. " * 20
    for i in range(pages):
        with open(os.path.join(folder, "Reference", f"Topic{i:05}.html"), "w", encoding="ascii") as f:
            f.write(PAGE.format(subject=f"Topic number {i}", body=body))
    os.makedirs(os.path.join(folder, "Broken"))
    for i in range(damaged):
        with open(os.path.join(folder, "Broken", f"Export{i:04}.html"), "wb") as f:
            f.write(b"<html><head><title>Unfinished export")
            f.truncate(16 * 1024 * 1024)
    return os.path.join(folder, "english.qlp")


class CloseWhileIndexing(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="lumora-large-help-")
        cls.pack = write_large_help_set(cls.folder)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder, ignore_errors=True)

    def setUp(self):
        self.display = Display(window_manager=True)
        self.lumora = None

    def tearDown(self):
        if self.lumora:
            self.lumora.stop()
        self.display.close()

    def close_while_indexing(self, close):
        self.lumora = start_shown(self.display, [self.pack, "-index"])
        report = self.lumora.wait_report(lambda r: r["busy"], "the status box shown while the index is built")
        close(report)
        closed = time.monotonic()
        self.assertEqual(self.lumora.wait_exit(timeout=5), 0)
        print(f"\nended {time.monotonic() - closed:.2f} s after the close", flush=True)

    def test_close_button_during_the_index_build(self):
        self.close_while_indexing(lambda report: self.display.click(*report.screen_centre("FormControl(4)")))

    def test_alt_f4_during_the_index_build(self):
        def alt_f4(_):
            pattern = "^" + re.escape(TITLE) + "$"
            main, deadline = [], time.monotonic() + 30
            while not main and time.monotonic() < deadline:  # "visible" may be reported before the map
                main = [w for w in self.display.windows(pattern) if self.display.transient_for(w)]
                time.sleep(0.1)
            self.assertTrue(main, "the main window never mapped")
            self.display.close_by_window_manager(main[0], pattern)
        self.close_while_indexing(alt_f4)

if __name__ == "__main__":
    unittest.main()
