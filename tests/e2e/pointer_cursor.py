"""Prints the name of the cursor the X server shows for the pointer now (from the XFixes
extension), or an empty line when that cursor has no name. A window manager that moves a window
shows its own cursor for as long as the move lasts, so this tells when a move begins and ends.
Exit status 1 when the display or the cursor cannot be read."""
import ctypes
import sys


class CursorImage(ctypes.Structure):
    """XFixesCursorImage, as XFixes version 2 and later return it."""

    _fields_ = [
        ("x", ctypes.c_short),
        ("y", ctypes.c_short),
        ("width", ctypes.c_ushort),
        ("height", ctypes.c_ushort),
        ("xhot", ctypes.c_ushort),
        ("yhot", ctypes.c_ushort),
        ("cursor_serial", ctypes.c_ulong),
        ("pixels", ctypes.c_void_p),
        ("atom", ctypes.c_ulong),
        ("name", ctypes.c_char_p),
    ]


def main():
    try:
        xlib = ctypes.CDLL("libX11.so.6")
        xfixes = ctypes.CDLL("libXfixes.so.3")
    except OSError:
        return 1
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]

    display = xlib.XOpenDisplay(None)
    if not display:
        return 1
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        xlib.XCloseDisplay(display)
        return 1
    name = image.contents.name
    print(name.decode(errors="replace") if name else "")
    xlib.XFree(image)
    xlib.XCloseDisplay(display)
    return 0


sys.exit(main())
