#!/usr/bin/env python3
"""Plays Palitra under Xvfb on one copy of the program and its word list: two programs at once, each adding a word
of clicked letters and saving it; a word added with the save failing. (run-install.py closes one without changes.)
usage: run-e2e.py PROGRAM WORD_LIST ARTIFACT_FOLDER (exit 0 passed, 1 failed, 77 skipped)"""

import os
import pathlib
import re
import shutil
import sys
import tempfile

from palitra_e2e import BOX_TITLE, Palitra, XSession, check, is_white, run, wait_until


def read_word_list(path):
    lines = pathlib.Path(path).read_bytes().split(b"\r\n")
    check(lines.pop() == b"" and not re.search(rb"[\r\n]", b"".join(lines)), f"{path} has a line not ended by CR LF")
    return lines


def add_word(x, game, tiles):  # 3 or 5 tiles of the first row spell a word the fixture lacks: added after the question
    game.start_round(tiles)
    game.press_button()  # "Añadir"
    x.press(x.wait_window("the question about the unknown word", BOX_TITLE), "Return")
    game.wait_screen("the board to clear after the word was taken",
                     lambda shot: all(is_white(game.colour(shot, t)) for t in (0, 1, 2)))


def play(program, word_list, artifacts):
    with tempfile.TemporaryDirectory(prefix="palitra-e2e-") as work:
        command, list_path = [os.path.join(work, "palitra")], os.path.join(work, "Palitra.pal")
        shutil.copy2(program, command[0])
        shutil.copyfile(word_list, list_path)
        before = read_word_list(list_path)
        with XSession(work, os.path.join(artifacts, "failure-game.png")) as x:
            # Two copies of the program on the list each add a word and save it: both words are kept, in their sorted
            # places, where a leading Ñ reads as "NZ".
            first = Palitra(x, command, work)
            add_word(x, first, [0, 1, 2])
            x.screenshot(first.window, os.path.join(artifacts, "main-window.png"))
            second = Palitra(x, command, work)
            add_word(x, second, [0, 1, 2, 3, 4])
            for game in (first, second):
                x.request_close(game.window)
                x.press(x.wait_window("the question to save the word list", BOX_TITLE), "Return")
                game.wait_exit("after saving")
            after = read_word_list(list_path)
            added = [word for word in after if word not in before]
            check(sorted(map(len, added)) == [3, 5] and all(re.fullmatch(rb"[A-Z\xd1]+", word) for word in added),
                  f"the saved list should hold both programs' words, of three and five letters; it has {added!r}")
            check(after == sorted(before + added, key=lambda w: b"NZ" + w[1:] if w.startswith(b"\xd1") else w),
                  f"the saved list is not the old list with {added!r} in their sorted places: {after!r}")

            # A failed save (a folder holding a file in the list's place stops even root) is reported; the status is 1.
            shutil.copyfile(word_list, list_path)  # the fixture again, so that the word is surely new
            game = Palitra(x, command, work)
            add_word(x, game, [0, 1, 2])
            os.remove(list_path)
            os.mkdir(list_path)
            pathlib.Path(list_path, "kept").write_bytes(b"kept")
            for quit_unsaved in ("Escape", "Return"):  # Cancel keeps the window and its words; OK quits without them
                x.request_close(game.window)
                x.press(question := x.wait_window("the question to save the word list", BOX_TITLE), "Return")
                error = x.wait_window("a box reporting the failed save", BOX_TITLE, keep=lambda w: w != question)
                x.screenshot(error, os.path.join(artifacts, "save-error.png"))
                x.press(error, "Return")
                x.press(x.wait_window("the question to quit unsaved", BOX_TITLE, keep=lambda w: w not in (question, error)),
                        quit_unsaved)
                if quit_unsaved == "Escape":
                    wait_until("the main window back alone", lambda: not x.windows(BOX_TITLE) or game.program.poll())
                    check(game.program.poll() is None, "Cancel after a failed save should keep the program running")
            game.wait_exit("after the failed save", 1)
            check(os.listdir(list_path) == ["kept"] and pathlib.Path(list_path, "kept").read_bytes() == b"kept",
                  f"the folder in the list's place changed: it holds {os.listdir(list_path)}")


if __name__ == "__main__":
    run(play, *sys.argv[1:4])
