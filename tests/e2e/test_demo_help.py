"""The demo help sets as a reader sees them: no link markup of the page sources left in any page's
text, and every key of README's key table named on the keyboard page of each."""

import glob
import html
import os
import re
import unittest

ROOT = os.path.join(os.path.dirname(__file__), "..", "..")


def text_of(path):
    """A page's text as shown: decoded as it declares, without tags, scripts, styles and comments."""
    with open(path, "rb") as f:
        raw = f.read()
    declared = re.search(rb"charset=[\"']?([\w-]+)", raw)
    encoding = "utf-16" if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else (
        declared.group(1).decode() if declared else "windows-1252")
    page = re.sub(r"(?is)<!--.*?-->|<(script|style)\b.*?</\1\s*>|<[^>]*>", " ", raw.decode(encoding, "replace"))
    return " ".join(html.unescape(page).split())


class DemoHelp(unittest.TestCase):
    def test_no_link_markup_is_left_in_any_page(self):
        pages = glob.glob(os.path.join(ROOT, "data", "help*", "**", "*.htm*"), recursive=True)
        self.assertGreater(len(pages), 40)
        for page in pages:
            with self.subTest(page=os.path.relpath(page, ROOT)):
                self.assertNotRegex(text_of(page), r"\[\[|\]\]")

    def test_every_key_of_the_readme_is_named_on_the_keyboard_page(self):
        with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as f:
            rows = f.read().split("\n## Keys\n", 1)[1].strip().split("\n\n")[0].splitlines()[2:]
        keys = {key.strip() for row in rows for key in row.split("|")[1].split(",")}
        self.assertGreater(len(keys), 25)
        for path in (("help", "using", "keyboard.html"), ("help-ru", "spravka", "klaviatura.html")):
            with self.subTest(page=os.path.join(*path)):
                page = text_of(os.path.join(ROOT, "data", *path))
                self.assertEqual(sorted(key for key in keys if key not in page), [])
