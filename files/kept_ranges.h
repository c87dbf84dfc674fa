#pragma once
// Moving the cell ranges written in kept XML (merged cells, hyperlinks, conditional formats,
// auto filters, column widths) after rows or columns were deleted, as the host moves them.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/book_interfaces.h"

namespace files {

// Maps areas through the edits; an empty result means they all vanished.
using AreaMapper = std::function<std::vector<Area>(std::vector<Area>)>;

// Rewrites the attribute `attribute` (a cell range or sqref) of every self-closing `element`
// tag inside `xml`; tags whose ranges vanished are removed. Returns how many were removed.
size_t moveRangeAttributes(std::string& xml, std::string_view element, std::string_view attribute,
                           const AreaMapper& map);
// Rewrites <col min= max=> column spans; spans whose columns were all deleted are removed.
size_t moveColumnSpans(std::string& xml, const AreaMapper& map);
// The sqref of the start tag at the head of `xml`, moved; nullopt when it vanished.
std::optional<std::string> movedSqref(std::string_view sqref, const AreaMapper& map);

}  // namespace files
