// The first start of an installed program: the panels (the list, the panel
// files, their bitmaps and icons: the whole source folder) are copied into the
// user's config folder, where the user edits them from then on.
#pragma once

#include <string>

namespace host {

// Copies everything under `source` into `target`, never replacing a file or
// folder that is already there. The copy is made in a temporary folder beside
// `target` and renamed into place; when `target` exists already, the missing
// entries are moved in one by one and `listName` last, so that an interrupted
// copy leaves no list behind and the next start copies again. The copies are
// writable by their owner. False, with `error` one line naming the folder and
// what to do, when anything fails; nothing is left behind then.
bool CopyPanelsInto(const std::string& source, const std::string& target, const std::string& listName,
                    std::string& error);

}  // namespace host
