"""Themes at work: "Change Colour" switches classic -> night -> classic at once and the choice is kept for the user;
the night theme, and the built-in one standing in for a missing theme, lay out every page and keep text readable."""

import re

from harness import DEMO_REGISTRY, INDEX, PAGES, ProgramTest, crop_info
from test_window import clipped, layout_faults

# Controls that carry text for the reader; the question form's band keeps its designed white on
# 0x808080 in every theme: large bold text, for which 3:1 is the readable least.
TEXT_CONTROLS = re.compile(r"^(FormCaption|FrameLabel|DiffLabel|CommandButton|ToolButton|ComplexList)\(\d+\)$")
BAND_CAPTIONS = ("DiffLabel(1)", "DiffLabel(2)")


def histogram(path, rect):  # {(r, g, b): pixels} of a part of a screenshot
    counts = re.findall(r"(?m)^\s*(\d+):\s*\(\s*(\d+),\s*(\d+),\s*(\d+)",
                        crop_info(path, rect, "-depth|8|-format|%c|histogram:info:-"))
    return {tuple(map(int, m[1:])): int(m[0]) for m in counts}


def luminance(rgb):
    r, g, b = (c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4 for c in (v / 255 for v in rgb))
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def text_contrast(path, rect):
    """The WCAG contrast of a region's text: the most common colour is the ground, the text the
    colour of at least 0.2 % of the pixels (a glyph's full-strength stems) that stands out most."""
    colours = histogram(path, rect)
    ground = luminance(max(colours, key=colours.get))
    return max(((max(ground, luminance(c)) + 0.05) / (min(ground, luminance(c)) + 0.05)
                for c, n in colours.items() if n >= sum(colours.values()) * 0.002), default=1.0)


def readable_faults(report, shot):
    """Enabled controls whose text stands out less than 4.5:1 (readers expect inactive ones dimmed)."""
    x0, y0, _, _ = report["window"]
    faults = []
    for c in report.visible():
        x, y, w, h = clipped(report, c)
        if (not TEXT_CONTROLS.match(c["name"]) or not c.get("enabled", True) or w < 4 or h < 4
                or not (c["name"].startswith("ComplexList") or c.get("caption", "").strip("&"))):
            continue
        ratio = text_contrast(shot, (x0 + x, y0 + y, w, h))
        if ratio < (3.0 if c["name"] in BAND_CAPTIONS else 4.5):
            faults.append(f"{c['name']} {c.get('caption', '')!r}: contrast {ratio:.1f}")
    return faults


class Themes(ProgramTest):
    window_manager = False

    def looks(self, report, name):  # the ground colours of the title strip, the topic list and the Display button
        _, shot = self.settled(name)
        x0, y0, width, _ = report["window"]
        looks = []
        for control in ("FormImage(0)", "ComplexList(1)", "CommandButton(2)"):
            x, y, w, h = clipped(report, report.control(control))
            colours = histogram(shot, (x0 + x, y0 + y, min(w, width - x), h))  # strips reach past the window
            looks.append(max(colours, key=colours.get))
        return looks

    def test_change_colour_switches_at_once_and_is_kept_for_the_user(self):
        report = self.start("-index", page=INDEX)
        classic = self.looks(report, "theme-classic.png")
        self.click(report, "FormControl(0)")
        night = self.looks(report, "theme-night.png")
        self.assertEqual([a == b for a, b in zip(classic, night)], [False] * 3, "a control was not repainted")
        with open(self.lumora.registry, encoding="utf-8") as f:
            self.assertIn("CurrentTheme=classic", f.read())  # the machine's store is not the user's
        self.lumora.stop()
        report = self.start("-index", page=INDEX)
        self.assertEqual(self.looks(report, "theme-night-again.png"), night)
        self.click(report, "FormControl(0)")
        self.assertEqual(self.looks(report, "theme-classic-again.png"), classic)

    def test_every_page_is_laid_out_and_readable(self):
        for theme in ("night", "nosuchtheme"):
            with self.subTest(theme=theme), open(DEMO_REGISTRY, encoding="utf-8") as f:
                report = self.start(registry_text=re.sub(r"(?m)^CurrentTheme=.*$", f"CurrentTheme={theme}", f.read()))
                for page, name in PAGES.items():
                    self.open_page(report, page)
                    report, shot = self.settled(f"{theme}-{name}.png")
                    self.assertEqual(layout_faults(report) + readable_faults(report, shot), [], name)
                self.assertEqual('theme "nosuchtheme" not found' in self.lumora.log_text(), theme == "nosuchtheme")
                self.lumora.stop()
