#include "files/xlsx_writer.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "base/atomic_file.h"
#include "files/comments_xml.h"
#include "files/drawing_xml.h"
#include "files/file_data.h"
#include "files/file_error.h"
#include "files/shared_strings.h"
#include "files/sheet_copy.h"
#include "files/sheet_writer.h"
#include "files/workbook_xml.h"
#include "files/zip_archive.h"
#include "host/constants.h"
#include "host/text.h"

namespace files {

namespace {

namespace fs = std::filesystem;

// The package of a book that was never read from a file.
std::shared_ptr<WorkbookFileData> newPackage() {
    auto data = std::make_shared<WorkbookFileData>();
    data->workbookPart = "xl/workbook.xml";
    data->stylesPart = "xl/styles.xml";
    Package& p = data->package;
    p.types.ensureDefault("rels", contenttype::relationships);
    p.types.ensureDefault("xml", "application/xml");
    p.types.setOverride("xl/workbook.xml", contenttype::workbook);
    p.types.setOverride("xl/styles.xml", contenttype::styles);
    Relationships root;
    root.items.push_back({"rId1", std::string(reltype::officeDocument), "xl/workbook.xml", false});
    p.setRels("", root);
    p.put("xl/workbook.xml", newWorkbookXml());
    p.put("xl/styles.xml", StyleTable::minimalXml());
    Relationships rels;
    rels.add("styles", "styles.xml");
    p.setRels("xl/workbook.xml", rels);
    data->styles = StyleTable::parse(StyleTable::minimalXml());
    return data;
}

bool sameComments(const std::vector<CommentOut>& now, const CommentPartData* read) {
    const size_t before = read ? read->comments.size() : 0;
    if (now.size() != before) return false;
    for (const CommentOut& c : now) {
        const auto it = read->comments.find({c.row, c.col});
        if (it == read->comments.end() || it->second.text != c.comment.text || it->second.author != c.comment.author)
            return false;
    }
    return true;
}

// The active sheet's tab is the selected one; a tab selected in the part as read (the
// original of a copy, say) is no longer.
void markSelectedTab(std::string& sheetXml, bool selected) {
    for (size_t at = sheetXml.find("sheetView"); at != std::string::npos; at = sheetXml.find("sheetView", at + 1)) {
        const size_t open = sheetXml.rfind('<', at);
        const char next = at + 9 < sheetXml.size() ? sheetXml[at + 9] : '\0';
        const bool startTag = open != std::string::npos && sheetXml.find_first_of("/>", open) >= at &&
                              (next == ' ' || next == '>' || next == '/');
        if (!startTag) continue;
        const size_t end = sheetXml.find('>', at);
        if (end == std::string::npos) return;
        std::string tag = sheetXml.substr(open, end + 1 - open);
        if (selected)
            setAttribute(tag, "tabSelected", "1");
        else
            removeAttribute(tag, "tabSelected");
        sheetXml.replace(open, end + 1 - open, tag);
        return;
    }
}

class PackageWriter {
public:
    PackageWriter(const BookSource& book, std::vector<std::u16string>& notes, bool macroTarget)
        : book_(book), notes_(notes), macroTarget_(macroTarget) {
        source_ = std::dynamic_pointer_cast<WorkbookFileData>(book.fileData());
        // A book read from a package that kept its texts in the cells is saved that way too.
        inlineStrings_ = source_ && source_->sharedStringsPart.empty();
        if (!source_) source_ = newPackage();
        package_ = source_->package;
        workbook_ = parseWorkbookXml(*package_.find(source_->workbookPart));
        workbookRels_ = package_.relsOf(source_->workbookPart);
        for (size_t i = 0; i < workbook_.sheets.size(); ++i) {
            const Relationship* r = workbookRels_.byId(workbook_.sheets[i].relId);
            if (r) taken_.insert(resolveTarget(source_->workbookPart, r->target));
            maxSheetId_ = std::max(maxSheetId_, std::atol(workbook_.sheets[i].sheetId.c_str()));
        }
    }

    // The package but for the worksheet parts, which go to `zip` as they are written (the
    // package holds an empty part in their place).
    Package build(ZipWriter& zip) {
        zip_ = &zip;
        SharedStringWriter strings(&source_->richStrings);
        StyleWriter styles(source_->styles);
        std::vector<SheetOut> out;
        size_t active = 0;
        chooseOwners();
        for (size_t i = 0; i < book_.sheetCount(); ++i) {
            if (i == book_.activeSheet()) active = out.size();
            writeSheet(i, strings, styles, out);
        }
        for (const SheetEntry& e : workbook_.sheets)
            if (!usedRelIds_.count(e.relId)) workbookRels_.remove(e.relId);
        finishStrings(strings);
        finishStyles(styles);
        package_.put(source_->workbookPart, writeWorkbookXml(workbook_, out, active, notes_));
        setWorkbookType();
        package_.setRels(source_->workbookPart, workbookRels_);
        const std::set<std::string> orphans(source_->orphansRead.begin(), source_->orphansRead.end());
        for (const std::string& part : package_.unreachable())
            if (!orphans.count(part)) package_.remove(part);
        return std::move(package_);
    }

private:
    // An .xlsm names its workbook part as macro-enabled; an .xlsx must not, nor carry macros.
    void setWorkbookType() {
        const std::string type = package_.types.of(source_->workbookPart);
        const bool macros = type.find("macroEnabled") != std::string::npos;
        if (macroTarget_ && !macros)
            package_.types.setOverride(source_->workbookPart, "application/vnd.ms-excel.sheet.macroEnabled.main+xml");
        if (!macroTarget_ && macros) {
            if (workbookRels_.firstOfKind("vbaProject"))
                throw FormatError("the workbook holds macros; save it as .xlsm to keep them");
            package_.types.setOverride(source_->workbookPart, contenttype::workbook);
        }
    }

    // Kept parts that name cells of a sheet whose rows or columns were deleted.
    void noteUnmovedReferences(const SheetSource& sheet) {
        bool named = false, dependent = false;
        for (const ElementSpan& c : workbook_.children) named |= c.name == "definedNames";
        for (const std::string& part : package_.order())
            dependent |= part.find("/charts/") != std::string::npos ||
                         part.find("/pivotTables/") != std::string::npos || part.find("/tables/") != std::string::npos;
        if (named)
            notes_.push_back(
                u"defined names (print areas, named ranges) were not adjusted to the rows or columns deleted on "
                u"sheet " +
                sheet.name());
        if (dependent)
            notes_.push_back(u"charts, tables and pivot tables that refer to sheet " + sheet.name() +
                             u" were not adjusted to its deleted rows or columns");
    }

    // Sheets copied in the host share the part they were read from. The part, with everything
    // a copy cannot carry (hyperlinks, drawings, tables...), goes to the sheet the user knows
    // by that name, else to a visible one, else to the first; the other copies get new parts.
    void chooseOwners() {
        std::map<const FileData*, std::pair<int, size_t>> best;  // part data -> (rank, sheet)
        for (size_t i = 0; i < book_.sheetCount(); ++i) {
            const SheetSource& sheet = book_.sheet(i);
            const auto data = std::dynamic_pointer_cast<SheetFileData>(sheet.fileData());
            if (!data || data->package != book_.fileData().get()) continue;
            const int rank =
                (sheet.name() == nameRead(*data) ? 2 : 0) + (sheet.visibility() == host::xlSheetVisible ? 1 : 0);
            const auto [it, first] = best.try_emplace(data.get(), rank, i);
            if (!first && rank > it->second.first) it->second = {rank, i};
        }
        for (const auto& [data, choice] : best) owner_[data] = choice.second;
    }

    std::u16string nameRead(const SheetFileData& data) const {
        for (const SheetEntry& e : workbook_.sheets)
            if (e.relId == data.relId) return e.name;
        return {};
    }

    void writeSheet(size_t index, SharedStringWriter& strings, StyleWriter& styles, std::vector<SheetOut>& out) {
        const SheetSource& sheet = book_.sheet(index);
        auto data = std::dynamic_pointer_cast<SheetFileData>(sheet.fileData());
        const auto owner = data ? owner_.find(data.get()) : owner_.end();
        const bool ours = owner != owner_.end() && owner->second == index;
        SheetOut entry{{sheet.name(), "", sheet.visibility(), ""}, -1};
        if (ours) {
            for (size_t k = 0; k < workbook_.sheets.size(); ++k)
                if (workbook_.sheets[k].relId == data->relId) {
                    entry.readIndex = static_cast<long>(k);
                    entry.entry.sheetId = workbook_.sheets[k].sheetId;
                }
        }
        if (entry.entry.sheetId.empty()) entry.entry.sheetId = std::to_string(++maxSheetId_);
        if (sheet.type() != host::xlWorksheet) {
            if (!ours) {
                notes_.push_back(u"the chart sheet " + sheet.name() + u" could not be saved");
                return;
            }
            entry.entry.relId = data->relId;
            usedRelIds_.insert(data->relId);
            usedPartNames_.insert(data->part);
            out.push_back(entry);
            return;
        }
        std::unique_ptr<SheetFileData> copied;
        if (data && !ours && data->package == book_.fileData().get() && !data->chartSheet) {
            std::vector<std::string> dropped;
            copied = skeletonForCopy(*data, dropped);
            for (const std::string& name : dropped)
                notes_.push_back(u"the copy " + sheet.name() + u" was saved without the original's " +
                                 host::utf16(name) +
                                 u" (drawing objects, controls, tables and linked pictures stay with the original)");
        }
        const SheetFileData* kept = ours ? data.get() : copied.get();
        std::string part;
        if (ours) {
            part = kept->part;
            entry.entry.relId = kept->relId;
        } else {
            part = freshPart("xl/worksheets/sheet", ".xml");
            entry.entry.relId = workbookRels_.add("worksheet", relativeTarget(source_->workbookPart, part));
        }
        usedRelIds_.insert(entry.entry.relId);
        usedPartNames_.insert(part);
        Relationships rels = ours ? package_.relsOf(part) : Relationships{};
        SheetWriteContext ctx{
            strings, styles,        ours ? kept->drawingRelIdRead : "", ours ? kept->legacyRelIdRead : "", notes_, {},
            {},      inlineStrings_};
        const AreaMapper mapAreas = [&](std::vector<Area> areas) {
            sheet.follow(areas, kept ? kept->editsAtLoad : 0);
            return areas;
        };
        if (ours && sheet.editCount() > kept->editsAtLoad) noteUnmovedReferences(sheet);
        if (ours && kept->drawing)
            writeDrawingPart(sheet, *kept, rels, ctx, mapAreas);
        else if (!sheet.drawings().empty())
            notes_.push_back(u"the drawing objects of sheet " + sheet.name() +
                             u" are not saved: only those read from its own file can be");
        ctx.afterCells = [&](SheetWriteContext& c) { writeCommentsAndNotes(part, ours ? kept : nullptr, rels, c); };
        SheetPart xml = assembleSheet(sheet, kept, ctx);
        markSelectedTab(xml.frame, index == book_.activeSheet());
        zip_->addMade(part, [&](const PieceSink& out) { xml.writeTo(out); });
        package_.put(part, {});
        package_.types.setOverride(part, contenttype::worksheet);
        package_.setRels(part, rels);
        out.push_back(entry);
    }

    void writeDrawingPart(const SheetSource& sheet, const SheetFileData& kept, Relationships& rels,
                          SheetWriteContext& ctx, const AreaMapper& mapAreas) {
        const DrawingPartData& d = *kept.drawing;
        const bool moved = sheet.editCount() > kept.editsAtLoad;
        DrawingWrite w = writeDrawing(d, sheet.drawings(), moved ? &mapAreas : nullptr);
        notes_.insert(notes_.end(), w.notes.begin(), w.notes.end());
        if (w.xml.empty()) {
            rels.remove(d.relId);
            ctx.drawingRelId.clear();
            return;
        }
        Relationships drawingRels = package_.relsOf(d.part);
        std::erase_if(drawingRels.items, [&](const Relationship& r) { return !refersTo(w.xml, r.id); });
        package_.put(d.part, std::move(w.xml));
        package_.setRels(d.part, drawingRels);
    }

    void writeCommentsAndNotes(const std::string& sheetPart, const SheetFileData* kept, Relationships& rels,
                               SheetWriteContext& ctx) {
        const CommentPartData* read = kept ? kept->comments.get() : nullptr;
        if (sameComments(ctx.comments, read)) return;  // parts and references stay as they were
        std::vector<std::pair<long, long>> cells;
        std::vector<std::pair<std::pair<long, long>, engine::CommentData>> comments;
        for (const CommentOut& c : ctx.comments) {
            cells.push_back({c.row, c.col});
            comments.push_back({{c.row, c.col}, c.comment});
        }
        // Comments part.
        std::string commentsPart = read ? read->part : "";
        if (comments.empty()) {
            if (read) rels.remove(read->relId);
        } else {
            if (commentsPart.empty()) {
                commentsPart = freshPart("xl/comments", ".xml");
                rels.add("comments", relativeTarget(sheetPart, commentsPart));
            }
            package_.put(commentsPart, commentsToXml(comments));
            package_.types.setOverride(commentsPart, contenttype::comments);
        }
        // The VML drawing that shows them; other shapes in it stay.
        std::string vmlPart = read ? read->vmlPart : "";
        std::string vmlRel = read ? read->vmlRelId : "";
        if (vmlPart.empty() && kept && !kept->legacyRelIdRead.empty())
            if (const Relationship* r = rels.byId(kept->legacyRelIdRead)) {
                vmlPart = resolveTarget(sheetPart, r->target);
                vmlRel = r->id;
            }
        const std::string* keptVml = vmlPart.empty() ? nullptr : package_.find(vmlPart);
        std::string vml = vmlWithNotes(keptVml ? *keptVml : "", cells);
        const bool otherShapes = vml.find("<v:shape ") != std::string::npos;
        if (!otherShapes && comments.empty()) {
            if (!vmlRel.empty()) rels.remove(vmlRel);
            ctx.legacyRelId.clear();
            return;
        }
        if (vmlPart.empty()) {
            vmlPart = freshPart("xl/drawings/vmlDrawing", ".vml");
            vmlRel = rels.add("vmlDrawing", relativeTarget(sheetPart, vmlPart));
        }
        package_.types.ensureDefault("vml", contenttype::vml);
        package_.put(vmlPart, std::move(vml));
        ctx.legacyRelId = vmlRel;
    }

    void finishStrings(const SharedStringWriter& strings) {
        std::string part = source_->sharedStringsPart;
        if (strings.empty() && part.empty()) return;
        if (part.empty()) {
            part = freshPart("xl/sharedStrings", ".xml", true);
            workbookRels_.add("sharedStrings", relativeTarget(source_->workbookPart, part));
        }
        zip_->addMade(part, [&](const PieceSink& out) { strings.writeXml(out); });
        package_.put(part, {});
        package_.types.setOverride(part, contenttype::sharedStrings);
    }

    void finishStyles(const StyleWriter& styles) {
        std::string part = source_->stylesPart;
        if (!styles.changed() && !part.empty()) return;
        if (part.empty()) {
            part = freshPart("xl/styles", ".xml", true);
            workbookRels_.add("styles", relativeTarget(source_->workbookPart, part));
        }
        package_.put(part, styles.toXml());
        package_.types.setOverride(part, contenttype::styles);
    }

    // "xl/comments1.xml"…; with `plain`, "xl/sharedStrings.xml" first.
    std::string freshPart(std::string_view prefix, std::string_view suffix, bool plain = false) {
        for (int n = plain ? 0 : 1;; ++n) {
            const std::string name = std::string(prefix) + (n ? std::to_string(n) : "") + std::string(suffix);
            if (!package_.has(name) && !taken_.count(name) && !usedPartNames_.count(name)) {
                taken_.insert(name);
                return name;
            }
        }
    }

    const BookSource& book_;
    std::vector<std::u16string>& notes_;
    ZipWriter* zip_ = nullptr;
    std::shared_ptr<WorkbookFileData> source_;
    bool inlineStrings_ = false;
    Package package_;
    WorkbookPart workbook_;
    Relationships workbookRels_;
    std::set<std::string> taken_, usedPartNames_, usedRelIds_;
    std::map<const FileData*, size_t> owner_;  // which sheet writes the part it was read from
    long maxSheetId_ = 0;
    bool macroTarget_;
};

// The archive keeps the order it was read in; new parts follow.
std::vector<std::string> writingOrder(const Package& package, const BookSource& book) {
    std::vector<std::string> order;
    std::set<std::string> placed;
    if (const auto source = std::dynamic_pointer_cast<WorkbookFileData>(book.fileData()))
        for (const std::string& name : source->entryOrder)
            if (package.has(name) && placed.insert(name).second) order.push_back(name);
    for (const std::string& name : package.order())
        if (placed.insert(name).second) order.push_back(name);
    return order;
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::exists(a, error) && fs::exists(b, error) && fs::equivalent(a, b, error);
}

}  // namespace

void replaceFile(const std::string& path, const std::function<void(const std::string&)>& write) {
    try {
        base::replaceFile(path, [&](const fs::path& temporary) { write(temporary.string()); });
    } catch (const base::FileWriteError& e) {
        throw FileError(path, e.problem());
    }
}

std::vector<std::u16string> writeXlsx(const BookSource& book, const std::string& path, const SaveOptions& options) {
    std::vector<std::u16string> notes;
    const auto source = std::dynamic_pointer_cast<WorkbookFileData>(book.fileData());
    if (source && !options.overwriteSource && samePath(source->sourcePath, path))
        throw FileError(path, "this is the file the workbook was opened from; saving over it must be asked for");
    try {
        std::string extension = fs::path(path).extension().string();
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        PackageWriter writer(book, notes, extension == ".xlsm");
        ZipWriter zip;
        Package package = writer.build(zip);
        zip.add("[Content_Types].xml", package.types.toXml());
        std::vector<std::string> order{"[Content_Types].xml"};
        for (const std::string& part : writingOrder(package, book)) {
            if (part == "[Content_Types].xml") continue;
            order.push_back(part);
            if (zip.holds(part)) continue;
            std::string bytes = package.take(part);
            const bool big = bytes.size() > (1u << 20);
            zip.add(part, std::move(bytes), big);
        }
        zip.arrange(order);
        base::replaceFileContentPieceByPiece(path, [&](const PieceSink& write) { zip.close(write); });
    } catch (const base::FileWriteError& e) {
        throw FileError(path, e.problem());
    } catch (const FormatError& e) {
        throw FileError(path, e.what());
    } catch (const fs::filesystem_error& e) {
        throw FileError(path, std::string("cannot be written: ") + e.code().message());
    } catch (const std::bad_alloc&) {
        throw FileError(path, "there is not enough memory to write it");
    }
    // The same remark about several elements is said once.
    std::vector<std::u16string> unique;
    for (std::u16string& note : notes)
        if (std::find(unique.begin(), unique.end(), note) == unique.end()) unique.push_back(std::move(note));
    return unique;
}

}  // namespace files
