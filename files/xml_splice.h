#pragma once
// Editing a part's XML text in place: the spans of an element's children, edits that replace
// or insert byte ranges, and attribute changes on one start tag. Everything not edited stays
// byte for byte as it was.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/xml_parser.h"

namespace files {

struct ElementSpan {
    std::string name;  // local name
    std::uint64_t begin = 0, end = 0;
};

// Records, while a handler parses, the root's start tag and the spans of the root's children.
class ChildRecorder {
public:
    explicit ChildRecorder(const XmlHandler& handler) : handler_(handler) {}
    // Call first thing in startElement / last thing in endElement.
    void start(const XmlName& name);
    void end();
    int depth() const { return depth_; }  // 1 inside the root's start handler

    std::string rootPrefix;            // prefix of the root element ("" for the default namespace)
    std::uint64_t rootTagEnd = 0;      // just past the root's start tag
    std::uint64_t rootCloseBegin = 0;  // where the root's end tag begins
    std::vector<ElementSpan> children;

    // Offset of the tag now being handled, and its extent, for nested elements too.
    std::uint64_t currentBegin() const { return begins_.empty() ? 0 : begins_.back(); }
    std::uint64_t endOfCurrent() const;  // valid in end handling, before end()

private:
    const XmlHandler& handler_;
    int depth_ = 0;
    std::vector<std::uint64_t> begins_, startLengths_;
};

struct XmlEdit {
    std::uint64_t begin = 0, end = 0;  // begin == end inserts
    std::string text;
};

// Applies non-overlapping edits (inserts at one point keep the order they were given in).
std::string applyEdits(std::string_view document, std::vector<XmlEdit> edits);

// Sets (or adds) an attribute on the start tag at the beginning of `element`.
void setAttribute(std::string& element, std::string_view name, std::string_view value);
// Removes an attribute from that start tag, if present.
void removeAttribute(std::string& element, std::string_view name);
// The value of an attribute of that start tag ("" when absent).
std::string attributeOf(std::string_view element, std::string_view name);

// Where a new child named `name` goes so that `order` (the children's required order) holds.
std::uint64_t insertionPoint(const ChildRecorder& recorder, std::string_view name,
                             const std::vector<std::string_view>& order);

}  // namespace files
