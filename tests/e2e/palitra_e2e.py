"""Palitra on a private Xvfb display, driven as a player would: xdotool clicks
and keys, the close box's WM_DELETE_WINDOW request, and reads of the screen.
Every wait has a deadline; what is started here is stopped when the session ends."""

import contextlib
import ctypes.util
import os
import pathlib
import select
import shutil
import signal
import struct
import subprocess
import time

WAIT = 15.0  # the longest any one step may take
MAIN_TITLE, OPTIONS_TITLE, BOX_TITLE = r"^Palitra 1\.2$", r"^Elige\.\.\.$", r"^Palitra$"  # boxes: program's name
CLIENT_SIZE, ABOUT_SIZE = (505, 279), (284, 420)  # main window below its menu bar; about window


class Skip(Exception):  # no X server can be started here
    pass


class Failure(Exception):
    pass


def run(body, *args):
    """Runs body(*args) under a watchdog; returns 0 passed, 1 failed, 77 skipped."""
    def on_alarm(_signum, _frame):
        raise Failure("the whole run took longer than 90 s")
    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(90)
    try:
        body(*args)
    except Skip as reason:
        print(f"SKIP: {reason}")
        return 77
    except (Failure, OSError, subprocess.SubprocessError) as reason:
        print(f"FAIL: {reason}")
        return 1
    print("PASS")
    return 0


def wait_until(what, condition):
    deadline = time.monotonic() + WAIT
    while not (value := condition()):
        if time.monotonic() > deadline:
            raise Failure(f"waited {WAIT:.0f} s for {what}")
        time.sleep(0.05)
    return value


def pixels(shot, x, y, width, height):  # (r, g, b) in a rectangle of a picture from XSession.shot
    for row in range(y, y + height):
        start = 3 * (row * shot[0] + x)
        yield from zip(*[iter(shot[1][start:start + 3 * width])] * 3)


def is_white(pixel):
    return min(pixel) >= 230


def is_light_green(pixel):  # Fusion shades a button's colour from lighter to darker
    return pixel[1] >= 200 and max(pixel[0], pixel[2]) <= 170


class XSession:
    """One Xvfb display; on failure it prints the program's output and keeps the screen in `failure_shot`."""

    def __init__(self, workdir, failure_shot):
        self.workdir, self.failure_shot, self.processes = workdir, failure_shot, []

    def __enter__(self):
        if not shutil.which("Xvfb"):
            raise Skip("Xvfb is not installed, so no X server can be started (scripts/bootstrap installs xvfb)")
        read_end, write_end = os.pipe()
        self.processes.append(subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                                "-dpi", "96", "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,)))
        os.close(write_end)
        number = b""  # Xvfb writes the number, then a newline, and needs the pipe open meanwhile
        while not number.endswith(b"\n") and select.select([read_end], [], [], WAIT)[0]:
            number += os.read(read_end, 16) or b"\n"  # at the end of the file Xvfb has given up
        os.close(read_end)
        if not number.strip().isdigit():
            self.__exit__(None)
            raise Skip("Xvfb did not start a display (see its messages, if any)")
        self.display = ":" + number.strip().decode()
        self.env = {key: value for key, value in os.environ.items() if not key.startswith(("QT_", "WAYLAND"))}
        self.env.update(DISPLAY=self.display, QT_QPA_PLATFORM="xcb", HOME=self.workdir, XDG_RUNTIME_DIR=self.workdir,
                        NO_AT_BRIDGE="1")  # workdir: a private temporary folder
        self.log = open(os.path.join(self.workdir, "program.log"), "w+b")
        return self

    def __exit__(self, error, *_):
        if error:
            self.log.seek(0)
            print(f"program output:\n{self.log.read().decode(errors='replace')}")
            with contextlib.suppress(Exception):  # the screen may be gone with the failure
                self.screenshot("root", self.failure_shot)
        for process in reversed(self.processes):
            process.terminate()
            process.wait(5)

    def start(self, command, cwd):
        self.processes.append(subprocess.Popen(command, cwd=cwd, env=self.env, stdout=self.log, stderr=self.log))
        return self.processes[-1]

    def tool(self, *command, check=True):
        return subprocess.run(command, env=self.env, capture_output=True, timeout=WAIT, check=check).stdout

    def xdotool(self, *args, check=True):
        return self.tool("xdotool", *map(str, args), check=check).decode().split()

    def windows(self, name=None, cls=None):
        """The visible windows whose title matches `name` (a regular expression) or whose class is `cls`."""
        return self.xdotool("search", "--onlyvisible", "--name" if name else "--class", name or cls, check=False)

    def geometry(self, window):
        values = dict(line.split("=") for line in self.xdotool("getwindowgeometry", "--shell", window))
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def wait_window(self, what, name=None, cls=None, keep=lambda geometry: True):
        """Waits for a window whose geometry passes `keep`; returns its id."""
        return wait_until(what, lambda: [w for w in self.windows(name, cls) if keep(self.geometry(w))])[0]

    def click(self, window, x, y):
        self.xdotool("mousemove", "--window", window, x, y, "click", 1)

    def press(self, window, key):
        self.xdotool("windowfocus", window, "key", key)

    def request_close(self, window):
        """Sends WM_DELETE_WINDOW as a title bar's close box does (xdotool's windowkill destroys the window)."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = x11.XInternAtom.restype = ctypes.c_void_p
        connection = ctypes.c_void_p(x11.XOpenDisplay(self.display.encode()))
        protocols, delete = (x11.XInternAtom(connection, name, 0) for name in (b"WM_PROTOCOLS", b"WM_DELETE_WINDOW"))
        event = struct.pack("@iLiPLLi5l", 33, 0, 0, 0, int(window), protocols, 32, delete, 0, 0, 0, 0)  # ClientMessage
        x11.XSendEvent(connection, ctypes.c_ulong(int(window)), 0, ctypes.c_long(0),
                       ctypes.create_string_buffer(event, 192))  # 192: the size of an XEvent
        x11.XCloseDisplay(connection)  # flushes the request

    def shot(self, window):  # the window's width and its RGB bytes row by row
        _, size, _, data = self.tool("import", "-window", str(window), "-depth", "8", "ppm:-").split(b"\n", 3)
        return int(size.split()[0]), data

    def screenshot(self, window, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.tool("import", "-window", str(window), path)
        print(f"screenshot: {path}")


class Palitra:
    """The program, started and led past its about window to the main window.
    Places are in pixels (15 twips each) below the main window's menu bar."""

    def __init__(self, x, command, cwd):
        self.x, self.program = x, x.start(command, cwd)
        is_main = lambda geometry: geometry[3] > CLIENT_SIZE[1]  # the loading window has the same title
        about = x.wait_window("the about window", cls="palitra")
        if x.geometry(about)[2:] != ABOUT_SIZE or [w for w in x.windows(MAIN_TITLE) if is_main(x.geometry(w))]:
            raise Failure(f"the first window is not the about window alone: {x.geometry(about)}")
        x.click(about, 142, 168)  # its logo
        wait_until("the about window to close", lambda: about not in x.windows(cls="palitra"))
        self.window = x.wait_window("the main window 'Palitra 1.2'", MAIN_TITLE, keep=is_main)
        size = x.geometry(self.window)[2:]
        self.bar = size[1] - CLIENT_SIZE[1]
        if size[0] != CLIENT_SIZE[0] or not 10 <= self.bar <= 60:
            raise Failure(f"the main window is {size}, not {CLIENT_SIZE[0]} wide with a menu bar")

    def tile(self, tile, inset=0):  # top left corner of a 41-pixel tile, moved `inset` pixels inwards
        return 24 + tile % 5 * 48 + inset, 24 + tile // 5 * 48 + self.bar + inset

    def colour(self, shot, tile):  # read beside the letter
        return next(pixels(shot, *self.tile(tile, 5), 1, 1))

    def wait_screen(self, what, condition):
        wait_until(what, lambda: condition(self.x.shot(self.window)))

    def press_button(self):  # "Nuevo Juego", "Empezar" or "Añadir"
        self.x.click(self.window, 316, 32 + self.bar)

    def start_round(self, tiles):
        """"Nuevo Juego", "OK" to the options, "Empezar" once dealt; then clicks the tiles."""
        self.press_button()
        self.x.click(self.x.wait_window("the options dialog 'Elige...'", OPTIONS_TITLE), 232, 124)
        self.wait_screen("letters dealt on the first row", lambda shot: all(  # in black
            any(max(pixel) < 80 for pixel in pixels(shot, *self.tile(t, 8), 25, 25)) for t in range(5)))
        self.press_button()
        self.wait_screen("the round's clock",  # green digits on black
                         lambda shot: any(g > 128 for _, g, _ in pixels(shot, 380, 52 + self.bar, 105, 25)))
        for tile in tiles:
            self.x.click(self.window, *self.tile(tile, 20))
        self.wait_screen(f"tiles {tiles} to turn light green, the others to stay white", lambda shot: all(
            (is_light_green if t in tiles else is_white)(self.colour(shot, t)) for t in range(25)))

    def wait_exit(self, what):
        try:
            status = self.program.wait(WAIT)
        except subprocess.TimeoutExpired:
            asked = " behind a question" if self.x.windows(BOX_TITLE) else ""
            raise Failure(f"{what}: the program was still running{asked} {WAIT:.0f} s later")
        if status:
            raise Failure(f"{what}: the program ended with status {status}")

    def close_quietly(self, word_list, what):
        """Closes the main window: the program ends at once, its word list byte for byte as it was."""
        before = pathlib.Path(word_list).read_bytes()
        self.x.request_close(self.window)
        self.wait_exit(what)
        if pathlib.Path(word_list).read_bytes() != before:
            raise Failure(f"{what}: the word list changed although no word was added")
