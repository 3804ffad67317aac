import os
import re
import subprocess
import tempfile
import time
import unittest

from harness import (BUILD_DIR, DEMO_PACK, TITLE, Display, Lumora, region_colours, start_shown, unique_colours,
                     window_geometry)

TITLE_PATTERN = "^" + re.escape(TITLE) + "$"


class StartupTest(unittest.TestCase):
    def setUp(self):
        self.display = Display()
        self.shots = tempfile.mkdtemp(prefix="lumora-shots-")
        self.lumora = None

    def tearDown(self):
        if self.lumora:
            self.lumora.stop()
        self.display.close()

    def test_demo_shows_main_window_owned_by_titled_owner(self):
        self.lumora = start_shown(self.display, [DEMO_PACK])
        self.display.wait_window(TITLE_PATTERN)
        # Both windows are up once the main one, owned by the other, is mapped.
        deadline = time.monotonic() + 60
        owned = []
        while time.monotonic() < deadline and not owned:
            windows = self.display.windows(TITLE_PATTERN)
            owned = [w for w in windows if self.display.transient_for(w) is not None]
            time.sleep(0.2)
        self.assertEqual(len(owned), 1, "the main window is owned by the owner window")
        owner = self.display.transient_for(owned[0])
        self.assertEqual(self.display.window_name(owner), TITLE)
        self.assertIn("_NET_WM_WINDOW_TYPE_NORMAL", self.display.property(owner, "_NET_WM_WINDOW_TYPE"))

        # The home page is drawn: wait until the screen holds more than the
        # window's few flat colours.
        shot = os.path.join(self.shots, "demo.png")
        deadline = time.monotonic() + 60
        while True:
            self.display.screenshot(shot)
            if unique_colours(shot) > 50 or time.monotonic() > deadline:
                break
            time.sleep(0.5)
        self.assertGreater(unique_colours(shot), 50, "the home page shows text")

        # The first start draws the support mailbox and keeps it.
        with open(self.lumora.registry, encoding="utf-8") as f:
            self.assertRegex(f.read(), r"(?m)^ExpertIndex=[1-4]$")
        self.assertIsNone(self.lumora.process.poll(), "still running")

    def test_every_page_wears_the_theme(self):
        shots = os.path.join(BUILD_DIR, "e2e-shots")
        os.makedirs(shots, exist_ok=True)
        for switch, page in (("", "contents"), ("-index", "index"), ("-search", "search"), ("-lmr", "question")):
            with self.subTest(page=page):
                lumora = start_shown(self.display, [DEMO_PACK] + ([switch] if switch else []))
                try:
                    self.display.wait_window(TITLE_PATTERN)
                    main = []
                    deadline = time.monotonic() + 60
                    while not main and time.monotonic() < deadline:
                        main = [w for w in self.display.windows(TITLE_PATTERN) if self.display.transient_for(w)]
                        time.sleep(0.2)
                    self.assertTrue(main)
                    x, y, width, height = window_geometry(self.display, main[0])
                    shot = os.path.join(shots, f"{page}.png")
                    deadline = time.monotonic() + 60
                    while True:  # until the page has been drawn
                        self.display.screenshot(shot)
                        if region_colours(shot, x, y, width, height) > 60 or time.monotonic() > deadline:
                            break
                        time.sleep(0.5)
                    # The title strip shows its picture and the toolbar its button pictures.
                    self.assertGreater(region_colours(shot, x, y, width, 21), 8, "title strip")
                    self.assertGreater(region_colours(shot, x, y + 21, 320, 39), 12, "toolbar pictures")
                finally:
                    lumora.stop()

    def test_missing_pack_shows_fatal_error_and_ends(self):
        for arguments in (["/nonexistent/help/english.qlp", "-index"], []):
            with self.subTest(arguments=arguments):
                self.lumora = Lumora(self.display, arguments)
                boxes = self.display.wait_window("^Fatal Error$")
                self.assertEqual(self.display.windows(TITLE_PATTERN), [])
                self.display.screenshot(os.path.join(self.shots, "fatal.png"))
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
