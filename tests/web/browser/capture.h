// What each program's capture adds to capture.cpp: its window and what its main does
// before the main loop.
#pragma once

extern const int capture_width, capture_height;

// Opens the test window and sets the program up as its main does, callbacks included.
void capture_setup();
