"""A help set whose index takes a while to build: closing the window while the status box shows ends the program."""

import os
import shutil
import tempfile

from harness import TITLE_PATTERN, ProgramTest, note_stall, write_help_set


class CloseWhileIndexing(ProgramTest):
    def test_close_button_and_the_desktops_close_during_the_index_build(self):
        folder = tempfile.mkdtemp(prefix="lumora-large-help-")
        self.addCleanup(shutil.rmtree, folder, True)
        # Ordinary pages with capitals in their names, and damaged exports of 16 MB (sparse files) that never
        # close their title, so the index has to read them to the end.
        pack = write_help_set(folder, 2000, lambda i: f"Topic number {i}",
                              lambda i: "Choose Print from the File menu to print the table. " * 20)
        os.makedirs(os.path.join(folder, "Broken"))
        for i in range(300):
            with open(os.path.join(folder, "Broken", f"Export{i:04}.html"), "wb") as f:
                f.write(b"<html><head><title>Unfinished export")
                f.truncate(16 * 1024 * 1024)
        for close in (lambda report: self.click(report, "FormControl(4)"),
                      # windows() waits for the map, which may come after "visible"
                      lambda _: self.display.close_by_window_manager(self.windows()[0], TITLE_PATTERN)):
            self.launch([pack, "-index"])
            report = self.wait(lambda r: r["busy"], "the status box shown while the index is built")
            try:
                close(report)
            except TimeoutError as e:
                note_stall(f"CLOSE NOT ANSWERED: {e}; its log:\n" + self.lumora.log_text(), self.lumora.stacks())
                raise
            self.assertEqual(self.lumora.process.wait(timeout=5), 0)
