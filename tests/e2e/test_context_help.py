"""Starts of the real program: -topic opens a page, later starts with the same pack go to the window already open,
a missing pack ends it after saying so, paths with "#", "./", ".." and "//" work, --help needs no display."""

import os
import pathlib
import shutil
import signal
import subprocess
import time
import unittest

from harness import BUILD_DIR, CONTENTS, DEMO_PACK, INDEX, PAGE, TITLE_PATTERN, ProgramTest


class ContextHelpTest(ProgramTest):
    def url(self, run, ending, page=0):
        return run.wait_report(lambda r: r["url"].endswith(ending) and r["page"] == page, f"{ending} on page {page}")

    def hand_over(self, arguments, **options):  # a later start: it hands its line to the open window and ends well
        run = self.launch(arguments, shown=False, **options)
        self.assertEqual(run.process.wait(timeout=60), 0, run.log_text())
        return run

    def test_starts_open_their_topic_hand_over_to_the_open_window_and_pass_a_stopped_one(self):
        # Which -topic name finds which page is the topic index's unit test's. This start is killed, leaving its
        # socket behind as a crash does, for the next to meet.
        killed = self.launch([DEMO_PACK, "-search", "-topic", "faq.html#questions"])
        self.url(killed, "/faq.html#questions", 2)
        killed.process.kill()
        killed.process.wait()
        self.assertNotIn("no page", killed.log_text())
        started = time.monotonic()
        first = self.launch([DEMO_PACK, "-topic", "my-index-page"])
        alone = time.monotonic() - started  # a start that waits for nobody
        self.url(first, "/index.html")
        self.assertIn('no page "my-index-page"', first.log_text())
        self.click(first.report(), "FormControl(2)")
        first.wait_report(lambda r: not r["visible"] and r["ownerMinimized"], "minimised")
        self.hand_over([DEMO_PACK, "-topic", "switches", "-search"])
        first.wait_report(lambda r: r["url"].endswith("/using/switches.html") and r["page"] == 2
                          and r["visible"] and not r["ownerMinimized"], "the handed-over page, in front")
        # The same pack by another path is the same help set.
        self.hand_over([os.path.relpath(DEMO_PACK, first.folder), "-topic", "glossary"], cwd=first.folder)
        self.url(first, "/glossary.html", 0)
        # A page that is not there: the later start says so itself, and still ends well.
        self.assertIn('no page "no-such-page"', self.hand_over([DEMO_PACK, "-topic", "no-such-page"]).log_text())
        # Another pack opens its own window.
        self.launch([os.path.join(os.path.dirname(DEMO_PACK), "..", "help-ru", "russian.qlp")])
        self.assertEqual([run.process.poll() for run in self.runs], [-9, None, 0, 0, 0, None])
        # A stopped window is not waited for: the next start opens its own, which later starts then find.
        first.process.send_signal(signal.SIGSTOP)
        started = time.monotonic()
        second = self.launch([DEMO_PACK, "-topic", "glossary"])
        # At most the handover's wait of about 2 s more than a start alone; a sanitizer build starts a window
        # beside two others (one stopped) more slowly than it started the first.
        self.assertLess(time.monotonic() - started, alone + (5 if "ASAN_OPTIONS" in os.environ else 3),
                        "the stopped window was waited for")
        first.process.send_signal(signal.SIGCONT)
        first.stop()
        self.url(second, "/glossary.html")
        self.hand_over([DEMO_PACK, "-topic", "switches"])
        self.url(second, "/using/switches.html")

    @unittest.skipUnless(os.geteuid() == 0, "another user is made only by root")
    def test_files_of_another_user_in_tmp_neither_block_nor_catch_a_start(self):
        own = f"/tmp/lumora-{os.getuid()}"
        shutil.rmtree(own, ignore_errors=True)
        # Another user's folder in our folder's place, with a lock and a socket that answers "taken".
        subprocess.run(["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "sh", "-c",
                        f"mkdir -m 777 {own} && touch {own}/lumora-x.lock"], check=True)
        self.addCleanup(shutil.rmtree, own, True)
        run = self.launch([DEMO_PACK], env={"XDG_RUNTIME_DIR": ""})
        self.url(run, "/index.html")
        self.assertIn(f"{own} is not a folder of this user's", run.log_text())
        run.stop()
        shutil.rmtree(own)
        self.url(self.launch([DEMO_PACK], env={"XDG_RUNTIME_DIR": ""}), "/index.html")
        self.assertEqual(os.stat(own).st_mode & 0o777, 0o700)

    def test_missing_pack_shows_fatal_error_and_ends(self):
        for arguments in (["/nonexistent/help/english.qlp", "-index"], []):
            with self.subTest(arguments=arguments):
                run = self.launch(arguments, shown=False)
                box = self.display.wait_window("^Fatal Error$")[0]
                self.assertEqual(self.display.windows(TITLE_PATTERN), [])
                self.assertIsNone(run.process.poll(), "the box waits for the user")
                # Only a start with nothing to open says how to start.
                self.assertEqual("Usage: lumora PACK" in run.log_text(), not arguments)
                self.display.press_key(box, "Return")
                self.assertEqual(run.process.wait(timeout=60), 1)

    def open_first_topic(self, report):
        x, y, _, _ = report.on_screen("ComplexList(1)")
        self.display.click(x + 40, y + 30, repeat=2)

    def test_folder_and_page_named_with_hash(self):
        folder = os.path.join(self.config, "C# Help")
        os.makedirs(folder)
        shutil.copyfile(DEMO_PACK, os.path.join(folder, "english.qlp"))
        for name, subject, body in (("index.html", "Zeta home", '<a href="faq%232.html">FAQ</a>'),
                                    ("faq#2.html", "Alpha questions", "")):
            pathlib.Path(folder, name).write_text(PAGE.format(subject=subject, body=body), encoding="ascii")
        self.launch([os.path.join(folder, "english.qlp"), "-index"])
        report = self.wait(lambda r: r["page"] == INDEX and r["title"] == "Zeta home" and r["url"], "the home page of C# Help")
        home = report["url"]
        self.assertTrue(home.endswith("/c# help/index.html"), home)
        self.open_first_topic(report)  # "alpha questions" sorts first
        report = self.wait(lambda r: r["title"] == "Alpha questions" and not r["loading"], "faq#2.html from the index")
        faq = report["url"]
        self.assertTrue(faq.endswith("/c# help/faq#2.html"), faq)
        self.click(report, "ToolButton(0)")  # Back
        report = self.wait(lambda r: r["title"] == "Zeta home" and r["url"] == home, "back to the home page")
        self.click(report, "ToolButton(1)")  # Forward
        report = self.wait(lambda r: r["title"] == "Alpha questions" and r["url"] == faq, "forward to faq#2.html")
        # F5 shows the page as its file now stands, as no new step.
        pathlib.Path(folder, "faq#2.html").write_text(PAGE.format(subject="Alpha answers", body=""), encoding="ascii")
        self.key("F5")
        self.assertEqual(self.wait(lambda r: r["title"] == "Alpha answers", "reloaded")["history"], report["history"])

    def test_pack_named_through_dot_dot_and_double_separators_is_recorded_once(self):
        help_folder = os.path.dirname(DEMO_PACK)
        parent, name = os.path.split(help_folder)
        for arguments, cwd in ((["./english.qlp"], help_folder), ([f"{parent}//{name}/../{name}//english.qlp"], None)):
            with self.subTest(arguments=arguments):
                self.launch([*arguments, "-index"], cwd=cwd)
                report = self.wait(lambda r: r["page"] == INDEX and r["url"] and not r["loading"], "the home page")
                home = report["url"]
                self.assertEqual(home, os.path.normpath(os.path.join(help_folder, "index.html")).lower())
                self.click(report, "FormControl(1)")  # Get Help asks for the home page, already shown
                report = self.open_page(self.wait(lambda r: r["page"] == CONTENTS, "the contents page"), INDEX)
                self.open_first_topic(report)
                report = self.wait(lambda r: r["url"] != home and not r["loading"], "a topic from the index")
                self.assertEqual(report["history"], [home, report["url"]])
                self.lumora.stop()


class CommandLineHelp(unittest.TestCase):
    def test_help_and_version_answer_without_a_display(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        for program, words in (("lumora", ["-topic", "-index", "-search", "-lmr", "--version", "LUMORA_REGISTRY"]),
                               ("lumora-help", ["index", "search", "check", "--version"])):
            for flag in ("--help", "-h", "--version"):
                with self.subTest(program=program, flag=flag):
                    result = subprocess.run([os.path.join(BUILD_DIR, "bin", program), flag], env=env,
                                            capture_output=True, text=True, timeout=30)
                    self.assertEqual(result.returncode, 0, result.stderr)
                    self.assertRegex(result.stdout, rf"^{program} \d+\.\d+\.\d+\n$" if flag == "--version"
                                     else "(?s)" + "".join(f"(?=.*{w})" for w in words))
