#!/usr/bin/env python3
"""Installs the built program into a temporary prefix, checks the files, and
starts the installed launcher under Xvfb.
usage: run-install.py CMAKE BUILD_FOLDER SOURCE_FOLDER ARTIFACT_FOLDER (exit 0 passed, 1 failed, 77 skipped)"""

import filecmp
import os
import subprocess
import sys
import tempfile

from palitra_e2e import Failure, Palitra, XSession, run


def check_files(prefix, source):
    # The program, its word list and help page share a folder; the launcher,
    # the menu entry and the icons go where the desktop looks for them.
    for program in ("lib/palitra/palitra", "bin/palitra"):
        if not os.access(os.path.join(prefix, program), os.X_OK):
            raise Failure(f"{program} is not installed as a program")
    for data in ("Palitra.pal", "Instrucciones.htm"):
        if not filecmp.cmp(os.path.join(prefix, "lib/palitra", data), os.path.join(source, "data", data), False):
            raise Failure(f"the installed {data} differs from the shipped one")
    with open(os.path.join(prefix, "share/applications/palitra.desktop"), encoding="utf-8") as entry:
        missing = {"[Desktop Entry]", "Type=Application", "Exec=palitra", "Icon=palitra"} - set(entry.read().split("\n"))
    if missing:
        raise Failure(f"palitra.desktop lacks {sorted(missing)}")
    for size in (64, 256):
        with open(os.path.join(prefix, f"share/icons/hicolor/{size}x{size}/apps/palitra.png"), "rb") as icon:
            if icon.read(24) != b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR" + size.to_bytes(4, "big") * 2:  # width, height
                raise Failure(f"the {size}x{size} icon is not a PNG picture of that size")


def install_and_start(cmake, build, source, artifacts):
    with tempfile.TemporaryDirectory(prefix="palitra-install-") as work:
        prefix = os.path.join(work, "prefix")
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, timeout=60)
        check_files(prefix, source)
        # The launcher, reached through a link as from a PATH folder, starts the installed program with its list.
        os.symlink(os.path.join(prefix, "bin", "palitra"), os.path.join(work, "palitra"))
        with XSession(work, os.path.join(artifacts, "failure-install.png")) as x:
            game = Palitra(x, [os.path.join(work, "palitra")], work)
            x.screenshot(game.window, os.path.join(artifacts, "installed-main-window.png"))
            game.close_quietly(os.path.join(prefix, "lib/palitra/Palitra.pal"), "closing the installed program")


if __name__ == "__main__":
    sys.exit(run(install_and_start, *sys.argv[1:5]))
