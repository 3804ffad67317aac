"""Find in page (Ctrl+F, F3, Shift+F3, Enter, Escape) and the words of a
search marked on the page opened from its result list."""

import html
import os
import re
import subprocess
import unittest

from harness import SEARCH, ProgramTest, crop_signature

ACTIVE, OTHERS = "rgb(255,150,50)", "rgb(255,255,0)"  # the engine's colours for found text


def real_path(path):
    """The file whose path equals the given one ignoring letter case (the report's URLs are lower case)."""
    real = "/"
    for part in path.strip("/").split("/"):
        names = os.listdir(real)
        real = os.path.join(real, part if part in names else next(n for n in names if n.lower() == part))
    return real


def occurrences(path, words):
    """How often the words stand in the page's text, any letter case, longest first."""
    with open(real_path(path), encoding="windows-1252", errors="replace") as f:
        body = re.split(r"(?i)<body\b[^>]*>", f.read(), maxsplit=1)[-1]
    # A tag ends a text node, and no word runs across two.
    hidden = r"(?is)<!--.*?-->|<(script|style|noscript|textarea)\b.*?</\1\s*>|<[^>]*>"
    text = html.unescape(re.sub(hidden, "\n", body))
    pattern = re.compile("|".join(re.escape(w) for w in sorted(words, key=len, reverse=True)), re.IGNORECASE)
    return len(pattern.findall(text))


def colour_pixels(path, box, colour):
    """How many pixels of a part of a picture have exactly the colour."""
    x, y, w, h = box
    return int(float(subprocess.run(
        ["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-fill", "black", "+opaque", colour,
         "-fill", "white", "-opaque", colour, "-format", "%[fx:mean*w*h]", "info:"],
        capture_output=True, text=True, check=True).stdout.strip()))


class Find(ProgramTest):
    window_manager = False

    def test_find_counts_steps_and_closes(self):
        report = self.start()
        home = report["url"]
        expected = occurrences(home, ["question"])
        self.assertGreater(expected, 2)
        box = report.on_screen("WebBrowser(0)")
        self.focus_page(report)

        self.key("ctrl+f")
        self.wait(lambda r: r["find"]["shown"], "the find strip")
        self.type("question")
        # The count follows the typing; "quest" has as many matches.
        report = self.wait(lambda r: r["find"]["text"] == "question" and r["find"]["matches"] == expected
                           and r["find"]["active"] == 1, f"1 of {expected}")
        self.assertEqual(report["find"]["count"], f"1 of {expected}")
        # The engine marks the active match in orange, the others in yellow.
        self.assertGreater(colour_pixels(self.shoot("find-strip.png"), box, ACTIVE), 0)

        for keys, active in (("F3", 2), ("shift+F3", 1), ("shift+F3", expected), ("Return", 1)):
            with self.subTest(keys=keys):
                self.key(keys)
                self.wait(lambda r: r["find"]["active"] == active, f"{keys}: match {active}")

        self.key("Escape")
        report = self.wait(lambda r: not r["find"]["shown"], "the strip closed")
        self.assertEqual(report["find"]["count"], "")
        closed = self.shoot("find-closed.png")
        self.assertEqual([colour_pixels(closed, box, c) for c in (ACTIVE, OTHERS)], [0, 0])
        # The page has the keyboard again: End scrolls it.
        before = crop_signature(closed, *box)
        self.key("End")
        self.wait(lambda r: crop_signature(self.shoot("find-after-end.png"), *box) != before,
                  "the page scrolled by End")

    def test_search_words_are_marked_on_the_opened_page(self):
        report = self.start("-search", page=SEARCH)
        home = report["url"]
        words = ["preview", "print"]
        self.click(report, "WriteBox(0)")
        self.type(" ".join(words))
        self.key("Return")
        report = self.wait(lambda r: r.control("FrameLabel(2)")["caption"] not in ("Matches: 0", "Matches:")
                           and not r["busy"], "search results")
        self.click(report, "CommandButton(1)")  # Display: the best match
        # The count is taken after the page's marking step.
        report = self.wait(lambda r: r["url"] != home and r["searchMarks"]["page"] == r["url"],
                           "the best match, marked")
        self.assertGreater(report["searchMarks"]["count"], 0)
        self.assertEqual(report["searchMarks"]["count"], occurrences(report["url"], words))
        self.shoot("search-marks.png")


if __name__ == "__main__":
    unittest.main()
