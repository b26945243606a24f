#include "fake/fake_shell.h"

#include <algorithm>
#include <cstring>

namespace plat {
using fake::Record;
using fake::shell;

Pidl SHBrowseForFolderA(const BrowseInfo* info) {
    Record("SHBrowseForFolderA", info->owner, info->root, info->title, info->flags);
    if (info->displayName) {
        // The shell may use the whole MAX_PATH buffer; filling all of it lets
        // the sanitizer catch a smaller one.
        std::memset(info->displayName, 0, kMaxPath);
        std::memcpy(info->displayName, shell.browseDisplayName.c_str(),
                    std::min<std::size_t>(shell.browseDisplayName.size(), kMaxPath - 1));
    }
    return shell.browseResult;
}

std::int32_t SHGetPathFromIDListA(Pidl list, char* path) {
    Record("SHGetPathFromIDListA", list);
    std::memset(path, 0, kMaxPath);  // the whole MAX_PATH buffer, as above
    if (!shell.browsePath) return 0;
    std::memcpy(path, shell.browsePath->c_str(),
                std::min<std::size_t>(shell.browsePath->size(), kMaxPath - 1));
    return 1;
}

void CoTaskMemFree(void* block) { Record("CoTaskMemFree", block); }

std::int32_t CoInitializeEx(void* reserved, std::uint32_t flags) {
    return fake::Answer(shell.coInitializeResult, "CoInitializeEx", reserved, flags);
}

void CoUninitialize() { Record("CoUninitialize"); }

std::intptr_t ShellExecuteA(Hwnd window, const char* verb, const char* file,
                            const char* parameters, const char* directory, std::int32_t show) {
    Record("ShellExecuteA", window, verb, file, parameters, directory, show);
    return shell.shellExecuteResult;
}

}  // namespace plat
