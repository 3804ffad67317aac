"""What `cmake --install` puts in place for the desktop: a valid desktop
entry and AppStream metadata, icons in the icon theme, and manual pages that
render without warnings."""

import glob
import os
import shutil
import subprocess
import tempfile
import unittest

BUILD_DIR = os.environ["LUMORA_BUILD_DIR"]


class InstalledFiles(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="lumora-install-")
        cls.addClassCleanup(shutil.rmtree, cls.prefix, True)
        subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", cls.prefix], check=True, capture_output=True)
        cls.share = os.path.join(cls.prefix, "share")

    def run_tool(self, *command):
        result = subprocess.run(command, capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        return result

    def test_desktop_entry_validates_and_starts_the_installed_demo(self):
        entry = os.path.join(self.share, "applications", "lumora.desktop")
        self.run_tool("desktop-file-validate", entry)
        with open(entry, encoding="utf-8") as f:
            exec_line = next(line for line in f if line.startswith("Exec="))
        self.assertTrue(exec_line.strip().endswith("/lumora/help/english.qlp"), exec_line)

    def test_appstream_metadata_validates(self):
        self.run_tool("appstreamcli", "validate", "--no-net", os.path.join(self.share, "metainfo",
                                                                         "com.quillmark.Lumora.metainfo.xml"))

    def test_icons_stand_at_their_sizes(self):
        icons = os.path.join(self.share, "icons", "hicolor")
        for size in (16, 22, 24, 32, 48, 64, 128, 256):
            out = self.run_tool("identify", "-format", "%w %h", f"{icons}/{size}x{size}/apps/lumora.png").stdout
            self.assertEqual(out, f"{size} {size}")
        self.assertTrue(os.path.isfile(os.path.join(icons, "scalable", "apps", "lumora.svg")))

    def test_manual_pages_render_without_warnings(self):
        pages = sorted(glob.glob(os.path.join(self.share, "man", "man1", "*.1.gz")))
        self.assertEqual([os.path.basename(p) for p in pages], ["lumora-help.1.gz", "lumora.1.gz"])
        env = dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8")
        for page in pages:
            result = subprocess.run(["man", "--warnings", "-l", page], capture_output=True, text=True, env=env)
            self.assertEqual((result.returncode, result.stderr, "SYNOPSIS" in result.stdout), (0, "", True), page)
