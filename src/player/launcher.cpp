// Every screen saver the program shows is started here, the same way for the
// player and the settings dialog: `"<path>" <arguments>` at idle priority,
// in the folder that holds the file.
#include <cstring>

#include "player/launcher.h"

namespace {

constexpr std::uint32_t kWorkingDirectorySize = plat::kMaxPath;
constexpr std::uint32_t kCreationFlags = plat::kIdlePriorityClass | plat::kCreateSeparateWowVdm;

// A text assembled piece by piece in a fixed buffer. Once a piece does not
// fit with the terminating NUL the whole text is refused: a command line cut
// short could start a different program, a cut working directory name a
// different folder.
struct BoundedText {
    char* buffer;
    std::size_t size;    // bytes, the NUL included
    std::size_t length;  // bytes written so far
    bool fits;
};

void Append(BoundedText& text, const char* piece) {
    if (!piece) piece = "";
    std::size_t n = std::strlen(piece);
    if (!text.fits || n >= text.size - text.length) {
        text.fits = false;
        return;
    }
    std::memcpy(text.buffer + text.length, piece, n);
    text.length += n;
    text.buffer[text.length] = '\0';
}

BoundedText StartText(char* buffer, std::size_t size) {
    buffer[0] = '\0';
    return BoundedText{buffer, size, 0, true};
}

}  // namespace

bool LaunchSaver(const char* path, const char* arguments, plat::Handle* process) {
    char commandLine[kCommandLineSize];
    BoundedText line = StartText(commandLine, sizeof commandLine);
    Append(line, "\"");
    Append(line, path);
    Append(line, "\" ");
    Append(line, arguments);

    // "<path>\.." names the folder that holds the file.
    char workingDirectory[kWorkingDirectorySize];
    BoundedText folder = StartText(workingDirectory, sizeof workingDirectory);
    Append(folder, path);
    Append(folder, "\\..");

    if (!line.fits || !folder.fits) return false;

    // Only the size is set: with no flags the child takes the default
    // desktop, title, window placement and standard handles.
    plat::StartupInfo startup{};
    startup.cb = plat::kStartupInfoSize;
    plat::ProcessInformation info{};
    if (plat::CreateProcessA(nullptr, commandLine, nullptr, nullptr, 0, kCreationFlags, nullptr,
                             workingDirectory, &startup, &info) != 1)
        return false;
    plat::CloseHandle(info.thread);
    *process = info.process;
    return true;
}
