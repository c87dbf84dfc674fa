#pragma once
// Reads a worksheet part straight into a SheetSink: cells with their values, formulas
// (shared ones expanded), formats and comments, the selection and data validations. What
// the engine does not model stays in the SheetFileData: the part's text without its cells.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/book_interfaces.h"
#include "files/file_data.h"
#include "files/sheet_data_scanner.h"
#include "files/styles.h"
#include "files/xml_parser.h"

namespace files {

struct SheetReadContext {
    const std::vector<host::Variant>& strings;  // the shared strings, whose texts the cells share
    const StyleTable& styles;
    std::map<std::pair<long, long>, engine::CommentData> comments;  // attached to cells
};

class SheetXmlReader {
public:
    SheetXmlReader(SheetReadContext context, SheetSink& sink, SheetFileData& data);
    ~SheetXmlReader();
    void feed(std::string_view chunk, bool last);
    // The relationship ids of the sheet's <drawing> and <legacyDrawing>, once read.
    const std::string& drawingRelId() const;
    const std::string& legacyDrawingRelId() const;

private:
    class Handler;
    std::unique_ptr<Handler> handler_;
    std::unique_ptr<XmlParser> parser_;
    std::unique_ptr<SheetPartSplitter> splitter_;
};

// Date serial of an ISO 8601 date-time ("2024-01-02T12:00:00"), as t="d" cells hold them.
bool isoDateToSerial(std::string_view text, double& serial);

}  // namespace files
