"""Questions a reader asks of Debian's Python and PostgreSQL manuals: the page that answers comes first or near."""

import os
import subprocess
import unittest

HELP_TOOL = os.path.join(os.environ.get("LUMORA_BUILD_DIR", "build"), "bin", "lumora-help")
TREES = {"py": "/usr/share/doc/python3.11/html", "pg": "/usr/share/doc/postgresql-doc-15/html"}
QUESTIONS = [("py", "list comprehension", "tutorial/datastructures.html"), ("py", "datetime", "library/datetime.html"),
             ("py", "regular expressions", "library/re.html"), ("py", "json", "library/json.html"),
             ("py", "virtual environment", "tutorial/venv.html"), ("py", "exceptions", "tutorial/errors.html"),
             ("py", "sort a list", "howto/sorting.html"), ("py", "unit tests", "library/unittest.html"),
             ("pg", "vacuum", "sql-vacuum.html"), ("pg", "create index concurrently", "sql-createindex.html"),
             ("pg", "routine vacuuming", "routine-vacuuming.html"), ("pg", "pg_dump", "app-pgdump.html"),
             ("pg", "window functions", "tutorial-window.html"), ("pg", "foreign key", "tutorial-fk.html"),
             ("pg", "json functions", "functions-json.html")]


class Relevance(unittest.TestCase):
    def rank(self, tree, question, wanted, *options):
        folder = TREES[tree]
        self.assertTrue(os.path.isdir(folder), f"{folder} is missing: install the Debian package of that manual")
        out = subprocess.run([HELP_TOOL, "search", *options, folder, *question.split()], capture_output=True,
                             text=True, check=True).stdout
        pages = [line.split("\t")[2][len(folder) + 1:] for line in out.splitlines()]
        return pages.index(wanted) + 1 if wanted in pages else None

    def test_the_page_that_answers_comes_first(self):
        firsts = 0
        for tree, question, wanted in QUESTIONS:
            with self.subTest(question=question):
                rank = self.rank(tree, question, wanted)
                self.assertIn(rank, (1, 2, 3))
                firsts += rank == 1
        self.assertGreaterEqual(firsts, 12, "first for fewer questions than measured when the order was chosen")

    def test_by_hits_keeps_the_count_order(self):
        # The count order puts the manual's own index page before the reference page.
        self.assertGreater(self.rank("pg", "create index concurrently", "sql-createindex.html", "--by-hits"), 1)
