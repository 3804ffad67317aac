"""Starts that open no window: a pack that is not there, and the command
lines that only print help or a version."""

import os
import subprocess
import unittest

from harness import BUILD_DIR, TITLE_PATTERN, ProgramTest


class StartupTest(ProgramTest):
    window_manager = False

    def test_missing_pack_shows_fatal_error_and_ends(self):
        for arguments in (["/nonexistent/help/english.qlp", "-index"], []):
            with self.subTest(arguments=arguments):
                run = self.launch(arguments, shown=False)
                boxes = self.display.wait_window("^Fatal Error$")
                self.assertEqual(self.display.windows(TITLE_PATTERN), [])
                self.assertIsNone(run.process.poll(), "the box waits for the user")
                # Only a start with nothing to open says how to start.
                self.assertEqual("Usage: lumora PACK" in run.log_text(), not arguments)
                self.display.press_key(boxes[0], "Return")
                self.assertEqual(run.wait_exit(), 1)


class CommandLineHelp(unittest.TestCase):
    def test_help_and_version_answer_without_a_display(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        for program, words in (("lumora", ["-topic", "-index", "-search", "-lmr", "--version", "LUMORA_APP_DIR",
                                            "LUMORA_SYSTEM_DIR", "LUMORA_REGISTRY", "LUMORA_LAYOUT_REPORT"]),
                               ("lumora-help", ["index", "search", "check", "--version"])):
            for flag in ("--help", "-h", "--version"):
                with self.subTest(program=program, flag=flag):
                    result = subprocess.run([os.path.join(BUILD_DIR, "bin", program), flag], env=env,
                                            capture_output=True, text=True, timeout=30)
                    self.assertEqual(result.returncode, 0, result.stderr)
                    if flag == "--version":
                        self.assertRegex(result.stdout, rf"^{program} \d+\.\d+\.\d+\n$")
                    else:
                        self.assertEqual([w for w in words if w not in result.stdout], [])


if __name__ == "__main__":
    unittest.main()
