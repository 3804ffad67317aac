"""Runs the real lumora under Xvfb: finds its windows with xdotool, looks at
them with xprop and ImageMagick, and stops it."""

import os
import shutil
import subprocess
import tempfile
import time

BUILD_DIR = os.environ.get("LUMORA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "..", "build"))
LUMORA = os.path.join(BUILD_DIR, "bin", "lumora")
DEMO_PACK = os.path.join(BUILD_DIR, "share", "lumora", "help", "english.qlp")
DEMO_REGISTRY = os.path.join(os.path.dirname(__file__), "..", "..", "data", "registry", "registry.conf")
TITLE = "Quillmark Lumora - Dynamic Help System"


class Display:
    """A private X server for one test."""

    def __init__(self, width=1024, height=768):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.name
        env.pop("QT_QPA_PLATFORM", None)
        return env

    def run(self, *command, check=True):
        result = subprocess.run(command, env=self.env(), capture_output=True, text=True, timeout=60)
        if check and result.returncode != 0:
            raise RuntimeError(f"{command} failed: {result.stderr}")
        return result.stdout

    def windows(self, name):
        """Visible top-level windows whose name matches the regular expression."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                                env=self.env(), capture_output=True, text=True, timeout=60)
        return [int(w) for w in result.stdout.split()]

    def wait_window(self, name, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.windows(name)
            if found:
                return found
            time.sleep(0.2)
        raise TimeoutError(f"no window named {name!r}")

    def property(self, window, name):
        return self.run("xprop", "-id", str(window), name, check=False).strip()

    def transient_for(self, window):
        """The owner window id, or None."""
        text = self.property(window, "WM_TRANSIENT_FOR")
        if "window id #" not in text:
            return None
        return int(text.split("#")[1].strip(), 16)

    def press_key(self, window, key):
        """Gives the window the keyboard focus and types the key."""
        self.run("xdotool", "windowfocus", "--sync", str(window))
        self.run("xdotool", "key", key)

    def window_name(self, window):
        return self.run("xdotool", "getwindowname", str(window)).strip()

    def screenshot(self, path, window="root"):
        self.run("import", "-window", str(window), path)
        return path

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=30)


def window_geometry(display, window):
    """(x, y, width, height) of a window on the screen."""
    text = display.run("xdotool", "getwindowgeometry", "--shell", str(window))
    values = dict(line.split("=", 1) for line in text.split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def region_colours(path, x, y, width, height):
    """How many colours a part of a picture holds."""
    return int(subprocess.run(["convert", path, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-format", "%k",
                               "info:"], capture_output=True, text=True, check=True).stdout.strip())


def unique_colours(path):
    return int(subprocess.run(["convert", path, "-format", "%k", "info:"],
                              capture_output=True, text=True, check=True).stdout.strip())


class Lumora:
    """One run of the program with a registry store of its own."""

    def __init__(self, display, arguments, registry_text=None):
        self.display = display
        self.folder = tempfile.mkdtemp(prefix="lumora-e2e-")
        self.registry = os.path.join(self.folder, "registry.conf")
        if registry_text is None:
            shutil.copyfile(DEMO_REGISTRY, self.registry)
            with open(self.registry, encoding="utf-8") as f:
                lines = [line for line in f if not line.lower().startswith("expertindex")]
            with open(self.registry, "w", encoding="utf-8") as f:
                f.writelines(lines)
        else:
            with open(self.registry, "w", encoding="utf-8") as f:
                f.write(registry_text)
        env = display.env()
        env["LUMORA_REGISTRY"] = self.registry
        self.log = open(os.path.join(self.folder, "lumora.log"), "w")
        self.process = subprocess.Popen([LUMORA, *arguments], env=env, stdout=self.log, stderr=subprocess.STDOUT)

    def wait_exit(self, timeout=60):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)
