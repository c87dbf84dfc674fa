#include "files/xml_parser.h"

#include "files/file_error.h"

namespace files {

void XmlParser::feed(std::string_view chunk, bool last) {
    try {
        base::XmlReader::feed(chunk, last);
    } catch (const base::XmlError& e) {
        throw FormatError(e.what());
    }
}

}  // namespace files
