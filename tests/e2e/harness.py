"""Runs the real lumora under Xvfb, finds its windows with xdotool and xprop, and reads its layout report."""

import contextlib
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

BUILD_DIR = os.environ.get("LUMORA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "..", "build"))
LUMORA = os.path.join(BUILD_DIR, "bin", "lumora")
DEMO_PACK = os.path.join(BUILD_DIR, "share", "lumora", "help", "english.qlp")
DEMO_REGISTRY = os.path.join(os.path.dirname(__file__), "..", "..", "data", "registry", "registry.conf")
TITLE = "Quillmark Lumora - Dynamic Help System"
TITLE_PATTERN = "^" + re.escape(TITLE) + "$"
SHOTS = os.path.join(BUILD_DIR, "e2e-shots")
STALLS = os.path.join(BUILD_DIR, "e2e-stalls.log")  # the test command prints it

CONTENTS, INDEX, SEARCH, QUESTION, BOOKMARKS = 0, 1, 2, 3, 4
PAGES = {CONTENTS: "contents", INDEX: "index", SEARCH: "search", QUESTION: "question", BOOKMARKS: "bookmarks"}
TOOL_OF_PAGE = {page: f"ToolButton({page + 2})" for page in PAGES}
PAGE = ("<html><head><title>{subject}</title><!--[if gte mso 9]><xml><o:DocumentProperties>"
        "<o:Subject>{subject}</o:Subject></o:DocumentProperties></xml><![endif]--></head>"
        "<body><p>{body}</p></body></html>")


def note_stall(text, details=""):  # loudly; details (stacks) go to the log whole
    print(f"\n{text}", file=sys.stderr, flush=True)
    with open(STALLS, "a", encoding="utf-8") as log:
        log.write(f"{time.strftime('%X')} {text.splitlines()[0]}\n" + "".join(f"    {x}\n" for x in details.splitlines()))


def poll(find, what, timeout=60, interval=0.2):
    """What find() returns once it is something, polled until the timeout."""
    deadline = time.monotonic() + timeout
    while not (found := find()):
        if time.monotonic() > deadline:
            raise TimeoutError(what)
        time.sleep(interval)
    return found


class Display:
    """A private X server for one test, with openbox as its window manager if asked."""

    def __init__(self, width=1024, height=768, window_manager=False):
        self.size, self.manager = (width, height), None
        self.start_server()
        if window_manager:
            self.start_window_manager()

    def start_server(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{self.size[0]}x{self.size[1]}x24", "-nolisten", "tcp",
             "-noreset"],  # a reset when the last client leaves refuses the next one, openbox's start among them
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.name = ":" + pipe.readline().strip()
        if self.name == ":":
            raise RuntimeError("Xvfb did not start")

    def start_window_manager(self):
        log = tempfile.TemporaryFile()
        self.manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env(), stdout=log, stderr=log)
        with contextlib.suppress(TimeoutError):
            poll(lambda: self.manager.poll() is not None
                 or "window id #" in self.property("root", "_NET_SUPPORTING_WM_CHECK"), "", 30, 0.1)
        if self.manager.poll() is not None or "window id #" not in self.property("root", "_NET_SUPPORTING_WM_CHECK"):
            log.seek(0)
            self.close()  # no test will close a display it never got
            raise RuntimeError(f"the window manager did not start ({self.manager.poll()}): "
                               + log.read().decode(errors="replace")[-2000:])

    def env(self):  # this X server, whatever platform the caller's environment names
        return {**{k: v for k, v in os.environ.items() if k != "QT_QPA_PLATFORM"}, "DISPLAY": self.name}

    def run(self, *command, check=True):
        result = subprocess.run(command, env=self.env(), capture_output=True, text=True, timeout=60)
        if check and result.returncode != 0:
            raise RuntimeError(f"{command} failed: {result.stderr}")
        return result.stdout

    def windows(self, name):  # visible top-level windows whose name matches the regular expression
        return [int(w) for w in self.run("xdotool", "search", "--onlyvisible", "--name", name, check=False).split()]

    def wait_window(self, name, timeout=60):
        return poll(lambda: self.windows(name), f"no window named {name!r}", timeout)

    def property(self, window, name):
        return self.run("xprop", *(["-root"] if window == "root" else ["-id", str(window)]), name, check=False).strip()

    def transient_for(self, window):  # the owner window id, or None
        text = self.property(window, "WM_TRANSIENT_FOR")
        return int(text.split("#")[1].strip(), 16) if "window id #" in text else None

    def close_by_window_manager(self, window, name):
        """The desktop's close (a panel's, or Alt+F4): openbox, asked by _NET_CLOSE_WINDOW, sends WM_DELETE_WINDOW."""
        self.run("wmctrl", "-i", "-c", hex(window))
        poll(lambda: window not in self.windows(name), "the desktop's close did not close the window", 10, 0.05)

    def press_key(self, window, key):
        self.run("xdotool", "windowfocus", "--sync", str(window))
        self.run("xdotool", "key", key)

    def mouse_move(self, x, y):
        # A synchronous move to where the pointer already is waits for a motion that never comes.
        here = dict(line.split("=", 1) for line in self.run("xdotool", "getmouselocation", "--shell").split())
        if (int(here["X"]), int(here["Y"])) != (round(x), round(y)):
            self.run("xdotool", "mousemove", "--sync", str(round(x)), str(round(y)))

    def click(self, x, y, repeat=1):
        self.mouse_move(x, y)
        self.run("xdotool", "click", "--repeat", str(repeat), "--delay", "80", "1")

    def drag(self, start, end, steps=8):
        self.mouse_move(*start)
        self.run("xdotool", "mousedown", "1")
        for i in range(1, steps + 1):
            self.mouse_move(start[0] + (end[0] - start[0]) * i / steps, start[1] + (end[1] - start[1]) * i / steps)
            time.sleep(0.05)
        self.run("xdotool", "mouseup", "1")

    def close(self):  # the window manager has nothing to save: killed; the server is ended to remove its socket
        for process, end in ((self.manager, "kill"), (self.process, "terminate")):
            if process:
                getattr(process, end)()
                process.wait(timeout=30)


def crop_info(path, rect, fmt):  # ImageMagick's fmt (%k colours, %# a digest of the pixels, ...) of part of a picture
    x, y, w, h = rect
    return subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", *fmt.split("|")],
                          capture_output=True, text=True, check=True).stdout.strip()


class Lumora:
    """One run of the program with a registry store of its own."""

    def __init__(self, display, arguments, config_home, registry_text=None, cwd=None, env=None):
        self.folder = tempfile.mkdtemp(prefix="lumora-e2e-")
        self.registry = os.path.join(self.folder, "registry.conf")
        if registry_text is None:
            registry_text = re.sub(r"(?im)^expertindex.*\n?", "", pathlib.Path(DEMO_REGISTRY).read_text("utf-8"))
        pathlib.Path(self.registry).write_text(registry_text, encoding="utf-8")
        self.report_path = os.path.join(self.folder, "layout.json")
        env = dict(display.env(), LUMORA_REGISTRY=self.registry, XDG_CONFIG_HOME=config_home,
                   XDG_DATA_HOME=os.path.join(config_home, "data"), LUMORA_LAYOUT_REPORT=self.report_path, **(env or {}))
        # No session bus: without an address libdbus forks a launcher at start, and a fork beside the sanitizer's
        # threads can leave the child waiting forever on a lock the parent held, so the window never shows.
        env.setdefault("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + os.path.join(self.folder, "no-session-bus"))
        # The X11 and GL plugins' leftovers have no stack to suppress; the unit suites check our own leaks.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] += ":detect_leaks=0"
        self.log = open(os.path.join(self.folder, "lumora.log"), "w")
        self.process = subprocess.Popen([os.path.abspath(LUMORA), *arguments], env=env, cwd=cwd, stdout=self.log,
                                        stderr=subprocess.STDOUT)

    def report(self):  # the program's latest layout report, or None before the first
        try:
            return LayoutReport(json.loads(pathlib.Path(self.report_path).read_text(encoding="utf-8")))
        except (FileNotFoundError, json.JSONDecodeError):
            return None

    def wait_report(self, condition, what, timeout=60):
        try:
            return poll(lambda: (r := self.report()) is not None and condition(r) and r, what, timeout, 0.1)
        except TimeoutError:
            last = {k: v for k, v in (self.report() or {}).items() if k != "controls"}
            raise TimeoutError(f"{what}; last report: {last}") from None

    def stacks(self):
        """Every thread's stack of the program and its engine processes, as gdb reads them."""
        children = subprocess.run(["pgrep", "-P", str(self.process.pid)], capture_output=True, text=True).stdout
        stacks = ""
        for pid in [self.process.pid, *map(int, children.split())]:
            try:
                gdb = ["gdb", "-p", str(pid), "-batch", "-ex", "thread apply all bt 12"]
                stacks += f"process {pid}:\n" + subprocess.run(gdb, capture_output=True, text=True, timeout=120).stdout
            except (OSError, subprocess.TimeoutExpired) as e:
                stacks += f"process {pid}: no stacks ({e})\n"
        return stacks

    def log_text(self):
        self.log.flush()
        return pathlib.Path(self.log.name).read_text(encoding="utf-8", errors="replace")

    def stop(self):
        self.process.terminate()  # nothing if it has ended
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)


class LayoutReport(dict):
    """LUMORA_LAYOUT_REPORT: the window's state and each control's rectangle in window pixels."""

    def control(self, name):
        return next(c for c in self["controls"] if c["name"] == name)

    def on_screen(self, name):
        x, y, w, h = self.control(name)["rect"]
        return self["window"][0] + x, self["window"][1] + y, w, h

    def screen_centre(self, name):
        x, y, w, h = self.on_screen(name)
        return x + w / 2, y + h / 2

    def visible(self):
        return [c for c in self["controls"] if c["visible"]]


def write_help_set(folder, topics, subject, body):
    """The demo pack beside a home page and Reference/Topic00000.html on, from subject(i) and body(i)."""
    shutil.copyfile(DEMO_PACK, os.path.join(folder, "english.qlp"))
    os.makedirs(os.path.join(folder, "Reference"))
    for name, s, b in [("index.html", "Welcome", "The home page.")] + [
            (f"Reference/Topic{i:05}.html", subject(i), body(i)) for i in range(topics)]:
        pathlib.Path(folder, name).write_text(PAGE.format(subject=s, body=b), encoding="ascii")
    return os.path.join(folder, "english.qlp")


class ProgramTest(unittest.TestCase):
    """Runs on a private display, with user settings of the test's own that a second run finds."""

    screen = (1024, 768)
    window_manager = True
    registry_text = None  # the demo store
    pack = DEMO_PACK

    def setUp(self):
        self.display = Display(*self.screen, window_manager=self.window_manager)
        self.addCleanup(self.display.close)
        self.config = tempfile.mkdtemp(prefix="lumora-user-")
        self.addCleanup(shutil.rmtree, self.config, True)
        self.runs = []
        self.lumora = None

    def launch(self, arguments, shown=True, timeout=60, **options):
        """Starts a run and waits for its window unless told not to; one that shows none in time logs its stacks."""
        options.setdefault("registry_text", self.registry_text)
        options.setdefault("config_home", self.config)
        self.lumora = Lumora(self.display, arguments, **options)
        self.runs.append(self.lumora)
        self.addCleanup(self.lumora.stop)
        try:
            if shown:
                self.lumora.wait_report(lambda r: r["visible"], "the main window shown", timeout)
            return self.lumora
        except TimeoutError:
            note_stall(f"START SHOWED NO WINDOW ({arguments}, {timeout} s, exit status {self.lumora.process.poll()}): "
                       "the test fails; its log:\n" + self.lumora.log_text(), self.lumora.stacks())
            raise

    def start(self, *switches, page=None, timeout=60, **options):  # on the pack, until the page asked for is ready
        self.launch([self.pack, *switches], timeout=timeout, **options)
        return self.wait(lambda r: r["visible"] and r["url"] and not r["busy"] and not r["loading"]
                         and page in (None, r["page"]), f"page {page} ready", timeout)

    def wait(self, condition, what, timeout=60):
        return self.lumora.wait_report(condition, what, timeout)

    def click(self, report, name, repeat=1):
        self.display.click(*report.screen_centre(name), repeat=repeat)

    def key(self, *keys):
        self.display.run("xdotool", "key", "--delay", "60", *keys)

    def type(self, text, delay=40):
        self.display.run("xdotool", "type", "--delay", str(delay), text)

    def open_page(self, report, page):
        self.click(report, TOOL_OF_PAGE[page])
        return self.wait(lambda r: r["page"] == page and not r["busy"], f"the {PAGES[page]} page")

    def focus_page(self, report):  # by a click on its top margin, where no link is
        x, y, w, _ = report.on_screen("WebBrowser(0)")
        self.display.click(x + w // 2, y + 6)
        return self.wait(lambda r: r.get("focus") == "WebBrowser(0)", "the page has the keyboard")

    def drag_pane(self, report, to_x):  # by the slider at its right edge
        x, y, w, h = report.on_screen("ExplorerHolder(0)")
        self.display.drag((x + w - 3, y + h // 2), (to_x, y + h // 2))

    def windows(self):  # (main window, owner window) ids, once the main window is mapped
        return poll(lambda: next(((w, self.display.transient_for(w)) for w in self.display.windows(TITLE_PATTERN)
                                  if self.display.transient_for(w)), None), "the main window never mapped", 30, 0.1)

    def shoot(self, name):
        os.makedirs(SHOTS, exist_ok=True)
        self.display.run("import", "-window", "root", os.path.join(SHOTS, name))
        return os.path.join(SHOTS, name)

    def settled(self, name, timeout=30):
        """A screenshot, and the report, once both have stopped changing: two grabs alike."""
        def grab():
            pixels = subprocess.run(["import", "-window", "root", "rgb:-"], env=self.display.env(),
                                    capture_output=True, check=True, timeout=60).stdout
            return self.lumora.report(), pixels
        grabs = [grab()]
        poll(lambda: grabs.append(grab()) or grabs[-1] == grabs[-2], f"{name}: the window never settled", timeout, 0.15)
        return grabs[-1][0], self.shoot(name)

    def wait_drawn(self, report, name):
        """Screenshot once the page area shows more than a few flat colours."""
        x, y, width, height = report["window"]
        page = (x, y + 60, width, height - 60)
        return poll(lambda: int(crop_info(shot := self.shoot(name), page, "-format|%k|info:")) > 40 and shot,
                    f"{name}: the page area never drawn", 30, 0.3)
