# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""A private X server, window captures and real input events for the end-to-end test.

Captures go through libX11 directly (ctypes): one XGetImage of the game's window is a few
milliseconds, where starting a screenshot tool for every look at the board would dominate the
test's run time. Input goes through xdotool, so the game receives the same XTest events a
player's mouse would produce.
"""

import ctypes
import os
import subprocess
import time


class TimedOut(Exception):
    pass


def wait_for(what, probe, timeout, interval=0.02):
    """Polls probe() until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise TimedOut(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Xvfb:
    """A virtual X server on a free display number, without a window manager."""

    def __init__(self, width=1024, height=768):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        try:
            number = b""
            with os.fdopen(read_end, "rb") as pipe:
                # The server writes its display number once it accepts connections.
                deadline = time.monotonic() + 20
                while not number.endswith(b"\n"):
                    chunk = pipe.read(1)
                    if not chunk or time.monotonic() > deadline:
                        raise RuntimeError("Xvfb did not start")
                    number += chunk
            self.display = ":" + number.decode().strip()
        except BaseException:
            self.stop()
            raise

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class _XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, all that is read here.
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.c_void_p),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
        ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong),
        ("blue_mask", ctypes.c_ulong),
    ]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_Z_PIXMAP = 2
_ALL_PLANES = ctypes.c_ulong(-1 & 0xFFFFFFFFFFFFFFFF)


class Image:
    """A capture in 32-bit BGRX rows; pixel() gives (r, g, b)."""

    def __init__(self, width, height, stride, data):
        self.width = width
        self.height = height
        self.stride = stride
        self.data = data

    def pixel(self, x, y):
        i = y * self.stride + 4 * x
        d = self.data
        return (d[i + 2], d[i + 1], d[i])

    def area(self, x, y, w, h):
        """The bytes of a rectangle, for comparing one capture's area with another's."""
        return b"".join(self.data[(y + j) * self.stride + 4 * x:(y + j) * self.stride + 4 * (x + w)]
                        for j in range(h))

    def count(self, x, y, w, h, rgb):
        """How many pixels of the rectangle have exactly this colour."""
        r, g, b = rgb
        # Whole pixels only: a match must start on a 4-byte boundary.
        needle = bytes((b, g, r))
        total = 0
        for j in range(h):
            row = self.data[(y + j) * self.stride + 4 * x:(y + j) * self.stride + 4 * (x + w)]
            start = row.find(needle)
            while start >= 0:
                if start % 4 == 0:
                    total += 1
                start = row.find(needle, start + 1)
        return total


class Display:
    """A connection to the X server for reading windows' pixels."""

    def __init__(self, name):
        self.lib = ctypes.CDLL("libX11.so.6")
        self.lib.XOpenDisplay.restype = ctypes.c_void_p
        self.lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.lib.XGetImage.restype = ctypes.POINTER(_XImage)
        self.lib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.lib.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        self.lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.lib.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
        self.lib.XSetErrorHandler.restype = ctypes.c_void_p
        # Xlib's own handler ends the process on any error; a window that goes away while it
        # is captured (the game closing) is an expected case, reported as None instead.
        self.errors = 0

        def on_error(_display, _event):
            self.errors += 1
            return 0

        self._handler = _ERROR_HANDLER(on_error)
        self.lib.XSetErrorHandler(self._handler)
        self.handle = self.lib.XOpenDisplay(name.encode())
        if not self.handle:
            raise RuntimeError(f"cannot open display {name}")

    def capture(self, window, width, height):
        before = self.errors
        image = self.lib.XGetImage(self.handle, window, 0, 0, width, height, _ALL_PLANES,
                                   _Z_PIXMAP)
        if not image or self.errors != before:
            return None
        try:
            im = image.contents
            if im.bits_per_pixel != 32 or im.byte_order != 0 or im.red_mask != 0xFF0000:
                raise RuntimeError("unexpected pixel layout of the capture")
            data = ctypes.string_at(im.data, im.bytes_per_line * im.height)
            return Image(im.width, im.height, im.bytes_per_line, data)
        finally:
            self.lib.XDestroyImage(image)

    def utf8_property(self, window, name):
        """A window's UTF8_STRING property (such as _NET_WM_NAME), or None."""
        lib = self.lib
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
            ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        lib.XFree.argtypes = [ctypes.c_void_p]
        prop = lib.XInternAtom(self.handle, name.encode(), 1)
        utf8 = lib.XInternAtom(self.handle, b"UTF8_STRING", 1)
        if not prop or not utf8:
            return None
        kind, fmt = ctypes.c_ulong(), ctypes.c_int()
        count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        if lib.XGetWindowProperty(self.handle, window, prop, 0, 1024, 0, utf8, ctypes.byref(kind),
                                  ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                                  ctypes.byref(data)) != 0 or not data:
            return None
        try:
            if kind.value != utf8 or fmt.value != 8:
                return None
            return ctypes.string_at(data, count.value).decode()
        finally:
            lib.XFree(data)

    def close(self):
        if self.handle:
            self.lib.XCloseDisplay(self.handle)
            self.handle = None


def xdotool(env, *args, timeout=10):
    return subprocess.run(["xdotool", *args], env=env, check=True, timeout=timeout,
                          stdout=subprocess.PIPE, text=True).stdout


def click(env, window, x, y, button=1):
    """A real press and release at (x, y) of the window's client area."""
    # The server handles the move before the press that follows it on the same connection.
    xdotool(env, "mousemove", "--window", str(window), str(x), str(y), "click", str(button))
