// In the browser GLUT reads the page's own pointer events; there is nothing to switch.
#include "pointer_events.h"

void use_core_pointer_events() {}
