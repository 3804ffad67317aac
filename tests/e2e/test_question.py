import os
import re
import socket
import subprocess
import sys
import tempfile
import time
import unittest

from harness import DEMO_PACK, TITLE, Display, start_shown

SINK = os.path.join(os.path.dirname(__file__), "..", "support", "smtp_sink.py")
TITLE_PATTERN = "^" + re.escape(TITLE) + "$"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class QuestionTest(unittest.TestCase):
    """The real program, started on the question form, mails what is typed."""

    def setUp(self):
        self.display = Display()
        self.mailbox = tempfile.mkdtemp(prefix="lumora-mailbox-")
        self.port = free_port()
        self.sink = subprocess.Popen(["/usr/bin/python3", SINK, "--port", str(self.port), "--folder", self.mailbox],
                                     stdout=subprocess.PIPE, text=True)
        self.assertIn("ready", self.sink.stdout.readline())
        registry = ("[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nLMRCPUInfo=CPU: e2e\nExpertIndex=2\n"
                    f"MailServer=smtp://127.0.0.1:{self.port}\nSupportDomain=support.example\n")
        self.lumora = start_shown(self.display, [DEMO_PACK, "-lmr"], registry_text=registry)

    def tearDown(self):
        self.lumora.stop()
        self.sink.terminate()
        self.sink.wait(timeout=30)
        self.display.close()

    def click(self, window, x_twips, y_twips):
        """Clicks a point of the main window given in twips (15 to a pixel here)."""
        self.display.run("xdotool", "mousemove", "--window", str(window), str(x_twips // 15), str(y_twips // 15),
                         "click", "1")

    def test_typed_question_reaches_the_support_mailbox(self):
        self.display.wait_window(TITLE_PATTERN)
        deadline = time.monotonic() + 60
        main = []
        while not main and time.monotonic() < deadline:
            main = [w for w in self.display.windows(TITLE_PATTERN) if self.display.transient_for(w)]
            time.sleep(0.2)
        self.assertTrue(main)
        window = main[0]
        # The question form fills the window below the toolbar strip (900 twips):
        # the first field at (2040, 960) of the form, Send left of Clear in the
        # bottom-right corner of the design-sized window.
        self.click(window, 2040 + 300, 900 + 960 + 140)
        self.display.run("xdotool", "type", "--delay", "20", "Ann Example")
        self.display.run("xdotool", "key", "Tab")
        self.display.run("xdotool", "type", "--delay", "20", "ann@example.com")
        self.display.run("xdotool", "key", "Tab")
        self.display.run("xdotool", "type", "--delay", "20", "Printing")
        self.display.run("xdotool", "key", "Tab")
        self.display.run("xdotool", "type", "--delay", "20", "How do I print?")
        form_height = 7425 - 900
        clear_left = 9885 - 1095 - 240
        send_left = clear_left - 1095 - 240
        self.click(window, send_left + 500, 900 + form_height - 375 - 240 + 180)

        deadline = time.monotonic() + 60
        while not os.path.exists(os.path.join(self.mailbox, "1.eml")) and time.monotonic() < deadline:
            time.sleep(0.2)
        with open(os.path.join(self.mailbox, "1.rcpt")) as f:
            self.assertEqual(f.read(), "lumora2@support.example\n")
        with open(os.path.join(self.mailbox, "1.subject")) as f:
            self.assertRegex(f.read(), r"^\(Question ID=[A-Y1-9]{10}\) Printing$")
        with open(os.path.join(self.mailbox, "1.body"), "rb") as f:
            self.assertEqual(f.read(), b"Ann Example\r\nann@example.com\r\n\r\nHow do I print?\r\n\r\nCPU: e2e\r\n")
        # The confirmation box: closing it leaves the program running.
        boxes = self.display.wait_window("^Lumora$")
        self.display.press_key(boxes[0], "Return")
        self.assertIsNone(self.lumora.process.poll())


if __name__ == "__main__":
    unittest.main()
