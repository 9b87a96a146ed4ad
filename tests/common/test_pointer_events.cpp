// Drags that end outside the window, with freeglut's XInput2 selection and after
// use_core_pointer_events: what the heap keeps, and what the mouse callback sees.
#include <gtest/gtest.h>  // before the X headers, whose macros (None, Bool) break it

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <malloc.h>

#include <cstddef>

#include "gl_window.h"
#include "pointer_events.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();  // the sanitizer's own heap
static long live_heap_bytes()
{
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
}
#else
static long live_heap_bytes()
{
    return static_cast<long>(mallinfo2().uordblks);
}
#endif

static int presses = 0, releases = 0;

static void count_buttons(int button, int state, int, int)
{
    if (button != GLUT_LEFT_BUTTON)
        return;
    (state == GLUT_DOWN ? presses : releases)++;
}

// Lets freeglut read and dispatch everything the server has sent (bounded).
static void drain(Display* dpy)
{
    XSync(dpy, False);
    for (int i = 0; i < 1000 && XPending(dpy) > 0; ++i)
        glutMainLoopEvent();
    glutMainLoopEvent();
}

// Presses the left button inside the window, moves far outside it and releases there.
static void drag_out(Display* dpy, int count)
{
    Window root = DefaultRootWindow(dpy), child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(dpy, glXGetCurrentDrawable(), root, 40, 40, &x, &y, &child);
    for (int i = 0; i < count; ++i) {
        XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
        XTestFakeMotionEvent(dpy, -1, x + 1200, y + 900, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
        drain(dpy);
    }
}

// Heap bytes still held after count drags, once the queues have reached their size.
static long held_after_drags(Display* dpy, int count)
{
    drag_out(dpy, 20);
    long before = live_heap_bytes();
    drag_out(dpy, count);
    return live_heap_bytes() - before;
}

TEST(CorePointerEvents, DragsEndingOutsideTheWindowNoLongerLeakAndStillReachTheCallback)
{
    open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGB | GLUT_SINGLE, 200, 200);
    glutMouseFunc(count_buttons);
    Display* dpy = glXGetCurrentDisplay();
    const int drags = 200;

    // freeglut on its own: each release outside adds a crossing event into the root
    // window whose data it never frees (a few hundred bytes a drag).
    long held_by_freeglut = held_after_drags(dpy, drags);
    EXPECT_GT(held_by_freeglut, 16 * 1024)
        << "freeglut no longer leaks on drags that end outside its window; use_core_pointer_events may be dropped";

    use_core_pointer_events();
    int masks = -1;
    XIEventMask* selected = XIGetSelectedEvents(dpy, glXGetCurrentDrawable(), &masks);
    EXPECT_EQ(masks, 0) << "an XInput2 selection is left on the window";
    if (selected != nullptr)
        XFree(selected);

    presses = releases = 0;
    long held_with_core_events = held_after_drags(dpy, drags);
    EXPECT_LT(held_with_core_events, 4 * 1024) << "freeglut kept " << held_by_freeglut << " bytes before";
    // The release outside the window still ends each drag in the callback.
    EXPECT_EQ(presses, drags + 20);
    EXPECT_EQ(releases, drags + 20);
}
