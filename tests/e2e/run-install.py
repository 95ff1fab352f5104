#!/usr/bin/env python3
"""Installs the built program into a temporary prefix, checks the files, and starts the installed launcher under Xvfb.
The installer is `cmake --install`, or with VERSION the Debian package cpack makes, unpacked with dpkg-deb (usr/ is the
prefix) after desktop-file-validate, appstreamcli validate and lintian (no error) have passed it.
usage: run-install.py CMAKE BUILD_FOLDER SOURCE_FOLDER ARTIFACT_FOLDER [VERSION]
(exit 0 passed, 1 failed, 77 skipped)"""

import os
import pathlib
import subprocess
import sys
import tempfile

from palitra_e2e import Palitra, XSession, check, run


def shell(*command):  # the output of a command that must succeed, shown on failure
    done = subprocess.run(command, capture_output=True, text=True, timeout=60)
    check(done.returncode == 0, f"{pathlib.Path(command[0]).name} failed:\n{done.stdout}{done.stderr}")
    return done.stdout


def unpack_package(cmake, build, version, work):  # the unpacked usr/ and the launcher's folder: Debian's for games
    shell(pathlib.Path(cmake).with_name("cpack"), "-G", "DEB", "-B", work, "--config", f"{build}/CPackConfig.cmake")
    deb = os.path.join(work, f"palitra_{version}_{shell('dpkg', '--print-architecture').strip()}.deb")
    fields = shell("dpkg-deb", "--field", deb, "Section", "Depends")  # Depends as dpkg-shlibdeps found them
    check(fields.startswith("Section: games\n") and "libqt6widgets6" in fields, f"the package's fields:\n{fields}")
    shell("dpkg-deb", "-x", deb, os.path.join(work, "root"))
    usr = pathlib.Path(work, "root/usr")
    for path in usr.parent.rglob("*"):  # folders 0755, files 0644 or programs 0755, as Debian wants
        mode = path.stat().st_mode & 0o7777
        check(mode == 0o755 or (mode == 0o644 and path.is_file()), f"{path.relative_to(usr)} has mode {mode:o}")
    shell("desktop-file-validate", usr / "share/applications/palitra.desktop")
    print(shell("appstreamcli", "validate", "--no-net", *(usr / "share/metainfo").glob("*.metainfo.xml")))
    print(shell("lintian", "--fail-on", "error", deb))
    return usr, "games"


def install_and_start(cmake, build, source, artifacts, version=None):
    with tempfile.TemporaryDirectory(prefix="palitra-install-") as work:
        if version:
            prefix, launcher = unpack_package(cmake, build, version, work)
        else:
            prefix, launcher = pathlib.Path(work, "prefix"), "bin"
            subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, timeout=60)
        # The program, its list and help page share a folder; launcher, menu entry and icons go where desktops look.
        for program in ("lib/palitra/palitra", f"{launcher}/palitra"):
            check(os.access(prefix / program, os.X_OK), f"{program} is not installed as a program")
        for data in ("Palitra.pal", "Comunes.pal", "Instrucciones.htm"):
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
        os.symlink(prefix / launcher / "palitra", os.path.join(work, "palitra"))
        name = "package" if version else "install"
        with XSession(work, os.path.join(artifacts, f"failure-{name}.png")) as x:
            game = Palitra(x, [os.path.join(work, "palitra")], work)
            x.screenshot(game.window, os.path.join(artifacts, f"{name}-main-window.png"))
            game.close_quietly(prefix / "lib/palitra/Palitra.pal", "closing the installed program")


if __name__ == "__main__":
    run(install_and_start, *sys.argv[1:6])
