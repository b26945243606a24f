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
//   catalogue_probe bench <folder> <rounds>
//       Times, round after round, a bare FindFirstFileA/FindNextFileA walk of
//       the folder and its subfolders and the recursive ScanFolder of it,
//       in alternating order; prints one line per measurement and a summary.
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

// ------------------------------------------------------------------ bench

// The loop the scan is measured against: the same searches in the same
// order, with nothing done for each item but telling folders from files.
unsigned long BareWalk(const char* folder) {
    char pattern[MAX_PATH];
    std::snprintf(pattern, sizeof pattern, "%s\\*.*", folder);
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    unsigned long files = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
                continue;
            char sub[MAX_PATH];
            std::snprintf(sub, sizeof sub, "%s\\%s", folder, found.cFileName);
            files += BareWalk(sub);
        } else {
            ++files;
        }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return files;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& freq) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

int CompareDoubles(const void* a, const void* b) {
    double x = *static_cast<const double*>(a), y = *static_cast<const double*>(b);
    return (x > y) - (x < y);
}

double Median(double* values, int n) {
    std::qsort(values, n, sizeof *values, CompareDoubles);
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Bench(const char* folder, int rounds) {
    if (rounds < 1 || rounds > 100) return 2;
    double bare[100], scan[100];
    LARGE_INTEGER freq, t0, t1;
    ::QueryPerformanceFrequency(&freq);
    unsigned long files = 0;
    std::int32_t savers = 0;
    for (int round = 0; round < rounds; ++round) {
        // Alternate which goes first so a warming cache favours neither.
        for (int half = 0; half < 2; ++half) {
            bool scanNow = (round + half) % 2 == 1;
            ::QueryPerformanceCounter(&t0);
            if (scanNow) {
                SaverList list{};
                ScanFolder(list, folder, 1);
                ::QueryPerformanceCounter(&t1);
                savers = list.count;
                FreeList(list);
                scan[round] = Seconds(t0, t1, freq);
            } else {
                files = BareWalk(folder);
                ::QueryPerformanceCounter(&t1);
                bare[round] = Seconds(t0, t1, freq);
            }
        }
        std::printf("round %d bare %.4f s scan %.4f s\n", round + 1, bare[round], scan[round]);
    }
    double bareMedian = Median(bare, rounds), scanMedian = Median(scan, rounds);
    std::printf("files %lu savers %d rounds %d\n", files, static_cast<int>(savers), rounds);
    std::printf("median bare %.4f s scan %.4f s ratio %.3f\n", bareMedian, scanMedian,
                scanMedian / bareMedian);
    std::printf("best bare %.4f s scan %.4f s ratio %.3f\n", bare[0], scan[0], scan[0] / bare[0]);

    // What storing the found paths costs on its own: the same paths added to
    // a fresh list, no file system involved.
    SaverList found{};
    ScanFolder(found, folder, 1);
    double store[100];
    for (int round = 0; round < rounds; ++round) {
        SaverList copy{};
        ::QueryPerformanceCounter(&t0);
        for (std::int32_t i = 0; i < found.count; ++i) AddEntry(copy, EntryPath(found, i));
        ::QueryPerformanceCounter(&t1);
        store[round] = Seconds(t0, t1, freq);
        FreeList(copy);
    }
    std::printf("median storing of the %d paths alone %.4f s\n", static_cast<int>(found.count),
                Median(store, rounds));
    FreeList(found);
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: catalogue_probe scan <folder> <recurse>\n"
                 "       catalogue_probe all <win> <sys> <ext> <sub> [<ExtDir>]\n"
                 "       catalogue_probe launch <path> <arguments>\n"
                 "       catalogue_probe bench <folder> <rounds>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "scan") == 0) return Scan(argv[2], argv[3]);
    if ((argc == 6 || argc == 7) && std::strcmp(argv[1], "all") == 0) return All(argc - 2, argv + 2);
    if (argc == 4 && std::strcmp(argv[1], "launch") == 0) return Launch(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "bench") == 0) return Bench(argv[2], std::atoi(argv[3]));
    return Usage();
}
