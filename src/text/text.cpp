#include "text/text.h"

#include <cstring>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; }
}  // namespace

// ------------------------------------------------------------ numbers

std::int32_t ParseInt(const char* text) {
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Unsigned arithmetic gives the 32-bit two's-complement wrap without
    // undefined behaviour.
    std::uint32_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(*p - '0');
        ++p;
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

void FormatInt(std::int32_t value, char (&text)[12]) {
    char digits[10];
    int count = 0;
    std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value)
                                        : static_cast<std::uint32_t>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    char* out = text;
    if (value < 0) *out++ = '-';
    while (count > 0) *out++ = digits[--count];
    *out = '\0';
}

// ------------------------------------------------------------ names

// Name comparison for file names: ASCII letters fold, every other byte
// (double-byte characters included) compares as it is.
bool EqualNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char x = FoldAscii(static_cast<unsigned char>(*a));
        unsigned char y = FoldAscii(static_cast<unsigned char>(*b));
        if (x != y) return false;
        if (x == 0) return true;
    }
}

// ------------------------------------------------------------ bounded texts

BoundedText StartText(char* buffer, std::size_t size) {
    buffer[0] = '\0';
    return BoundedText{buffer, size, 0, true};
}

void AppendBytes(BoundedText& text, const char* piece, std::size_t n) {
    if (!text.fits || n >= text.size - text.length) {
        text.fits = false;
        return;
    }
    std::memcpy(text.buffer + text.length, piece, n);
    text.length += n;
    text.buffer[text.length] = '\0';
}

void Append(BoundedText& text, const char* piece) {
    if (!piece) piece = "";
    AppendBytes(text, piece, std::strlen(piece));
}

void AppendCut(BoundedText& text, const char* piece) {
    const std::size_t room = text.size - 1 - text.length;
    const std::size_t n = strnlen(piece, room);
    std::memcpy(text.buffer + text.length, piece, n);
    text.length += n;
    text.buffer[text.length] = '\0';
}
