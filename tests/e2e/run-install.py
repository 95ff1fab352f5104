#!/usr/bin/env python3
"""Installs the built program into a temporary prefix, checks the files, and starts the installed launcher under Xvfb.
usage: run-install.py CMAKE BUILD_FOLDER SOURCE_FOLDER ARTIFACT_FOLDER (exit 0 passed, 1 failed, 77 skipped)"""

import os
import pathlib
import subprocess
import sys
import tempfile

from palitra_e2e import Palitra, XSession, check, run


def install_and_start(cmake, build, source, artifacts):
    with tempfile.TemporaryDirectory(prefix="palitra-install-") as work:
        prefix = pathlib.Path(work, "prefix")
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, timeout=60)
        # The program, its list and help page share a folder; launcher, menu entry and icons go where desktops look.
        for program in ("lib/palitra/palitra", "bin/palitra"):
            check(os.access(prefix / program, os.X_OK), f"{program} is not installed as a program")
        for data in ("Palitra.pal", "Instrucciones.htm"):
            check((prefix / "lib/palitra" / data).read_bytes() == pathlib.Path(source, "data", data).read_bytes(),
                  f"the installed {data} differs from the shipped one")
        entry = set((prefix / "share/applications/palitra.desktop").read_text(encoding="utf-8").split("\n"))
        missing = {"[Desktop Entry]", "Type=Application", "Exec=palitra", "Icon=palitra"} - entry
        check(not missing, f"palitra.desktop lacks {sorted(missing)}")
        for size in (64, 256):
            header = (prefix / f"share/icons/hicolor/{size}x{size}/apps/palitra.png").read_bytes()[:24]
            check(header == b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR" + size.to_bytes(4, "big") * 2,  # width, height
                  f"the {size}x{size} icon is not a PNG picture of that size")
        # The launcher, reached through a link as from a PATH folder, starts the installed program with its list.
        os.symlink(prefix / "bin/palitra", os.path.join(work, "palitra"))
        with XSession(work, os.path.join(artifacts, "failure-install.png")) as x:
            game = Palitra(x, [os.path.join(work, "palitra")], work)
            x.screenshot(game.window, os.path.join(artifacts, "installed-main-window.png"))
            game.close_quietly(prefix / "lib/palitra/Palitra.pal", "closing the installed program")


if __name__ == "__main__":
    run(install_and_start, *sys.argv[1:5])
