#include "files/xlsx_reader.h"

#include <set>

#include "files/comments_xml.h"
#include "files/doc_properties.h"
#include "files/drawing_xml.h"
#include "files/file_data.h"
#include "files/file_error.h"
#include "files/shared_strings.h"
#include "files/sheet_reader.h"
#include "files/workbook_xml.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"

namespace files {

namespace {

class PackageReader {
public:
    PackageReader(const std::string& path, InflateLimits limits) : zip_(path, limits) {}

    std::shared_ptr<WorkbookFileData> readPackage() {
        auto data = std::make_shared<WorkbookFileData>();
        const auto types = findEntry(zip_.names(), "[Content_Types].xml");
        if (!types) throw FormatError("it is not a workbook package: [Content_Types].xml is missing");
        data->package.types = ContentTypes::parse(zip_.read(*types));
        const auto rootRels = findEntry(zip_.names(), "_rels/.rels");
        if (!rootRels) throw FormatError("the package relationships (_rels/.rels) are missing");
        const Relationships root = Relationships::parse(zip_.read(*rootRels));
        const Relationship* office = root.firstOfKind("officeDocument");
        if (!office) throw FormatError("the package names no workbook part");
        data->workbookPart = entryName(resolveTarget("", office->target));
        if (const Relationship* core = root.firstOfKind("core-properties"))
            corePart_ = entryName(resolveTarget("", core->target));
        const std::string workbookRelsPart = relsPartName(data->workbookPart);
        const Relationships workbookRels =
            Relationships::parse(readRequired(workbookRelsPart, "the workbook's relationships"));
        for (const Relationship& r : workbookRels.items) {
            if (r.external) continue;
            const std::string part = entryName(resolveTarget(data->workbookPart, r.target));
            if (r.kind() == "worksheet") worksheets_.insert(part);
            if (r.kind() == "sharedStrings") data->sharedStringsPart = part;
            if (r.kind() == "styles") data->stylesPart = part;
            if (r.kind() == "theme") themePart_ = part;
        }
        data->entryOrder = zip_.names();
        // Everything except the worksheets (streamed into the engine) is kept as read.
        for (const std::string& name : zip_.names()) {
            if (name.empty() || name.back() == '/' || worksheets_.count(name)) continue;
            data->package.put(name, zip_.read(name));
        }
        if (!data->package.has(data->workbookPart))
            throw FormatError("the workbook part " + data->workbookPart + " is missing");
        return data;
    }

    std::string entryName(const std::string& part) const { return findEntry(zip_.names(), part).value_or(part); }

    std::string readRequired(const std::string& part, const std::string& what) {
        const auto entry = findEntry(zip_.names(), part);
        if (!entry) throw FormatError(what + " (" + part + ") are missing");
        return zip_.read(*entry);
    }

    ZipReader& zip() { return zip_; }
    const std::string& themePart() const { return themePart_; }
    const std::string& corePart() const { return corePart_; }

private:
    ZipReader zip_;
    std::set<std::string> worksheets_;
    std::string themePart_, corePart_;
};

void checkNames(const std::vector<SheetEntry>& sheets) {
    std::set<std::u16string> seen;
    for (const SheetEntry& e : sheets) {
        std::u16string folded;
        for (const char16_t c : e.name) folded += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
        if (!seen.insert(folded).second) throw FormatError("two sheets are named \"" + host::utf8(e.name) + "\"");
    }
}

void readComments(const Package& package, const std::string& sheetPart, const Relationships& rels, SheetFileData& data,
                  CommentMap& comments) {
    for (const Relationship& r : rels.items) {
        if (r.external) continue;
        const std::string target = resolveTarget(sheetPart, r.target);
        if (r.kind() == "comments") {
            const std::string* xml = package.find(target);
            if (!xml) throw FormatError("the comments part " + target + " is missing");
            data.comments = std::make_unique<CommentPartData>();
            data.comments->part = target;
            data.comments->relId = r.id;
            comments = parseComments(*xml);
            data.comments->comments = comments;
        }
    }
    if (!data.comments) return;
    for (const Relationship& r : rels.items)
        if (r.kind() == "vmlDrawing" && !r.external) {
            data.comments->vmlPart = resolveTarget(sheetPart, r.target);
            data.comments->vmlRelId = r.id;
        }
}

void readDrawings(const Package& package, const std::string& sheetPart, const Relationships& rels,
                  const std::string& drawingRelId, SheetFileData& data, SheetSink& sink) {
    const Relationship* r = drawingRelId.empty() ? nullptr : rels.byId(drawingRelId);
    if (!r || r->external) return;
    const std::string target = resolveTarget(sheetPart, r->target);
    const std::string* xml = package.find(target);
    if (!xml) throw FormatError("the drawing part " + target + " is missing");
    data.drawing = std::make_unique<DrawingPartData>();
    data.drawing->part = target;
    data.drawing->relId = r->id;
    for (DrawingObject& o : readDrawing(*xml, *data.drawing)) sink.addDrawing(std::move(o));
}

void readWorksheet(PackageReader& reader, const std::shared_ptr<WorkbookFileData>& book,
                   const std::vector<host::Variant>& strings, const std::string& part, SheetSink& sink,
                   std::shared_ptr<SheetFileData> data) {
    const Package& package = book->package;
    const Relationships rels = package.relsOf(part);
    CommentMap comments;
    readComments(package, part, rels, *data, comments);
    SheetXmlReader sheetReader({strings, book->styles, std::move(comments)}, sink, *data);
    bool any = false;
    reader.zip().stream(part, [&](std::string_view chunk) {
        sheetReader.feed(chunk, false);
        any = true;
    });
    sheetReader.feed({}, true);
    if (!any) throw FormatError("the sheet part " + part + " is empty");
    data->drawingRelIdRead = sheetReader.drawingRelId();
    data->legacyRelIdRead = sheetReader.legacyDrawingRelId();
    readDrawings(package, part, rels, sheetReader.drawingRelId(), *data, sink);
}

}  // namespace

namespace {

// The steps of reading a package; `where` names the step for the error message.
class WorkbookReader {
public:
    WorkbookReader(const std::string& path, BookSink& sink, InflateLimits limits)
        : reader_(path, limits), sink_(sink), book_(reader_.readPackage()) {
        book_->sourcePath = path;
    }

    void read(std::string& where) {
        where = "the workbook part: ";
        const WorkbookPart workbook = parseWorkbookXml(*book_->package.find(book_->workbookPart));
        if (workbook.sheets.empty()) throw FormatError("it lists no sheets");
        checkNames(workbook.sheets);
        where = "the styles: ";
        readStyles();
        where = "the shared strings: ";
        if (const std::string* sst = book_->package.find(book_->sharedStringsPart))
            for (std::u16string& text : parseSharedStrings(*sst, &book_->richStrings)) strings_.emplace_back(text);
        const Relationships rels = book_->package.relsOf(book_->workbookPart);
        for (const SheetEntry& entry : workbook.sheets) {
            where = "sheet \"" + host::utf8(entry.name) + "\": ";
            readSheet(entry, rels);
        }
        where = "the document properties: ";
        if (const std::string* core = book_->package.find(reader_.corePart()); core && !reader_.corePart().empty())
            sink_.setTitle(parseTitle(*core));
        where.clear();
        book_->orphansRead = book_->package.unreachable();
        const long active = workbook.activeTab;
        sink_.setActiveSheet(
            active >= 0 && static_cast<size_t>(active) < workbook.sheets.size() ? static_cast<size_t>(active) : 0);
        sink_.setFileData(book_);
    }

private:
    void readStyles() {
        std::vector<std::uint32_t> theme;
        if (const std::string* t = book_->package.find(reader_.themePart()); t && !reader_.themePart().empty())
            theme = parseThemeColors(*t);
        const std::string* styles = book_->package.find(book_->stylesPart);
        book_->styles = StyleTable::parse(styles ? *styles : StyleTable::minimalXml(), theme);
    }

    void readSheet(const SheetEntry& entry, const Relationships& rels) {
        const Relationship* r = rels.byId(entry.relId);
        if (!r) throw FormatError("its relationship " + entry.relId + " is missing");
        const std::string part = reader_.entryName(resolveTarget(book_->workbookPart, r->target));
        auto data = std::make_shared<SheetFileData>();
        data->package = book_.get();
        data->part = part;
        data->relId = r->id;
        const bool worksheet = r->kind() == "worksheet";
        const int type = worksheet                    ? host::xlWorksheet
                         : r->kind() == "chartsheet"  ? host::xlChart
                         : r->kind() == "dialogsheet" ? -4116
                                                      : 3;  // xlDialogSheet, xl4MacroSheet
        SheetSink& sheet = sink_.addSheet(entry.name, type, entry.visibility);
        if (worksheet) {
            if (!reader_.zip().contains(part)) throw FormatError("its part " + part + " is missing");
            readWorksheet(reader_, book_, strings_, part, sheet, data);
        } else {
            data->chartSheet = true;  // kept as it is, part and all
        }
        sheet.setFileData(data);
    }

    PackageReader reader_;
    BookSink& sink_;
    std::shared_ptr<WorkbookFileData> book_;
    std::vector<host::Variant> strings_;
};

}  // namespace

void readXlsx(const std::string& path, BookSink& sink, InflateLimits limits) {
    std::string where;
    try {
        WorkbookReader(path, sink, limits).read(where);
    } catch (const FormatError& e) {
        throw FileError(path, where + e.what());
    } catch (const host::Error& e) {
        throw FileError(path, where + e.description());
    } catch (const std::bad_alloc&) {
        throw FileError(path, "it is too big to load into memory");
    }
}

}  // namespace files
