"""The X server's side of the latency figures, through ctypes (no Python
Xlib here): key presses with XTEST, and the moment pixels of the screen
change, from DAMAGE events on the root window (reported for drawing in any
window) followed by a read of the watched rectangle.
"""
import ctypes
import ctypes.util
import select
import time


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


def _library(name, soname):
    return ctypes.CDLL(ctypes.util.find_library(name) or soname)


ZPIXMAP = 2
ALL_PLANES = ctypes.c_ulong(0xFFFFFFFF)
DAMAGE_REPORT_RAW = 0


class XProbe:
    def __init__(self):
        self.x = _library("X11", "libX11.so.6")
        self.xtst = _library("Xtst", "libXtst.so.6")
        self.damage_lib = _library("Xdamage", "libXdamage.so.1")
        x = self.x
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XGetImage.restype = ctypes.POINTER(XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        x.XStringToKeysym.restype = ctypes.c_ulong
        x.XStringToKeysym.argtypes = [ctypes.c_char_p]
        x.XKeysymToKeycode.restype = ctypes.c_ubyte
        x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        d = self.damage_lib
        d.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                            ctypes.POINTER(ctypes.c_int)]
        d.XDamageCreate.restype = ctypes.c_ulong
        d.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]

        self.dpy = x.XOpenDisplay(None)
        if not self.dpy:
            raise RuntimeError("cannot open the X display")
        self.root = x.XDefaultRootWindow(self.dpy)
        self.fd = x.XConnectionNumber(self.dpy)
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not d.XDamageQueryExtension(self.dpy, ctypes.byref(event_base), ctypes.byref(error_base)):
            raise RuntimeError("the X server has no DAMAGE extension")
        d.XDamageCreate(self.dpy, self.root, DAMAGE_REPORT_RAW)
        x.XSync(self.dpy, 0)
        self.event = ctypes.create_string_buffer(192)  # an XEvent
        self.width = x.XDisplayWidth(self.dpy, 0)
        self.height = x.XDisplayHeight(self.dpy, 0)

    def image(self, left, top, width, height):
        """The pixels of a rectangle of the screen as bytes."""
        img = self.x.XGetImage(self.dpy, self.root, left, top, width, height, ALL_PLANES, ZPIXMAP)
        if not img:
            return b""
        row = width * img.contents.bits_per_pixel // 8
        stride = img.contents.bytes_per_line
        raw = ctypes.string_at(img.contents.data, stride * height)
        self.x.XDestroyImage(img)
        return b"".join(raw[y * stride:y * stride + row] for y in range(height))

    def discard_events(self):
        while self.x.XPending(self.dpy):
            self.x.XNextEvent(self.dpy, self.event)

    def wait_for_image(self, box, wanted, timeout):
        """Time (monotonic) at which the rectangle `box` first showed `wanted`,
        looked at after each drawing the server reports; None on timeout."""
        end = time.monotonic() + timeout
        while True:
            if self.image(*box) == wanted:
                return time.monotonic()
            while not self.x.XPending(self.dpy):
                left = end - time.monotonic()
                if left <= 0:
                    return None
                select.select([self.fd], [], [], left)
            self.discard_events()

    def key_code(self, name):
        return self.x.XKeysymToKeycode(self.dpy, self.x.XStringToKeysym(name.encode()))

    def press(self, code):
        """Presses and releases a key; the time the press left for the server."""
        sent = time.monotonic()
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 1, 0)
        self.x.XFlush(self.dpy)
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        self.x.XFlush(self.dpy)
        return sent
