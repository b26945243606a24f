// The catalogue and the launcher over the real Win32 platform, without the
// program's entry point: a console program whose output a test reads.
//
//   catalogue_probe scan <folder> <recurse>
//       ScanFolder into a fresh list; prints each path on a line of its own,
//       then "count <n>".
//   catalogue_probe all <UseWinDir> <UseSysDir> <UseExtDir> <ExtSubDir> [<ExtDir>]
//       ScanAll with those settings (nothing is read from the registry);
//       prints like scan.
//   catalogue_probe launch <path> <arguments>
//       LaunchSaver; prints "started", waits for the child and prints
//       "ended <exit code>", or prints "failed".
//
// Paths are printed as the system's ANSI bytes, one line each ending in "\n".
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catalogue/catalogue.h"
#include "platform/win32/win32.h"
#include "player/launcher.h"
#include "settings/settings.h"

namespace {

int PrintList(SaverList& list) {
    for (std::int32_t i = 0; i < list.count; ++i) std::printf("%s\n", EntryPath(list, i));
    std::printf("count %d\n", static_cast<int>(list.count));
    FreeList(list);
    return 0;
}

int Scan(const char* folder, const char* recurse) {
    SaverList list{};
    ScanFolder(list, folder, std::atoi(recurse));
    return PrintList(list);
}

int All(int argc, char** argv) {
    Settings = kDefaultSettings;
    Settings.UseWinDir = std::atoi(argv[0]);
    Settings.UseSysDir = std::atoi(argv[1]);
    Settings.UseExtDir = std::atoi(argv[2]);
    Settings.ExtSubDir = std::atoi(argv[3]);
    if (argc > 4) {
        if (std::strlen(argv[4]) >= sizeof Settings.ExtDir) return 2;
        std::strcpy(Settings.ExtDir, argv[4]);
    }
    // Run mode prepares its list before the scan; the dialog does not.
    // Either way the same paths come out.
    SaverList list{};
    Reserve(list.items, 8);
    ResetPool(list.names);
    ScanAll(list);
    return PrintList(list);
}

int Launch(const char* path, const char* arguments) {
    plat::Handle process = nullptr;
    if (!LaunchSaver(path, arguments, &process)) {
        std::printf("failed\n");
        return 0;
    }
    std::printf("started\n");
    std::fflush(stdout);
    ::WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    std::printf("ended %lu\n", static_cast<unsigned long>(code));
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: catalogue_probe scan <folder> <recurse>\n"
                 "       catalogue_probe all <win> <sys> <ext> <sub> [<ExtDir>]\n"
                 "       catalogue_probe launch <path> <arguments>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "scan") == 0) return Scan(argv[2], argv[3]);
    if ((argc == 6 || argc == 7) && std::strcmp(argv[1], "all") == 0) return All(argc - 2, argv + 2);
    if (argc == 4 && std::strcmp(argv[1], "launch") == 0) return Launch(argv[2], argv[3]);
    return Usage();
}
