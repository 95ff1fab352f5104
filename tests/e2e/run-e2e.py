#!/usr/bin/env python3
"""Plays Palitra end to end under Xvfb with xdotool, as a person would: the
about window, a new game, a round with tile clicks, a word added to the list,
and the exit with and without the save question.

usage: run-e2e.py PROGRAM WORD_LIST ARTIFACT_FOLDER
Exit status 0 passed, 1 failed, 77 skipped (no X server can be started)."""

import os
import re
import shutil
import sys
import tempfile

from xsession import Failure, XSession, report_and_exit, wait_exit, wait_until
import palitra_screen as screen


def sort_key(word):
    """The list's order: bytes, with a leading Ñ read as "NZ"."""
    return b"NZ" + word[1:] if word.startswith(b"\xd1") else word


def read_word_list(path):
    with open(path, "rb") as file:
        data = file.read()
    if not data.endswith(b"\r\n"):
        raise Failure(f"{path} does not end with CR LF")
    lines = data[:-2].split(b"\r\n")
    if any(b"\r" in line or b"\n" in line for line in lines):
        raise Failure(f"{path} has a line not ended by CR LF")
    return lines


def play_a_round(x, tiles):
    """From launch to a round running with the given tiles clicked; returns the
    main window's id and the height of its menu bar."""
    main, menu_bar = screen.open_main_window(x)
    screen.start_game(x, main, menu_bar)
    screen.start_round(x, main, menu_bar)
    screen.click_tiles(x, main, menu_bar, tiles)
    return main, menu_bar


def run_without_changes(x, folder, artifacts):
    # Closing the main window after a round without new words ends the program
    # at once, with no question, and leaves the word list as it was.
    program = x.start([os.path.join(folder, "palitra")], cwd=folder)
    main, _ = play_a_round(x, tiles=[0, 1, 2])
    x.screenshot(main, os.path.join(artifacts, "main-window.png"))
    screen.close_without_question(x, program, main, os.path.join(folder, "Palitra.pal"),
                                  "closing the window with an unchanged list")


def run_adding_a_word(x, folder, artifacts):
    # A three-tile word the list does not hold is added after the question; the
    # exit asks to save, and OK writes the list with the word in its sorted place.
    list_path = os.path.join(folder, "Palitra.pal")
    before = read_word_list(list_path)
    if any(len(word) < 4 for word in before):
        raise Failure("the fixture must hold only words of four letters or more")
    program = x.start([os.path.join(folder, "palitra")], cwd=folder)
    main, menu_bar = play_a_round(x, tiles=[0, 1, 2])
    if screen.player_list_has_a_word(x, main, menu_bar):
        raise Failure("the player's list is not empty at the start of the round")

    x.click(main, *screen.command2(menu_bar))  # "Añadir"
    question = x.wait_for_window("the question about the unknown word", name=screen.BOX_TITLE)
    x.press(question, "Return")  # "Aceptar"
    x.wait_gone("the question about the unknown word", screen.BOX_TITLE)
    wait_until("the board to be cleared after the word was accepted",
               lambda: all(screen.tile_colour(x, main, menu_bar, tile).is_white for tile in (0, 1, 2)))
    if not screen.player_list_has_a_word(x, main, menu_bar):
        raise Failure("the accepted word is not in the player's list")
    x.screenshot(main, os.path.join(artifacts, "main-window-word-added.png"))

    x.request_close(main)
    save = x.wait_for_window("the question to save the word list", name=screen.BOX_TITLE)
    x.press(save, "Return")  # "Aceptar"
    status = wait_exit(program, "after saving")
    if status != 0:
        raise Failure(f"the program ended with status {status} after saving\n{x.program_log()}")

    after = read_word_list(list_path)
    added = list(after)
    for word in before:
        if word not in added:
            raise Failure(f"the saved list lost {word!r}")
        added.remove(word)
    if len(added) != 1:
        raise Failure(f"the saved list should hold exactly one new word, it holds {added!r}")
    word = added[0]
    if not re.fullmatch(rb"[A-Z\xd1]{3}", word):
        raise Failure(f"the new word {word!r} is not three upper-case letters")
    if after != sorted(before + [word], key=sort_key):
        raise Failure(f"the saved list is not in order: {after!r}")
    print(f"added and saved: {word.decode('cp1252')}")


def main():
    program, word_list, artifacts = sys.argv[1:4]
    for scenario in (run_without_changes, run_adding_a_word):
        with tempfile.TemporaryDirectory(prefix="palitra-e2e-") as work:
            folder = os.path.join(work, "game")
            os.mkdir(folder)
            shutil.copy2(program, os.path.join(folder, "palitra"))
            shutil.copyfile(word_list, os.path.join(folder, "Palitra.pal"))
            with XSession(work) as x:
                print(f"{scenario.__name__} on display {x.display}")
                screen.run_scenario(x, scenario, folder, artifacts)


if __name__ == "__main__":
    report_and_exit(main)
