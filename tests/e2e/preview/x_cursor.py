#!/usr/bin/env python3
"""Prints how many pixels of the X server's current cursor image are not
fully transparent: 0 when the cursor is hidden. Uses libX11 and libXfixes
through ctypes, on the display named by $DISPLAY."""
import ctypes
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def main():
    x11 = ctypes.CDLL("libX11.so.6")
    xfixes = ctypes.CDLL("libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        sys.exit("no cursor image")
    cursor = image.contents
    visible = sum(1 for i in range(cursor.width * cursor.height)
                  if cursor.pixels[i] >> 24 & 0xFF)  # ARGB: alpha in the top byte
    print(visible)
    x11.XFree(image)
    x11.XCloseDisplay(display)


if __name__ == "__main__":
    main()
