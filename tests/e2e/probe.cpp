// The settings store, the catalogue and the launcher over the real Win32
// platform and the real registry, without the program's entry point or any
// window: a console program whose output a test reads.
//
//   probe [Name=Value]...      set the named fields, LoadSettings, print the
//                              record
//   probe save [Name=Value]... LoadSettings, set the named fields,
//                              SaveSettings, print the record
//   probe stored               print the type and size of each of the nine
//                              values as the registry holds them
//   probe scan <folder> <recurse>
//       ScanFolder into a fresh list; prints each path on a line of its own,
//       then "count <n>".
//   probe all <UseWinDir> <UseSysDir> <UseExtDir> <ExtSubDir> [<ExtDir>]
//       ScanAll with those settings (nothing is read from the registry);
//       prints like scan.
//   probe launch <path> <arguments>
//       LaunchSaver; prints "started", waits for the child and prints
//       "ended <exit code>", or prints "failed".
//   probe load <dll>
//       LoadLibraryA of the name as given, as a careless program asks for a
//       system DLL; prints "loaded" or "failed".
//
// Setting fields before the load shows what a load leaves in place.
// Record lines are "Name=value": the seven numbers in signed decimal, the two
// strings as their bytes up to the NUL, each followed by "Name.length=N".
// Stored lines are "Name.stored=T/S" (type and size), or "Name.stored=missing".
// Numbers given with Name=Value are read with ParseInt; strings longer than
// 259 bytes are cut to 259, as the field holds its NUL.
// Paths are printed as the system's ANSI bytes, one line each ending in "\n".
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catalogue/catalogue.h"
#include "platform/win32/win32.h"
#include "player/launcher.h"
#include "settings/settings.h"
#include "startup/startup.h"

namespace {

// One field of the record, a number or a text, under its value's name.
struct Field {
    const char* name;
    std::int32_t SaverSettings::*number;
    char (SaverSettings::*text)[plat::kMaxPath] = nullptr;
};

// Registry order, as the store reads and writes them.
const Field kFields[] = {
    {"UseWinDir", &SaverSettings::UseWinDir}, {"UseSysDir", &SaverSettings::UseSysDir},
    {"UseExtDir", &SaverSettings::UseExtDir}, {"ExtSubDir", &SaverSettings::ExtSubDir},
    {"Random", &SaverSettings::Random},       {"ChangeTime", &SaverSettings::ChangeTime},
    {"DisableDWM", &SaverSettings::DisableDWM},
    {"ExtDir", nullptr, &SaverSettings::ExtDir}, {"DefSaver", nullptr, &SaverSettings::DefSaver},
};

void PrintRecord() {
    for (const Field& f : kFields) {
        if (f.number) {
            std::printf("%s=%ld\n", f.name, static_cast<long>(Settings.*f.number));
            continue;
        }
        const char* text = Settings.*f.text;
        const std::size_t length = strnlen(text, plat::kMaxPath);
        std::printf("%s=%.*s\n%s.length=%u\n", f.name, static_cast<int>(length), text, f.name,
                    static_cast<unsigned>(length));
    }
}

void PrintStored() {
    plat::Hkey key;
    if (plat::RegCreateKeyExA(plat::kHkeyCurrentUser, kSettingsKey, "", 0, plat::kKeyAllAccess,
                              &key) != plat::kErrorSuccess) {
        std::printf("key-unavailable\n");
        return;
    }
    for (const Field& f : kFields) {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (plat::RegQueryValueExA(key, f.name, &type, nullptr, &size) == plat::kErrorSuccess)
            std::printf("%s.stored=%u/%u\n", f.name, static_cast<unsigned>(type),
                        static_cast<unsigned>(size));
        else
            std::printf("%s.stored=missing\n", f.name);
    }
    plat::RegCloseKey(key);
}

bool Assign(const char* assignment) {
    const char* equals = std::strchr(assignment, '=');
    if (!equals) return false;
    const std::size_t nameLength = static_cast<std::size_t>(equals - assignment);
    for (const Field& f : kFields) {
        if (std::strlen(f.name) != nameLength || std::memcmp(f.name, assignment, nameLength) != 0)
            continue;
        if (f.number) {
            Settings.*f.number = ParseInt(equals + 1);
        } else {
            char* field = Settings.*f.text;
            std::memset(field, 0, plat::kMaxPath);
            std::strncpy(field, equals + 1, plat::kMaxPath - 1);
        }
        return true;
    }
    return false;
}

// Sets every field named in args; false on a name the record does not have.
bool AssignAll(int count, char** args) {
    for (int i = 0; i < count; ++i) {
        if (!Assign(args[i])) {
            std::fprintf(stderr, "probe: no such field in '%s'\n", args[i]);
            return false;
        }
    }
    return true;
}

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

int Load(const char* name) {
    std::printf("%s\n", ::LoadLibraryA(name) ? "loaded" : "failed");
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: probe scan <folder> <recurse>\n"
                 "       probe all <win> <sys> <ext> <sub> [<ExtDir>]\n"
                 "       probe launch <path> <arguments>\n"
                 "       probe load <dll>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    if (std::strcmp(command, "scan") == 0) return argc == 4 ? Scan(argv[2], argv[3]) : Usage();
    if (std::strcmp(command, "all") == 0)
        return argc == 6 || argc == 7 ? All(argc - 2, argv + 2) : Usage();
    if (std::strcmp(command, "launch") == 0) return argc == 4 ? Launch(argv[2], argv[3]) : Usage();
    if (std::strcmp(command, "load") == 0) return argc == 3 ? Load(argv[2]) : Usage();
    if (argc == 2 && std::strcmp(argv[1], "stored") == 0) {
        PrintStored();
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "save") == 0) {
        LoadSettings();
        if (!AssignAll(argc - 2, argv + 2)) return 2;
        SaveSettings();
    } else {
        if (!AssignAll(argc - 1, argv + 1)) return 2;
        LoadSettings();
    }
    PrintRecord();
    return 0;
}
