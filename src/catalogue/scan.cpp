// The catalogue scan: every file with the extension SCR in the folders the
// settings enable, in the order the file system returns them, subfolders
// entered where they are met.
#include <cstring>

#include "catalogue/catalogue.h"
#include "platform/files.h"
#include "platform/process.h"
#include "settings/settings.h"
#include "text/text.h"

namespace {

constexpr std::uint32_t kPathSize = plat::kMaxPath;  // bytes, the NUL included

// Our own file: running it from itself would only start another rotation.
constexpr char kOwnFileName[] = "SLUMBMIX.SCR";

// Writes `text` at `at` in a kPathSize-byte path buffer. A path that would
// not fit with its NUL is refused, never cut short: a shortened name would
// name some other file or folder.
bool PutText(char (&path)[kPathSize], std::size_t at, const char* text, std::size_t length) {
    if (at + length >= kPathSize) return false;
    std::memcpy(path + at, text, length);
    path[at + length] = '\0';
    return true;
}

bool IsDotOrDotDot(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

bool IsSaverFileName(const char* name) {
    const char* dot = std::strrchr(name, '.');
    if (!dot) return false;
    if (!EqualNoCase(dot + 1, "SCR")) return false;
    return !EqualNoCase(name, kOwnFileName);
}

// Bytes before the NUL, or `limit` when there is none in the first `limit`.
std::size_t BoundedLength(const char* text, std::size_t limit) {
    std::size_t n = 0;
    while (n < limit && text[n] != '\0') ++n;
    return n;
}

// A folder's identity, which a link leads to as much as the folder itself
// does: the 128-bit one where the system gives it (Windows 8 on), as on ReFS
// two folders may share a volume and 64-bit index; otherwise the volume and
// index every Windows gives.
struct FolderIdentity {
    bool wide;  // id read, index not
    plat::FileIdInfo id;
    plat::FileIdentity index;
};

// The folders a scan with subfolders is inside of: the one it is in, then
// the one that holds it, and so on up to the folder the scan began with.
// Only a link can lead back up (Windows has no hard links to folders), so a
// folder's identity is read only once a link has to be compared with it,
// and then once: a tree without links costs no more than its search.
struct FolderChain {
    const char* folder;  // its path as the scan was given it, unchanged while inside it
    FolderChain* above;
    bool read;           // identity looked for
    bool known;          // and found
    FolderIdentity identity;
};

bool ReadIdentity(const char* folder, FolderIdentity& identity) {
    const plat::Handle handle =
        plat::CreateFileA(folder, plat::kFileReadAttributes, plat::kFileShareAll,
                          plat::kOpenExisting, plat::kFileFlagBackupSemantics);
    if (handle == plat::kInvalidHandle) return false;
    identity.wide = plat::GetFileInformationByHandleEx(handle, &identity.id) != 0;
    const bool read =
        identity.wide || plat::GetFileInformationByHandle(handle, &identity.index) != 0;
    plat::CloseHandle(handle);
    return read;
}

// A file system answers the same way for each of its folders, so an
// identity of each kind means two file systems, and two folders.
bool SameIdentity(const FolderIdentity& a, const FolderIdentity& b) {
    if (a.wide != b.wide) return false;
    if (a.wide)
        return a.id.volumeSerialNumber == b.id.volumeSerialNumber &&
               std::memcmp(a.id.fileId, b.id.fileId, sizeof a.id.fileId) == 0;
    return a.index.volumeSerialNumber == b.index.volumeSerialNumber &&
           a.index.fileIndexHigh == b.index.fileIndexHigh &&
           a.index.fileIndexLow == b.index.fileIndexLow;
}

// Whether the link leads to the folder being scanned or one above it: such
// a link would make the walk go round, each level holding the whole tree
// again, until the path limit stopped it. A link that leads anywhere else is
// followed, as a folder would be, and so is one whose identity cannot be
// read; the path limit still bounds the depth.
bool LeadsBackUp(const char* link, FolderChain* chain) {
    FolderIdentity target;
    if (!ReadIdentity(link, target)) return false;
    for (; chain; chain = chain->above) {
        if (!chain->read) {
            chain->read = true;
            chain->known = ReadIdentity(chain->folder, chain->identity);
        }
        if (chain->known && SameIdentity(chain->identity, target)) return true;
    }
    return false;
}

// Scans the Windows or System directory without subfolders. The system's
// answer is the text's length, 0 when it has none, or the size it would
// need (260 or more) when the text does not fit: those two are skipped.
// False only when the list ran out of memory.
using GetDirectory = std::uint32_t (*)(char*, std::uint32_t);
bool ScanSystemFolder(SaverList& list, GetDirectory get) {
    char folder[kPathSize];
    std::uint32_t length = get(folder, kPathSize);
    if (length == 0 || length >= kPathSize) return true;
    return ScanFolder(list, folder, 0);
}

bool ScanFolderIn(SaverList& list, const char* folder, std::int32_t recurse,
                  FolderChain* above) {
    char path[kPathSize];
    FolderChain here = {folder, above, false, false, {}};

    // The prefix: the folder with a backslash unless its last character is
    // one. The last character is found with CharPrevA, as the trail byte of
    // a double-byte character may be 0x5C; a lead byte never is, so the
    // first byte of the last character decides. An empty folder becomes
    // "\", the root of the current drive.
    std::size_t length = BoundedLength(folder, kPathSize);
    if (!PutText(path, 0, folder, length)) return true;
    const char* last = plat::CharPrevA(path, path + length);
    if (*last != '\\') {
        if (!PutText(path, length, "\\", 1)) return true;
        ++length;
    }
    const std::size_t prefix = length;

    if (!PutText(path, prefix, "*.*", 3)) return true;
    plat::FindData found;
    plat::Handle find = plat::FindFirstFileA(path, &found);
    if (find == plat::kInvalidHandle) return true;

    bool enoughMemory = true;
    do {
        const char* name = found.fileName;
        std::size_t nameLength = BoundedLength(name, sizeof found.fileName);
        if (nameLength == sizeof found.fileName) continue;  // not a terminated name
        if (IsDotOrDotDot(name)) continue;
        if (found.attributes & plat::kFileAttributeDirectory) {
            if (!recurse) continue;
            if (!PutText(path, prefix, name, nameLength)) continue;
            if ((found.attributes & plat::kFileAttributeReparsePoint) && LeadsBackUp(path, &here))
                continue;
            enoughMemory = ScanFolderIn(list, path, recurse, &here);
        } else {
            if (!IsSaverFileName(name)) continue;
            if (!PutText(path, prefix, name, nameLength)) continue;
            enoughMemory = AddEntry(list, path);
        }
    } while (enoughMemory && plat::FindNextFileA(find, &found));

    plat::FindClose(find);
    return enoughMemory;
}

}  // namespace

bool ScanFolder(SaverList& list, const char* folder, std::int32_t recurse) {
    return ScanFolderIn(list, folder, recurse, nullptr);
}

void ScanAll(SaverList& list) {
    if (Settings.UseWinDir && !ScanSystemFolder(list, plat::GetWindowsDirectoryA)) return;
    if (Settings.UseSysDir && !ScanSystemFolder(list, plat::GetSystemDirectoryA)) return;
    if (Settings.UseExtDir) ScanFolder(list, Settings.ExtDir, Settings.ExtSubDir);
}
