"""Where things are in Palitra's windows, in pixels (15 twips to the pixel),
and the steps a player takes through them."""

import os

from xsession import Failure, wait_exit, wait_until

MAIN_TITLE = r"^Palitra 1\.2$"
OPTIONS_TITLE = r"^Elige\.\.\.$"
BOX_TITLE = r"^Palitra$"  # message boxes have no title of their own

CLIENT_SIZE = (505, 279)  # the main window below its menu bar
ABOUT_SIZE = (284, 420)
ABOUT_LOGO = (142, 168)  # a click on the logo closes the about window
OPTIONS_OK = (232, 124)  # "OK" of the options dialog
TILE_SIZE = 41


def command2(menu_bar):
    """Centre of the main button ("Nuevo Juego", "Empezar", "Añadir")."""
    return 272 + 44, 16 + 16 + menu_bar


def tile_place(menu_bar, tile):
    return 24 + (tile % 5) * 48, 24 + (tile // 5) * 48 + menu_bar


def tile_colour(x, main, menu_bar, tile):
    """The tile's back colour, read beside its letter."""
    left, top = tile_place(menu_bar, tile)
    return x.pixel(main, left + 5, top + 5)


def tile_has_letter(x, main, menu_bar, tile):
    left, top = tile_place(menu_bar, tile)
    return x.darkest(main, left + 8, top + 8, TILE_SIZE - 16, TILE_SIZE - 16) < 0.3


def clock_shows_time(x, main, menu_bar):
    # Green digits on black, inside the clock's border.
    return x.brightest(main, 380, 52 + menu_bar, 105, 25, channel="g") > 0.5


def player_list_has_a_word(x, main, menu_bar):
    # Dark letters on the light yellow of the list's first row.
    return x.darkest(main, 276, 130 + menu_bar, 97, 14) < 0.3


def main_windows(x):
    return [window for window in x.visible_windows(name=MAIN_TITLE)
            if x.geometry(window)[3] > CLIENT_SIZE[1]]  # not the loading window, which has the same title


def open_main_window(x):
    """Dismisses the about window that opens first and waits for the main
    window; returns the main window's id and its menu bar's height."""
    about = x.wait_for_window("the about window", window_class="palitra")
    if x.geometry(about)[2:] != ABOUT_SIZE:
        raise Failure(f"the first window is not the about window: {x.geometry(about)}")
    if main_windows(x):
        raise Failure("the main window is shown before the about window was dismissed")
    x.click(about, *ABOUT_LOGO)
    wait_until("the about window to close", lambda: about not in x.visible_windows(window_class="palitra"))

    windows = wait_until("the main window 'Palitra 1.2'", lambda: main_windows(x))
    main = windows[0]
    wait_until("the main window to keep still", lambda: x.settled(main))
    width, height = x.geometry(main)[2:]
    menu_bar = height - CLIENT_SIZE[1]
    if width != CLIENT_SIZE[0] or not 10 <= menu_bar <= 60:
        raise Failure(f"the main window is {width}x{height}, not {CLIENT_SIZE[0]} wide with a menu bar")
    for tile in range(25):
        if tile_has_letter(x, main, menu_bar, tile) or not tile_colour(x, main, menu_bar, tile).is_white:
            raise Failure(f"tile {tile} is not empty and white at start-up")
    return main, menu_bar


def start_game(x, main, menu_bar):
    """"Nuevo Juego", then "OK" in the options dialog; waits for the dealing."""
    x.click(main, *command2(menu_bar))
    options = x.wait_for_window("the options dialog 'Elige...'", name=OPTIONS_TITLE)
    x.click(options, *OPTIONS_OK)
    x.wait_gone("the options dialog", OPTIONS_TITLE)
    # Letters on the board mean the first deal has set the button to "Empezar".
    wait_until("letters dealt on the first row",
               lambda: all(tile_has_letter(x, main, menu_bar, tile) for tile in range(5)))


def start_round(x, main, menu_bar):
    """"Empezar"; waits for the round's clock."""
    x.click(main, *command2(menu_bar))
    wait_until("the round's clock", lambda: clock_shows_time(x, main, menu_bar))


def click_tiles(x, main, menu_bar, tiles):
    for tile in tiles:
        x.click(main, *tile_place_centre(menu_bar, tile))
    wait_until(f"tiles {tiles} to turn light green",
               lambda: all(tile_colour(x, main, menu_bar, tile).is_light_green for tile in tiles))
    others = [tile for tile in range(25) if tile not in tiles]
    if not all(tile_colour(x, main, menu_bar, tile).is_white for tile in others):
        raise Failure(f"a tile other than {tiles} turned green")


def tile_place_centre(menu_bar, tile):
    left, top = tile_place(menu_bar, tile)
    return left + 20, top + 20


def close_without_question(x, program, main, word_list, what):
    """Closes the main window and expects the program to end at once, with no
    question, leaving the word list byte for byte as it was."""
    with open(word_list, "rb") as file:
        before = file.read()
    x.request_close(main)
    expect_exit_without_question(x, program, what)
    with open(word_list, "rb") as file:
        if file.read() != before:
            raise Failure(f"{what}: the word list changed although no word was added")


def expect_exit_without_question(x, program, what):
    try:
        status = wait_exit(program, what)
    except Failure:
        if x.visible_windows(name=BOX_TITLE):
            raise Failure(f"{what}: a question appeared")
        raise
    if status != 0:
        raise Failure(f"{what}: the program ended with status {status}\n{x.program_log()}")


def run_scenario(x, scenario, *args):
    """Runs one scenario; on failure keeps a picture of the screen and the program's output."""
    artifacts = args[-1]
    picture = os.path.join(artifacts, f"failure-{scenario.__name__}.png")
    if os.path.exists(picture):
        os.remove(picture)  # from an earlier failed run
    try:
        scenario(x, *args)
    except Failure as failure:
        try:
            x.screenshot("root", picture)
        except Exception as error:  # the screen may be gone with the failure
            print(f"no screenshot: {error}")
        log = x.program_log().strip()
        raise Failure(f"{scenario.__name__}: {failure}" + (f"\nprogram output:\n{log}" if log else ""))
