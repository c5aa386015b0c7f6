"""A real X desktop for end-to-end tests: Xvfb, openbox and the demonstration, driven by
xdotool's real X input. Every process started here is ended when the session closes, also
when a check fails or the test is interrupted."""

import ctypes
import os
import re
import signal
import subprocess
import tempfile
import time


class Failure(Exception):
    pass


def _die_with_parent():
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
    except (OSError, AttributeError):
        pass


def _end_on_signal(number, frame):
    raise SystemExit(128 + number)


# A runner's SIGTERM or an interrupt unwinds through the sessions' cleanup.
signal.signal(signal.SIGTERM, _end_on_signal)
signal.signal(signal.SIGHUP, _end_on_signal)


def wait_until(what, predicate, timeout=5.0, step=0.05):
    """Polls predicate until it returns a true value; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(step)


class Image:
    """A binary PPM (P6) as Qt writes it."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        if fields[0] != b"P6" or fields[3] != b"255":
            raise Failure(f"{path} is not an 8-bit binary PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def region_differs(self, other, x, y, w, h):
        for yy in range(y, y + h):
            a = (yy * self.width + x) * 3
            if self.pixels[a:a + 3 * w] != other.pixels[a:a + 3 * w]:
                return True
        return False


class Desktop:
    """Xvfb with openbox on a display of its own."""

    def __init__(self, out_dir, width=1280, height=800, xshot=None):
        self.out_dir = out_dir
        self.width, self.height = width, height
        self.xshot = xshot
        self.processes = []
        self.display = None
        self.env = None

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, kind, value, traceback):
        if kind is not None and not issubclass(kind, KeyboardInterrupt):
            self.screenshot("failure")
        self.close()
        return False

    def _spawn(self, args, env=None, **kwargs):
        # A process group each, so that what they start goes with them; and each is killed by
        # the kernel if this driver dies without cleaning up (a test runner's SIGKILL).
        process = subprocess.Popen(args, env=env, start_new_session=True,
                                   preexec_fn=_die_with_parent, **kwargs)
        self.processes.append(process)
        return process

    def _start(self):
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                     f"{self.width}x{self.height}x24", "-nolisten", "tcp", "-noreset"],
                    pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                    stderr=open(os.path.join(self.out_dir, "xvfb.log"), "w"))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline:
                raise Failure("Xvfb did not start")
            chunk = os.read(read_end, 16)
            if not chunk:
                raise Failure("Xvfb exited at start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb")
        self.env.pop("QT_SCALE_FACTOR", None)
        self._spawn(["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
                    stderr=open(os.path.join(self.out_dir, "openbox.log"), "w"))
        wait_until("the window manager", self._wm_running, timeout=20)

    def _wm_running(self):
        out = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
        return "window id" in out

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                process.wait()
        self.processes.clear()

    # --- X queries --------------------------------------------------------------------

    def run(self, args, check=True):
        result = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=20)
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def windows(self, name, pid=None):
        """Ids of the mapped windows whose whole title is name."""
        args = ["xdotool", "search", "--all", "--onlyvisible"]
        if pid is not None:
            args += ["--pid", str(pid)]
        args += ["--name", "^" + re.escape(name) + "$"]
        out = self.run(args, check=False)
        return [int(line) for line in out.split()]

    def info(self, window):
        """Position (of the client area), size and map state of a window."""
        out = self.run(["xwininfo", "-id", str(window)], check=False)
        fields = {}
        for key, label in (("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
                           ("width", "Width"), ("height", "Height")):
            found = re.search(r"^\s*" + re.escape(label) + r":\s*(-?\d+)", out, re.M)
            if found is None:
                return None
            fields[key] = int(found.group(1))
        state = re.search(r"Map State:\s*(\w+)", out)
        fields["viewable"] = state is not None and state.group(1) == "IsViewable"
        return fields

    def frame_extents(self, window):
        """Left, right, top and bottom of the decorations the window manager added."""
        out = self.run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], check=False)
        found = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", out)
        return tuple(int(v) for v in found.groups()) if found else (0, 0, 0, 0)

    def active_window(self):
        out = self.run(["xdotool", "getactivewindow"], check=False).strip()
        return int(out) if out.isdigit() else None

    def unmapped_windows_named(self, name, pid):
        out = self.run(["xdotool", "search", "--all", "--pid", str(pid), "--name",
                        "^" + re.escape(name) + "$"], check=False)
        ids = [int(line) for line in out.split()]
        return [w for w in ids if (self.info(w) or {}).get("viewable") is False]

    # --- real input -------------------------------------------------------------------

    def click(self, x, y, count=1):
        self.run(["xdotool", "mousemove", "--sync", str(x), str(y)])
        self.run(["xdotool", "click", "--repeat", str(count), "--delay", "60", "1"])

    def key(self, *keys):
        self.run(["xdotool", "key", "--delay", "30", *keys])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "20", text])

    # --- pictures ---------------------------------------------------------------------

    def grab(self):
        path = os.path.join(self.out_dir, "grab.ppm")
        self.run([self.xshot, path])
        return Image(path)

    def screenshot(self, label):
        if self.xshot is None or self.display is None:
            return None
        path = os.path.join(self.out_dir, f"{label}.png")
        try:
            self.run([self.xshot, path])
            print(f"screenshot: {path}", flush=True)
        except Exception as error:  # the evidence is best effort; the failure stands
            print(f"no screenshot: {error}", flush=True)
        return path


class Demo:
    """The demonstration application running on a desktop."""

    def __init__(self, desktop, binary):
        self.desktop = desktop
        self.process = desktop._spawn(
            [binary], env=desktop.env, stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(desktop.out_dir, "demo.log"), "w"))
        self.main = wait_until("the main window", lambda: self.window("Untitled"), timeout=30)

    def window(self, title):
        ids = self.desktop.windows(title, pid=self.process.pid)
        return ids[0] if ids else None

    def alive(self):
        return self.process.poll() is None

    def exit_status(self, timeout=10):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the application did not end within {timeout} s")


class ListLayout:
    """Cells of the main window's list as painted: each cell's frame is a rectangle of
    (127, 127, 127) lines. Found from a picture, so no coordinates are built in."""

    FRAME = (127, 127, 127)

    def __init__(self, image, area):
        self.image = image
        x0, y0, w, h = area
        # Rows: runs of frame colour down the first cell's left edge.
        left = self._first_frame_column(x0, y0, w, h)
        self.rows = self._runs(lambda t: image.at(left, t), y0, y0 + h)
        if len(self.rows) < 3:
            raise Failure("no rows found in the list")
        top, bottom = self.rows[0]
        middle = (top + bottom) // 2
        tall = (bottom - top) * 6 // 10
        span = range(middle - tall // 2, middle + tall // 2)
        # Most of the line, not all: text drawn against a frame can touch it.
        edges = [x for x in range(x0, x0 + w)
                 if sum(image.at(x, t) == self.FRAME for t in span) * 5 >= len(span) * 4]
        # Neighbouring edge pixels belong to one line.
        lines = []
        for x in edges:
            if lines and x - lines[-1][-1] <= 1:
                lines[-1].append(x)
            else:
                lines.append([x])
        self.columns = [(lines[i][0], lines[i + 1][-1]) for i in range(0, len(lines) - 1, 2)]

    def _first_frame_column(self, x0, y0, w, h):
        for x in range(x0, x0 + w // 2):
            run = 0
            for y in range(y0, y0 + h):
                run = run + 1 if self.image.at(x, y) == self.FRAME else 0
                if run >= 12:
                    return x
        raise Failure("no cell frame found in the list")

    def _runs(self, pixel, start, end):
        runs = []
        begin = None
        for t in range(start, end):
            inside = pixel(t) == self.FRAME
            if inside and begin is None:
                begin = t
            elif not inside and begin is not None:
                if t - begin >= 12:
                    runs.append((begin, t - 1))
                begin = None
        return runs

    def cell_centre(self, row, column):
        """Centre of a visible cell: row 0 is the first row shown, column 0 the first
        column shown."""
        top, bottom = self.rows[row]
        left, right = self.columns[column]
        return (left + right) // 2, (top + bottom) // 2


def make_out_dir(name):
    root = os.environ.get("E2E_OUT_DIR") or tempfile.gettempdir()
    path = os.path.join(root, f"e2e-{name}")
    os.makedirs(path, exist_ok=True)
    return path
