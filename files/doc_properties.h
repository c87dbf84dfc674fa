#pragma once
// The document's core properties (docProps/core.xml): its title, which the host lists add-in
// workbooks by.
#include <string>
#include <string_view>

namespace files {

std::u16string parseTitle(std::string_view corePropertiesXml);  // "" when none

}  // namespace files
