#!/usr/bin/env python3
"""Plays Palitra under Xvfb twice on one copy of the program and its word list:
a round closed without changes, then a round whose three clicked letters are
added as a word and saved.
usage: run-e2e.py PROGRAM WORD_LIST ARTIFACT_FOLDER (exit 0 passed, 1 failed, 77 skipped)"""

import os
import pathlib
import re
import shutil
import sys
import tempfile

from palitra_e2e import BOX_TITLE, Failure, Palitra, XSession, is_white, run


def read_word_list(path):
    lines = pathlib.Path(path).read_bytes().split(b"\r\n")
    if lines.pop() != b"" or any(b"\r" in line or b"\n" in line for line in lines):
        raise Failure(f"{path} has a line not ended by CR LF")
    return lines


def sort_key(word):  # a leading Ñ reads as "NZ"
    return b"NZ" + word[1:] if word.startswith(b"\xd1") else word


def play(program, word_list, artifacts):
    with tempfile.TemporaryDirectory(prefix="palitra-e2e-") as work:
        shutil.copy2(program, os.path.join(work, "palitra"))
        list_path = os.path.join(work, "Palitra.pal")
        shutil.copyfile(word_list, list_path)
        before = read_word_list(list_path)
        with XSession(work, os.path.join(artifacts, "failure-game.png")) as x:
            # A round without new words: closing the window ends the program at
            # once, with no question, and leaves the list as it was.
            game = Palitra(x, [os.path.join(work, "palitra")], work)
            game.start_round([0, 1, 2])
            x.screenshot(game.window, os.path.join(artifacts, "main-window.png"))
            game.close_quietly(list_path, "closing with an unchanged list")

            # The fixture holds only longer words, so the three letters are new:
            # added after the question, then saved after the question at exit.
            game = Palitra(x, [os.path.join(work, "palitra")], work)
            game.start_round([0, 1, 2])
            game.press_button()  # "Añadir"
            x.press(x.wait_window("the question about the unknown word", BOX_TITLE), "Return")
            game.wait_screen("the board to clear after the word was taken",
                             lambda shot: all(is_white(game.colour(shot, t)) for t in (0, 1, 2)))
            x.request_close(game.window)
            x.press(x.wait_window("the question to save the word list", BOX_TITLE), "Return")
            game.wait_exit("after saving")
        after = read_word_list(list_path)
    added = [word for word in after if word not in before]
    if len(added) != 1 or not re.fullmatch(rb"[A-Z\xd1]{3}", added[0]):
        raise Failure(f"the saved list should hold one new word of three letters, it has {added!r}")
    if after != sorted(before + added, key=sort_key):
        raise Failure(f"the saved list is not the old list with {added[0]!r} in its sorted place: {after!r}")
    print(f"added and saved: {added[0].decode('cp1252')}")


if __name__ == "__main__":
    sys.exit(run(play, *sys.argv[1:4]))
