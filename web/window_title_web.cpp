// Shows a CP949-encoded window title in the page: its title and its heading.
#include "window_title.h"

#include <emscripten.h>

#include <cstring>

// Browsers decode the label "euc-kr" as CP949 (windows-949), EUC-KR's superset.
EM_JS(int, decode_cp949, (const char* bytes, int length, char* out, int out_size), {
    const text = new TextDecoder('euc-kr', {fatal: true});
    let decoded;
    try {
        decoded = text.decode(HEAPU8.subarray(bytes, bytes + length));
    } catch (e) {
        return 0;
    }
    if (lengthBytesUTF8(decoded) + 1 > out_size)
        return 0;
    stringToUTF8(decoded, out, out_size);
    return 1;
});

EM_JS(void, show_page_title, (const char* utf8), {
    const title = UTF8ToString(utf8);
    if (typeof document === 'undefined')
        return;
    document.title = title;
    const heading = document.getElementById('program-title');
    if (heading)
        heading.textContent = title;
});

int cp949_to_utf8(const char* cp949, char* out, unsigned long out_size)
{
    if (out_size == 0)
        return 0;
    return decode_cp949(cp949, static_cast<int>(std::strlen(cp949)), out, static_cast<int>(out_size));
}

void show_cp949_title(const char* cp949_title)
{
    char utf8[512];
    if (cp949_to_utf8(cp949_title, utf8, sizeof utf8))
        show_page_title(utf8);
}
