// Windows counterpart of pointer_events.cpp: nothing to change.
#include "pointer_events.h"

// freeglut reads the mouse from the window's own messages here; the XInput2 selection
// that pointer_events.cpp clears exists only under X11.
void use_core_pointer_events()
{
}
