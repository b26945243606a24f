// The fake of platform/shell.h. Scripted state for COM, the folder browser
// and ShellExecuteA.
#pragma once

#include <optional>
#include <string>

#include "fake/fake.h"
#include "platform/shell.h"

namespace fake {

struct ShellState {
    // SHBrowseForFolderA returns browseResult (null: the user cancelled) and
    // writes browseDisplayName; SHGetPathFromIDListA gives browsePath, or
    // fails when it is empty.
    plat::Pidl browseResult = nullptr;
    std::string browseDisplayName = "Savers";
    std::optional<std::string> browsePath;
    std::intptr_t shellExecuteResult = 42;  // above 32: success
    std::int32_t coInitializeResult = 0;    // S_OK; negative: a failure
};
inline Scripted<ShellState> shell;

}  // namespace fake
