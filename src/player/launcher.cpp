// Every screen saver the program shows is started here, the same way for the
// player and the settings dialog: `"<path>" <arguments>` at idle priority,
// in the folder that holds the file.
#include <cstring>

#include "player/launcher.h"
#include "platform/files.h"
#include "platform/process.h"
#include "text/text.h"

namespace {

constexpr std::uint32_t kWorkingDirectorySize = plat::kMaxPath;
constexpr std::uint32_t kCreationFlags = plat::kIdlePriorityClass | plat::kCreateSeparateWowVdm;

// The folder part of `path`, everything before its last backslash, as the
// working directory. The backslash is looked for character by character
// from the end, so that the second byte of a double-byte character is never
// taken for one. A file at the root of a drive keeps the backslash ("C:\"):
// "C:" alone would name that drive's current folder. A path with no
// backslash has no folder part and the text is refused.
void AppendFolderOf(BoundedText& text, const char* path) {
    if (!path) path = "";
    const char* p = path + std::strlen(path);
    while (p != path) {
        p = plat::CharPrevA(path, p);
        if (*p == '\\') break;
    }
    if (*p != '\\') {
        text.fits = false;
        return;
    }
    std::size_t n = static_cast<std::size_t>(p - path);
    if (n == 0 || path[n - 1] == ':') ++n;
    AppendBytes(text, path, n);
}

}  // namespace

bool LaunchSaver(const char* path, const char* arguments, plat::Handle* process) {
    // No Windows file name holds a double quote, but the ANSI file search
    // gives a best-fit byte for a character the code page lacks, and that
    // of U+FF02 (a fullwidth quote) is 0x22: inside the quoted command line
    // it would end the path and let the rest of the name start another
    // program. A quote is never the trail byte of a double-byte character.
    if (path && std::strchr(path, '"')) return false;

    char commandLine[kCommandLineSize];
    BoundedText line = StartText(commandLine, sizeof commandLine);
    Append(line, "\"");
    Append(line, path);
    Append(line, "\" ");
    Append(line, arguments);

    // "<path>\.." names the folder that holds the file. A path of 257 to 259
    // bytes leaves no room for the "\.."; its folder part names the same
    // folder and is shorter.
    char workingDirectory[kWorkingDirectorySize];
    BoundedText folder = StartText(workingDirectory, sizeof workingDirectory);
    Append(folder, path);
    Append(folder, "\\..");
    if (!folder.fits) {
        folder = StartText(workingDirectory, sizeof workingDirectory);
        AppendFolderOf(folder, path);
    }

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
