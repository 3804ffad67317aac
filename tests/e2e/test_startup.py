import os
import re
import tempfile
import time
import unittest

from harness import DEMO_PACK, TITLE, Display, Lumora, unique_colours

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
        self.lumora = Lumora(self.display, [DEMO_PACK])
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

    def test_missing_pack_shows_fatal_error_and_ends(self):
        self.lumora = Lumora(self.display, ["/nonexistent/help/english.qlp", "-index"])
        boxes = self.display.wait_window("^Fatal Error$")
        self.assertEqual(self.display.windows(TITLE_PATTERN), [])
        self.display.screenshot(os.path.join(self.shots, "fatal.png"))
        self.assertIsNone(self.lumora.process.poll(), "the box waits for the user")
        self.display.press_key(boxes[0], "Return")
        self.assertEqual(self.lumora.wait_exit(), 1)
        self.assertEqual(self.display.windows(TITLE_PATTERN), [])
        with open(self.lumora.registry, encoding="utf-8") as f:
            self.assertNotRegex(f.read(), r"(?m)^ExpertIndex=")


if __name__ == "__main__":
    unittest.main()
