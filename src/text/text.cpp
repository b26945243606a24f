#include "text/text.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/files.h"

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; }
}  // namespace

// ------------------------------------------------------------ numbers

namespace {
// The number a text starts with: leading white space, one optional sign,
// decimal digits.
struct Decimal {
    bool negative;
    std::uint32_t wrapped;  // the digits' value modulo 2^32
    std::uint64_t whole;    // their value, or 2^32 for any that large
};

Decimal ReadDecimal(const char* p) {
    while (IsBlank(*p)) ++p;
    Decimal number{false, 0, 0};
    if (*p == '+' || *p == '-') {
        number.negative = *p == '-';
        ++p;
    }
    constexpr std::uint64_t kBeyond = std::uint64_t{1} << 32;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const auto digit = static_cast<std::uint32_t>(*p - '0');
        // Unsigned arithmetic gives the 32-bit two's-complement wrap without
        // undefined behaviour.
        number.wrapped = number.wrapped * 10u + digit;
        number.whole = std::min(number.whole * 10u + digit, kBeyond);
    }
    return number;
}
}  // namespace

std::int32_t ParseInt(const char* text) {
    const Decimal number = ReadDecimal(text);
    const std::uint32_t value = number.negative ? 0u - number.wrapped : number.wrapped;
    return static_cast<std::int32_t>(value);
}

std::int32_t ParseIntClamped(const char* text) {
    const Decimal number = ReadDecimal(text);
    if (number.negative)
        return number.whole > std::uint64_t{INT32_MAX} ? INT32_MIN
                                                         : -static_cast<std::int32_t>(number.whole);
    return number.whole > std::uint64_t{INT32_MAX} ? INT32_MAX
                                                     : static_cast<std::int32_t>(number.whole);
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
// compares as it is. A double-byte character of the system code page
// compares whole: its second byte may lie in 0x61-0x7A without being a
// letter (code page 932 has ア as 83 41 and ヂ as 83 61).
bool EqualNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char x = FoldAscii(static_cast<unsigned char>(*a));
        unsigned char y = FoldAscii(static_cast<unsigned char>(*b));
        if (x != y) return false;
        if (x == 0) return true;
        // Lead bytes are never ASCII, and here both texts have the same.
        if (x >= 0x80 && plat::IsDBCSLeadByte(x)) {
            ++a, ++b;
            if (*a != *b) return false;
            if (*a == '\0') return true;
        }
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
