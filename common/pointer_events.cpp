// Clears freeglut's XInput2 pointer selection on the current window.
#include "pointer_events.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

void use_core_pointer_events()
{
    Display* dpy = glXGetCurrentDisplay();
    Window win = glXGetCurrentDrawable();
    if (dpy == nullptr || win == 0)
        return;
    // A mask of length 0 clears what this client selected for the master devices.
    XIEventMask none{};
    none.deviceid = XIAllMasterDevices;
    XISelectEvents(dpy, win, &none, 1);
    XFlush(dpy);
}
