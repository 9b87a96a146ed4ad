// Shows a CP949-encoded window title as readable text: under an X11 window manager
// (window_title.cpp) and on Windows (window_title_win32.cpp).
#pragma once

// freeglut stores a title and icon title as Latin-1 STRING bytes, which shows Korean
// CP949 text as garbage. This converts the title to UTF-8 and sets _NET_WM_NAME and
// _NET_WM_ICON_NAME (UTF8_STRING), WM_NAME and WM_ICON_NAME (compound text) of the
// window whose GL context is current.
// On Windows it sets the window text as UTF-16, which serves as icon title too.
// Call it right after glutCreateWindow. Does nothing if the conversion fails.
void show_cp949_title(const char* cp949_title);

// The conversion alone: writes a zero-terminated UTF-8 string into out.
// Returns 0 on failure (invalid bytes, or out too small), 1 on success.
int cp949_to_utf8(const char* cp949, char* out, unsigned long out_size);
