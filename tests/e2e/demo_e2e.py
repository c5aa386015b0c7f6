#!/usr/bin/env python3
"""End-to-end tests of the demonstration on a real X desktop (Xvfb with openbox), driven
by real X input as a person would drive it.

usage: demo_e2e.py DEMO XSHOT SCENARIO [--uses N]"""

import argparse
import sys
import time

from desktop import Demo, Desktop, Failure, ListLayout, make_out_dir, wait_until

APP_TITLE = "tambrel-demo"  # message boxes carry the application's name
SHOW_BOUND = 5.0  # seconds within which a window must be on screen

# Visible columns of the demonstration's list, left to right (the key column is hidden).
NUMBER, LONG_TEXT, CURRENCY, CHECK, DROP_DOWN, RIGHT_TEXT, DATE, TIME, DATE_TIME = range(9)

# Designed positions inside the picker windows (their stored layouts).
CALENDAR_GRID = (11, 31, 172, 125)
TIME_OK = (99, 35, 20, 20)
TIME_CANCEL = (121, 35, 20, 20)


class Session:
    def __init__(self, desktop, demo):
        self.desktop = desktop
        self.demo = demo
        self.layout = None

    def widen(self):
        """Gives the main window the whole screen width so that every column shows."""
        d = self.desktop
        d.run(["xdotool", "windowsize", "--sync", str(self.demo.main),
               str(d.width - 40), str(d.height - 120)])
        d.run(["xdotool", "windowmove", "--sync", str(self.demo.main), "10", "40"])
        time.sleep(0.3)
        self.measure()

    def measure(self):
        """Finds the cells once two pictures in a row agree (the list has settled)."""
        info = self.desktop.info(self.demo.main)
        area = (info["x"], info["y"], info["width"], info["height"])
        previous = None

        def settled():
            nonlocal previous
            try:
                layout = ListLayout(self.desktop.grab(), area)
            except Failure:
                return None
            same = previous is not None and (layout.rows, layout.columns) == previous
            previous = (layout.rows, layout.columns)
            return layout if same and len(layout.columns) > DATE_TIME else None

        self.layout = wait_until("the list's cells", settled, timeout=SHOW_BOUND, step=0.2)

    def cell(self, row, column):
        return self.layout.cell_centre(row, column)

    def click_cell(self, row, column, count=1):
        x, y = self.cell(row, column)
        self.desktop.click(x, y, count)

    def cell_pixels_change(self, row, column, action):
        left, right = self.layout.columns[column]
        top, bottom = self.layout.rows[row]
        before = self.desktop.grab()
        action()

        def changed():
            after = self.desktop.grab()
            return after.region_differs(before, left, top, right - left, bottom - top)

        wait_until(f"cell {row},{column} to change", changed, timeout=SHOW_BOUND)

    def wait_shown(self, title):
        def shown():
            window = self.demo.window(title)
            if window is None:
                return None
            info = self.desktop.info(window)
            return (window, info) if info and info["viewable"] else None

        def settled():
            # A person clicks a window once it stands still where it appeared.
            first = shown()
            if first is None:
                return None
            time.sleep(0.15)
            second = shown()
            return second if second == first else None

        try:
            return wait_until(f'"{title}" on screen', settled, timeout=SHOW_BOUND)
        except Failure as failure:
            hidden = self.desktop.unmapped_windows_named(title, self.demo.process.pid)
            if hidden:
                raise Failure(f"{failure}; it exists but is not mapped (ids {hidden})")
            raise

    def wait_gone(self, title):
        wait_until(f'"{title}" to close', lambda: self.demo.window(title) is None,
                   timeout=SHOW_BOUND)

    def answer_message_box(self):
        """Answers the message box with Return, as its default button."""
        self.wait_shown(APP_TITLE)
        wait_until("the message box to take the keyboard",
                   lambda: self.desktop.active_window() == self.demo.window(APP_TITLE),
                   timeout=SHOW_BOUND)
        self.desktop.key("Return")
        self.wait_gone(APP_TITLE)

    def assert_no_message_box(self, settle=0.8):
        time.sleep(settle)
        if self.demo.window(APP_TITLE) is not None:
            raise Failure("a message box appeared")

    def assert_answers(self):
        """The main window still takes input: a check box toggles and toggles back."""
        for _ in range(2):
            self.cell_pixels_change(0, CHECK, lambda: self.click_cell(0, CHECK))

    def quit(self):
        self.desktop.key("ctrl+q")
        status = self.demo.exit_status()
        if status != 0:
            raise Failure(f"the application ended with status {status}")

    def menu_title_position(self, info, index):
        """Centre of the index-th title of the main window's menu bar, found from its text."""
        image = self.desktop.grab()
        y0 = info["y"]
        x0 = info["x"]
        row_hits = []
        for x in range(x0, x0 + 200):
            dark = any(sum(image.at(x, y)) < 300 for y in range(y0 + 2, y0 + 18))
            row_hits.append(dark)
        words = []
        start = None
        gap = 0
        for i, dark in enumerate(row_hits):
            if dark:
                if start is None:
                    start = i
                gap = 0
            elif start is not None:
                gap += 1
                if gap > 6:
                    words.append((start, i - gap))
                    start = None
                    gap = 0
        if len(words) <= index:
            raise Failure("menu titles not found")
        a, b = words[index]
        return x0 + (a + b) // 2, y0 + 9

    def close_box(self, window):
        """A click on the close box of the window manager's title bar."""
        info = self.desktop.info(window)
        left, right, top, _ = self.desktop.frame_extents(window)
        if top == 0:
            raise Failure("the window has no title bar")
        # The theme puts the close button last on the right of the title bar.
        x = info["x"] + info["width"] + right - top // 2 - 2
        y = info["y"] - top // 2
        self.desktop.click(x, y)


def pick_dates(s, uses):
    s.widen()
    for use in range(uses):
        s.click_cell(use % 5, DATE)
        window, info = s.wait_shown("Calendar")
        gx, gy, gw, gh = CALENDAR_GRID
        s.desktop.click(info["x"] + gx + gw // 2, info["y"] + gy + gh // 2, count=2)
        s.wait_gone("Calendar")
        s.answer_message_box()
    s.assert_answers()
    s.quit()


def pick_times(s, uses):
    s.widen()
    for use in range(uses):
        s.click_cell(use % 5, TIME)
        window, info = s.wait_shown("Time")
        way = use % 3
        if way == 0:
            bx, by, bw, bh = TIME_OK
            s.desktop.click(info["x"] + bx + bw // 2, info["y"] + by + bh // 2)
        elif way == 1:
            bx, by, bw, bh = TIME_CANCEL
            s.desktop.click(info["x"] + bx + bw // 2, info["y"] + by + bh // 2)
        else:
            s.close_box(window)
        s.wait_gone("Time")
        s.answer_message_box()
    s.assert_answers()
    s.quit()


def edit_cells(s, uses):
    s.widen()
    # A choice from a drop-down writes it into the row's long text.
    def choose():
        s.click_cell(0, DROP_DOWN)
        time.sleep(0.4)
        s.desktop.key("Down", "Down", "Down", "Return")

    s.cell_pixels_change(0, LONG_TEXT, choose)
    s.assert_no_message_box(0.3)
    # A text cell and an amount, each reported in a message box.
    def type_into(row, column, text):
        s.click_cell(row, column)
        time.sleep(0.3)
        s.desktop.key("ctrl+a")
        s.desktop.type(text)
        s.desktop.key("Return")
        s.answer_message_box()

    s.cell_pixels_change(1, LONG_TEXT, lambda: type_into(1, LONG_TEXT, "Typed by a person"))
    s.cell_pixels_change(2, CURRENCY, lambda: type_into(2, CURRENCY, "1234.5"))
    # A check box.
    s.cell_pixels_change(3, CHECK, lambda: s.click_cell(3, CHECK))
    s.assert_no_message_box(0.3)
    # A double click shows its row and column.
    s.click_cell(4, RIGHT_TEXT, count=2)
    s.answer_message_box()
    s.quit()


def edit_menu_escape(s, uses):
    s.widen()
    s.click_cell(1, LONG_TEXT)
    time.sleep(0.3)
    s.desktop.key("ctrl+a")
    s.desktop.type("Kept")
    info = s.desktop.info(s.demo.main)
    menu = s.menu_title_position(info, 1)
    s.desktop.click(*menu)
    time.sleep(0.5)
    s.desktop.key("Escape")
    # The edit goes on: nothing is reported, and back in the editor the text typed next joins
    # what was typed before.
    s.assert_no_message_box()
    s.click_cell(1, LONG_TEXT)
    s.assert_no_message_box(0.3)
    s.desktop.key("End")
    s.desktop.type(" here")
    s.desktop.key("Return")
    s.answer_message_box()
    s.quit()




def small_screen(s, uses):
    d = s.desktop
    window = s.demo.main
    wait_until("the main window placed", lambda: d.info(window)["viewable"], timeout=SHOW_BOUND)
    time.sleep(0.5)
    info = d.info(window)
    left, right, top, bottom = d.frame_extents(window)
    frame = (info["x"] - left, info["y"] - top, info["x"] + info["width"] + right,
             info["y"] + info["height"] + bottom)
    if frame[0] < 0 or frame[1] < 0 or frame[2] > d.width or frame[3] > d.height:
        raise Failure(f"the main window's frame {frame} leaves the {d.width}x{d.height} screen")
    # Its close box is on the screen and works: the application ends with its last window.
    s.close_box(window)
    status = s.demo.exit_status()
    if status != 0:
        raise Failure(f"the application ended with status {status}")


SCENARIOS = {
    "calendar": (pick_dates, (1280, 800)),
    "time": (pick_times, (1280, 800)),
    "editing": (edit_cells, (1280, 800)),
    "edit-menu-escape": (edit_menu_escape, (1280, 800)),
    "small-screen": (small_screen, (800, 600)),
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("demo")
    parser.add_argument("xshot")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--uses", type=int, default=25)
    args = parser.parse_args()
    run, (width, height) = SCENARIOS[args.scenario]
    out_dir = make_out_dir(args.scenario)
    started = time.monotonic()
    try:
        with Desktop(out_dir, width, height, xshot=args.xshot) as desktop:
            demo = Demo(desktop, args.demo)
            run(Session(desktop, demo), args.uses)
    except Failure as failure:
        print(f"FAILED {args.scenario}: {failure}", flush=True)
        print(f"logs and screenshot in {out_dir}", flush=True)
        return 1
    print(f"passed {args.scenario} in {time.monotonic() - started:.1f} s", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
