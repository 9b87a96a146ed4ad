// Sets the current window's title from CP949 bytes as UTF-16 text, the Windows
// counterpart of window_title.cpp.
#include "window_title.h"

#include <windows.h>

#include <climits>

// CP949 bytes to zero-terminated UTF-16; 0 on invalid bytes or too small a buffer.
static int cp949_to_utf16(const char* cp949, wchar_t* out, int out_count)
{
    // 949 explicitly: the user's ANSI code page is Korean only on a Korean system.
    return MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, cp949, -1, out, out_count) != 0;
}

int cp949_to_utf8(const char* cp949, char* out, unsigned long out_size)
{
    wchar_t wide[512];
    if (out_size == 0 || !cp949_to_utf16(cp949, wide, 512))
        return 0;
    int size = out_size > INT_MAX ? INT_MAX : static_cast<int>(out_size);
    return WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, size, nullptr, nullptr) != 0;
}

void show_cp949_title(const char* cp949_title)
{
    wchar_t wide[512];
    if (!cp949_to_utf16(cp949_title, wide, 512))
        return;
    // freeglut's window is an ANSI window: SetWindowTextW would hand its procedure the
    // text in the ANSI code page, which holds no Korean outside a Korean system. The
    // default procedure's W form stores the UTF-16 text as it is.
    HWND window = WindowFromDC(wglGetCurrentDC());
    if (window != nullptr)
        DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
}
