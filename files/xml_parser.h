#pragma once
// The package layer's XML reading: the program's one reader (base/xml_reader.h) with the
// layer's own error, and the namespaces the package parts use.
#include <cstddef>
#include <string_view>

#include "base/xml_reader.h"

namespace files {

// Namespaces the package layer meets.
namespace ns {
inline constexpr std::string_view main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::string_view drawingMain = "http://schemas.openxmlformats.org/drawingml/2006/main";
}  // namespace ns

// No single tag, comment or CDATA section of a part is longer (a cell's text is at most
// 32,767 characters); elements nest a few levels deep. The sheet data scanner keeps the same.
inline constexpr size_t kMaxMarkupBytes = base::XmlLimits{}.maxMarkupBytes;
inline constexpr size_t kMaxNesting = base::XmlLimits{}.maxNesting;

using XmlName = base::XmlName;
using XmlAttributes = base::XmlAttributes;
using XmlHandler = base::XmlHandler;

// Malformed XML in a part is a FormatError (the caller names the file); what a handler
// throws passes through unchanged.
class XmlParser : public base::XmlReader {
public:
    using base::XmlReader::XmlReader;
    void feed(std::string_view chunk, bool last);
    void parseAll(std::string_view document) { feed(document, true); }
};

}  // namespace files
