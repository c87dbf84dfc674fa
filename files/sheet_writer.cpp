#include "files/sheet_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "files/cell_ref.h"
#include "files/file_error.h"
#include "files/kept_ranges.h"
#include "files/validation_xml.h"
#include "files/xml_splice.h"
#include "files/xml_text.h"
#include "host/constants.h"
#include "host/text.h"

namespace files {

using host::Variant;

const std::vector<std::string_view>& worksheetChildOrder() {
    static const std::vector<std::string_view> order = {"sheetPr",
                                                        "dimension",
                                                        "sheetViews",
                                                        "sheetFormatPr",
                                                        "cols",
                                                        "sheetData",
                                                        "sheetCalcPr",
                                                        "sheetProtection",
                                                        "protectedRanges",
                                                        "scenarios",
                                                        "autoFilter",
                                                        "sortState",
                                                        "dataConsolidate",
                                                        "customSheetViews",
                                                        "mergeCells",
                                                        "phoneticPr",
                                                        "conditionalFormatting",
                                                        "dataValidations",
                                                        "hyperlinks",
                                                        "printOptions",
                                                        "pageMargins",
                                                        "pageSetup",
                                                        "headerFooter",
                                                        "rowBreaks",
                                                        "colBreaks",
                                                        "customProperties",
                                                        "cellWatches",
                                                        "ignoredErrors",
                                                        "smartTags",
                                                        "drawing",
                                                        "legacyDrawing",
                                                        "legacyDrawingHF",
                                                        "picture",
                                                        "oleObjects",
                                                        "controls",
                                                        "webPublishItems",
                                                        "tableParts",
                                                        "extLst"};
    return order;
}

namespace {

constexpr const char* kNewSheet =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheetViews><sheetView workbookViewId=\"0\"></sheetView></sheetViews>"
    "<sheetData/><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
    "</worksheet>";

// Row numbers, style ids and string indexes are integers: never an exponent ("1e+05" is not
// a row number any reader accepts).
void appendInteger(std::string& out, std::uint64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// A cell's number: whole numbers below 1e15 as plain digits, as spreadsheet programs write
// them; anything else in the shortest form that reads back to the same double.
void appendNumber(std::string& out, double value) {
    char buffer[32];
    const bool plain = value == std::trunc(value) && std::fabs(value) < 1e15;
    const auto result = plain ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value))
                              : std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// Writes the rows of cells to a sink in pieces of about kPieceBytes.
class CellsWriter {
public:
    CellsWriter(SheetWriteContext& context, const SheetFileData* data, const PieceSink& sink,
                const std::map<long, std::string>& rowAttributes)
        : ctx_(context),
          data_(data),
          sink_(sink),
          rowAttributes_(rowAttributes),
          nextAttributes_(rowAttributes.begin()) {
        out_.reserve(kPieceBytes + 1024);
    }

    void cell(long row, long col, const Cell& cell) {
        writeCell(row, col, cell);
        if (out_.size() >= kPieceBytes) flush();
    }

    void finish() {
        closeRow();
        while (nextAttributes_ != rowAttributes_.end()) emitAttributeOnlyRow();
        flush();
    }

private:
    static constexpr size_t kPieceBytes = 1u << 16;

    void flush() {
        if (out_.empty()) return;
        sink_(out_);
        out_.clear();
    }

    void writeCell(long row, long col, const Cell& cell) {
        if (row != row_) openRow(row);
        const Variant& v = cell.value;
        const std::uint32_t style = ctx_.styles.formatFor(cell.styleId, cell.colorIndex, v.isDate());
        if (cell.value.isEmpty() && cell.formula().empty() && style == 0) return;  // a comment alone
        out_ += "<c r=\"";
        appendCellRef(out_, row, col);
        out_ += '"';
        if (style) {
            out_ += " s=\"";
            appendInteger(out_, style);
            out_ += '"';
        }
        const bool formula = !cell.formula().empty();
        switch (v.kind()) {
        case host::VariantKind::Text:
            out_ += formula ? " t=\"str\"" : ctx_.inlineStrings ? " t=\"inlineStr\"" : " t=\"s\"";
            break;
        case host::VariantKind::Boolean: out_ += " t=\"b\""; break;
        case host::VariantKind::Error: out_ += " t=\"e\""; break;
        default: break;
        }
        out_ += '>';
        if (formula) appendFormula(row, col, cell.formula());
        appendValue(v, formula);
        out_ += "</c>";
    }

    void appendFormula(long row, long col, const std::u16string& formula) {
        const std::u16string_view text = std::u16string_view(formula).substr(formula[0] == u'=' ? 1 : 0);
        if (data_) {
            const auto array = data_->arrayFormulas.find({row, col});
            if (array != data_->arrayFormulas.end() && array->second.first == formula) {
                out_ += "<f t=\"array\" ref=\"";
                appendEscapedUtf8(out_, array->second.second, true);  // as read: any text
                out_ += "\">";
                appendXmlText(out_, text);
                out_ += "</f>";
                return;
            }
        }
        out_ += "<f>";
        appendXmlText(out_, text);
        out_ += "</f>";
    }

    void appendValue(const Variant& v, bool formula) {
        switch (v.kind()) {
        case host::VariantKind::Empty: return;
        case host::VariantKind::Number:
        case host::VariantKind::Date:
            if (!std::isfinite(v.number())) {
                ctx_.notes.push_back(u"a cell held a number the file cannot store; it was written as #NUM!");
                out_.insert(out_.rfind('>'), " t=\"e\"");
                out_ += "<v>#NUM!</v>";
                return;
            }
            out_ += "<v>";
            appendNumber(out_, v.number());
            break;
        case host::VariantKind::Text:
            if (!formula && ctx_.inlineStrings) return appendInlineString(v.text());
            out_ += "<v>";
            if (formula)
                appendXmlText(out_, v.text());
            else
                appendInteger(out_, ctx_.strings.indexOf(v.text()));
            break;
        case host::VariantKind::Boolean: out_ += v.boolean() ? "<v>1" : "<v>0"; break;
        case host::VariantKind::Error:
            out_ += "<v>";
            appendXmlText(out_, v.errorText().empty() ? u"#VALUE!" : v.errorText());
            break;
        }
        out_ += "</v>";
    }

    void appendInlineString(std::u16string_view text) {
        const auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
        const bool keepSpaces = !text.empty() && (isSpace(text.front()) || isSpace(text.back()));
        out_ += keepSpaces ? "<is><t xml:space=\"preserve\">" : "<is><t>";
        appendXmlText(out_, text);
        out_ += "</t></is>";
    }

    void openRow(long row) {
        closeRow();
        while (nextAttributes_ != rowAttributes_.end() && nextAttributes_->first < row) emitAttributeOnlyRow();
        out_ += "<row r=\"";
        appendInteger(out_, static_cast<std::uint64_t>(row));
        out_ += '"';
        if (nextAttributes_ != rowAttributes_.end() && nextAttributes_->first == row) {
            out_ += nextAttributes_->second;
            ++nextAttributes_;
        }
        out_ += '>';
        row_ = row;
    }

    void closeRow() {
        if (row_) out_ += "</row>";
        row_ = 0;
    }

    void emitAttributeOnlyRow() {
        out_ += "<row r=\"";
        appendInteger(out_, static_cast<std::uint64_t>(nextAttributes_->first));
        out_ += '"' + nextAttributes_->second + "/>";
        ++nextAttributes_;
    }

    SheetWriteContext& ctx_;
    const SheetFileData* data_;
    const PieceSink& sink_;
    std::string out_;
    const std::map<long, std::string>& rowAttributes_;
    std::map<long, std::string>::const_iterator nextAttributes_;
    long row_ = 0;
};

bool sameRules(const std::vector<ValidationRule>& a, const std::vector<ValidationRule>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const ValidationRule &x = a[i], &y = b[i];
        if (x.type != y.type || x.alertStyle != y.alertStyle || x.op != y.op || x.formula1 != y.formula1 ||
            x.formula2 != y.formula2 || x.ignoreBlank != y.ignoreBlank || x.inCellDropdown != y.inCellDropdown ||
            x.showInput != y.showInput || x.showError != y.showError || x.inputTitle != y.inputTitle ||
            x.errorTitle != y.errorTitle || x.inputMessage != y.inputMessage || x.errorMessage != y.errorMessage ||
            !sameAreas(x.areas, y.areas) || x.anchorRow != y.anchorRow || x.anchorCol != y.anchorCol)
            return false;
    }
    return true;
}

// The kept part, its children and prefix; for a new sheet, a blank part parsed the same way.
struct Skeleton {
    std::string xml;
    std::vector<ElementSpan> children;
    std::string prefix;
    std::uint64_t sheetDataAt = 0;
    bool hasSheetData = false;
    std::uint64_t rootTagEnd = 0;
};

Skeleton skeletonOf(const SheetFileData* data) {
    Skeleton s;
    if (data) {
        s.xml = data->xml;
        s.children = data->children;
        s.prefix = data->rootPrefix;
        s.sheetDataAt = data->sheetDataAt;
        s.hasSheetData = data->hasSheetData;
        s.rootTagEnd = s.xml.find('>', s.xml.find("worksheet")) + 1;
        return s;
    }
    const std::string blank = kNewSheet;
    const size_t data0 = blank.find("<sheetData/>");
    s.xml = blank.substr(0, data0) + blank.substr(data0 + 12);
    s.sheetDataAt = data0;
    s.hasSheetData = true;
    s.rootTagEnd = blank.find('>', blank.find("<worksheet")) + 1;
    const size_t views = blank.find("<sheetViews>");
    s.children.push_back({"sheetViews", views, data0});
    const size_t margins = data0;
    s.children.push_back({"pageMargins", margins, s.xml.find("</worksheet>")});
    return s;
}

const ElementSpan* childNamed(const Skeleton& s, std::string_view name) {
    for (const ElementSpan& c : s.children)
        if (c.name == name) return &c;
    return nullptr;
}

std::uint64_t orderedPoint(const Skeleton& s, std::string_view name) {
    const auto& order = worksheetChildOrder();
    auto rank = [&](std::string_view n) {
        const auto it = std::find(order.begin(), order.end(), n);
        return it == order.end() ? -1 : static_cast<int>(it - order.begin());
    };
    std::uint64_t point = s.rootTagEnd;
    const int mine = rank(name);
    // <sheetData> counts as a child even though its text was cut out.
    const int dataRank = rank("sheetData");
    bool dataPlaced = !s.hasSheetData;
    for (const ElementSpan& c : s.children) {
        if (!dataPlaced && c.begin >= s.sheetDataAt) {
            if (dataRank > mine) return s.sheetDataAt;
            point = s.sheetDataAt;
            dataPlaced = true;
        }
        if (rank(c.name) > mine) return c.begin;
        point = c.end;
    }
    if (!dataPlaced && dataRank > mine) return s.sheetDataAt;
    return std::max(point, dataPlaced ? point : s.sheetDataAt);
}

std::string selectionXml(const SheetSource& sheet, const std::string& prefix, std::string tag) {
    std::string active;
    appendCellRef(active, sheet.activeRow(), sheet.activeCol());
    if (tag.empty()) tag = "<" + prefix + "selection/>";
    setAttribute(tag, "activeCell", active);
    removeAttribute(tag, "activeCellId");
    setAttribute(tag, "sqref", sqrefOf(sheet.selection()));
    return tag;
}

}  // namespace

namespace {

// Builds the edits that turn the kept text into the part to write, one concern at a time.
class SheetAssembler {
public:
    SheetAssembler(const SheetSource& sheet, const SheetFileData* data, SheetWriteContext& ctx)
        : sheet_(sheet),
          data_(data),
          ctx_(ctx),
          s_(skeletonOf(data)),
          p_(s_.prefix),
          moved_(data && sheet.editCount() > data->editsAtLoad) {
        mapAreas_ = [this](std::vector<Area> areas) {
            sheet_.follow(areas, data_ ? data_->editsAtLoad : 0);
            return areas;
        };
    }

    SheetPart assemble() {
        if (data_ && data_->dataTables)
            ctx_.notes.push_back(u"what-if data tables on sheet " + sheet_.name() +
                                 u" are saved as their last values only");
        if (data_ && data_->cellMetadata)
            ctx_.notes.push_back(u"cell metadata on sheet " + sheet_.name() +
                                 u" (dynamic array spills, linked data types) is not kept; formulas and values are");
        survey();
        if (ctx_.afterCells) ctx_.afterCells(ctx_);
        sheetData();
        dimension();
        selection();
        validations();
        relationshipElement("drawing", ctx_.drawingRelId);
        relationshipElement("legacyDrawing", ctx_.legacyRelId);
        if (moved_) movedRanges();
        return {applyEdits(s_.xml, std::move(edits_)), rowsWriter()};
    }

private:
    void insert(std::string_view name, std::string xml) {
        const std::uint64_t at = orderedPoint(s_, name);
        edits_.push_back({at, at, std::move(xml)});
    }

    // Where the cells lie and their comments, which the part names before and after the rows.
    void survey() {
        if (const auto area = sheet_.cellsArea()) used_ = *area;
        sheet_.forEachCommentedCell([&](long row, long col, const Cell& cell) {
            ctx_.comments.push_back({row, col, *cell.comment()});
        });
    }

    // <sheetData>, with the mark where its rows go.
    void sheetData() {
        // In a part that prefixes its elements, the cells take the main namespace as default.
        std::string xml = p_.empty() ? "<sheetData>" : "<sheetData xmlns=\"" + std::string(ns::main) + "\">";
        xml += kRowsMark;
        xml += "</sheetData>";
        if (s_.hasSheetData)
            edits_.push_back({s_.sheetDataAt, s_.sheetDataAt, std::move(xml)});
        else
            insert("sheetData", std::move(xml));
    }

    std::map<long, std::string> rowAttributes() const {
        std::map<long, std::string> attributes;
        if (!data_) return attributes;
        for (const auto& [row, text] : data_->rowAttributes) {
            auto rows =
                moved_ ? mapAreas_({Area{row, 1, row, host::kMaxColumns}}) : std::vector<Area>{{row, 1, row, 1}};
            if (!rows.empty()) attributes[rows.front().row1] = text;
        }
        return attributes;
    }

    std::function<void(const PieceSink&)> rowsWriter() const {
        return [&sheet = sheet_, data = data_, &ctx = ctx_, attributes = rowAttributes()](const PieceSink& out) {
            CellsWriter writer(ctx, data, out, attributes);
            sheet.forEachCellByRows([&](long row, long col, const Cell& cell) { writer.cell(row, col, cell); });
            writer.finish();
        };
    }

    void dimension() {
        const ElementSpan* dim = childNamed(s_, "dimension");
        if (!dim) return;
        std::string ref;
        appendAreaRef(ref, used_.row1 ? used_ : Area{1, 1, 1, 1});
        edits_.push_back({dim->begin, dim->end, "<" + p_ + "dimension ref=\"" + ref + "\"/>"});
    }

    void selection() {
        const bool changed = !data_ || !sameAreas(sheet_.selection(), data_->selectionRead) ||
                             sheet_.activeRow() != data_->activeRowRead || sheet_.activeCol() != data_->activeColRead;
        if (!changed) return;
        if (data_ && data_->selectionEnd > data_->selectionBegin) {
            const std::string tag = s_.xml.substr(data_->selectionBegin, data_->selectionEnd - data_->selectionBegin);
            edits_.push_back({data_->selectionBegin, data_->selectionEnd, selectionXml(sheet_, p_, tag)});
        } else if (data_ && data_->sheetViewClose) {
            edits_.push_back({data_->sheetViewClose, data_->sheetViewClose, selectionXml(sheet_, p_, "")});
        } else if (!data_) {
            const std::uint64_t at = s_.xml.find("</sheetView>");
            edits_.push_back({at, at, selectionXml(sheet_, p_, "")});
        } else if (!childNamed(s_, "sheetViews")) {
            insert("sheetViews", "<" + p_ + "sheetViews><" + p_ + "sheetView workbookViewId=\"0\">" +
                                     selectionXml(sheet_, p_, "") + "</" + p_ + "sheetView></" + p_ + "sheetViews>");
        } else {
            ctx_.notes.push_back(u"the selection of sheet " + sheet_.name() + u" could not be saved");
        }
    }

    void validations() {
        if (data_ && sameRules(sheet_.validations(), data_->validationsRead)) return;
        std::string xml = validationsToXml(sheet_.validations(), p_);
        if (const ElementSpan* existing = childNamed(s_, "dataValidations"))
            edits_.push_back({existing->begin, existing->end, std::move(xml)});
        else if (!xml.empty())
            insert("dataValidations", std::move(xml));
    }

    // <drawing r:id> or <legacyDrawing r:id>: kept when it names `relId`, else replaced or removed.
    void relationshipElement(std::string_view name, const std::string& relId) {
        const ElementSpan* existing = childNamed(s_, name);
        std::string id;  // as the attribute is written: an id read from the file may hold '<' or '"'
        appendEscapedUtf8(id, relId, true);
        std::string xml;
        if (!relId.empty())
            xml = "<" + p_ + std::string(name) + " xmlns:r=\"" + std::string(ns::rel) + "\" r:id=\"" + id + "\"/>";
        if (existing) {
            const std::string text = s_.xml.substr(existing->begin, existing->end - existing->begin);
            if (relId.empty() || text.find("\"" + id + "\"") == std::string::npos)
                edits_.push_back({existing->begin, existing->end, std::move(xml)});
        } else if (!relId.empty()) {
            insert(name, std::move(xml));
        }
    }

    // Ranges in kept elements follow deleted rows and columns.
    void movedRanges() {
        for (const ElementSpan& child : s_.children) {
            std::string text = s_.xml.substr(child.begin, child.end - child.begin);
            const std::string before = text;
            moveRanges(child.name, text);
            if (text != before) edits_.push_back({child.begin, child.end, std::move(text)});
        }
    }

    void moveRanges(const std::string& name, std::string& text) {
        if (name == "mergeCells") {
            if (moveRangeAttributes(text, "mergeCell", "ref", mapAreas_))
                ctx_.notes.push_back(u"merged cells inside deleted rows or columns were removed");
            const long left = static_cast<long>(std::count(text.begin(), text.end(), '<')) - 2;
            if (left <= 0)
                text.clear();
            else
                setAttribute(text, "count", std::to_string(left));
        } else if (name == "hyperlinks") {
            moveRangeAttributes(text, "hyperlink", "ref", mapAreas_);
        } else if (name == "autoFilter") {
            moveRangeAttributes(text, "autoFilter", "ref", mapAreas_);
        } else if (name == "cols") {
            moveColumnSpans(text, mapAreas_);
        } else if (name == "conditionalFormatting") {
            const auto sqref = movedSqref(attributeOf(text, "sqref"), mapAreas_);
            if (!sqref)
                text.clear();
            else
                setAttribute(text, "sqref", *sqref);
            if (text.find("formula>") != std::string::npos)
                ctx_.notes.push_back(u"formulas of conditional formats on sheet " + sheet_.name() +
                                     u" were not adjusted to the deleted rows or columns");
        } else if (name == "tableParts" || name == "oleObjects" || name == "controls") {
            ctx_.notes.push_back(u"tables and embedded objects on sheet " + sheet_.name() +
                                 u" were not moved with the deleted rows or columns");
        }
    }

    const SheetSource& sheet_;
    const SheetFileData* data_;
    SheetWriteContext& ctx_;
    Skeleton s_;
    const std::string p_;
    const bool moved_;
    AreaMapper mapAreas_;
    std::vector<XmlEdit> edits_;
    Area used_{0, 0, 0, 0};
};

}  // namespace

void SheetPart::writeTo(const PieceSink& out) const {
    const size_t at = frame.find(kRowsMark);
    // Without the mark the rows would have nowhere to go: the save fails (and leaves the file
    // as it was) rather than writing a sheet without its cells.
    if (at == std::string::npos) throw FormatError("a worksheet's cells could not be placed in its part");
    out(std::string_view(frame).substr(0, at));
    writeRows(out);
    out(std::string_view(frame).substr(at + kRowsMark.size()));
}

SheetPart assembleSheet(const SheetSource& sheet, const SheetFileData* data, SheetWriteContext& ctx) {
    return SheetAssembler(sheet, data, ctx).assemble();
}

std::string writeSheetXml(const SheetSource& sheet, const SheetFileData* data, SheetWriteContext& ctx) {
    std::string xml;
    assembleSheet(sheet, data, ctx).writeTo([&](std::string_view piece) { xml += piece; });
    return xml;
}

}  // namespace files
