# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reading Tervalo's board from a capture of its window, and choosing the next cell to open.

Only what a player sees is used: a covered cell shows its button, a revealed cell the board's
light grey with, for a cell next to mines, a digit in its colour. The pixels compared are exact
colours, which the board draws without blending.
"""

SIDE = 10
CELLS = SIDE * SIDE
PITCH = 50
MINES = 10

BACKGROUND = (0xD4, 0xD0, 0xC8)
RED = (255, 0, 0)
DIGITS = {
    1: (0, 0, 255),
    2: (0, 192, 0),
    3: (192, 0, 192),
    4: (192, 0, 0),
    5: (255, 128, 0),
    6: (0, 192, 192),
    7: (192, 192, 0),
    8: (0, 0, 0),
}
# A digit is some hundreds of pixels; a stray pixel of a digit's colour is not a digit.
DIGIT_PIXELS = 40

# Points of a cell's square, from its top-left corner on the grid, that the cell's button
# covers and that no digit reaches: the left and top margins of the square.
PROBES = ((4, 4), (46, 4), (4, 46))


def origin(n):
    return PITCH * ((n - 1) % SIDE), PITCH * ((n - 1) // SIDE)


def neighbours(n):
    r, c = divmod(n - 1, SIDE)
    return [SIDE * rr + cc + 1
            for rr in range(max(0, r - 1), min(SIDE, r + 2))
            for cc in range(max(0, c - 1), min(SIDE, c + 2))
            if (rr, cc) != (r, c)]


def probe_colours(image, n):
    x, y = origin(n)
    return [image.pixel(x + dx, y + dy) for dx, dy in PROBES]


def is_covered(image, n):
    # Open, a cell shows the board's grey there, or red for a mine of a lost game.
    probes = set(probe_colours(image, n))
    return probes != {BACKGROUND} and probes != {RED}


def shows_red_square(image, n):
    """A mine cell of a lost game: its square is painted pure red."""
    return all(p == RED for p in probe_colours(image, n))


def number(image, n):
    """The digit on a revealed cell, 0 for a cell without one."""
    x, y = origin(n)
    best, best_count = 0, DIGIT_PIXELS - 1
    for digit, colour in DIGITS.items():
        found = image.count(x + 1, y + 1, PITCH - 1, PITCH - 1, colour)
        if found > best_count:
            best, best_count = digit, found
    return best


class Solver:
    """Single-cell and subset deductions; a guess by the lowest estimated risk otherwise."""

    def __init__(self):
        self.known = {}  # revealed cell -> its number
        self.mines = set()  # cells proved to be mines
        self.marked = set()  # cells given the mine mark

    def read(self, image):
        for n in range(1, CELLS + 1):
            if n not in self.known and not is_covered(image, n):
                self.known[n] = number(image, n)

    def covered(self):
        return [n for n in range(1, CELLS + 1) if n not in self.known]

    def _constraints(self):
        """(unknown neighbours, mines among them) of every revealed number beside the unknown."""
        result = []
        for n, k in self.known.items():
            unknown = frozenset(m for m in neighbours(n)
                                if m not in self.known and m not in self.mines)
            if unknown:
                left = k - sum(1 for m in neighbours(n) if m in self.mines)
                result.append((unknown, left))
        return result

    def deduce(self):
        """Proves what it can; returns the cells proved safe."""
        safe = set()
        changed = True
        while changed:
            changed = False
            constraints = self._constraints()
            for unknown, left in constraints:
                if left == 0:
                    safe |= unknown
                elif left == len(unknown):
                    if not unknown <= self.mines:
                        self.mines |= unknown
                        changed = True
            for a, left_a in constraints:
                for b, left_b in constraints:
                    if a < b:
                        rest = b - a
                        extra = left_b - left_a
                        if extra == 0:
                            safe |= rest
                        elif extra == len(rest) and not rest <= self.mines:
                            self.mines |= rest
                            changed = True
            # Every mine found: whatever is left is safe.
            if len(self.mines) == MINES:
                safe |= set(self.covered()) - self.mines
        return sorted(safe - self.mines - set(self.known))

    def guess(self):
        """The unproved cell least likely to be a mine, by a simple estimate."""
        candidates = [n for n in self.covered() if n not in self.mines]
        constraints = self._constraints()
        frontier = set().union(*(u for u, _ in constraints)) if constraints else set()
        mines_left = MINES - len(self.mines)
        default = mines_left / max(1, len(candidates))

        def risk(n):
            if n not in frontier:
                # A corner, with the fewest neighbours, is the likeliest to open a region.
                corner = n in (1, SIDE, CELLS - SIDE + 1, CELLS)
                return (default, 0 if corner else 1, n)
            worst = max(left / len(u) for u, left in constraints if n in u)
            return (worst, 1, n)

        return min(candidates, key=risk)
