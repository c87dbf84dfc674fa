// The comments part (with the VML drawing that shows the notes): parsed, written again and
// parsed back to the same comments; the VML part rebuilt around the notes' cells.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "files/comments_xml.h"
#include "files/file_error.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view xml = fuzz::bytes(data, size);
    files::CommentMap comments;
    try {
        comments = files::parseComments(xml);
    } catch (const files::FormatError&) {
        return 0;
    }
    std::vector<std::pair<std::pair<long, long>, engine::CommentData>> ordered(comments.begin(), comments.end());
    const std::string written = files::commentsToXml(ordered);
    files::CommentMap back;
    try {
        back = files::parseComments(written);
    } catch (const files::FormatError& e) {
        fuzz::fail("a written comments part does not parse", std::string(e.what()) + "\n" + written);
    }
    fuzz::require(back.size() == comments.size(), "comments lost through a write", written);
    for (const auto& [cell, comment] : comments) {
        const auto it = back.find(cell);
        fuzz::require(it != back.end() && it->second.text == comment.text && it->second.author == comment.author,
                      "a comment changed through a write", written);
    }
    std::vector<std::pair<long, long>> cells;
    for (const auto& entry : comments) cells.push_back(entry.first);
    try {
        files::vmlWithNotes(xml, cells);  // the input as the kept VML part
    } catch (const files::FormatError&) {}
    return 0;
}
