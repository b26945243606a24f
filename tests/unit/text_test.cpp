// The text helpers every mode shares.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "fake/fake_files.h"
#include "text/text.h"

namespace {

// ------------------------------------------------------------------ numbers

struct IntCase {
    const char* text;
    std::int32_t value;
    std::optional<std::int32_t> clamped = {};  // ParseIntClamped, where it differs
};

TEST(ParseInt, WhiteSpaceSignsDigitsAndWrap) {
    const IntCase cases[] = {
        {"0", 0},
        {"1234", 1234},
        {"  \t\n\v\f\r77", 77},       // all six blanks are skipped
        {"+15", 15},
        {"-15", -15},
        {"--5", 0},                   // one sign only
        {"+-5", 0},
        {"- 5", 0},                   // no blank after the sign
        {"12ab34", 12},               // stops at the first other character
        {"", 0},
        {"abc", 0},
        {"\x1c" "5", 0},              // other control bytes are not blanks
        {"\xA0" "5", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MIN, INT32_MAX},    // wraps in 32-bit two's complement
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MAX, INT32_MIN},
        {"4294967295", -1, INT32_MAX},
        {"4294967296", 0, INT32_MAX},
        {"-4294967297", -1, INT32_MIN},
        {"99999999999", 1215752191, INT32_MAX},  // 99999999999 mod 2^32
        {"99999999999999999999", 1661992959, INT32_MAX},
        {"00000000000000000000042", 42},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInt(c.text), c.value) << '"' << c.text << '"';
        EXPECT_EQ(ParseIntClamped(c.text), c.clamped.value_or(c.value)) << '"' << c.text << '"';
    }
}

// ------------------------------------------------------------------ names

TEST(EqualNoCase, FoldsOnlyAsciiLettersOutsideDoubleByteCharacters) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
        std::uint32_t codePage = 1252;
    };
    for (Case c : {Case{"SCR", "scr", true}, Case{"sCr", "ScR", true}, Case{"", "", true},
                   Case{"SCR", "SCRX", false}, Case{"SCRX", "SCR", false}, Case{"SCR", "", false},
                   Case{"@", "`", false},            // 0x40 / 0x60 are not letters
                   Case{"[", "{", false},            // nor 0x5B / 0x7B
                   Case{"\xC9", "\xE9", false},      // accented letters are left alone
                   Case{"\x82\xA0", "\x82\xA0", true},
                   Case{"\x82\x61", "\x82\x41", true},   // no lead bytes in code page 1252
                   Case{"\x82\x61", "\x82\x41", false, 932},  // 932: a trail byte is no letter
                   Case{"\x83\x41.scr", "\x83\x61.scr", false, 932},  // ア.scr, ヂ.scr
                   Case{"\x83\x61.SCR", "\x83\x61.scr", true, 932},
                   Case{"\x83", "\x83", true, 932}}) {  // a lead byte without its trail
        fake::ResetAll();
        fake::files.codePage = c.codePage;
        EXPECT_EQ(EqualNoCase(c.a, c.b), c.equal) << '"' << c.a << "\" vs \"" << c.b << '"';
    }
}

}  // namespace
