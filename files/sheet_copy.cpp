#include "files/sheet_copy.h"

#include <set>

#include "files/sheet_reader.h"
#include "files/xml_splice.h"

namespace files {

namespace {

class DiscardingSheet : public SheetSink {
public:
    void setCell(long, long, Cell) override {}
    void enterText(long, long, const std::u16string&) override {}
    void setSelection(std::vector<Area>, long, long) override {}
    void addValidation(ValidationRule) override {}
    void addDrawing(DrawingObject) override {}
    void setFileData(std::shared_ptr<FileData>) override {}
};

}  // namespace

std::unique_ptr<SheetFileData> skeletonForCopy(const SheetFileData& original, std::vector<std::string>& dropped) {
    static const std::set<std::string> owned = {"drawing",    "legacyDrawing", "legacyDrawingHF", "picture",
                                                "oleObjects", "controls",      "tableParts"};
    std::vector<XmlEdit> edits;
    for (const ElementSpan& child : original.children) {
        const std::string text = original.xml.substr(child.begin, child.end - child.begin);
        if (owned.count(child.name) || (child.name == "hyperlinks" && text.find(":id=") != std::string::npos)) {
            edits.push_back({child.begin, child.end, ""});
            dropped.push_back(child.name);
        } else if (child.name == "pageSetup" && text.find(":id=") != std::string::npos) {
            std::string kept = text;
            removeAttribute(kept, "r:id");  // the printer settings part stays the original's
            edits.push_back({child.begin, child.end, kept});
        }
    }
    if (original.hasSheetData) edits.push_back({original.sheetDataAt, original.sheetDataAt, "<sheetData/>"});
    const std::string xml = applyEdits(original.xml, std::move(edits));

    // Reading the reduced text again finds every offset anew.
    auto copy = std::make_unique<SheetFileData>();
    static const std::vector<host::Variant> noStrings;
    static const StyleTable noStyles;
    DiscardingSheet discard;
    SheetXmlReader reader({noStrings, noStyles, {}}, discard, *copy);
    reader.feed(xml, true);
    copy->package = original.package;
    copy->rowAttributes = original.rowAttributes;
    copy->arrayFormulas = original.arrayFormulas;
    copy->validationsRead = original.validationsRead;
    copy->selectionRead = original.selectionRead;
    copy->activeRowRead = original.activeRowRead;
    copy->activeColRead = original.activeColRead;
    return copy;
}

}  // namespace files
