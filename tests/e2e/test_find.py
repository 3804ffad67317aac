"""Find in page (Ctrl+F, F3, Shift+F3, Enter, Escape) on the real engine; the page's text tells how often a word stands
in it, for the find and for the search marks (test_keys)."""

import html
import os
import re

from harness import DEMO_PACK, ProgramTest, crop_info

ACTIVE, OTHERS = "rgb(255,150,50)", "rgb(255,255,0)"  # the engine's colours for found text


def colour_pixels(path, box, colour):
    """How many pixels of a part of a picture have exactly the colour."""
    return int(float(crop_info(path, box, f"-fill|black|+opaque|{colour}|-fill|white|-opaque|{colour}|"
                                          "-format|%[fx:mean*w*h]|info:")))


def occurrences(url, words):
    """How often the words stand in a demo page's text, any letter case (the report's URLs are lower case)."""
    path = os.path.dirname(DEMO_PACK)
    for part in url[len(path) + 1:].split("/"):
        path = os.path.join(path, next(n for n in os.listdir(path) if n.lower() == part))
    with open(path, encoding="windows-1252") as f:
        body = re.split(r"(?i)<body\b[^>]*>", f.read(), maxsplit=1)[-1]
    # A tag ends a text node, and no word runs across two.
    text = html.unescape(re.sub(r"(?is)<!--.*?-->|<(script|style|noscript|textarea)\b.*?</\1\s*>|<[^>]*>", "\n", body))
    return len(re.findall("|".join(sorted(words, key=len, reverse=True)), text, re.IGNORECASE))


class Find(ProgramTest):
    window_manager = False

    def test_find_counts_steps_and_closes(self):
        report = self.start()
        expected = occurrences(report["url"], ["question"])
        self.assertGreater(expected, 2)
        box = report.on_screen("WebBrowser(0)")
        self.focus_page(report)
        self.key("ctrl+f")
        self.wait(lambda r: r["find"]["shown"], "the find strip")
        self.type("question")
        report = self.wait(lambda r: r["find"]["text"] == "question" and r["find"]["matches"] == expected
                           and r["find"]["active"] == 1, f"1 of {expected}")
        self.assertEqual(report["find"]["count"], f"1 of {expected}")
        self.assertGreater(colour_pixels(self.shoot("find-strip.png"), box, ACTIVE), 0)  # the active match
        for keys, active in (("F3", 2), ("shift+F3", 1), ("shift+F3", expected), ("Return", 1)):
            self.key(keys)
            self.wait(lambda r: r["find"]["active"] == active, f"{keys}: match {active}")
        self.key("Escape")
        report, closed = self.settled("find-closed.png")  # the engine keeps the last match selected unless told
        self.assertEqual((report["find"]["shown"], report["find"]["count"], report["find"]["pageSelection"]), (False, "", ""))
        self.assertEqual([colour_pixels(closed, box, c) for c in (ACTIVE, OTHERS)], [0, 0])
        # The page has the keyboard again: End scrolls it.
        before = crop_info(closed, box, "-format|%#|info:")
        self.key("End")
        self.wait(lambda r: crop_info(self.shoot("find-after-end.png"), box, "-format|%#|info:") != before,
                  "the page scrolled by End")
