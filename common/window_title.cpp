// Sets the current window's title and icon title as UTF-8 text for the window manager.
#include "window_title.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <iconv.h>

#include <cstring>
#include <initializer_list>

int cp949_to_utf8(const char* cp949, char* out, unsigned long out_size)
{
    if (out_size == 0)
        return 0;
    iconv_t cd = iconv_open("UTF-8", "CP949");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return 0;
    char* in = const_cast<char*>(cp949);
    size_t in_left = std::strlen(cp949);
    char* dst = out;
    size_t out_left = out_size - 1;  // room for the terminator
    size_t done = iconv(cd, &in, &in_left, &dst, &out_left);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1))
        return 0;
    *dst = '\0';
    return 1;
}

void show_cp949_title(const char* cp949_title)
{
    char utf8[512];
    if (!cp949_to_utf8(cp949_title, utf8, sizeof utf8))
        return;
    Display* dpy = glXGetCurrentDisplay();
    Window win = glXGetCurrentDrawable();
    if (dpy == nullptr || win == 0)
        return;

    // The same text as window title and icon title: window lists and iconified
    // windows show the icon title.
    Atom utf8_string = XInternAtom(dpy, "UTF8_STRING", False);
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"})
        XChangeProperty(dpy, win, XInternAtom(dpy, name, False), utf8_string, 8, PropModeReplace,
                        reinterpret_cast<unsigned char*>(utf8), static_cast<int>(std::strlen(utf8)));

    // WM_NAME and WM_ICON_NAME for window managers that ignore the _NET_ names:
    // compound text carries the Korean characters in a form every X client can decode.
    char* list[] = {utf8};
    XTextProperty text;
    if (Xutf8TextListToTextProperty(dpy, list, 1, XCompoundTextStyle, &text) >= Success) {
        XSetWMName(dpy, win, &text);
        XSetWMIconName(dpy, win, &text);
        XFree(text.value);
    }
    XFlush(dpy);
}
