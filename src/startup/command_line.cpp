#include "startup/startup.h"

#include "platform/modules.h"
#include "text/text.h"

namespace {
const char* SkipSpaces(const char* p) {
    while (*p == ' ') ++p;  // a tab is not a separator here
    return p;
}

const char* SkipProgramPath(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        // Without its closing quote the whole rest of the line is the path.
        return *p == '"' ? p + 1 : p;
    }
    // Bytes of 0x80 and above are part of the path (double-byte names).
    while (static_cast<unsigned char>(*p) > 0x20) ++p;
    return p;
}
}  // namespace

CommandLine ParseCommandLine(const char* line) {
    const char* option = SkipSpaces(SkipProgramPath(SkipSpaces(line)));
    const char* letter = option;
    if (*letter == '-' || *letter == '/') ++letter;
    const unsigned char folded = static_cast<unsigned char>(*letter) & ~0x20u;

    CommandLine result{RunMode::Settings, option, 0};
    switch (folded) {
        case 'S':
            result.mode = RunMode::Run;
            break;
        case 'P':
            result.mode = RunMode::Preview;
            result.handle = ParseInt(letter + 1);
            break;
        case 'C':
            if (letter[1] == ':') result.handle = ParseInt(letter + 2);
            break;
        default:
            break;
    }
    return result;
}

std::uintptr_t DialogTemplateFor(std::uint32_t lcid) {
    return (lcid & 0xFFFFu) == plat::kLangJapanese ? 2 : 1;
}
