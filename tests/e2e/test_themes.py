"""Themes at work: "Change Colour" switches classic -> night -> classic at
once and the choice is kept for the user; the night theme, and the built-in
one standing in for a missing theme, lay out every page as the classic one
does, and text stays readable."""

import re
import subprocess
import time
import unittest

from harness import DEMO_REGISTRY, INDEX, PAGES, ProgramTest
from test_window import clipped, layout_faults


def registry_with_theme(theme):
    with open(DEMO_REGISTRY, encoding="utf-8") as f:
        return re.sub(r"(?m)^CurrentTheme=.*$", f"CurrentTheme={theme}", f.read())


def histogram(path, rect):
    """{(r, g, b): pixels} of a part of a screenshot."""
    x, y, w, h = rect
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "-format", "%c",
                          "histogram:info:-"], capture_output=True, text=True, check=True).stdout
    counts = re.findall(r"(?m)^\s*(\d+):\s*\(\s*(\d+),\s*(\d+),\s*(\d+)", out)
    return {tuple(map(int, m[1:])): int(m[0]) for m in counts}


def luminance(rgb):
    r, g, b = (c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4 for c in (v / 255 for v in rgb))
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def text_contrast(path, rect):
    """The contrast of a region's text against its background: the most
    common colour is the background, the text the colour of at least 0.2 % of
    the pixels (a glyph's full-strength stems) that stands out most from it
    (WCAG ratio)."""
    colours = histogram(path, rect)
    total = sum(colours.values())
    background = max(colours, key=colours.get)
    lb = luminance(background)
    ratios = [(max(lb, luminance(c)) + 0.05) / (min(lb, luminance(c)) + 0.05)
              for c, n in colours.items() if n >= total * 0.002 and c != background]
    return max(ratios, default=1.0)


# Controls that carry text for the reader.
TEXT_CONTROLS = re.compile(r"^(FormCaption|FrameLabel|DiffLabel|CommandButton|ToolButton|ComplexList)\(\d+\)$")
# The question form's band keeps its designed white on 0x808080 in every
# theme: large bold text, for which 3:1 is the readable least.
BAND_CAPTIONS = ("DiffLabel(1)", "DiffLabel(2)")


def readable_faults(report, shot):
    """Enabled controls whose text stands out less than 4.5:1 from its ground
    (inactive controls are exempt, as readers expect them dimmed)."""
    x0, y0, _, _ = report["window"]
    faults = []
    for control in report.visible():
        if not TEXT_CONTROLS.match(control["name"]) or not control.get("enabled", True):
            continue
        if not control["name"].startswith("ComplexList") and not control.get("caption", "").strip("&"):
            continue
        x, y, w, h = clipped(report, control)
        if w < 4 or h < 4:
            continue
        ratio = text_contrast(shot, (x0 + x, y0 + y, w, h))
        if ratio < (3.0 if control["name"] in BAND_CAPTIONS else 4.5):
            faults.append(f"{control['name']} {control.get('caption', '')!r}: contrast {ratio:.1f}")
    return faults


class ChangeColour(ProgramTest):
    window_manager = False

    def looks(self, report, name):
        """The ground colour (the most common one) of the title strip, the topic
        list and the Display button: a theme's look, whatever row is selected
        or has the focus."""
        time.sleep(0.5)
        shot = self.shoot(name)
        x0, y0, width, _ = report["window"]
        looks = []
        for control in ("FormImage(0)", "ComplexList(1)", "CommandButton(2)"):
            x, y, w, h = clipped(report, report.control(control))
            w = min(w, width - x)  # the strips reach past the window's edge
            colours = histogram(shot, (x0 + x, y0 + y, w, h))
            looks.append(max(colours, key=colours.get))
        return looks

    def test_switches_at_once_and_is_kept_for_the_user(self):
        report = self.start("-index", page=INDEX)
        classic = self.looks(report, "theme-classic.png")
        self.click(report, "FormControl(0)")
        night = self.looks(report, "theme-night.png")
        for control, before, after in zip(("title strip", "list", "button"), classic, night):
            self.assertNotEqual(before, after, f"the {control} was not repainted")
        with open(self.lumora.registry, encoding="utf-8") as f:
            self.assertIn("CurrentTheme=classic", f.read())  # the machine's store is not the user's

        # Kept across a restart.
        self.lumora.stop()
        report = self.start("-index", page=INDEX)
        self.assertEqual(self.looks(report, "theme-night-again.png"), night)
        # And back round to the first theme.
        self.click(report, "FormControl(0)")
        self.assertEqual(self.looks(report, "theme-classic-again.png"), classic)


class PagesReadable(ProgramTest):
    """Every page at the design size in the night theme, and in the built-in
    one that a theme which is not there falls back to."""

    def test_every_page_is_laid_out_and_readable(self):
        for theme in ("night", "nosuchtheme"):
            with self.subTest(theme=theme):
                report = self.start(registry_text=registry_with_theme(theme))
                for page, name in PAGES.items():
                    self.open_page(report, page)
                    time.sleep(0.5)
                    report = self.lumora.report()
                    shot = self.shoot(f"{theme}-{name}.png")
                    self.assertEqual(layout_faults(report), [], name)
                    self.assertEqual(readable_faults(report, shot), [], name)
                self.assertEqual('theme "nosuchtheme" not found' in self.lumora.log_text(), theme == "nosuchtheme")
                self.lumora.stop()


if __name__ == "__main__":
    unittest.main()
