#pragma once
// Cell comments (notes): the comments part, and the legacy VML drawing that shows them.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/book_interfaces.h"

namespace files {

using CommentMap = std::map<std::pair<long, long>, engine::CommentData>;

CommentMap parseComments(std::string_view xml);
// A comments part for these comments, in the order given.
std::string commentsToXml(const std::vector<std::pair<std::pair<long, long>, engine::CommentData>>& comments);
// The VML drawing: `kept` (the part as read, or "") with its note boxes replaced by boxes for
// `cells` (row, col); its other shapes (form controls) stay as they were.
std::string vmlWithNotes(std::string_view kept, const std::vector<std::pair<long, long>>& cells);

}  // namespace files
