#pragma once
// Module1 — the removal of an add-in's entries from the lists with which Excel loads
// add-ins at start-up and shows them in its Add-in Manager, for the current user.
#include <string>

namespace Module1 {

// Deletes the first value of the version's start-up list (…\Options) whose data is
// `quotedName` exactly.
void RemoveStartupEntry(const std::u16string& version, const std::u16string& application,
                        const std::u16string& quotedName);

// Deletes the value of the version's Add-in Manager list named `addinName` exactly.
void RemoveAddinManagerEntry(const std::u16string& version, const std::u16string& application,
                             const std::u16string& addinName);

}  // namespace Module1
