"""The real program under openbox: the owner window, and every page laid out at two screen sizes and the least size."""

import re

from harness import BOOKMARKS, INDEX, PAGES, SEARCH, TITLE, TITLE_PATTERN, TOOL_OF_PAGE, ProgramTest, crop_info, poll

# Pictures and strips behind the controls by design, and the status box, shown in front of a busy page.
BACKDROPS = re.compile(r"^(FormBackGround|FormHeader|FormImage|DiffLabel\(0\)|ControllerBox|FrameLabel\(5\)|FrameImage\(2\))")


def ancestors(report, control):
    while control["parent"]:
        yield control["parent"]
        control = report.control(control["parent"])


def clipped(report, control):
    """The part of a control that shows: what its containers leave of it."""
    x, y, w, h = control["rect"]
    right, bottom = x + w, y + h
    for name in ancestors(report, control):
        px, py, pw, ph = report.control(name)["rect"]
        x, y, right, bottom = max(x, px), max(y, py), min(right, px + pw), min(bottom, py + ph)
    return [x, y, max(0, right - x), max(0, bottom - y)]


def layout_faults(report):
    """Visible controls that overlap one another or stick out of the control (or window) they stand in."""
    _, _, width, height = report["window"]
    faults = [f"{s} does not span the window" for s in ("FormBackGround(0)", "FormHeader(0)", "FormHeader(1)",
                                                         "FormImage(0)")
              if report.control(s)["rect"][0] > 0 or sum(report.control(s)["rect"][0:3:2]) < width]
    shown = [c for c in report.visible() if not BACKDROPS.match(c["name"])]
    for i, a in enumerate(shown):
        for b in shown[i + 1:]:
            (ax, ay, aw, ah), (bx, by, bw, bh) = clipped(report, a), clipped(report, b)
            related = a["name"] in ancestors(report, b) or b["name"] in ancestors(report, a)
            if not related and ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah:
                faults.append(f"{a['name']} {a['rect']} overlaps {b['name']} {b['rect']}")
        ox, oy, ow, oh = report.control(a["parent"])["rect"] if a["parent"] else [0, 0, width, height]
        # The browser view reaches two pixels past its box on every side: its own border stays out of sight.
        m = 2 if a["name"].startswith("WebBrowser") else 0
        x, y, w, h = a["rect"]
        if x + m < ox or y + m < oy or x + w - m > ox + ow or y + h - m > oy + oh:
            faults.append(f"{a['name']} {a['rect']} is cut off by {a['parent'] or 'the window'}")
    return faults


class TitleBarOwnerAndLeastSize(ProgramTest):
    def test_minimise_to_owner_restore_from_it_and_every_page_at_the_least_size(self):
        self.start()
        main, owner = self.windows()
        # The owner carries the title and a taskbar entry, and follows a move by the window manager.
        self.assertEqual(self.display.run("xdotool", "getwindowname", str(owner)).strip(), TITLE)
        self.assertIn("_NET_WM_WINDOW_TYPE_NORMAL", self.display.property(owner, "_NET_WM_WINDOW_TYPE"))
        self.display.run("xdotool", "windowmove", str(main), "120", "90")
        report = self.wait(lambda r: r["window"][:2] == [120, 90] and r["owner"] == r["window"],
                           "moved by the window manager, the owner under it")
        normal = report["window"]
        for maximised in (False, True):
            with self.subTest(maximised=maximised):
                if maximised:
                    self.click(report, "FormCaption(0)", repeat=2)
                    report = self.wait(lambda r: r["maximized"] and r["window"] == [0, 0, *self.screen],
                                       "maximised by a double click on the caption")
                place = report["window"]
                self.click(report, "FormControl(2)")
                self.wait(lambda r: not r["visible"] and r["ownerMinimized"], "main hidden, owner minimised")
                poll(lambda: "Iconic" in self.display.run("xprop", "-id", str(owner), "WM_STATE"), "owner iconic", 30)
                self.settled("minimised.png")  # nothing brings either window back by itself
                self.assertEqual(self.display.windows(TITLE_PATTERN), [], "a window left on screen")
                self.display.run("xdotool", "windowactivate", str(owner), check=False)  # as from a taskbar
                report = self.wait(lambda r: r["visible"] and not r["ownerMinimized"] and r["window"] == place
                                   and r["maximized"] == maximised, "main window back in its place")
                self.wait(lambda r: r["owner"] == r["window"], "the owner window under the main window")
                self.assertEqual(self.display.transient_for(main), owner)
        self.click(report, "FormCaption(0)", repeat=2)
        self.wait(lambda r: not r["maximized"] and r["window"] == normal, "restored by a double click")
        self.display.run("xdotool", "windowsize", str(main), "10", "10")
        report = self.wait(lambda r: r["window"][2:] == r["least"], "the least size")
        for page, name in PAGES.items():
            with self.subTest(least=name):
                report = self.open_page(report, page)
                if page in (INDEX, SEARCH, BOOKMARKS):  # the pane's slider dragged as far right as it goes
                    self.drag_pane(report, report["window"][0] + report["window"][2] - 3)
                    self.wait(lambda r: r.control("ExplorerHolder(0)")["rect"][2] == 387, "widest pane")
                self.wait_drawn(report, f"least-{name}.png")
                report, _ = self.settled(f"least-{name}.png")
                self.assertEqual(layout_faults(report), [])


class LayoutAtScreenSizes:
    def test_all_pages_maximised(self):
        report = self.start()
        self.click(report, "FormControl(3)")
        report = self.wait(lambda r: r["maximized"] and r["window"] == [0, 0, *self.screen], "maximised")
        for page, name in PAGES.items():
            with self.subTest(page=name):
                self.wait_drawn(self.open_page(report, page), f"{name}-{self.screen[0]}x{self.screen[1]}.png")
                report, shot = self.settled(f"{name}-{self.screen[0]}x{self.screen[1]}.png")
                self.assertEqual([t for t in TOOL_OF_PAGE.values() if report.control(t)["sunken"]], [TOOL_OF_PAGE[page]])
                self.assertEqual(layout_faults(report), [])
                # The title strip shows its picture and the toolbar its button pictures.
                self.assertGreater(int(crop_info(shot, (0, 0, self.screen[0], 21), "-format|%k|info:")), 8, "title strip")
                self.assertGreater(int(crop_info(shot, (0, 21, 320, 39), "-format|%k|info:")), 12, "toolbar pictures")


class LayoutAt800x600(LayoutAtScreenSizes, ProgramTest):
    screen = (800, 600)


class LayoutAt1600x1000(LayoutAtScreenSizes, ProgramTest):
    screen = (1600, 1000)
