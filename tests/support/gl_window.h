// One freeglut window with a real GL context per test process, so tests can call
// a program's own reshape, display and draw routines. glutInit runs only once.
#pragma once

enum TestContext { TEST_CONTEXT_CORE_4_0, TEST_CONTEXT_COMPATIBILITY };

// Opens the window on the first call (glutInit, display mode, size, context; GLEW
// for the core context) and makes it current; later calls return the same window.
int open_test_window(TestContext context, unsigned int display_mode, int width, int height);

// Resizes the window and pumps events until the window system reports the size.
// Returns 1 when the size was reached within a bounded wait.
int resize_test_window(int width, int height);

// Processes pending window-system events (bounded), e.g. after a resize.
void pump_test_window_events();
