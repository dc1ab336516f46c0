#pragma once

// Writes code point c as UTF-8 at out, which must have room for four bytes; returns the end. A lone
// surrogate is written like any other point below U+10000.
inline char* WriteUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
        return out;
    }
    if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
    } else {
        if (c < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (c >> 12));
        } else {
            *out++ = static_cast<char>(0xF0 | (c >> 18));
            *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        }
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
    return out;
}
