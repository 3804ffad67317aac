"""The real program under Xvfb, driven by pointer and keyboard like a user:
run modes, toolbar, caption drag, the title-bar buttons, edge resizing, and
the layout at two screen sizes."""

import os
import re
import subprocess
import time
import unittest

from harness import BUILD_DIR, DEMO_PACK, TITLE, Display, crop_signature, region_colours, start_shown

TITLE_PATTERN = "^" + re.escape(TITLE) + "$"
SHOTS = os.path.join(BUILD_DIR, "e2e-shots")

# Page numbers the report gives, and the toolbar button of each page.
CONTENTS, INDEX, SEARCH, QUESTION = 0, 1, 2, 3
TOOL_OF_PAGE = {CONTENTS: "ToolButton(2)", INDEX: "ToolButton(3)", SEARCH: "ToolButton(4)", QUESTION: "ToolButton(5)"}

# Pictures and strips that lie behind the controls by design, and the status
# box, which is shown in front of the page while it is busy.
BACKDROPS = re.compile(r"^(FormBackGround|FormHeader|FormImage|DiffLabel\(0\)|ControllerBox|FrameLabel\(5\)|"
                       r"FrameImage\(2\))")


def ancestors(report, control):
    chain = []
    while control["parent"]:
        chain.append(control["parent"])
        control = report.control(control["parent"])
    return chain


def overlap(a, b):
    ax, ay, aw, ah = a
    bx, by, bw, bh = b
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah


def inside(inner, outer):
    ix, iy, iw, ih = inner
    ox, oy, ow, oh = outer
    return ix >= ox and iy >= oy and ix + iw <= ox + ow and iy + ih <= oy + oh


def clipped(report, control):
    """The part of a control that shows: what its containers leave of it."""
    x, y, w, h = control["rect"]
    right, bottom = x + w, y + h
    while control["parent"]:
        control = report.control(control["parent"])
        px, py, pw, ph = control["rect"]
        x, y, right, bottom = max(x, px), max(y, py), min(right, px + pw), min(bottom, py + ph)
    return [x, y, max(0, right - x), max(0, bottom - y)]


def layout_faults(report):
    """Visible controls that overlap one another or stick out of the control
    (or window) they stand in."""
    faults = []
    _, _, width, height = report["window"]
    for strip in ("FormBackGround(0)", "FormHeader(0)", "FormHeader(1)", "FormImage(0)"):
        x, _, w, _ = report.control(strip)["rect"]
        if x > 0 or x + w < width:
            faults.append(f"{strip} does not span the window")
    shown = [c for c in report.visible() if not BACKDROPS.match(c["name"])]
    for i, a in enumerate(shown):
        for b in shown[i + 1:]:
            if a["name"] in ancestors(report, b) or b["name"] in ancestors(report, a):
                continue
            if overlap(clipped(report, a), clipped(report, b)):
                faults.append(f"{a['name']} {a['rect']} overlaps {b['name']} {b['rect']}")
        outer = report.control(a["parent"])["rect"] if a["parent"] else [0, 0, width, height]
        # The browser view reaches two pixels past its box on every side on
        # purpose: its own border stays out of sight.
        rect = a["rect"]
        if a["name"].startswith("WebBrowser"):
            rect = [rect[0] + 2, rect[1] + 2, rect[2] - 4, rect[3] - 4]
        if not inside(rect, outer):
            faults.append(f"{a['name']} {a['rect']} is cut off by {a['parent'] or 'the window'} {outer}")
    return faults


class WindowTest(unittest.TestCase):
    """One program run on a desktop with a window manager."""

    screen = (1024, 768)
    registry_text = None  # the demo store

    def setUp(self):
        self.display = Display(*self.screen, window_manager=True)
        self.lumora = None

    def tearDown(self):
        if self.lumora:
            self.lumora.stop()
        self.display.close()

    def start(self, arguments=(), page=CONTENTS):
        self.lumora = start_shown(self.display, [DEMO_PACK, *arguments], registry_text=self.registry_text)
        return self.lumora.wait_report(lambda r: r["visible"] and r["page"] == page and r["url"],
                                       f"page {page} shown with a page in the browser")

    def wait(self, condition, what, timeout=30):
        return self.lumora.wait_report(condition, what, timeout)

    def click(self, report, name, repeat=1):
        self.display.click(*report.screen_centre(name), repeat=repeat)

    def windows(self):
        """(main window, owner window) ids."""
        main = owner = None
        deadline = time.monotonic() + 30
        while (main is None or owner is None) and time.monotonic() < deadline:
            for window in self.display.windows(TITLE_PATTERN):
                if self.display.transient_for(window):
                    main, owner = window, self.display.transient_for(window)
            time.sleep(0.1)
        self.assertIsNotNone(main)
        return main, owner

    def shoot(self, name):
        os.makedirs(SHOTS, exist_ok=True)
        return self.display.screenshot(os.path.join(SHOTS, name))

    def wait_drawn(self, report, name):
        """Screenshot once the page area shows more than a few flat colours."""
        x, y, width, height = report["window"]
        deadline = time.monotonic() + 30
        while True:
            shot = self.shoot(name)
            if region_colours(shot, x, y + 60, width, height - 60) > 40 or time.monotonic() > deadline:
                return shot
            time.sleep(0.3)


class RunModesAndToolbar(WindowTest):
    def test_each_run_mode_opens_its_page(self):
        for switch, page in (("-index", INDEX), ("-search", SEARCH), ("-lmr", QUESTION), ("-LMR", QUESTION)):
            with self.subTest(switch=switch):
                report = self.start([switch], page)
                self.assertTrue(report.control(TOOL_OF_PAGE[page])["sunken"])
                self.assertEqual([t for t in TOOL_OF_PAGE.values() if report.control(t)["sunken"]],
                                 [TOOL_OF_PAGE[page]])
                self.lumora.stop()
                self.lumora = None

    def test_toolbar_buttons_switch_pages_and_walk_the_history(self):
        report = self.start()
        home = report["url"]
        self.assertTrue(home.lower().endswith("index.html"), home)
        self.assertFalse(report.control("ToolButton(0)")["enabled"], "nothing to go back to yet")
        for page in (INDEX, SEARCH, QUESTION, CONTENTS):
            self.click(report, TOOL_OF_PAGE[page])
            report = self.wait(lambda r, p=page: r["page"] == p and not r["busy"], f"page {page} after its button")
            self.assertEqual([t for t in TOOL_OF_PAGE.values() if report.control(t)["sunken"]], [TOOL_OF_PAGE[page]])

        # A topic opened from the index list is a second history entry; the
        # index stays beside it.
        self.click(report, TOOL_OF_PAGE[INDEX])
        report = self.wait(lambda r: r["page"] == INDEX and r["controls"], "index page")
        list_rect = report.control("ComplexList(1)")["rect"]
        x, y, _, _ = report["window"]
        # The first row lies just below the column headings.
        self.display.click(x + list_rect[0] + 40, y + list_rect[1] + 30, repeat=2)
        report = self.wait(lambda r: r["page"] == INDEX and r["url"] != home, "a topic from the index")
        topic = report["url"]

        self.assertTrue(report.control("ToolButton(0)")["enabled"])
        self.click(report, "ToolButton(0)")  # Back
        report = self.wait(lambda r: r["url"] == home, "back to the home page")
        self.click(report, "ToolButton(1)")  # Forward
        self.wait(lambda r: r["url"] == topic, "forward to the topic again")

    def test_wheel_scrolls_the_topic_list_under_its_titles(self):
        report = self.start(["-index"], INDEX)
        x, y, _, _ = report["window"]
        lx, ly, lw, lh = report.control("ComplexList(1)")["rect"]
        titles = (x + lx + 2, y + ly + 2, lw - 4, 14)
        rows = (x + lx + 2, y + ly + 20, lw - 30, lh - 24)
        self.display.mouse_move(x + lx + 40, y + ly + lh // 2)
        before = self.shoot("wheel-before.png")
        self.display.run("xdotool", "click", "--repeat", "3", "--delay", "50", "5")  # wheel down
        time.sleep(0.5)
        after = self.shoot("wheel-after.png")
        self.assertNotEqual(crop_signature(before, *rows), crop_signature(after, *rows), "the rows moved")
        self.assertEqual(crop_signature(before, *titles), crop_signature(after, *titles), "the titles stayed")

    def test_print_and_preview_open_their_windows_and_close_again(self):
        report = self.start()
        for button, title in (("ToolButton(7)", "^Print$"), ("ToolButton(8)", "^Print Preview$")):
            with self.subTest(title=title):
                self.click(report, button)
                dialog = self.display.wait_window(title, timeout=60)
                self.display.press_key(dialog[0], "Escape")
                deadline = time.monotonic() + 30
                while self.display.windows(title) and time.monotonic() < deadline:
                    time.sleep(0.2)
                self.assertEqual(self.display.windows(title), [])
                self.assertIsNone(self.lumora.process.poll())


class FrameButtonsAndDrag(WindowTest):
    def test_caption_drag_moves_both_windows(self):
        report = self.start()
        x, y, width, height = report["window"]
        ox, oy, _, _ = report["owner"]
        start = report.screen_centre("FormCaption(0)")
        self.display.drag(start, (start[0] + 90, start[1] + 50))
        report = self.wait(lambda r: r["window"][:2] != [x, y], "the window moved")
        time.sleep(0.3)
        report = self.lumora.report()
        self.assertEqual(report["window"], [x + 90, y + 50, width, height])
        self.assertEqual(report["owner"][:2], [ox + 90, oy + 50])
        self.assertEqual(report["owner"][:2], report["window"][:2])

    def test_maximise_restore_by_button_and_double_click(self):
        report = self.start()
        normal = report["window"]
        self.click(report, "FormControl(3)")
        report = self.wait(lambda r: r["maximized"], "maximised")
        report = self.wait(lambda r: r["window"] == [0, 0, *self.screen], "maximised to the screen")
        # The title-bar buttons follow the right edge.
        bx, _, bw, _ = report.control("FormControl(4)")["rect"]
        self.assertLessEqual(abs(bx + bw - self.screen[0]), 2)
        # Dragging a maximised window's caption moves nothing.
        start = report.screen_centre("FormCaption(0)")
        self.display.drag(start, (start[0] + 80, start[1] + 60))
        time.sleep(0.5)
        self.assertEqual(self.lumora.report()["window"], [0, 0, *self.screen])

        self.click(self.lumora.report(), "FormControl(3)")
        report = self.wait(lambda r: not r["maximized"] and r["window"] == normal, "restored")
        self.click(report, "FormCaption(0)", repeat=2)
        report = self.wait(lambda r: r["maximized"], "maximised by a double click on the caption")
        self.click(report, "FormCaption(0)", repeat=2)
        self.wait(lambda r: not r["maximized"] and r["window"] == normal, "restored by a double click")

    def test_minimise_to_owner_and_restore_from_it(self):
        report = self.start()
        main, owner = self.windows()
        # The owner carries the title and a taskbar entry.
        self.assertEqual(self.display.window_name(owner), TITLE)
        self.assertIn("_NET_WM_WINDOW_TYPE_NORMAL", self.display.property(owner, "_NET_WM_WINDOW_TYPE"))
        for maximised in (False, True):
            with self.subTest(maximised=maximised):
                if maximised:
                    self.click(report, "FormControl(3)")
                    report = self.wait(lambda r: r["maximized"] and r["window"] == [0, 0, *self.screen], "maximised")
                place = report["window"]
                self.click(report, "FormControl(2)")
                self.wait(lambda r: not r["visible"] and r["ownerMinimized"], "main hidden, owner minimised")
                time.sleep(0.5)  # nothing brings either window back by itself
                self.assertEqual(self.display.windows(TITLE_PATTERN), [], "a window left on screen")
                self.assertIn("Iconic", self.display.run("xprop", "-id", str(owner), "WM_STATE"))
                # The user restores the owner, as from a taskbar.
                self.display.run("xdotool", "windowactivate", str(owner), check=False)
                report = self.wait(lambda r: r["visible"] and not r["ownerMinimized"] and r["window"] == place,
                                   "main window back in its place")
                self.assertEqual(report["maximized"], maximised)
                self.wait(lambda r: r["owner"] == r["window"], "the owner window under the main window")
                self.assertEqual(self.display.transient_for(main), owner)

    def test_close_button_ends_the_program(self):
        report = self.start()
        self.click(report, "FormControl(4)")
        self.assertEqual(self.lumora.wait_exit(timeout=30), 0)

    def test_close_button_keeps_a_press_in_the_edge_band(self):
        report = self.start()
        x, y, _, _ = report["window"]
        bx, by, bw, _ = report.control("FormControl(4)")["rect"]
        self.display.click(x + bx + bw // 2, y + by + 1)  # the top pixel row of Close, inside the band
        self.assertEqual(self.lumora.wait_exit(timeout=30), 0)

    def test_owner_follows_a_move_by_the_window_manager(self):
        self.start()
        main, _ = self.windows()
        self.display.run("xdotool", "windowmove", str(main), "120", "90")
        report = self.wait(lambda r: r["window"][:2] == [120, 90], "moved by the window manager")
        self.wait(lambda r: r["owner"] == r["window"], "the owner window under the main window")

    def test_desktop_close_ends_the_program(self):
        self.start()
        main, _ = self.windows()
        self.display.close_by_window_manager(main, TITLE_PATTERN)
        self.assertEqual(self.lumora.wait_exit(timeout=30), 0)

    def test_hover_highlight_clears_when_pointer_enters_the_page(self):
        report = self.start()
        x, y, _, _ = report["window"]
        for name in ("FormControl(3)", "ToolButton(3)"):
            with self.subTest(control=name):
                bx, by, bw, bh = report.control(name)["rect"]
                crop = (x + bx, y + by, bw, bh)
                self.display.mouse_move(*report.screen_centre("SimpleBox(0)"))
                time.sleep(0.5)
                resting = crop_signature(self.shoot("hover-resting.png"), *crop)
                # A hand's few motions over the control: the first one only
                # enters it, and the page's late news of the pointer leaving
                # it may clear a highlight until the next motion.
                cx, cy = report.screen_centre(name)
                for dx in (-4, -2, 0):
                    self.display.mouse_move(cx + dx, cy)
                    time.sleep(0.15)
                self.assertNotEqual(crop_signature(self.shoot("hover-lit.png"), *crop), resting, "lit")
                # Straight into the page: the poll clears the highlight.
                self.display.mouse_move(*report.screen_centre("SimpleBox(0)"))
                time.sleep(0.5)  # more than two poll intervals
                self.assertEqual(crop_signature(self.shoot("hover-cleared.png"), *crop), resting)

    def test_hover_highlight_clears_on_the_empty_toolbar(self):
        report = self.start()
        x, y, width, _ = report["window"]
        tx, ty = report.screen_centre("ToolButton(3)")
        for dx in (-4, -2, 0):
            self.display.mouse_move(tx + dx, ty)
            time.sleep(0.15)
        self.assertTrue(self.lumora.report().control("ToolButton(3)")["highlighted"])
        for dx in (-60, -58, -56):
            self.display.mouse_move(x + width + dx, ty)
            time.sleep(0.15)
        self.wait(lambda r: not r.control("ToolButton(3)")["highlighted"], "highlight cleared", timeout=2)


class EdgeResize(WindowTest):
    def resize_by_right_edge(self, dx):
        report = self.lumora.report()
        x, y, width, height = report["window"]
        start = (x + width - 2, y + height // 2)
        self.display.drag(start, (start[0] + dx, start[1]))
        return report

    def check_edge_resize(self):
        report = self.start()
        x, y, width, height = report["window"]
        self.resize_by_right_edge(120)
        report = self.wait(lambda r: r["window"][2] != width, "wider")
        time.sleep(0.3)
        report = self.lumora.report()
        self.assertEqual(report["window"][:2], [x, y])
        self.assertLessEqual(abs(report["window"][2] - (width + 120)), 2)
        self.assertEqual(report["window"][3], height)
        # The owner window keeps the main window's size; the close button its edge.
        self.assertEqual(report["owner"][2:], report["window"][2:])
        bx, _, bw, _ = report.control("FormControl(4)")["rect"]
        self.assertLessEqual(abs(bx + bw - report["window"][2]), 2)

        # Far to the left: the window stops at its least width.
        self.resize_by_right_edge(-report["window"][2])
        report = self.wait(lambda r: r["window"][2] < width, "narrower")
        time.sleep(0.3)
        report = self.lumora.report()
        self.assertEqual(report["window"][2], report["least"][0])
        self.assertEqual(layout_faults(report), [])

    def test_edge_resize_with_window_manager(self):
        self.check_edge_resize()


class EdgeResizeWithoutWindowManager(EdgeResize):
    def setUp(self):
        self.display = Display(*self.screen)
        self.lumora = None


class LayoutAtScreenSizes:
    def test_all_pages_maximised(self):
        report = self.start()
        self.click(report, "FormControl(3)")
        report = self.wait(lambda r: r["maximized"] and r["window"] == [0, 0, *self.screen], "maximised")
        self.assertEqual(report.control("FormCaption(0)")["caption"], TITLE)
        size = f"{self.screen[0]}x{self.screen[1]}"
        for page, name in ((CONTENTS, "contents"), (INDEX, "index"), (SEARCH, "search"), (QUESTION, "question")):
            with self.subTest(page=name):
                self.click(report, TOOL_OF_PAGE[page])
                report = self.wait(lambda r, p=page: r["page"] == p and not r["busy"], f"{name} page")
                time.sleep(0.3)
                report = self.lumora.report()
                shot = self.wait_drawn(report, f"{name}-{size}.png")
                self.assertEqual(layout_faults(report), [])
                # The title strip shows its picture and the toolbar its button pictures.
                x, y, _, _ = report["window"]
                self.assertGreater(region_colours(shot, x, y, self.screen[0], 21), 8, "title strip")
                self.assertGreater(region_colours(shot, x, y + 21, 320, 39), 12, "toolbar pictures")
                # The page reaches the window's right and bottom edges.
                box = report.control("SimpleBox(1)" if page == QUESTION else "SimpleBox(0)")["rect"]
                self.assertGreater(box[0] + box[2], self.screen[0] - 30)
                self.assertGreater(box[1] + box[3], self.screen[1] - 30)

class LayoutAtTheLeastSize(WindowTest):
    def test_every_page_at_the_least_size(self):
        report = self.start()
        main, _ = self.windows()
        self.display.run("xdotool", "windowsize", str(main), "10", "10")
        report = self.wait(lambda r: r["window"][2:] == r["least"], "the least size")
        for page, name in ((CONTENTS, "contents"), (INDEX, "index"), (SEARCH, "search"), (QUESTION, "question")):
            with self.subTest(page=name):
                self.click(report, TOOL_OF_PAGE[page])
                report = self.wait(lambda r, p=page: r["page"] == p and not r["busy"], f"{name} page")
                if page in (INDEX, SEARCH):
                    # The pane's slider dragged as far right as it goes.
                    x, y, _, _ = report["window"]
                    px, py, pw, ph = report.control("ExplorerHolder(0)")["rect"]
                    grip = (x + px + pw - 3, y + py + ph // 2)
                    self.display.drag(grip, (x + report["window"][2] - 3, grip[1]))
                    report = self.wait(lambda r: r.control("ExplorerHolder(0)")["rect"][2] == 387, "widest pane")
                    page_box = report.control("SimpleBox(0)")["rect"]
                    self.assertGreaterEqual(page_box[2], 199)
                time.sleep(0.3)
                report = self.lumora.report()
                self.wait_drawn(report, f"least-{name}.png")
                self.assertEqual(layout_faults(report), [])
        # Larger than the screen: the strips still reach across.
        self.display.run("xdotool", "windowsize", str(main), "1500", "1000")
        report = self.wait(lambda r: r["window"][2:] == [1500, 1000], "larger than the screen")
        self.assertEqual(layout_faults(report), [])


class LayoutAt800x600(LayoutAtScreenSizes, WindowTest):
    screen = (800, 600)


class LayoutAt1600x1000(LayoutAtScreenSizes, WindowTest):
    screen = (1600, 1000)


if __name__ == "__main__":
    unittest.main()
