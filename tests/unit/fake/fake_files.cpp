#include "fake/fake_files.h"

#include <cstring>

namespace fake {

namespace {

struct OpenFind {
    const std::vector<FileItem>* items;
    std::size_t next;
};
// The searches and files open in the system, beside the scripted state.
struct OpenHandles {
    std::map<plat::Handle, OpenFind> finds;
    std::uintptr_t nextFind = 200;
    std::map<plat::Handle, std::string> files;  // the path each was opened with
    std::uintptr_t nextFile = 300;
};
Scripted<OpenHandles> handles;

std::uint32_t AnswerFolder(const SystemFolder& folder, char* buffer, std::uint32_t size) {
    bool fits = folder.text.size() < size;
    if (fits && !folder.result) {
        std::memcpy(buffer, folder.text.c_str(), folder.text.size() + 1);
        return static_cast<std::uint32_t>(folder.text.size());
    }
    std::memset(buffer, 'J', size);
    return folder.result ? *folder.result : static_cast<std::uint32_t>(folder.text.size() + 1);
}

bool IsLeadByte(unsigned char c) {
    return files.codePage == 932 && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
}

void Fill(const FileItem& item, plat::FindData* data) {
    *data = plat::FindData{item.attributes, {}, {}};
    std::strncpy(data->fileName, item.name.c_str(), sizeof data->fileName - 1);
    std::strncpy(data->alternateFileName, item.shortName.c_str(),
                 sizeof data->alternateFileName - 1);
}

// What `file` was opened with, looked up in one of the identity maps.
template <typename Identity>
const Identity* IdentityOf(plat::Handle file, const std::map<std::string, Identity>& identities) {
    auto open = handles.files.find(file);
    if (open == handles.files.end()) return nullptr;
    auto it = identities.find(open->second);
    return it == identities.end() ? nullptr : &it->second;
}

}  // namespace

bool CloseFile(plat::Handle file) { return handles.files.erase(file) != 0; }
std::size_t OpenFinds() { return handles.finds.size(); }
std::size_t OpenFiles() { return handles.files.size(); }

}  // namespace fake

namespace plat {
using fake::files;
using fake::Record;

std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) {
    Record("GetWindowsDirectoryA", size);
    return fake::AnswerFolder(files.windowsDirectory, buffer, size);
}

std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size) {
    Record("GetSystemDirectoryA", size);
    return fake::AnswerFolder(files.systemDirectory, buffer, size);
}

// Logged with the text and the distance of `current` from `start`.
const char* CharPrevA(const char* start, const char* current) {
    Record("CharPrevA", start, current - start);
    if (current <= start) return start;
    const char* p = start;
    for (;;) {
        const char* next = p + 1;
        if (fake::IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') next = p + 2;
        if (next >= current) return p;
        p = next;
    }
}

std::int32_t IsDBCSLeadByte(std::uint8_t byte) {
    return fake::Answer(fake::IsLeadByte(byte) ? 1 : 0, "IsDBCSLeadByte", byte);
}

Handle FindFirstFileA(const char* pattern, FindData* data) {
    Record("FindFirstFileA", pattern);
    std::string text = pattern;
    if (text.size() >= kMaxPath) ++files.longPatterns;
    if (text.size() < 3 || text.compare(text.size() - 3, 3, "*.*") != 0) return kInvalidHandle;
    auto it = files.folders.find(text.substr(0, text.size() - 3));
    if (it == files.folders.end() || it->second.empty()) return kInvalidHandle;
    Handle find = fake::Token(fake::handles.nextFind++);
    fake::handles.finds[find] = {&it->second, 1};
    fake::Fill(it->second[0], data);
    return find;
}

std::int32_t FindNextFileA(Handle find, FindData* data) {
    Record("FindNextFileA", find);
    auto it = fake::handles.finds.find(find);
    if (it == fake::handles.finds.end()) return 0;
    fake::OpenFind& open = it->second;
    if (open.next >= open.items->size()) return 0;
    fake::Fill((*open.items)[open.next++], data);
    return 1;
}

Handle CreateFileA(const char* name, std::uint32_t access, std::uint32_t share,
                   std::uint32_t disposition, std::uint32_t flags) {
    Record("CreateFileA", name, access, share, disposition, flags);
    if (!files.identities.count(name) && !files.wideIdentities.count(name)) return kInvalidHandle;
    Handle file = fake::Token(fake::handles.nextFile++);
    fake::handles.files[file] = name;
    return file;
}

std::int32_t GetFileInformationByHandle(Handle file, FileIdentity* identity) {
    Record("GetFileInformationByHandle", file);
    const FileIdentity* found = fake::IdentityOf(file, files.identities);
    if (found) *identity = *found;
    return found ? 1 : 0;
}

std::int32_t GetFileInformationByHandleEx(Handle file, FileIdInfo* info) {
    Record("GetFileInformationByHandleEx", file);
    const FileIdInfo* found = fake::IdentityOf(file, files.wideIdentities);
    if (found) *info = *found;
    return found ? 1 : 0;
}

std::int32_t FindClose(Handle find) {
    Record("FindClose", find);
    return fake::handles.finds.erase(find) != 0 ? 1 : 0;
}

}  // namespace plat
