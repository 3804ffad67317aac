"""The question form of the real program mails what is typed to a mail server on a loopback port."""

import os
import pathlib
import socket
import subprocess

from harness import QUESTION, ProgramTest, poll

SINK = os.path.join(os.path.dirname(__file__), "..", "support", "smtp_sink.py")


class QuestionTest(ProgramTest):
    def setUp(self):
        super().setUp()
        self.mailbox = os.path.join(self.config, "mailbox")
        os.makedirs(self.mailbox)
        with socket.socket() as probe:  # a free port
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        self.sink = subprocess.Popen(["/usr/bin/python3", SINK, "--port", str(port), "--folder", self.mailbox],
                                     stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (self.sink.terminate(), self.sink.wait(30), self.sink.stdout.close()))
        self.assertIn("ready", self.sink.stdout.readline())
        self.registry_text = ("[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nLMRCPUInfo=CPU: e2e\n"
                              f"ExpertIndex=2\nMailServer=smtp://127.0.0.1:{port}\nSupportDomain=support.example\n")

    def message(self, report, words):
        """Presses Send, reads the message shown, and closes it."""
        self.click(report, "Commander(0)")
        self.assertIn(words, self.wait(lambda r: "dialog" in r, "a message")["dialog"]["text"])
        self.display.press_key(self.display.wait_window("^Lumora$")[0], "Return")
        return self.wait(lambda r: "dialog" not in r, "the message closed")

    def test_typed_question_reaches_the_support_mailbox(self):
        report = self.start("-lmr", page=QUESTION)
        self.wait(lambda r: r.get("focus") == "TextBox(0)", "Your name has the keyboard")
        # Sent incomplete, the form names the field it needs, keeps what was typed, and sends nothing.
        for typed, words in (("", "type your e-mail address"), ("ann", "check your e-mail address"),
                             ("@example.com", "type your question")):
            if typed:
                self.click(report, "TextBox(1)")
                self.key("End")
                self.type(typed)
            report = self.message(report, words)
        self.assertEqual(report.control("TextBox(1)")["text"], "ann@example.com")
        self.assertFalse(os.path.exists(os.path.join(self.mailbox, "connections")), "no connection was made")

        # Field to field by Tab, past the system information to Send, pressed by Enter.
        self.click(report, "TextBox(0)")
        for text in ("Ann Example", None, "Printing", "How do I print?"):
            if text:
                self.type(text, delay=20)
            self.key("Tab")
        self.key("Tab", "Return")
        poll(lambda: os.path.exists(os.path.join(self.mailbox, "1.tls")), "the message received")
        mail = {part: pathlib.Path(self.mailbox, f"1.{part}").read_bytes() for part in ("rcpt", "subject", "body")}
        self.assertEqual(mail["rcpt"], b"lumora2@support.example\n")
        self.assertRegex(mail["subject"].decode(), r"^\(Question ID=[A-Y1-9]{10}\) Printing$")
        self.assertEqual(mail["body"], b"Ann Example\r\nann@example.com\r\n\r\nHow do I print?\r\n\r\nCPU: e2e\r\n")
        # The confirmation box: closing it leaves the program running.
        self.display.press_key(self.display.wait_window("^Lumora$")[0], "Return")
        self.assertIsNone(self.lumora.process.poll())
