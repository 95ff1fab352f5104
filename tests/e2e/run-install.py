#!/usr/bin/env python3
"""Installs the built program into a temporary prefix and starts the installed
launcher under Xvfb: the files land where the desktop expects them and the
installed game opens and closes like the built one.

usage: run-install.py CMAKE BUILD_FOLDER SOURCE_FOLDER ARTIFACT_FOLDER
Exit status 0 passed, 1 failed, 77 skipped (no X server can be started)."""

import os
import struct
import subprocess
import sys
import tempfile

from xsession import Failure, XSession, report_and_exit
import palitra_screen as screen


def install(cmake, build, prefix):
    result = subprocess.run([cmake, "--install", build, "--prefix", prefix], capture_output=True, text=True,
                            timeout=60)
    if result.returncode != 0:
        raise Failure(f"cmake --install failed:\n{result.stdout}{result.stderr}")


def png_size(path):
    with open(path, "rb") as file:
        header = file.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        raise Failure(f"{path} is not a PNG picture")
    return struct.unpack(">II", header[16:24])


def check_files(prefix, source):
    # The program, its word list and help page share a folder; the launcher,
    # the menu entry and the icons go where the desktop looks for them.
    def path(relative):
        full = os.path.join(prefix, relative)
        if not os.path.isfile(full):
            raise Failure(f"{relative} was not installed")
        return full

    for program in ("lib/palitra/palitra", "bin/palitra"):
        if not os.access(path(program), os.X_OK):
            raise Failure(f"{program} is not executable")
    for data in ("Palitra.pal", "Instrucciones.htm"):
        with open(path(f"lib/palitra/{data}"), "rb") as installed, \
                open(os.path.join(source, "data", data), "rb") as shipped:
            if installed.read() != shipped.read():
                raise Failure(f"the installed {data} differs from the shipped one")
    with open(path("share/applications/palitra.desktop"), encoding="utf-8") as entry:
        lines = entry.read().splitlines()
    for wanted in ("[Desktop Entry]", "Type=Application", "Exec=palitra", "Icon=palitra"):
        if wanted not in lines:
            raise Failure(f"palitra.desktop lacks the line {wanted!r}")
    for size in (64, 256):
        icon = path(f"share/icons/hicolor/{size}x{size}/apps/palitra.png")
        if png_size(icon) != (size, size):
            raise Failure(f"the {size}x{size} icon is {png_size(icon)}")


def run_installed(x, prefix, artifacts):
    # The launcher, reached through a link from elsewhere as from a PATH folder,
    # starts the installed program with its list: about window, main window, close.
    links = os.path.join(x.workdir, "home", ".local", "bin")
    os.makedirs(links)
    os.symlink(os.path.join(prefix, "bin", "palitra"), os.path.join(links, "palitra"))
    program = x.start([os.path.join(links, "palitra")], cwd=x.workdir)
    main, _ = screen.open_main_window(x)
    x.screenshot(main, os.path.join(artifacts, "installed-main-window.png"))
    screen.close_without_question(x, program, main, os.path.join(prefix, "lib", "palitra", "Palitra.pal"),
                                  "closing the installed program")


def main():
    cmake, build, source, artifacts = sys.argv[1:5]
    with tempfile.TemporaryDirectory(prefix="palitra-install-") as work:
        prefix = os.path.join(work, "prefix")
        install(cmake, build, prefix)
        check_files(prefix, source)
        print(f"installed into {prefix}")
        with XSession(work) as x:
            print(f"installed program on display {x.display}")
            screen.run_scenario(x, run_installed, prefix, artifacts)


if __name__ == "__main__":
    report_and_exit(main)
