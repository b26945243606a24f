// Small text helpers every mode shares: numbers to and from decimal text,
// comparing file names, and texts assembled piece by piece in a fixed buffer.
//
// They belong to no one subsystem, so they sit beside them. Only EqualNoCase
// asks the system anything: which bytes start a double-byte character.
//
// A text that does not fit its buffer is refused: a command line, path or
// folder cut short could name a different program, file or folder. Only a
// helper whose name says so (AppendCut) cuts instead, for texts a person
// reads, where the beginning still says what it should.
#pragma once

#include <cstddef>
#include <cstdint>

// Decimal text to a signed 32-bit integer: leading white space, one optional
// sign, digits; wraps on overflow; no digits give 0.
std::int32_t ParseInt(const char* text);
// The same text read without wrapping: a number beyond the 32 bits gives the
// largest value (below zero the smallest), however many digits it has.
std::int32_t ParseIntClamped(const char* text);

// Decimal text of a signed 32-bit value, as "%d" writes it. Written here
// because the C library's formatting would more than double the module's size.
void FormatInt(std::int32_t value, char (&text)[12]);

// Same length and same bytes after folding ASCII a-z to A-Z, except that
// the system code page's double-byte characters compare exactly.
bool EqualNoCase(const char* a, const char* b);

// A text assembled piece by piece in a fixed buffer. Once a piece does not
// fit with the terminating NUL the whole text is refused: fits turns false
// and stays false, and Append adds nothing more. The buffer always holds a
// terminated text.
struct BoundedText {
    char* buffer;
    std::size_t size;    // bytes, the NUL included
    std::size_t length;  // bytes written so far
    bool fits;
};

// An empty text in `buffer`.
BoundedText StartText(char* buffer, std::size_t size);
// Appends the first n bytes of `piece`, or refuses the text.
void AppendBytes(BoundedText& text, const char* piece, std::size_t n);
// Appends `piece` (null counts as empty text), or refuses the text.
void Append(BoundedText& text, const char* piece);
// Appends as much of `piece` as fits before the NUL, never past the end of
// the buffer. It refuses nothing, so it leaves fits as it is.
void AppendCut(BoundedText& text, const char* piece);
