#include "files/workbook_xml.h"

#include <algorithm>
#include <map>

#include "files/file_error.h"
#include "files/xml_parser.h"
#include "files/xml_text.h"

namespace files {

namespace {

const std::vector<std::string_view> kOrder = {"fileVersion",    "fileSharing",
                                              "workbookPr",     "workbookProtection",
                                              "bookViews",      "sheets",
                                              "functionGroups", "externalReferences",
                                              "definedNames",   "calcPr",
                                              "oleSize",        "customWorkbookViews",
                                              "pivotCaches",    "smartTagPr",
                                              "smartTagTypes",  "webPublishing",
                                              "fileRecoveryPr", "webPublishObjects",
                                              "extLst"};

class WorkbookHandler : public XmlHandler {
public:
    explicit WorkbookHandler(WorkbookPart& part) : part_(part), recorder_(*this) {}
    void startElement(const XmlName& name, const XmlAttributes& a) override {
        recorder_.start(name);
        const std::string_view n = name.local;
        if (recorder_.depth() == 1) {
            if (n != "workbook") throw FormatError("the workbook part does not hold a workbook");
            part_.prefix = name.prefix.empty() ? "" : std::string(name.prefix) + ":";
            part_.rootTagEnd = parser().tagOffset() + parser().tagLength();
        } else if (n == "sheets" && recorder_.depth() == 2) {
            if (sawSheets_) throw FormatError("the workbook part lists its sheets twice");
            sawSheets_ = true;
        } else if (n == "sheet" && recorder_.depth() == 3) {
            SheetEntry e;
            e.name = decodeXmlText(a.get("name"));
            e.sheetId = a.get("sheetId");
            const std::string_view state = a.get("state");
            e.visibility = state == "hidden" ? 0 : state == "veryHidden" ? 2 : -1;
            e.relId = a.get("id", ns::rel);
            if (e.relId.empty())
                throw FormatError("the sheet \"" + std::string(a.get("name")) + "\" has no relationship");
            part_.sheets.push_back(std::move(e));
        } else if (n == "workbookView" && part_.viewEnd == 0) {
            part_.activeTab = a.getInt("activeTab", 0);
            part_.viewBegin = parser().tagOffset();
            part_.viewEnd = parser().tagOffset() + parser().tagLength();
        } else if (n == "definedName" && a.find("localSheetId")) {
            part_.localNames.push_back({parser().tagOffset(), 0, a.getInt("localSheetId", 0)});
            inLocalName_ = true;
        }
    }
    void endElement(const XmlName& name) override {
        if (name.local == "definedName" && inLocalName_) {
            part_.localNames.back().end = recorder_.endOfCurrent();
            inLocalName_ = false;
        }
        recorder_.end();
    }
    void finish() { part_.children = recorder_.children; }

private:
    WorkbookPart& part_;
    ChildRecorder recorder_;
    bool inLocalName_ = false;
    bool sawSheets_ = false;
};

const ElementSpan* childNamed(const WorkbookPart& part, std::string_view name) {
    for (const ElementSpan& c : part.children)
        if (c.name == name) return &c;
    return nullptr;
}

std::uint64_t orderedPoint(const WorkbookPart& part, std::string_view name) {
    const auto rank = [](std::string_view n) {
        const auto it = std::find(kOrder.begin(), kOrder.end(), n);
        return it == kOrder.end() ? -1 : static_cast<int>(it - kOrder.begin());
    };
    std::uint64_t point = part.rootTagEnd;  // found by the parser: a '>' in an attribute or comment is no end
    for (const ElementSpan& c : part.children) {
        if (rank(c.name) > rank(name)) return c.begin;
        point = c.end;
    }
    return point;
}

}  // namespace

WorkbookPart parseWorkbookXml(std::string xml) {
    WorkbookPart part;
    part.xml = std::move(xml);
    WorkbookHandler handler(part);
    XmlParser parser(handler);
    parser.parseAll(part.xml);
    handler.finish();
    return part;
}

std::string writeWorkbookXml(const WorkbookPart& part, const std::vector<SheetOut>& sheets, size_t activeTab,
                             std::vector<std::u16string>& notes) {
    const std::string& p = part.prefix;
    std::vector<XmlEdit> edits;
    std::string list = "<" + p + "sheets>";
    std::map<long, long> newIndex;  // read position -> saved position
    for (size_t i = 0; i < sheets.size(); ++i) {
        const SheetEntry& e = sheets[i].entry;
        if (sheets[i].readIndex >= 0) newIndex[sheets[i].readIndex] = static_cast<long>(i);
        list += "<" + p + "sheet name=\"";
        appendXmlText(list, e.name, true);
        list += "\" sheetId=\"";
        appendEscapedUtf8(list, e.sheetId, true);  // both as read: escaped again as they were
        list += "\"";
        if (e.visibility == 0) list += " state=\"hidden\"";
        if (e.visibility == 2) list += " state=\"veryHidden\"";
        list += " xmlns:r=\"" + std::string(ns::rel) + "\" r:id=\"";
        appendEscapedUtf8(list, e.relId, true);
        list += "\"/>";
    }
    list += "</" + p + "sheets>";
    if (const ElementSpan* span = childNamed(part, "sheets")) edits.push_back({span->begin, span->end, list});

    if (part.viewEnd) {
        std::string view = part.xml.substr(part.viewBegin, part.viewEnd - part.viewBegin);
        setAttribute(view, "activeTab", std::to_string(activeTab));
        removeAttribute(view, "firstSheet");
        edits.push_back({part.viewBegin, part.viewEnd, view});
    } else if (activeTab > 0) {
        const std::string views = "<" + p + "bookViews><" + p + "workbookView activeTab=\"" +
                                  std::to_string(activeTab) + "\"/></" + p + "bookViews>";
        const std::uint64_t at = orderedPoint(part, "bookViews");
        edits.push_back({at, at, views});
    }

    for (const WorkbookPart::LocalName& name : part.localNames) {
        std::string text = part.xml.substr(name.begin, name.end - name.begin);
        const auto moved = newIndex.find(name.sheet);
        if (moved == newIndex.end()) {
            notes.push_back(u"a name defined for a deleted sheet was removed: " +
                            decodeXmlText(attributeOf(text, "name")));
            text.clear();
        } else if (moved->second != name.sheet) {
            setAttribute(text, "localSheetId", std::to_string(moved->second));
        } else {
            continue;
        }
        edits.push_back({name.begin, name.end, text});
    }

    // Our results are cached values only; the application recalculates on opening.
    if (const ElementSpan* calc = childNamed(part, "calcPr")) {
        std::string text = part.xml.substr(calc->begin, calc->end - calc->begin);
        setAttribute(text, "fullCalcOnLoad", "1");
        edits.push_back({calc->begin, calc->end, text});
    } else {
        const std::uint64_t at = orderedPoint(part, "calcPr");
        edits.push_back({at, at, "<" + p + "calcPr fullCalcOnLoad=\"1\"/>"});
    }
    return applyEdits(part.xml, std::move(edits));
}

std::string newWorkbookXml() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
           "<bookViews><workbookView/></bookViews><sheets/><calcPr fullCalcOnLoad=\"1\"/></workbook>";
}

}  // namespace files
