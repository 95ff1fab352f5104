"""Palitra on a private Xvfb display, driven as a player would: xdotool clicks and keys, the close box's
WM_DELETE_WINDOW request, and reads of the screen. Every wait has a deadline; what is started here is stopped
when the session ends. A script exits 0 passed, 77 when no X server can be started, 1 on any failure (an exception)."""

import contextlib
import ctypes
import os
import pathlib
import shutil
import signal
import struct
import subprocess
import sys
import time

WAIT = 15.0  # the longest any one step may take
MAIN_TITLE, OPTIONS_TITLE, BOX_TITLE = r"^Palitra 1\.2$", r"^Elige\.\.\.$", r"^Palitra$"  # boxes: program's name
CLIENT_SIZE, ABOUT_SIZE = (505, 279), (284, 420)  # main window below its menu bar; about window


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def run(body, *args, limit=90):  # body(*args) under a watchdog: "PASS", or an exception and status 1
    signal.signal(signal.SIGALRM, lambda *_: check(False, f"the whole run took longer than {limit} s"))
    signal.alarm(limit)
    body(*args)
    print("PASS")


def wait_until(what, condition, wait=WAIT):
    deadline = time.monotonic() + wait
    while not (value := condition()):
        check(time.monotonic() < deadline, f"waited {wait:.0f} s for {what}")
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
        number = b""
        if shutil.which("Xvfb"):
            self.processes.append(subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-dpi",
                                                    "96", "-nolisten", "tcp", "-noreset"], stdout=subprocess.PIPE))
            number = self.processes[0].stdout.readline().strip()  # once the display is ready; nothing if Xvfb gave up
        if not number.isdigit():  # the one reason to skip
            self.__exit__(None)
            print("SKIP: no X server could be started (is Xvfb installed? scripts/bootstrap installs it)")
            sys.exit(77)
        self.display = ":" + number.decode()
        self.env = {key: value for key, value in os.environ.items() if not key.startswith(("QT_", "WAYLAND"))}
        self.env.update(DISPLAY=self.display, QT_QPA_PLATFORM="xcb", HOME=self.workdir, XDG_RUNTIME_DIR=self.workdir,
                        NO_AT_BRIDGE="1")  # workdir: a private temporary folder
        self.log = open(os.path.join(self.workdir, "program.log"), "wb")
        return self

    def __exit__(self, error, *_):
        if error:
            print("program output:\n" + pathlib.Path(self.workdir, "program.log").read_text(errors="replace"))
            with contextlib.suppress(Exception):  # the screen may be gone with the failure
                self.screenshot("root", self.failure_shot)
        for process in reversed(self.processes):
            process.terminate()
            process.wait(5)

    def tool(self, *command, check=True):
        return subprocess.run(command, env=self.env, capture_output=True, timeout=WAIT, check=check).stdout

    def xdotool(self, *args, check=True):
        return self.tool("xdotool", *map(str, args), check=check).decode().split()

    def windows(self, name=None, cls=None, pid=None):  # visible ones titled `name` (a regular expression) or of class
        owner = ["--all", "--pid", pid] if pid else []  # `cls`, of process `pid` if given
        return self.xdotool("search", "--onlyvisible", *owner, "--name" if name else "--class", name or cls, check=False)

    def size(self, window):  # from the lines WINDOW=, X=, Y=, WIDTH=, HEIGHT=, SCREEN=
        return tuple(int(line.split("=")[1]) for line in self.xdotool("getwindowgeometry", "--shell", window)[3:5])

    def wait_window(self, what, name=None, cls=None, keep=lambda window: True, pid=None, wait=WAIT):  # one that
        return wait_until(what, lambda: [w for w in self.windows(name, cls, pid) if keep(w)], wait)[0]  # passes `keep`

    def click(self, window, x, y):
        self.xdotool("mousemove", "--window", window, x, y, "click", 1)

    def press(self, window, key):  # a box's answer: a question takes no key for its first half second
        time.sleep(0.6)
        self.xdotool("windowfocus", window, "key", key)

    def request_close(self, window):  # WM_DELETE_WINDOW, as from a close box (xdotool's windowkill destroys the window)
        x11 = ctypes.CDLL("libX11.so.6")
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


class Palitra:
    """The program led past its about window to its main window; places are pixels (15 twips) below its menu bar."""

    def __init__(self, x, command, cwd):
        self.x, self.program = x, subprocess.Popen(command, cwd=cwd, env=x.env, stdout=x.log, stderr=x.log)
        x.processes.append(self.program)
        is_main = lambda window: x.size(window)[1] > CLIENT_SIZE[1]  # the loading window has the same title
        pid = self.program.pid
        about = x.wait_window("the about window", cls="palitra", pid=pid)
        check(x.size(about) == ABOUT_SIZE and not any(map(is_main, x.windows(MAIN_TITLE, pid=pid))),
              f"the first window is not the about window alone: {x.size(about)}")
        x.click(about, 142, 168)  # its logo
        wait_until("the about window to close", lambda: about not in x.windows(cls="palitra", pid=pid))
        self.window = x.wait_window("the main window 'Palitra 1.2'", MAIN_TITLE, keep=is_main, pid=pid)
        size = x.size(self.window)
        self.bar = size[1] - CLIENT_SIZE[1]
        check(size[0] == CLIENT_SIZE[0] and 10 <= self.bar <= 60,
              f"the main window is {size}, not {CLIENT_SIZE[0]} wide with a menu bar")

    def tile(self, tile, inset=0):  # top left corner of a 41-pixel tile, moved `inset` pixels inwards
        return 24 + tile % 5 * 48 + inset, 24 + tile // 5 * 48 + self.bar + inset

    def colour(self, shot, tile):  # read beside the letter
        return next(pixels(shot, *self.tile(tile, 5), 1, 1))

    def wait_screen(self, what, condition):
        wait_until(what, lambda: condition(self.x.shot(self.window)))

    def press_button(self):  # "Nuevo Juego", "Empezar" or "Añadir"
        self.x.click(self.window, 316, 32 + self.bar)

    def start_round(self, tiles):  # "Nuevo Juego", "OK" to the options, "Empezar" once dealt; then clicks the tiles
        self.press_button()
        self.x.click(self.x.wait_window("the options dialog 'Elige...'", OPTIONS_TITLE), 232, 124)
        self.wait_screen("letters dealt on the first row", lambda shot: all(  # greyed on white: the tiles are disabled
            any(max(pixel) < 200 for pixel in pixels(shot, *self.tile(t, 8), 25, 25)) for t in range(5)))
        self.press_button()
        self.wait_screen("the round's clock",  # green digits on black
                         lambda shot: any(g > 128 for _, g, _ in pixels(shot, 380, 52 + self.bar, 105, 25)))
        for tile in tiles:
            self.x.click(self.window, *self.tile(tile, 20))
        self.wait_screen(f"tiles {tiles} to turn light green, the others to stay white", lambda shot: all(
            (is_light_green if t in tiles else is_white)(self.colour(shot, t)) for t in range(25)))

    def wait_exit(self, what, expected=0):  # the program ends by itself (an open question times out) with `expected`
        status = self.program.wait(WAIT)
        check(status == expected, f"{what}: the program ended with status {status}, not {expected}")

    def close_quietly(self, word_list, what):  # the program ends at once with status 0, its list byte for byte the same
        before = pathlib.Path(word_list).read_bytes()
        self.x.request_close(self.window)
        self.wait_exit(what)
        check(pathlib.Path(word_list).read_bytes() == before, f"{what}: the word list changed though no word was added")
