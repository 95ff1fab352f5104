#!/usr/bin/env python3
"""Plays Palitra under Xvfb three times on one copy of the program and its word list: a round closed without
changes; a round whose three clicked letters are added as a word and saved; the same with the save failing.
usage: run-e2e.py PROGRAM WORD_LIST ARTIFACT_FOLDER (exit 0 passed, 1 failed, 77 skipped)"""

import os
import pathlib
import re
import shutil
import sys
import tempfile

from palitra_e2e import BOX_TITLE, Palitra, XSession, check, is_white, run


def read_word_list(path):
    lines = pathlib.Path(path).read_bytes().split(b"\r\n")
    check(lines.pop() == b"" and not re.search(rb"[\r\n]", b"".join(lines)), f"{path} has a line not ended by CR LF")
    return lines


def add_word(x, game):  # the fixture has only longer words, so tiles 0 to 2 spell a new word: added after the question
    game.start_round([0, 1, 2])
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
            # A round without new words: closing ends the program at once, with no question, the list as it was.
            game = Palitra(x, command, work)
            game.start_round([0, 1, 2])
            x.screenshot(game.window, os.path.join(artifacts, "main-window.png"))
            game.close_quietly(list_path, "closing with an unchanged list")

            # A new word, saved after the question at exit, takes its sorted place, where a leading Ñ reads as "NZ".
            game = Palitra(x, command, work)
            add_word(x, game)
            x.request_close(game.window)
            x.press(x.wait_window("the question to save the word list", BOX_TITLE), "Return")
            game.wait_exit("after saving")
            after = read_word_list(list_path)
            added = [word for word in after if word not in before]
            check(len(added) == 1 and re.fullmatch(rb"[A-Z\xd1]{3}", added[0]),
                  f"the saved list should hold one new word of three letters, it has {added!r}")
            check(after == sorted(before + added, key=lambda w: b"NZ" + w[1:] if w.startswith(b"\xd1") else w),
                  f"the saved list is not the old list with {added[0]!r} in its sorted place: {after!r}")

            # A failed save (a folder holding a file in the list's place stops even root) is reported; the status is 1.
            shutil.copyfile(word_list, list_path)  # the fixture again, so that the word is surely new
            game = Palitra(x, command, work)
            add_word(x, game)
            os.remove(list_path)
            os.mkdir(list_path)
            pathlib.Path(list_path, "kept").write_bytes(b"kept")
            x.request_close(game.window)
            x.press(question := x.wait_window("the question to save the word list", BOX_TITLE), "Return")
            error = x.wait_window("a box reporting the failed save", BOX_TITLE, keep=lambda window: window != question)
            x.screenshot(error, os.path.join(artifacts, "save-error.png"))
            x.press(error, "Return")
            game.wait_exit("after the failed save", 1)
            check(os.listdir(list_path) == ["kept"] and pathlib.Path(list_path, "kept").read_bytes() == b"kept",
                  f"the folder in the list's place changed: it holds {os.listdir(list_path)}")


if __name__ == "__main__":
    run(play, *sys.argv[1:4])
