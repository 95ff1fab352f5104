"""A private X display (Xvfb) and the few hands a player has on it: xdotool
clicks and keys, the window manager's close request, screen reads.

Every wait has a deadline, and everything started here is stopped again when
the session's `with` block ends."""

import ctypes
import ctypes.util
import os
import select
import shutil
import signal
import subprocess
import sys
import time

SKIP = 77  # ctest's SKIP_RETURN_CODE for these tests
WAIT_SECONDS = 15.0  # the longest any single step may take
TOTAL_SECONDS = 85  # the longest a whole run may take


class Skip(Exception):
    """No X server can be had here: the test cannot run, which is not a failure."""


class Failure(Exception):
    """The program did not behave as a player expects."""


def run_main(body):
    """Runs `body()` under a watchdog and turns its outcome into an exit status."""

    def on_signal(signum, _frame):
        raise Failure(f"stopped by signal {signum}: the run took longer than {TOTAL_SECONDS} s or was killed")

    signal.signal(signal.SIGALRM, on_signal)
    signal.signal(signal.SIGTERM, on_signal)
    signal.alarm(TOTAL_SECONDS)
    started = time.monotonic()
    try:
        body()
    except Skip as reason:
        print(f"SKIP: {reason}")
        return SKIP
    except Failure as reason:
        print(f"FAIL: {reason}")
        return 1
    finally:
        signal.alarm(0)
        print(f"({time.monotonic() - started:.1f} s)")
    print("PASS")
    return 0


def wait_until(what, condition, timeout=WAIT_SECONDS, interval=0.05):
    """Polls `condition` until it returns something true; fails after `timeout`."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"waited {timeout:.0f} s for {what}")
        time.sleep(interval)


class Rgb(tuple):
    @property
    def is_white(self):
        return min(self) >= 230

    @property
    def is_light_green(self):
        r, g, b = self  # Fusion shades a button's colour from lighter to darker
        return g >= 200 and r <= 170 and b <= 170


class XSession:
    """One Xvfb display for one test run, with the commands that act on it."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.display = None
        self._xvfb = None
        self._programs = []
        self.env = None

    # --- the display -----------------------------------------------------

    def __enter__(self):
        xvfb = shutil.which("Xvfb")
        if xvfb is None:
            raise Skip("Xvfb is not installed, so no X server can be started (scripts/bootstrap installs xvfb)")
        for tool in ("xdotool", "import"):
            if shutil.which(tool) is None:
                raise Failure(f"'{tool}' is missing: run scripts/bootstrap (packages xdotool, imagemagick)")
        self._start_xvfb(xvfb)
        self.env = self._program_environment()
        return self

    def __exit__(self, *_exc):
        for program in self._programs:
            stop(program)
        if self._xvfb is not None:
            stop(self._xvfb)
        return False

    def _start_xvfb(self, xvfb):
        log = open(os.path.join(self.workdir, "xvfb.log"), "wb")
        read_end, write_end = os.pipe()
        try:
            self._xvfb = subprocess.Popen(
                [xvfb, "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-dpi", "96",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        except OSError as error:
            raise Skip(f"Xvfb could not be started: {error}")
        finally:
            os.close(write_end)
            log.close()
        number = b""
        deadline = time.monotonic() + WAIT_SECONDS
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_end], [], [], 0.2)
            if ready:
                chunk = os.read(read_end, 16)
                if not chunk:
                    break
                number += chunk
        os.close(read_end)
        if not number.strip().isdigit():
            stop(self._xvfb)
            self._xvfb = None
            with open(os.path.join(self.workdir, "xvfb.log"), errors="replace") as log:
                tail = log.read()[-500:].strip()
            raise Skip(f"Xvfb did not start a display: {tail or 'no message'}")
        self.display = ":" + number.strip().decode()

    def _program_environment(self):
        env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                     "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING"):
            env.pop(name, None)
        runtime = os.path.join(self.workdir, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env.update(DISPLAY=self.display, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime, NO_AT_BRIDGE="1",
                   HOME=self.workdir)
        return env

    # --- programs --------------------------------------------------------

    def start(self, command, cwd):
        log = open(os.path.join(self.workdir, "program.log"), "ab")
        program = subprocess.Popen(command, cwd=cwd, env=self.env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        log.close()
        self._programs.append(program)
        return program

    def program_log(self):
        path = os.path.join(self.workdir, "program.log")
        if not os.path.exists(path):
            return ""
        with open(path, errors="replace") as log:
            return log.read()

    # --- xdotool ---------------------------------------------------------

    def _run(self, command):
        try:
            return subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failure(f"{' '.join(command)} did not finish within {WAIT_SECONDS:.0f} s")

    def xdotool(self, *args):
        return self._run(["xdotool", *map(str, args)]).stdout.split()

    def visible_windows(self, name=None, window_class=None):
        if name is not None:
            return self.xdotool("search", "--onlyvisible", "--name", name)
        return self.xdotool("search", "--onlyvisible", "--class", window_class)

    def wait_for_window(self, what, name=None, window_class=None, timeout=WAIT_SECONDS):
        """Waits for one visible window matching the name (a regular expression)
        or class and for its place to settle; returns its id."""
        windows = wait_until(what, lambda: self.visible_windows(name, window_class), timeout)
        window = windows[0]
        wait_until(f"{what} to keep still", lambda: self.settled(window), timeout)
        return window

    def settled(self, window):
        first = self.geometry(window)
        time.sleep(0.05)
        return first == self.geometry(window)

    def wait_gone(self, what, name, timeout=WAIT_SECONDS):
        wait_until(f"{what} to close", lambda: not self.visible_windows(name), timeout)

    def geometry(self, window):
        """The window's (x, y, width, height) on the screen."""
        values = dict(line.split("=", 1) for line in self.xdotool("getwindowgeometry", "--shell", window))
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def click(self, window, x, y):
        """A left click at (x, y) of the window, as a person would do it."""
        self.xdotool("mousemove", "--window", window, x, y, "click", 1)

    def press(self, window, key):
        """Gives the window the keyboard and presses a key on it."""
        self.xdotool("windowfocus", window)
        self.xdotool("key", key)

    def request_close(self, window):
        """Asks the window to close, as the close box of a title bar does."""
        send_delete_window(self.display, int(window))

    # --- the screen ------------------------------------------------------

    def _import(self, window, *args):
        result = self._run(["import", "-window", str(window), *args])
        if result.returncode != 0:
            raise Failure(f"could not read the screen: {result.stderr.strip()}")
        return result.stdout

    def pixel(self, window, x, y):
        text = self._import(window, "-format", f"%[pixel:p{{{x},{y}}}]", "info:-")
        inside = text[text.index("(") + 1:text.index(")")]
        parts = [float(part.rstrip("%")) for part in inside.split(",")[:3]]
        if "%" in inside:
            parts = [part * 2.55 for part in parts]
        return Rgb(round(part) for part in parts)

    def darkest(self, window, x, y, width, height):
        """The lowest intensity, 0 to 1, in a rectangle of the window."""
        return float(self._import(window, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                                  "-format", "%[fx:minima]", "info:-"))

    def brightest(self, window, x, y, width, height, channel="r"):
        """The highest value, 0 to 1, of one colour channel in a rectangle of the window."""
        return float(self._import(window, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                                  "-format", f"%[fx:maxima.{channel}]", "info:-"))

    def screenshot(self, window, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self._import(window, path)
        print(f"screenshot: {path}")


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait(timeout=3)


def wait_exit(program, what, timeout=WAIT_SECONDS):
    try:
        return program.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Failure(f"{what}: the program was still running {timeout:.0f} s later")


def send_delete_window(display, window):
    """Sends WM_DELETE_WINDOW, the request a window manager sends when the user
    clicks a window's close box. (xdotool's windowkill and windowclose destroy
    the window instead, which is no user's way to quit.)"""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class XEvent(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise Failure(f"cannot open display {display} to close the window")
    try:
        event = XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = xlib.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = xlib.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        if not xlib.XSendEvent(connection, window, 0, 0, ctypes.byref(event)):
            raise Failure("the close request could not be sent")
        xlib.XFlush(connection)
    finally:
        xlib.XCloseDisplay(connection)


def report_and_exit(body):
    sys.stdout.reconfigure(line_buffering=True)
    sys.exit(run_main(body))
