// The folder browser and ShellExecuteA.
#include <shlobj.h>

#include "platform/shell.h"
#include "platform/win32/win32.h"

namespace plat {
using win32::As;

Pidl SHBrowseForFolderA(const BrowseInfo* info) {
    BROWSEINFOA bi{};
    bi.hwndOwner = As<HWND>(info->owner);
    bi.pidlRoot = As<PCIDLIST_ABSOLUTE>(info->root);
    bi.pszDisplayName = info->displayName;
    bi.lpszTitle = info->title;
    bi.ulFlags = info->flags;
    return ::SHBrowseForFolderA(&bi);
}
std::int32_t SHGetPathFromIDListA(Pidl list, char* path) {
    return ::SHGetPathFromIDListA(As<PCIDLIST_ABSOLUTE>(list), path);
}
void CoTaskMemFree(void* block) { ::CoTaskMemFree(block); }
std::int32_t CoInitializeEx(void* reserved, std::uint32_t flags) {
    return ::CoInitializeEx(reserved, flags);
}
void CoUninitialize() { ::CoUninitialize(); }
std::intptr_t ShellExecuteA(Hwnd window, const char* verb, const char* file,
                            const char* parameters, const char* directory, std::int32_t show) {
    return As<std::intptr_t>(::ShellExecuteA(As<HWND>(window), verb, file, parameters, directory, show));
}

}  // namespace plat
