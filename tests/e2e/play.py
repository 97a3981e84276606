#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""End-to-end test: the built game on a private X server, played with real mouse events.

    play.py <tervalo executable>

The executable, its four sound effects and any module built beside it are copied into a fresh
folder, so the settings file is created there. A first run deals a game with "Rejouer", plays it
to its end reading the board from the screen (right-clicking the mines it proves, left-clicking
the cells it proves safe, guessing when nothing is proved), checks the finished board, closes
with "Quitter", and compares the settings file byte for byte with what the game's outcome calls
for. A second run reads the saved statistics on the panel through the accessibility bus, plays a
second game (aiming to lose it, so both endings are met in most runs), reads the panel again,
closes, and compares the file again.

Runs itself inside a private D-Bus session (dbus-run-session), which the accessibility bus
needs. Fails on any crash of the game or sanitizer report (a non-zero exit status).
"""

import contextlib
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import board  # noqa: E402
import x11  # noqa: E402
from x11 import TimedOut, wait_for  # noqa: E402

SOUNDS = ("HALLELU1.wav", "Explosion.wav", "YEAH.wav", "POP.wav")
WIDTH, HEIGHT = 684, 534
TITLE = "Tervalo - par l'équipe Tervalo - Version 1.2"

# Client-area rectangles of the window (x, y, width, height).
COMMENTAIRE = (506, 308, 175, 23)
MINES = (512, 368, 66, 64)
REJOUER = (504, 450, 177, 35)
QUITTER = (504, 496, 177, 35)

WHITE = (255, 255, 255)
IN_PROGRESS = (255, 224, 192)
WON = (0, 255, 0)
LOST = (255, 192, 192)
REJOUER_INK = (0, 128, 0)

# Generous: under the sanitizers the game starts and repaints several times slower.
START_TIMEOUT = 30
STEP_TIMEOUT = 10


def built_game():
    """The game named on the command line, as an absolute path."""
    if len(sys.argv) != 2:
        sys.exit(f"usage: {sys.argv[0]} <tervalo executable>")
    return os.path.abspath(sys.argv[1])


def private_folder(parent, name="runtime"):
    """A new folder only this user may enter, as a runtime folder must be."""
    path = os.path.join(parent, name)
    os.mkdir(path, 0o700)
    return path


def copy_game(built, folder):
    """The built game copied into folder with everything it loads from its own folder: the
    sounds, and the modules built beside it. Returns the copy's path."""
    executable = os.path.join(folder, "tervalo")
    shutil.copy2(built, executable)
    beside = os.path.dirname(built)
    for path in [os.path.join(beside, sound) for sound in SOUNDS] + glob.glob(
            os.path.join(beside, "libtervalo_*.so")):
        shutil.copy2(path, folder)
    return executable


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def message_colour(image):
    """The message line's background, read inside its border where the text never reaches."""
    x, y, w, h = COMMENTAIRE
    corners = {image.pixel(x + 2, y + 2), image.pixel(x + w - 3, y + 2),
               image.pixel(x + 2, y + h - 3), image.pixel(x + w - 3, y + h - 3)}
    return corners.pop() if len(corners) == 1 else None


def rejouer_enabled(image):
    # An enabled "Rejouer" writes its caption in green; a disabled one in the style's grey.
    return image.count(*REJOUER, REJOUER_INK) > 20


def outcome(image):
    return {WON: "won", LOST: "lost", IN_PROGRESS: "in progress"}.get(message_colour(image))


class Game:
    """One run of the game: its process, its window and what it printed."""

    def __init__(self, executable, env, log_path):
        self.log_path = log_path
        self.log = open(log_path, "wb")
        self.process = subprocess.Popen([executable], env=env, stdout=self.log,
                                        stderr=subprocess.STDOUT, cwd=os.path.dirname(executable))
        self.env = env
        self.display = x11.Display(env["DISPLAY"])
        try:
            try:
                out = x11.xdotool(env, "search", "--sync", "--all", "--onlyvisible", "--pid",
                                  str(self.process.pid), "--name", "^Tervalo - ",
                                  timeout=START_TIMEOUT)
            except subprocess.TimeoutExpired:
                self.check_running()
                raise TimedOut("the game's window did not appear") from None
            self.window = int(out.split()[0])
            # Mapped is not yet painted: the enabled "Rejouer" is drawn once start-up is over.
            self.wait_for("the window to be drawn", rejouer_enabled, START_TIMEOUT)
        except BaseException:
            self.stop()
            sys.stderr.write(self.output())
            raise

    def capture(self):
        self.check_running()
        image = self.display.capture(self.window, WIDTH, HEIGHT)
        if image is None:
            raise AssertionError("the game's window could not be captured")
        if (image.width, image.height) != (WIDTH, HEIGHT):
            raise AssertionError(f"window is {image.width}x{image.height}, not {WIDTH}x{HEIGHT}")
        return image

    def check_running(self):
        if self.process.poll() is not None:
            status = self.process.returncode
            raise AssertionError(f"the game ended by itself (exit status {status})")

    def wait_for(self, what, condition, timeout=STEP_TIMEOUT):
        """Waits until condition(capture) holds, then until the picture stops changing."""
        wait_for(what, lambda: condition(self.capture()), timeout)
        return self.settled()

    def settled(self):
        # A repaint can reach the screen in several pieces: two equal captures in a row mean
        # it is complete. The clock's label ticks on, so only the board and the lower panel
        # are compared.
        def still():
            a = self.capture()
            time.sleep(0.03)
            b = self.capture()
            same = (a.area(0, 0, 502, HEIGHT) == b.area(0, 0, 502, HEIGHT)
                    and a.area(504, 303, 180, 231) == b.area(504, 303, 180, 231))
            return b if same else None
        return wait_for("the window to settle", still, STEP_TIMEOUT)

    def click(self, xy, button=1):
        self.check_running()
        try:
            x11.click(self.env, self.window, *xy, button=button)
        except subprocess.CalledProcessError:
            # The window gone under the pointer: most likely the game with it.
            try:
                self.process.wait(timeout=2)
            except subprocess.TimeoutExpired:
                pass
            self.check_running()
            raise

    def quit(self):
        """Clicks "Quitter" and waits for a clean exit."""
        self.click(centre(QUITTER))
        try:
            status = self.process.wait(timeout=START_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise TimedOut('the game did not end after "Quitter"') from None
        self.display.close()
        if status != 0:
            raise AssertionError(f"the game ended with status {status}")

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.display.close()
        self.log.close()

    def output(self):
        if not self.log.closed:
            self.log.flush()
        with open(self.log_path, "rb") as f:
            return f.read().decode(errors="replace")


def cell_centre(n):
    x, y = board.origin(n)
    return x + board.PITCH // 2, y + board.PITCH // 2


class Played:
    """How a game went: its outcome, its length on screen and the moves made."""

    def __init__(self):
        self.result = None
        self.seconds = 0.0
        self.opened = 0
        self.guessed = 0
        self.marked = 0

    def __str__(self):
        return (f"{self.result} in {self.seconds:.1f} s, {self.opened} cells opened "
                f"({self.guessed} guessed), {self.marked} marked")


def play_game(game, to_lose=False):
    """Deals with "Rejouer" and plays until the game ends.

    To win: marks each mine it proves, opens the cells it proves safe and guesses when nothing
    is proved. To lose: opens the first mine it proves instead, which ends the game lost
    unless a guess ends it earlier.
    """
    game.click(centre(REJOUER))
    dealt = time.monotonic()
    image = game.wait_for("the deal",
                          lambda im: outcome(im) == "in progress" and not rejouer_enabled(im)
                          and all(board.is_covered(im, n) for n in range(1, board.CELLS + 1)))
    played = Played()
    solver = board.Solver()
    last = None
    last_proved_safe = False
    while outcome(image) == "in progress":
        solver.read(image)
        safe = solver.deduce()
        if to_lose and solver.mines:
            target = min(solver.mines)
        else:
            for mine in sorted(solver.mines - solver.marked):
                # A right click marks it; the mine counter shows the new number of marks.
                before = image.area(*MINES)
                game.click(cell_centre(mine), button=3)
                image = game.wait_for(f"the mark on cell {mine}",
                                      lambda im: im.area(*MINES) != before)
                solver.marked.add(mine)
                played.marked += 1
            if safe:
                target = safe[0]
            else:
                target = solver.guess()
                played.guessed += 1
        played.opened += 1
        last = target
        last_proved_safe = target in safe
        game.click(cell_centre(target))
        image = game.wait_for(f"cell {target} to open",
                              lambda im, t=target: not board.is_covered(im, t))
    played.seconds = time.monotonic() - dealt
    played.result = outcome(image)
    check_finished_board(played.result, image, solver, last, last_proved_safe)
    game.wait_for('"Rejouer" enabled after the game', rejouer_enabled)
    return played


def check_finished_board(result, image, solver, last, last_proved_safe):
    covered = {n for n in range(1, board.CELLS + 1) if board.is_covered(image, n)}
    if result == "won":
        # The ten mines stay covered (showing the mine mark); every other cell is open.
        if len(covered) != board.MINES:
            raise AssertionError(f"a won game leaves {len(covered)} cells covered, not 10")
        mines = covered
    elif result == "lost":
        # A lost game uncovers the whole board: ten red squares, one under the last click.
        mines = {n for n in range(1, board.CELLS + 1) if board.shows_red_square(image, n)}
        if covered:
            raise AssertionError(f"a lost game leaves cells covered: {sorted(covered)}")
        if len(mines) != board.MINES or last not in mines:
            raise AssertionError(f"a lost game shows red squares on {sorted(mines)}, "
                                 f"last click {last}")
        if last_proved_safe:
            raise AssertionError(f"cell {last}, proved safe by the numbers shown, held a mine")
    else:
        raise AssertionError(f"the message line shows neither a won nor a lost game: {result}")
    if not solver.mines <= mines:
        raise AssertionError(f"cells proved mines {sorted(solver.mines - mines)} are not mines")
    # Now that the mines are known, every open cell must show the count of its neighbours.
    wrong = {}
    for n in range(1, board.CELLS + 1):
        if n not in mines:
            shown = board.number(image, n)
            expected = sum(1 for m in board.neighbours(n) if m in mines)
            if shown != expected:
                wrong[n] = (shown, expected)
    if wrong:
        raise AssertionError(f"cells showing a wrong number (shown, expected): {wrong}")


def settings_bytes(best_time, best_run, played, won):
    return (b"[Parametres]\r\n"
            b"Temps=" + best_time.encode() + b"\r\n"
            b"PConsecutives=" + best_run.encode() + b"\r\n"
            b"Pjoue=" + str(played).encode() + b"\r\n"
            b"PGagne=" + str(won).encode() + b"\r\n"
            b"Sonore=1\r\n")


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def check_file(path, expected, when):
    written = read_file(path)
    if written != expected:
        raise AssertionError(f"settings file {when}:\n  {written!r}\nexpected\n  {expected!r}")
    return written


def seconds(clock_text):
    h, m, s = (int(part) for part in clock_text.split(":"))
    return 3600 * h + 60 * m + s


def show_output(game, run):
    text = game.output().strip()
    if text:
        print(f"{run}, the game's messages:")
        print("  " + text.replace("\n", "\n  "))


@contextlib.contextmanager
def running(game, run):
    """Stops the game whatever happens; its messages go to stderr when the run failed and to
    the log when it passed."""
    try:
        yield game
    except BaseException:
        sys.stderr.write(game.output())
        raise
    finally:
        game.stop()
    show_output(game, run)


def first_run(executable, env, settings, logs):
    """Plays one game as a player would and closes; returns the game and the best time saved."""
    with running(Game(executable, env, os.path.join(logs, "first-run.log")), "first run") as game:
        if os.path.exists(settings):
            raise AssertionError("the settings file exists before the first close")
        if message_colour(game.capture()) != WHITE:
            raise AssertionError("the message line is not white before the first deal")
        # The title bar shows the designed caption and nothing after it.
        title = game.display.utf8_property(game.window, "_NET_WM_NAME")
        if title != TITLE:
            raise AssertionError(f"the window's title is {title!r}, not {TITLE!r}")
        played = play_game(game)
        # The finished game is saved at once, as the close saves it.
        if not os.path.exists(settings):
            raise AssertionError("the finished game was not saved before the window closed")
        at_end = read_file(settings)
        game.quit()

    best_time = ""
    if played.result == "won":
        # The best time is the clock's text at the win: not known here to the second, but no
        # longer than the game was on screen.
        match = re.match(rb"\[Parametres\]\r\nTemps=(\d+:[0-5]\d:[0-5]\d)\r\n", read_file(settings))
        if not match:
            raise AssertionError(f"no best time saved after a win: {read_file(settings)!r}")
        best_time = match.group(1).decode()
        if seconds(best_time) > played.seconds + 1:
            raise AssertionError(f"best time {best_time} for a game of {played.seconds:.1f} s")
    won = played.result == "won"
    check_file(settings, settings_bytes(best_time, "1" if won else "", 1, int(won)),
               f"after a {played.result} game")
    if read_file(settings) != at_end:
        raise AssertionError(f"the close changed what the game's end saved: {at_end!r}")
    return played, best_time


class Panel:
    """The window's labels and sound options, read through the accessibility bus."""

    # Each control by the description a screen reader gives of it.
    DESCRIPTIONS = {"Message de la partie": "Commentaire", "Mines marquées": "Mines",
                    "Temps de la partie": "TempsActuel", "Meilleur temps": "TempsMeilleur",
                    "Parties jouées": "PJoué", "Parties gagnées": "PGagné",
                    "Victoires consécutives actuelles": "VictConsActuelle",
                    "Meilleure série de victoires consécutives": "VictConsMeilleure",
                    "Taux de réussite": "Pourcent", "Sons activés": "Sons_0",
                    "Sons coupés": "Sons_1"}

    def __init__(self, pid):
        import pyatspi
        self.atspi = pyatspi

        def application():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == pid:
                    return app
            return None

        app = wait_for("the game on the accessibility bus", application, START_TIMEOUT, 0.05)
        self.controls = {}

        def search():
            for acc in pyatspi.findAllDescendants(
                    app, lambda a: a.description in self.DESCRIPTIONS):
                self.controls[self.DESCRIPTIONS[acc.description]] = acc
            return len(self.controls) == len(self.DESCRIPTIONS)

        wait_for("the panel's controls on the accessibility bus", search, START_TIMEOUT, 0.1)

    def text(self, key):
        # A label is named by its text alone: empty when it shows nothing.
        return self.controls[key].name

    def read(self):
        shown = {key: self.text(key) for key in self.controls if not key.startswith("Sons")}
        for key in ("Sons_0", "Sons_1"):
            shown[key] = self.controls[key].getState().contains(self.atspi.STATE_CHECKED)
        return shown


def check_panel(shown, expected, when):
    if shown != expected:
        diff = {k: (shown.get(k), v) for k, v in expected.items() if shown.get(k) != v}
        raise AssertionError(f"panel {when}: shown vs expected {diff}")


def second_run(executable, env, settings, logs, first, best_time):
    """Starts again: the saved statistics are shown; a second game, aimed to be lost, is added
    to them; closing saves the sum."""
    env = dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    with running(Game(executable, env, os.path.join(logs, "second-run.log")), "second run") as game:
        panel = Panel(game.process.pid)
        won_first = first.result == "won"
        expected = {
            "Commentaire": "Partie en cours...",
            "Mines": "10",
            "TempsActuel": "0:00:00",
            "TempsMeilleur": best_time,
            "PJoué": "1",
            "PGagné": str(int(won_first)),
            "VictConsActuelle": "0",
            "VictConsMeilleure": "1" if won_first else "",
            "Pourcent": "100 %" if won_first else "0 %",
            "Sons_0": True,
            "Sons_1": False,
        }
        check_panel(panel.read(), expected, "at the second start")

        second = play_game(game, to_lose=True)
        shown = panel.read()
        if not re.fullmatch(r"\d+:[0-5]\d:[0-5]\d", shown["TempsActuel"]):
            raise AssertionError(f"the clock shows {shown['TempsActuel']!r} after the game")
        won_second = second.result == "won"
        wins = int(won_first) + int(won_second)
        new_best = best_time
        if won_second and (not best_time or seconds(shown["TempsActuel"]) < seconds(best_time)):
            new_best = shown["TempsActuel"]
        best_run = "1" if wins else ""
        expected.update({
            "Commentaire": " BRAVO !...C'est gagné !" if won_second else " Dommage... Perdu !",
            "TempsActuel": shown["TempsActuel"],
            "TempsMeilleur": new_best,
            "PJoué": "2",
            "PGagné": str(wins),
            "VictConsActuelle": str(int(won_second)),
            "VictConsMeilleure": best_run,
            "Pourcent": f"{50 * wins} %",
        })
        check_panel(shown, expected, f"after a second game {second.result}")
        if seconds(shown["TempsActuel"]) > second.seconds + 1:
            raise AssertionError(f"clock at {shown['TempsActuel']} for {second.seconds:.1f} s")
        game.quit()
    check_file(settings, settings_bytes(new_best, best_run, 2, wins), "after the second run")
    return second


def main():
    built = built_game()
    if os.environ.get("TERVALO_E2E_BUS") != "1":
        # A private session bus, gone with the test, for the accessibility bus to start on.
        os.environ["TERVALO_E2E_BUS"] = "1"
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, "-B",
                                       os.path.abspath(__file__), *sys.argv[1:]])
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="tervalo-e2e-") as tmp:
        folder = os.path.join(tmp, "game")
        home = os.path.join(tmp, "home")
        os.mkdir(folder)
        os.mkdir(home)
        runtime = private_folder(tmp)
        executable = copy_game(built, folder)
        settings = os.path.join(folder, "tervalo.tvo")

        server = x11.Xvfb()
        try:
            env = dict(os.environ)
            for key in ("QT_QPA_PLATFORM", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "WAYLAND_DISPLAY",
                        "XAUTHORITY"):
                env.pop(key, None)
            env.update(DISPLAY=server.display, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "c"),
                       XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb")

            first, best_time = first_run(executable, env, settings, tmp)
            print(f"first run: game {first}")
            print(f"  settings file {read_file(settings)!r}")
            second = second_run(executable, env, settings, tmp, first, best_time)
            print(f"second run: saved statistics shown; game {second}")
            print(f"  settings file {read_file(settings)!r}")
            if os.path.exists(os.path.join(home, "c", "tervalo")):
                raise AssertionError("the game wrote to the user's configuration folder")
        finally:
            server.stop()
    print(f"end-to-end test passed in {time.monotonic() - started:.1f} s")


if __name__ == "__main__":
    main()
