#include "files/sheet_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "files/cell_ref.h"
#include "files/kept_ranges.h"
#include "files/validation_xml.h"
#include "files/xml_splice.h"
#include "files/xml_text.h"
#include "host/constants.h"
#include "host/text.h"

namespace files {

using host::Variant;

const std::vector<std::string_view>& worksheetChildOrder() {
    static const std::vector<std::string_view> order = {
        "sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData", "sheetCalcPr",
        "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState", "dataConsolidate",
        "customSheetViews", "mergeCells", "phoneticPr", "conditionalFormatting", "dataValidations",
        "hyperlinks", "printOptions", "pageMargins", "pageSetup", "headerFooter", "rowBreaks", "colBreaks",
        "customProperties", "cellWatches", "ignoredErrors", "smartTags", "drawing", "legacyDrawing",
        "legacyDrawingHF", "picture", "oleObjects", "controls", "webPublishItems", "tableParts", "extLst"};
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

void appendNumber(std::string& out, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

class CellsWriter {
public:
    CellsWriter(SheetWriteContext& context, const SheetFileData* data, std::string& out,
                const std::map<long, std::string>& rowAttributes)
        : ctx_(context), data_(data), out_(out), rowAttributes_(rowAttributes), nextAttributes_(rowAttributes.begin()) {}

    void cell(long row, long col, const Cell& cell) {
        if (row != row_) openRow(row);
        if (cell.comment) ctx_.comments.push_back({row, col, cell.comment});
        const Variant& v = cell.value;
        const std::uint32_t style = ctx_.styles.formatFor(cell.styleId, cell.colorIndex, v.isDate());
        if (cell.value.isEmpty() && cell.formula.empty() && style == 0) return;  // a comment alone
        out_ += "<c r=\"";
        appendCellRef(out_, row, col);
        out_ += '"';
        if (style) {
            out_ += " s=\"";
            appendNumber(out_, style);
            out_ += '"';
        }
        const bool formula = !cell.formula.empty();
        switch (v.kind()) {
        case host::VariantKind::Text: out_ += formula ? " t=\"str\"" : " t=\"s\""; break;
        case host::VariantKind::Boolean: out_ += " t=\"b\""; break;
        case host::VariantKind::Error: out_ += " t=\"e\""; break;
        default: break;
        }
        out_ += '>';
        if (formula) appendFormula(row, col, cell.formula);
        appendValue(v, formula);
        out_ += "</c>";
    }

    void finish() {
        closeRow();
        while (nextAttributes_ != rowAttributes_.end()) emitAttributeOnlyRow();
    }

private:
    void appendFormula(long row, long col, const std::u16string& formula) {
        const std::u16string_view text = std::u16string_view(formula).substr(formula[0] == u'=' ? 1 : 0);
        if (data_) {
            const auto array = data_->arrayFormulas.find({row, col});
            if (array != data_->arrayFormulas.end() && array->second.first == formula) {
                out_ += "<f t=\"array\" ref=\"" + array->second.second + "\">";
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
            out_ += "<v>";
            if (formula) appendXmlText(out_, v.text());
            else appendNumber(out_, ctx_.strings.indexOf(v.text()));
            break;
        case host::VariantKind::Boolean: out_ += v.boolean() ? "<v>1" : "<v>0"; break;
        case host::VariantKind::Error:
            out_ += "<v>";
            appendXmlText(out_, v.errorText().empty() ? u"#VALUE!" : v.errorText());
            break;
        }
        out_ += "</v>";
    }

    void openRow(long row) {
        closeRow();
        while (nextAttributes_ != rowAttributes_.end() && nextAttributes_->first < row) emitAttributeOnlyRow();
        out_ += "<row r=\"";
        appendNumber(out_, row);
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
        appendNumber(out_, nextAttributes_->first);
        out_ += '"' + nextAttributes_->second + "/>";
        ++nextAttributes_;
    }

    SheetWriteContext& ctx_;
    const SheetFileData* data_;
    std::string& out_;
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

std::string writeSheetXml(const SheetSource& sheet, const SheetFileData* data, SheetWriteContext& ctx) {
    Skeleton s = skeletonOf(data);
    const std::string& p = s.prefix;
    const bool moved = data && sheet.editCount() > data->editsAtLoad;
    const AreaMapper mapAreas = [&](std::vector<Area> areas) {
        sheet.follow(areas, data ? data->editsAtLoad : 0);
        return areas;
    };
    std::vector<XmlEdit> edits;

    // Cells.
    std::map<long, std::string> rowAttributes;
    if (data) {
        for (const auto& [row, attributes] : data->rowAttributes) {
            auto rows = moved ? mapAreas({Area{row, 1, row, host::kMaxColumns}}) : std::vector<Area>{{row, 1, row, 1}};
            if (!rows.empty()) rowAttributes[rows.front().row1] = attributes;
        }
    }
    // In a part that prefixes its elements, the cells take the main namespace as default.
    std::string cells = p.empty() ? "<sheetData>" : "<sheetData xmlns=\"" + std::string(ns::main) + "\">";
    long minRow = 0, minCol = 0, maxRow = 0, maxCol = 0;
    {
        CellsWriter writer(ctx, data, cells, rowAttributes);
        sheet.forEachCellByRows([&](long row, long col, const Cell& cell) {
            if (!minRow || row < minRow) minRow = row;
            if (!minCol || col < minCol) minCol = col;
            maxRow = std::max(maxRow, row);
            maxCol = std::max(maxCol, col);
            writer.cell(row, col, cell);
        });
        writer.finish();
    }
    cells += "</sheetData>";
    if (ctx.afterCells) ctx.afterCells(ctx);
    edits.push_back({s.sheetDataAt, s.sheetDataAt, std::move(cells)});
    if (!s.hasSheetData) edits.back().begin = edits.back().end = orderedPoint(s, "sheetData");

    // Dimension.
    if (const ElementSpan* dim = childNamed(s, "dimension")) {
        std::string ref;
        appendAreaRef(ref, minRow ? Area{minRow, minCol, maxRow, maxCol} : Area{1, 1, 1, 1});
        edits.push_back({dim->begin, dim->end, "<" + p + "dimension ref=\"" + ref + "\"/>"});
    }

    // Selection.
    const bool selectionChanged = !data || !sameAreas(sheet.selection(), data->selectionRead) ||
                                  sheet.activeRow() != data->activeRowRead || sheet.activeCol() != data->activeColRead;
    if (selectionChanged) {
        if (data && data->selectionEnd > data->selectionBegin) {
            edits.push_back({data->selectionBegin, data->selectionEnd,
                             selectionXml(sheet, p, s.xml.substr(data->selectionBegin, data->selectionEnd - data->selectionBegin))});
        } else if (data && data->sheetViewClose) {
            edits.push_back({data->sheetViewClose, data->sheetViewClose, selectionXml(sheet, p, "")});
        } else if (!data) {
            const std::uint64_t at = s.xml.find("</sheetView>");
            edits.push_back({at, at, selectionXml(sheet, p, "")});
        } else if (!childNamed(s, "sheetViews")) {
            const std::uint64_t at = orderedPoint(s, "sheetViews");
            edits.push_back({at, at, "<" + p + "sheetViews><" + p + "sheetView workbookViewId=\"0\">" +
                                         selectionXml(sheet, p, "") + "</" + p + "sheetView></" + p + "sheetViews>"});
        } else {
            ctx.notes.push_back(u"the selection of sheet " + sheet.name() + u" could not be saved");
        }
    }

    // Validations.
    const ElementSpan* validations = childNamed(s, "dataValidations");
    if (!data || !sameRules(sheet.validations(), data->validationsRead)) {
        std::string xml = validationsToXml(sheet.validations(), p);
        if (validations) edits.push_back({validations->begin, validations->end, std::move(xml)});
        else if (!xml.empty()) {
            const std::uint64_t at = orderedPoint(s, "dataValidations");
            edits.push_back({at, at, std::move(xml)});
        }
    }

    // Drawing references.
    auto relationshipElement = [&](std::string_view name, const std::string& relId) {
        const ElementSpan* existing = childNamed(s, name);
        std::string xml;
        if (!relId.empty())
            xml = "<" + p + std::string(name) + " xmlns:r=\"" + std::string(ns::rel) + "\" r:id=\"" + relId + "\"/>";
        if (existing) {
            const bool same = !relId.empty() &&
                              s.xml.substr(existing->begin, existing->end - existing->begin).find("\"" + relId + "\"") !=
                                  std::string::npos;
            if (!same) edits.push_back({existing->begin, existing->end, std::move(xml)});
        } else if (!relId.empty()) {
            const std::uint64_t at = orderedPoint(s, name);
            edits.push_back({at, at, std::move(xml)});
        }
    };
    relationshipElement("drawing", ctx.drawingRelId);
    relationshipElement("legacyDrawing", ctx.legacyRelId);

    // Ranges of kept elements follow deleted rows and columns.
    if (moved) {
        for (const ElementSpan& child : s.children) {
            std::string text = s.xml.substr(child.begin, child.end - child.begin);
            const std::string before = text;
            if (child.name == "mergeCells") {
                if (moveRangeAttributes(text, "mergeCell", "ref", mapAreas))
                    ctx.notes.push_back(u"merged cells inside deleted rows or columns were removed");
                const long left = static_cast<long>(std::count(text.begin(), text.end(), '<')) - 2;
                if (left <= 0) text.clear();
                else setAttribute(text, "count", std::to_string(left));
            } else if (child.name == "hyperlinks") {
                moveRangeAttributes(text, "hyperlink", "ref", mapAreas);
            } else if (child.name == "autoFilter") {
                moveRangeAttributes(text, "autoFilter", "ref", mapAreas);
            } else if (child.name == "cols") {
                moveColumnSpans(text, mapAreas);
            } else if (child.name == "conditionalFormatting") {
                const auto sqref = movedSqref(attributeOf(text, "sqref"), mapAreas);
                if (!sqref) text.clear();
                else setAttribute(text, "sqref", *sqref);
                if (text.find("formula>") != std::string::npos)
                    ctx.notes.push_back(u"formulas of conditional formats on sheet " + sheet.name() +
                                        u" were not adjusted to the deleted rows or columns");
            } else if (child.name == "tableParts" || child.name == "oleObjects" || child.name == "controls") {
                ctx.notes.push_back(u"tables and embedded objects on sheet " + sheet.name() +
                                    u" were not moved with the deleted rows or columns");
            }
            if (text != before) edits.push_back({child.begin, child.end, std::move(text)});
        }
    }
    return applyEdits(s.xml, std::move(edits));
}

}  // namespace files
