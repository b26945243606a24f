// The fake of platform/files.h. Scripted state for the system folders, the
// code page's double-byte characters and file search over a tree of folders.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake/fake.h"
#include "platform/files.h"

namespace fake {

// What GetWindowsDirectoryA or GetSystemDirectoryA answers. With no scripted
// result it behaves like the system: the text and its length when it fits
// the buffer, otherwise the size needed (length + 1) and a buffer filled
// with junk without a NUL. A scripted result is returned as it is, the
// buffer again holding junk.
struct SystemFolder {
    std::string text;
    std::optional<std::uint32_t> result;
};

struct FileItem {
    std::string name;
    std::uint32_t attributes = 0;
    std::string shortName;  // the 8.3 alternative, "" when there is none
};

constexpr std::uint32_t kFileAttributeHidden = 0x2;
constexpr std::uint32_t kFileAttributeSystem = 0x4;
constexpr std::uint32_t kFileAttributeArchive = 0x20;

inline FileItem File(std::string name, std::uint32_t attributes = kFileAttributeArchive) {
    return FileItem{std::move(name), attributes, ""};
}
inline FileItem Folder(std::string name) {
    return FileItem{std::move(name), plat::kFileAttributeDirectory, ""};
}

struct FilesState {
    SystemFolder windowsDirectory{"C:\\WINDOWS", std::nullopt};
    SystemFolder systemDirectory{"C:\\WINDOWS\\system32", std::nullopt};
    // 932 makes CharPrevA and IsDBCSLeadByte treat 0x81-0x9F and 0xE0-0xFC
    // as lead bytes.
    std::uint32_t codePage = 1252;
    // Search pattern without its "*.*" (so with the folder's trailing
    // backslash) → the items found there, in the order they are returned.
    // A pattern not listed, or not ending in "*.*", finds nothing.
    std::map<std::string, std::vector<FileItem>> folders;
    // CreateFileA opens a path listed in either map (the path as asked for,
    // without a trailing backslash); other paths cannot be opened.
    // GetFileInformationByHandle gives its identity from the first,
    // GetFileInformationByHandleEx its 128-bit one from the second and fails
    // for a path not there, as on a system before Windows 8.
    std::map<std::string, plat::FileIdentity> identities;
    std::map<std::string, plat::FileIdInfo> wideIdentities;
    int longPatterns = 0;        // patterns of 260 bytes or more, never valid
};
inline Scripted<FilesState> files;

// CloseHandle of a CreateFileA handle; false for any other handle.
bool CloseFile(plat::Handle file);
// Find handles, and CreateFileA handles, not closed yet.
std::size_t OpenFinds();
std::size_t OpenFiles();

}  // namespace fake
