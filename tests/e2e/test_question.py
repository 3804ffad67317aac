import os
import re
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from harness import DEMO_PACK, TITLE, Display, crop_signature, start_shown

SINK = os.path.join(os.path.dirname(__file__), "..", "support", "smtp_sink.py")
TITLE_PATTERN = "^" + re.escape(TITLE) + "$"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def fill_form(display, report, texts):
    """Types each text into its box of the question form, replacing what was there."""
    for box, text in texts.items():
        display.click(*report.screen_centre(f"TextBox({box})"))
        display.run("xdotool", "key", "ctrl+a", "BackSpace")
        if text:
            display.run("xdotool", "type", "--delay", "20", text)


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
        # Past the system information to Send, pressed by Enter.
        self.display.run("xdotool", "key", "--delay", "60", "Tab", "Tab", "Return")

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

    def test_incomplete_form_names_the_field_and_sends_nothing(self):
        report = self.lumora.wait_report(lambda r: r["visible"] and r["page"] == 3, "the question form")
        complete = {0: "Ann Example", 1: "ann@example.com", 2: "Printing", 3: "How do I print?"}
        for box, text, named in ((1, "", "e-mail address"), (1, "ann@@example", "e-mail address"),
                                 (3, "", "question")):
            with self.subTest(box=box, text=text):
                typed = {**complete, box: text}
                fill_form(self.display, report, typed)
                self.display.click(*report.screen_centre("Commander(0)"))
                shown = self.lumora.wait_report(lambda r: "dialog" in r.data, "a message")
                self.assertIn(named, shown["dialog"]["text"])
                self.display.press_key(self.display.wait_window("^Lumora$")[0], "Return")
                report = self.lumora.wait_report(lambda r: "dialog" not in r.data, "the message closed")
                self.assertEqual([report.control(f"TextBox({i})")["text"] for i in range(4)],
                                 [typed[i] for i in range(4)], "the form keeps what was typed")
        self.assertFalse(os.path.exists(os.path.join(self.mailbox, "connections")), "no connection reached the server")
        self.assertIsNone(self.lumora.process.poll())


class SilentServerTest(unittest.TestCase):
    """A mail server that takes the connection and never says a word."""

    def setUp(self):
        self.display = Display()
        self.server = socket.socket()
        self.server.bind(("127.0.0.1", 0))
        self.server.listen(8)
        self.connections = []
        self.listener = threading.Thread(target=self.accept, daemon=True)
        self.listener.start()
        registry = ("[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nLMRCPUInfo=CPU: e2e\nExpertIndex=2\n"
                    f"MailServer=smtp://127.0.0.1:{self.server.getsockname()[1]}\n")
        self.lumora = start_shown(self.display, [DEMO_PACK, "-lmr"], registry_text=registry)

    def accept(self):
        while True:
            try:
                connection, _ = self.server.accept()
            except OSError:
                return
            self.connections.append(connection)

    def tearDown(self):
        self.lumora.stop()
        self.server.close()
        for connection in self.connections:
            connection.close()
        self.display.close()

    def test_form_says_not_sent_within_the_limit_while_the_window_paints(self):
        report = self.lumora.wait_report(lambda r: r["visible"] and r["page"] == 3, "the question form")
        fill_form(self.display, report, {1: "ann@example.com", 3: "Anybody there?"})
        x, y, _, _ = report["window"]
        bx, by, bw, bh = report.control("ControllerBox(0)")["rect"]
        box = (x + bx, y + by, bw, bh)
        before = crop_signature(self.display.screenshot(os.path.join(self.lumora.folder, "before.png")), *box)

        self.display.click(*report.screen_centre("Commander(0)"))
        start = time.monotonic()
        self.lumora.wait_report(lambda r: r["busy"] and r["waitCursor"], "the busy window", timeout=10)
        during = os.path.join(self.lumora.folder, "during.png")
        deadline = time.monotonic() + 10
        while crop_signature(self.display.screenshot(during), *box) == before and time.monotonic() < deadline:
            time.sleep(0.2)
        self.assertNotEqual(crop_signature(during, *box), before, "the status box is painted while sending")

        # README: no answer within 15 s to connect or 60 s in all is "not sent".
        shown = self.lumora.wait_report(lambda r: "dialog" in r.data, "the failure message",
                                        timeout=60 - (time.monotonic() - start))
        sys.stderr.write(f"\nsilent server: 'not sent' after {time.monotonic() - start:.1f} s\n")
        self.assertIn("not sent", shown["dialog"]["text"])
        self.assertFalse(shown["busy"] or shown["waitCursor"])
        self.assertEqual(len(self.connections), 1, "one connection for the question")


if __name__ == "__main__":
    unittest.main()
