"""A help set from a stranger: its pages read nothing outside it, send nothing anywhere, open no
windows and no question form by themselves, and web links go to the desktop's opener."""

import os
import pathlib
import shutil
import socket
import stat
import subprocess

from harness import DEMO_PACK, QUESTION, ProgramTest, poll

PNG = subprocess.run(["convert", "-size", "4x4", "xc:red", "png:-"], capture_output=True, check=True).stdout

HOSTILE = os.path.join(os.path.dirname(__file__), "pages", "hostile.html")  # its probes and their findings


class ConfinementTest(ProgramTest):
    window_manager = False

    def help_set(self, index_body):
        help_folder, outside = os.path.join(self.config, "help"), os.path.join(self.config, "outside")
        os.makedirs(help_folder)
        os.makedirs(outside)
        shutil.copyfile(DEMO_PACK, os.path.join(help_folder, "english.qlp"))
        for name, content in (("secret.txt", b"SECRET"), ("secret.html", b"<p>SECRET</p>"), ("secret.png", PNG),
                              ("secret.js", b"window.secretRan = true;")):
            pathlib.Path(outside, name).write_bytes(content)
        for name in ("png", "js", "html"):
            os.symlink(os.path.join(outside, "secret." + name), os.path.join(help_folder, "link." + name))
        for name, content in (("index.html", index_body.encode()), ("inside.png", PNG),
                              ("other.html", b"<title>other</title>"), ("ask_class.html", b"<title>ask</title>")):
            pathlib.Path(help_folder, name).write_bytes(content)
        return help_folder, outside

    def test_a_hostile_page_reads_nothing_outside_and_sends_nothing(self):
        # A TCP and a UDP socket on one loopback port: the kernel takes any connection or packet for them.
        tcp = socket.create_server(("127.0.0.1", 0))
        udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        udp.bind(tcp.getsockname())
        for sock in (tcp, udp):
            self.addCleanup(sock.close)
            sock.setblocking(False)
        help_folder, outside = self.help_set("")
        page = pathlib.Path(HOSTILE).read_text("utf-8").replace("PORT", str(tcp.getsockname()[1]))
        pathlib.Path(help_folder, "index.html").write_text(page.replace("OUTSIDE", outside), encoding="utf-8")
        self.launch([os.path.join(help_folder, "english.qlp")])
        report = self.wait(lambda r: r["title"].startswith("DONE"), "the page's findings", 90)
        findings = dict(item.split("=") for item in report["title"].split()[1:])
        self.assertEqual(findings.pop("control"), "loaded", "a picture of the help set itself must load")
        self.assertEqual({name for name, found in findings.items() if found != "ok"}, set(), findings)
        self.assertEqual(len(findings), 18)
        poll(lambda: self.lumora.log_text().count("ask_class.html; refused") >= 5, "the script's tries refused", 30)
        self.assertIn(f"asked for http://127.0.0.1:{tcp.getsockname()[1]}/i.png; refused", self.lumora.log_text())
        report = self.lumora.report()
        self.assertNotEqual(report["page"], QUESTION)
        self.assertEqual(report["history"], [os.path.join(help_folder, "index.html").lower()])
        for receive in (tcp.accept, lambda: udp.recvfrom(1)):
            self.assertRaises(BlockingIOError, receive)  # nothing came
        # The engine cannot keep its sandbox as root, and says so once.
        unsandboxed = os.geteuid() == 0 or "QTWEBENGINE_DISABLE_SANDBOX" in os.environ
        self.assertEqual(self.lumora.log_text().count("without the browser engine's sandbox"), int(unsandboxed))

    def test_a_clicked_web_link_goes_to_the_desktop(self):
        # A clicked link to a local file is refused: the desktop would open, or run, what it names.
        help_folder, _ = self.help_set('<title>home</title><body style="margin:0">'
                                       '<a href="file:///etc/hostname" style="display:block;height:100px">a file</a>'
                                       '<a href="mailto:help@example.org" style="display:block;height:100px">mail</a>'
                                       '<a href="https://example.org/manual?x=1" style="display:block;'
                                       'height:2000px">the manual</a></body>')
        tools = os.path.join(self.config, "tools")
        os.makedirs(tools)
        opened = os.path.join(tools, "opened")
        opener = pathlib.Path(tools, "xdg-open")
        opener.write_text(f'#!/bin/sh\nprintf "%s\\n" "$1" >> {opened}\n', encoding="ascii")
        opener.chmod(opener.stat().st_mode | stat.S_IEXEC)
        self.launch([os.path.join(help_folder, "english.qlp")], env={"PATH": tools + os.pathsep + os.environ["PATH"]})
        report = self.wait(lambda r: r["title"] == "home" and not r["loading"], "the home page")
        x, y, w, h = report.on_screen("WebBrowser(0)")
        for down in (50, 150, h // 2):  # the file, the mail address, the manual
            self.display.click(x + w // 2, y + down)
        poll(lambda: os.path.exists(opened) and pathlib.Path(opened).read_text("ascii").count("\n") == 2, "the desktop's opener never ran", 30)
        self.assertEqual(sorted(pathlib.Path(opened).read_text("ascii").split()), ["https://example.org/manual?x=1", "mailto:help@example.org"])
        report = self.lumora.report()
        self.assertEqual((report["title"], report["history"]), ("home", [os.path.join(help_folder, "index.html").lower()]))
