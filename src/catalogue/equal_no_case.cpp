// Name comparison for file names: ASCII letters fold, every other byte
// (double-byte characters included) compares as it is.
#include "catalogue/catalogue.h"

namespace {
unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; }
}  // namespace

bool EqualNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char x = FoldAscii(static_cast<unsigned char>(*a));
        unsigned char y = FoldAscii(static_cast<unsigned char>(*b));
        if (x != y) return false;
        if (x == 0) return true;
    }
}
