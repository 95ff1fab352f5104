#!/usr/bin/env python3
"""Plays a whole round of Palitra under Xvfb, as a player would: a word added, the round paused (no letters, the
clock still) and resumed with a click on the board, the round's end, the board's words (F4) with the player's
word chosen and lit on the board, the record of games read from its window and its file, and the exit with the word saved.
usage: run-round.py PROGRAM WORD_LIST ARTIFACT_FOLDER (exit 0 passed, 1 failed, 77 skipped)"""

import json
import os
import shutil
import sys
import tempfile
import time

from palitra_e2e import BOX_TITLE, Palitra, XSession, check, is_light_green, is_white, pixels, run, wait_until

ROUND = 185  # seconds: a round of the options as they open (3 minutes) and some


def letters_shown(game, shot):  # a letter's dark strokes on any tile
    return any(any(max(p) < 120 for p in pixels(shot, *game.tile(t, 8), 25, 25)) for t in range(25))


def play(program, word_list, artifacts):
    with tempfile.TemporaryDirectory(prefix="palitra-round-") as work:
        command = [os.path.join(work, "palitra")]
        shutil.copy2(program, command[0])
        shutil.copyfile(word_list, os.path.join(work, "Palitra.pal"))
        with XSession(work, os.path.join(artifacts, "failure-round.png")) as x:
            game = Palitra(x, command, work)
            game.start_round([0, 1, 2])
            game.press_button()  # "Añadir": an unknown word, added
            x.press(x.wait_window("the question about the unknown word", BOX_TITLE), "Return")
            game.wait_screen("the word taken", lambda shot: all(is_white(game.colour(shot, t)) for t in (0, 1, 2)))

            x.xdotool("windowfocus", game.window, "key", "ctrl+p")
            game.wait_screen("the letters hidden by the pause", lambda shot: not letters_shown(game, shot))
            clock = lambda: list(pixels(x.shot(game.window), 380, 52 + game.bar, 105, 25))
            still = clock()
            time.sleep(2.5)
            check(clock() == still, "the round's clock ran during the pause")
            x.screenshot(game.window, os.path.join(artifacts, "paused.png"))
            x.click(game.window, *game.tile(12, 20))
            game.wait_screen("the letters back after a click on the board", lambda shot: letters_shown(game, shot))
            wait_until("the clock to run again", lambda: clock() != still)

            x.press(x.wait_window("the end of the round", BOX_TITLE, wait=ROUND), "Return")
            wait_until("the round to end", lambda: not x.windows(BOX_TITLE))
            time.sleep(2)  # the validation window follows at once when the computer found words
            for validation in x.windows("^Validar palabras$"):
                x.press(validation, "Return")
            wait_until("the validation closed", lambda: not x.windows("^Validar palabras$"))

            x.xdotool("windowfocus", game.window, "key", "F4")
            review = x.wait_window("the board's words", "^Palabras del tablero$")
            x.screenshot(review, os.path.join(artifacts, "board-words.png"))
            x.press(review, "End")  # the player's word, the only one of three letters, comes last: its path lit
            x.press(review, "Escape")
            wait_until("the board's words closed", lambda: not x.windows("^Palabras del tablero$"))
            game.wait_screen("the player's word lit on the board", lambda shot: all(
                (is_light_green if t in (0, 1, 2) else is_white)(game.colour(shot, t)) for t in range(25)))

            x.xdotool("windowfocus", game.window, "key", "alt+j", "e")
            statistics = x.wait_window("the record of games", "^Estadísticas$")
            x.screenshot(statistics, os.path.join(artifacts, "statistics.png"))
            x.press(statistics, "Escape")
            record = json.loads(open(os.path.join(work, ".local/share/Palitra/Estadisticas.json"), "rb").read())
            normal = record["levels"][1]
            check(normal["rounds"] == 1 and normal["bestFound"] == 1 and len(normal["bestWord"]) == 3,
                  f"the record should hold one round with the player's word found: {normal}")

            x.request_close(game.window)
            x.press(x.wait_window("the question to save the word list", BOX_TITLE), "Return")
            game.wait_exit("after saving")


if __name__ == "__main__":
    run(play, *sys.argv[1:4], limit=300)
