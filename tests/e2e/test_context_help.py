"""-topic opens a page at start; later starts with the same pack go to the
window already open."""

import os
import signal
import unittest

from harness import DEMO_PACK, ProgramTest

RUSSIAN_PACK = os.path.join(os.path.dirname(DEMO_PACK), "..", "help-ru", "russian.qlp")


class ContextHelpTest(ProgramTest):
    def url(self, run, ending, page=0):
        return run.wait_report(lambda r: r["url"].endswith(ending) and r["page"] == page,
                               f"{ending} on page {page}")["url"]

    def test_topic_opens_a_page_by_key_file_name_path_or_anchor(self):
        for arguments, ending, page in (
                (["-topic", "searchtips"], "/search/search-tips.html", 0),          # name key
                (["-topic", "Glossary.html", "-index"], "/glossary.html", 1),      # file name, with a run mode
                (["-topic", "using/switches"], "/using/switches.html", 0),         # path below the help folder
                (["-search", "-topic", "faq.html#questions"], "/faq.html#questions", 2),
                (["-topic", "my-index-page"], "/index.html", 0)):                  # unknown: home, no run mode
            with self.subTest(arguments=arguments):
                run = self.launch([DEMO_PACK, *arguments])
                self.url(run, ending, page)
                noted = "no page" in run.log_text()
                self.assertEqual(noted, ending == "/index.html", run.log_text())
                run.stop()  # leaves its socket behind, as a crash would

    def test_a_later_start_hands_over_and_ends(self):
        first = self.launch([DEMO_PACK])
        self.url(first, "/index.html")
        self.click(first.report(), "FormControl(2)")
        first.wait_report(lambda r: not r["visible"] and r["ownerMinimized"], "minimised")

        second = self.launch([DEMO_PACK, "-topic", "switches", "-search"], shown=False)
        self.assertEqual(second.wait_exit(timeout=60), 0, second.log_text())
        first.wait_report(lambda r: r["url"].endswith("/using/switches.html") and r["page"] == 2
                          and r["visible"] and not r["ownerMinimized"], "the handed-over page, in front")
        self.assertIsNone(first.process.poll())
        # The same pack by another path is the same help set.
        relative = os.path.relpath(DEMO_PACK, first.folder)
        again = self.launch([relative, "-topic", "glossary"], shown=False, cwd=first.folder)
        self.assertEqual(again.wait_exit(timeout=60), 0, again.log_text())
        self.url(first, "/glossary.html", 0)

        # Another pack opens its own window.
        other = self.launch([RUSSIAN_PACK])
        self.assertIsNone(other.process.poll())
        self.assertIsNone(first.process.poll())

    def test_a_start_after_a_killed_run_shows_its_window(self):
        first = self.launch([DEMO_PACK])
        first.process.send_signal(signal.SIGKILL)
        first.process.wait(timeout=30)
        second = self.launch([DEMO_PACK, "-topic", "glossary"])
        self.url(second, "/glossary.html")


if __name__ == "__main__":
    unittest.main()
