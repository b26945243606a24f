// Any byte string as the process's command line: parsing must stay inside
// the text and hand back a pointer into it, and ParseInt must never overflow
// (UBSan checks the arithmetic).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "startup/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<char> line(data, data + size);
    line.push_back('\0');
    const char* text = line.data();

    const CommandLine parsed = ParseCommandLine(text);
    const char* end = text + std::strlen(text);
    if (parsed.optionText < text || parsed.optionText > end) __builtin_trap();
    if (parsed.mode == RunMode::Run && parsed.handle != 0) __builtin_trap();

    // ParseInt agrees with a 64-bit reference reduced to 32 bits.
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    std::uint64_t reference = 0;
    while (*p >= '0' && *p <= '9') reference = reference * 10 + static_cast<unsigned>(*p++ - '0');
    std::uint32_t expected = static_cast<std::uint32_t>(reference);
    if (negative) expected = 0u - expected;
    if (static_cast<std::uint32_t>(ParseInt(text)) != expected) __builtin_trap();
    return 0;
}
