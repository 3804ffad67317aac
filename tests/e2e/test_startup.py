import os
import re
import subprocess
import unittest

from harness import BUILD_DIR, TITLE, Display, Lumora

TITLE_PATTERN = "^" + re.escape(TITLE) + "$"


class StartupTest(unittest.TestCase):
    def setUp(self):
        self.display = Display()
        self.lumora = None

    def tearDown(self):
        if self.lumora:
            self.lumora.stop()
        self.display.close()

    def test_missing_pack_shows_fatal_error_and_ends(self):
        for arguments in (["/nonexistent/help/english.qlp", "-index"], []):
            with self.subTest(arguments=arguments):
                self.lumora = Lumora(self.display, arguments)
                boxes = self.display.wait_window("^Fatal Error$")
                self.assertEqual(self.display.windows(TITLE_PATTERN), [])
                self.assertIsNone(self.lumora.process.poll(), "the box waits for the user")
                # Only a start with nothing to open says how to start.
                self.assertEqual("Usage: lumora PACK" in self.lumora.log_text(), not arguments)
                self.display.press_key(boxes[0], "Return")
                self.assertEqual(self.lumora.wait_exit(), 1)
                self.assertEqual(self.display.windows(TITLE_PATTERN), [])
                with open(self.lumora.registry, encoding="utf-8") as f:
                    self.assertNotRegex(f.read(), r"(?m)^ExpertIndex=")
                self.lumora.stop()
                self.lumora = None


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
                        for word in words:
                            self.assertIn(word, result.stdout)


if __name__ == "__main__":
    unittest.main()
