// What scripts/bench-scan times: the catalogue scan over the real Win32
// platform (without the program's entry point) against a bare
// FindFirstFileA/FindNextFileA walk of the same tree, in one process.
//
//   scan_bench <folder> <rounds>
//       Times, round after round, the bare walk of the folder and its
//       subfolders and the recursive ScanFolder of it, in alternating order;
//       prints one line per measurement and a summary.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catalogue/catalogue.h"
#include "platform/win32/win32.h"

namespace {

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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3) return Bench(argv[1], std::atoi(argv[2]));
    std::fprintf(stderr, "usage: scan_bench <folder> <rounds>\n");
    return 2;
}
