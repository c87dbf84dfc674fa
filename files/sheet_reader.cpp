#include "files/sheet_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "files/cell_ref.h"
#include "files/file_error.h"
#include "files/formula_shift.h"
#include "files/recent_texts.h"
#include "files/validation_xml.h"
#include "files/xml_splice.h"
#include "files/xml_text.h"
#include "host/constants.h"
#include "host/text.h"

namespace files {

using host::Variant;

bool isoDateToSerial(std::string_view text, double& serial) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    double s = 0;
    if (std::sscanf(std::string(text).c_str(), "%d-%d-%dT%d:%d:%lf", &y, &mo, &d, &h, &mi, &s) < 3) return false;
    if (mo < 1 || mo > 12 || d < 1 || d > 31) return false;
    // Days from 1899-12-30, the serial epoch (serial 60, 29 Feb 1900, only exists in the host).
    const int a = (14 - mo) / 12, yy = y + 4800 - a, mm = mo + 12 * a - 3;
    const long jdn = d + (153 * mm + 2) / 5 + 365L * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
    double days = static_cast<double>(jdn - 2415019);  // JDN of 1899-12-30
    if (days < 61) days -= 1;                          // before the phantom 29 Feb 1900
    if (days < 1) days += 1;
    serial = days + (h * 3600 + mi * 60 + s) / 86400.0;
    return true;
}

class SheetXmlReader::Handler : public XmlHandler, public CellSink {
public:
    Handler(SheetReadContext context, SheetSink& sink, SheetFileData& data)
        : ctx_(std::move(context)), sink_(sink), data_(data), recorder_(*this) {}

    void startElement(const XmlName& name, const XmlAttributes& a) override;
    void endElement(const XmlName& name) override;
    void text(std::string_view t) override {
        if (!collect_) return;
        checkCollected(text_.size() + inline_.size() + t.size());  // inline text gathers runs
        text_.append(t);
    }

    void cell(const ScannedCell& cell) override;
    void finish();

    std::string drawingRelId, legacyRelId;
    std::string kept;

private:
    // A cell's text, formula or value is far shorter (32,767 characters, three bytes each at
    // most); the bound keeps a hostile run of text from being gathered up whole.
    static constexpr size_t kMaxCollectedText = 1u << 20;
    // A worksheet has a few dozen kinds of element beside its cells, each at most once.
    static constexpr size_t kMaxSheetChildren = 100000;
    enum class In { None, Value, Formula, InlineText, ValidationFormula };
    void startCell(const XmlAttributes& a);
    void beginCell(std::optional<std::string_view> ref, std::optional<std::string_view> style,
                   std::optional<std::string_view> type);
    // A cell's texts as the file holds them: gathered element by element, or the scanner's own.
    struct CellTexts {
        std::string_view value, formula, inlineText;
    };
    void endCell(const CellTexts& texts);
    void checkCollected(size_t bytes) const;
    void startFormula(const XmlAttributes& a);
    void startSelection(const XmlAttributes& a);
    void attachRemainingComments();
    // The parser sees the part with empty <sheetData>; the kept text also loses that element.
    std::uint64_t keptOffset(std::uint64_t offset) const {
        return sheetDataEnd_ && offset >= sheetDataEnd_ ? offset - (sheetDataEnd_ - sheetDataBegin_) : offset;
    }

    SheetReadContext ctx_;
    SheetSink& sink_;
    SheetFileData& data_;
    ChildRecorder recorder_;

    // The cell being read.
    enum class CellType { Number, SharedString, InlineString, FormulaString, Boolean, Error, Date };
    static CellType cellTypeOf(std::string_view t);
    long row_ = 0, col_ = 0;
    std::uint32_t style_ = 0;
    CellType type_ = CellType::Number;
    std::string value_, formula_, inline_;
    std::u16string decoded_;  // a text cell's text, before the cell takes its own copy
    RecentTexts recentTexts_;
    std::string sharedRef_, formulaType_;
    long sharedIndex_ = -1;
    bool hasValue_ = false, hasFormula_ = false, hasInline_ = false;
    int phonetic_ = 0;
    struct SharedFormula {
        long row, col;
        std::u16string text;
    };
    std::map<long, SharedFormula> shared_;

    bool collect_ = false;
    std::string text_;
    In in_ = In::None;

    std::uint64_t sheetDataBegin_ = 0, sheetDataEnd_ = 0;
    bool inSheetData_ = false;
    int sheetViews_ = 0;
    std::string activePane_ = "topLeft";
    bool selectionTaken_ = false;
    ValidationRule rule_;
    bool inValidation_ = false;
};

void SheetXmlReader::Handler::startElement(const XmlName& name, const XmlAttributes& a) {
    recorder_.start(name);
    const std::string_view n = name.local;
    const int depth = recorder_.depth();
    if (inSheetData_) {
        if (n == "c") return startCell(a);
        if (n == "v") {
            collect_ = true;
            text_.clear();
            in_ = In::Value;
            return;
        }
        if (n == "f") return startFormula(a);
        if (n == "rPh") {
            ++phonetic_;
            return;
        }
        if (n == "t" && phonetic_ == 0) {
            collect_ = true;
            text_.clear();
            in_ = In::InlineText;
            return;
        }
        if (n == "is") {
            hasInline_ = true;
            inline_.clear();
            return;
        }
        if (n == "row") {
            const long r = a.getInt("r", row_ + 1);
            if (r < 1 || r > host::kMaxRows) throw FormatError("row " + std::to_string(r) + " is outside the sheet");
            row_ = r;
            col_ = 0;
            std::string attributes;
            a.forEach([&](const XmlName& an, std::string_view value) {
                if (an.uri.empty() && (an.local == "r" || an.local == "spans")) return;
                attributes += ' ';
                if (!an.prefix.empty()) attributes.append(an.prefix).append(":");
                attributes.append(an.local).append("=\"");
                appendEscapedUtf8(attributes, value, true);
                attributes += '"';
            });
            if (!attributes.empty()) data_.rowAttributes[row_] = std::move(attributes);
        }
        return;
    }
    if (depth == 2 && recorder_.children.size() > kMaxSheetChildren)
        throw FormatError("the sheet part holds more than " + std::to_string(kMaxSheetChildren) +
                          " elements beside its cells");
    if (depth == 1) {
        if (n != "worksheet" && n != "chartsheet" && n != "dialogsheet" && n != "macrosheet")
            throw FormatError("the sheet part does not hold a worksheet");
        data_.rootPrefix = name.prefix.empty() ? "" : std::string(name.prefix) + ":";
    } else if (depth == 2 && n == "sheetData") {
        inSheetData_ = true;
        sheetDataBegin_ = parser().tagOffset();
        data_.hasSheetData = true;
    } else if (depth == 2 && (n == "drawing" || n == "legacyDrawing")) {
        (n == "drawing" ? drawingRelId : legacyRelId) = a.get("id", ns::rel);
    } else if (depth == 2 && n == "sheetViews") {
        ++sheetViews_;
    } else if (depth == 3 && n == "sheetView") {
        ++sheetViews_;
    } else if (depth == 4 && n == "pane" && sheetViews_ == 2) {
        activePane_ = a.get("activePane").empty() ? "topLeft" : std::string(a.get("activePane"));
    } else if (depth == 4 && n == "selection" && sheetViews_ == 2) {
        startSelection(a);
    } else if (depth == 3 && n == "dataValidation") {
        rule_ = validationFromAttributes(a);
        inValidation_ = true;
    } else if (inValidation_ && (n == "formula1" || n == "formula2")) {
        collect_ = true;
        text_.clear();
        in_ = In::ValidationFormula;
    }
}

void SheetXmlReader::Handler::startSelection(const XmlAttributes& a) {
    const std::string_view pane = a.get("pane");
    if (selectionTaken_ || (pane.empty() ? std::string_view("topLeft") : pane) != activePane_) return;
    selectionTaken_ = true;
    data_.selectionBegin = parser().tagOffset();
    CellRef active{1, 1};
    if (!a.get("activeCell").empty() && !parseCellRef(a.get("activeCell"), active)) active = {1, 1};
    std::vector<Area> areas;
    try {
        areas = parseSqref(a.get("sqref"));
    } catch (const FormatError&) {
        areas.clear();  // a damaged selection is not worth refusing the file for
    }
    if (areas.empty()) areas.push_back({active.row, active.col, active.row, active.col});
    data_.selectionRead = areas;
    data_.activeRowRead = active.row;
    data_.activeColRead = active.col;
    sink_.setSelection(std::move(areas), active.row, active.col);
}

void SheetXmlReader::Handler::checkCollected(size_t bytes) const {
    if (bytes > kMaxCollectedText)
        throw FormatError("the cell at row " + std::to_string(row_) + ", column " + std::to_string(col_) +
                          " holds more than " + std::to_string(kMaxCollectedText >> 20) + " MiB of text");
}

void SheetXmlReader::Handler::startCell(const XmlAttributes& a) {
    // One pass over the attributes: this runs for every cell read element by element.
    std::optional<std::string_view> r, s, t;
    a.forEach([&](const XmlName& name, std::string_view value) {
        if (name.local == "cm" || name.local == "vm") data_.cellMetadata = true;
        if (!name.uri.empty() || name.local.size() != 1) return;
        if (name.local[0] == 'r')
            r = value;
        else if (name.local[0] == 's')
            s = value;
        else if (name.local[0] == 't')
            t = value;
    });
    beginCell(r, s, t);
}

// A cell the scanner read whole: the same steps as its elements one by one would take.
void SheetXmlReader::Handler::cell(const ScannedCell& cell) {
    beginCell(cell.ref, cell.style, cell.type);
    CellTexts texts;
    if (cell.value) {
        checkCollected(cell.value->size());
        texts.value = *cell.value;
        hasValue_ = true;
    }
    if (cell.formula) {  // a formula of its own: no type, shared index or reference
        checkCollected(cell.formula->size());
        texts.formula = *cell.formula;
        hasFormula_ = true;
        sharedRef_.clear();
    }
    if (cell.inlineText) {
        checkCollected(cell.inlineText->size());
        texts.inlineText = *cell.inlineText;
        hasInline_ = true;
    }
    endCell(texts);
}

SheetXmlReader::Handler::CellType SheetXmlReader::Handler::cellTypeOf(std::string_view t) {
    if (t == "s") return CellType::SharedString;
    if (t == "inlineStr") return CellType::InlineString;
    if (t == "str") return CellType::FormulaString;
    if (t == "b") return CellType::Boolean;
    if (t == "e") return CellType::Error;
    if (t == "d") return CellType::Date;
    return CellType::Number;  // "n", and any other type reads as a number as well
}

void SheetXmlReader::Handler::beginCell(std::optional<std::string_view> ref, std::optional<std::string_view> style,
                                        std::optional<std::string_view> type) {
    if (ref) {
        CellRef at;
        if (!parseCellRef(*ref, at))
            throw FormatError("the cell reference \"" + std::string(*ref) +
                              "\" is not valid or lies outside the sheet");
        row_ = at.row;
        col_ = at.col;
    } else {
        if (row_ == 0) row_ = 1;
        if (++col_ > host::kMaxColumns) throw FormatError("a row has more than 16,384 cells");
    }
    long index = 0;
    if (style) {
        const char* begin = style->data();
        while (begin < style->data() + style->size() && *begin == ' ') ++begin;
        std::from_chars(begin, style->data() + style->size(), index);
    }
    style_ =
        index >= 0 && static_cast<size_t>(index) < ctx_.styles.formats.size() ? static_cast<std::uint32_t>(index) : 0;
    type_ = type ? cellTypeOf(*type) : CellType::Number;
    hasValue_ = hasFormula_ = hasInline_ = false;
    formulaType_.clear();
    sharedIndex_ = -1;
}

void SheetXmlReader::Handler::startFormula(const XmlAttributes& a) {
    hasFormula_ = true;
    formulaType_ = a.get("t");
    sharedIndex_ = formulaType_ == "shared" ? a.getInt("si", -1) : -1;
    sharedRef_ = a.get("ref");
    collect_ = true;
    text_.clear();
    in_ = In::Formula;
}

void SheetXmlReader::Handler::endElement(const XmlName& name) {
    const std::string_view n = name.local;
    if (collect_ && (n == "v" || n == "f" || n == "t" || n == "formula1" || n == "formula2")) {
        collect_ = false;
        switch (in_) {
        case In::Value:
            value_ = std::move(text_);
            hasValue_ = true;
            break;
        case In::Formula: formula_ = std::move(text_); break;
        case In::InlineText: inline_ += text_; break;
        case In::ValidationFormula:
            (n == "formula1" ? rule_.formula1 : rule_.formula2) =
                validationFormulaFromXml(decodeXmlText(text_), rule_.type);
            break;
        case In::None: break;
        }
        in_ = In::None;
    } else if (inSheetData_ && n == "c") {
        endCell({value_, formula_, inline_});
    } else if (n == "rPh") {
        --phonetic_;
    } else if (recorder_.depth() == 2 && n == "sheetData") {
        inSheetData_ = false;
        sheetDataEnd_ = recorder_.endOfCurrent();
        attachRemainingComments();
    } else if (recorder_.depth() == 4 && n == "selection" && selectionTaken_ && data_.selectionEnd == 0) {
        data_.selectionEnd = recorder_.endOfCurrent();
    } else if (recorder_.depth() == 3 && n == "sheetView") {
        if (sheetViews_ == 2) data_.sheetViewClose = parser().tagLength() == 0 ? 0 : parser().tagOffset();
        sheetViews_ = 3;  // only the first view counts
    } else if (recorder_.depth() == 3 && n == "dataValidation") {
        inValidation_ = false;
        data_.validationsRead.push_back(rule_);
        sink_.addValidation(std::move(rule_));
        rule_ = {};
    }
    recorder_.end();
}

void SheetXmlReader::Handler::endCell(const CellTexts& texts) {
    Cell cell;
    cell.styleId = style_;
    const CellFormat* format = style_ < ctx_.styles.formats.size() ? &ctx_.styles.formats[style_] : nullptr;
    if (format) cell.colorIndex = format->colorIndex;
    std::optional<std::string_view> asciiText;  // a plain text, which the sink makes into the value
    auto textValue = [&](std::string_view xml) {
        const bool plain = std::ranges::all_of(xml, [](char c) { return static_cast<unsigned char>(c) < 0x80; }) &&
                           xml.find("_x") == std::string_view::npos;
        if (!plain) decodeXmlTextInto(decoded_, xml);
        if ((plain ? xml.size() : decoded_.size()) > static_cast<size_t>(host::kMaxCellText)) {
            std::string cellName;
            appendCellRef(cellName, row_, col_);
            throw FormatError("the cell " + cellName + " holds a text longer than 32,767 characters");
        }
        if (plain)
            asciiText = xml;
        else
            cell.value = Variant(std::u16string_view(decoded_));
    };
    const std::string_view value = texts.value;
    if (hasValue_ || hasInline_) {
        switch (type_) {
        case CellType::SharedString: {
            long index = -1;
            std::from_chars(value.data(), value.data() + value.size(), index);
            if (index < 0 || static_cast<size_t>(index) >= ctx_.strings.size())
                throw FormatError("a cell refers to shared string " + std::string(value) + ", which does not exist");
            cell.value = ctx_.strings[static_cast<size_t>(index)];
            break;
        }
        case CellType::InlineString: textValue(hasInline_ ? texts.inlineText : value); break;
        case CellType::FormulaString: textValue(value); break;
        case CellType::Boolean: cell.value = Variant(value == "1" || value == "true"); break;
        case CellType::Error: {
            const int code = host::errorCodeOf(host::utf16(value));
            cell.value = Variant::error(code ? code : host::xlErrValue);
            break;
        }
        case CellType::Date: {
            double serial = 0;
            if (isoDateToSerial(value, serial)) cell.value = Variant::date(serial);
            break;
        }
        case CellType::Number: {
            if (value.empty()) break;
            double number = 0;
            const char* begin = value.data();
            while (begin < value.data() + value.size() && *begin == ' ') ++begin;
            const auto result = std::from_chars(begin, value.data() + value.size(), number);
            if (result.ec != std::errc() || !std::isfinite(number))
                throw FormatError("the cell value \"" + std::string(value) + "\" is not a number");
            cell.value = format && format->isDate ? Variant::date(number) : Variant(number);
            break;
        }
        }
    }
    if (hasFormula_) {
        std::u16string formula = decodeXmlText(texts.formula);
        if (sharedIndex_ >= 0) {
            if (!formula.empty()) {
                shared_[sharedIndex_] = {row_, col_, formula};
            } else if (const auto it = shared_.find(sharedIndex_); it != shared_.end()) {
                formula = shiftFormula(it->second.text, row_ - it->second.row, col_ - it->second.col);
            }
        }
        if (formulaType_ == "dataTable") data_.dataTables = true;
        if (formulaType_ == "array" && !formula.empty())
            data_.arrayFormulas[{row_, col_}] = {u"=" + formula, sharedRef_};
        if (!formula.empty()) cell.setFormula(u"=" + formula);
    }
    const auto comment = ctx_.comments.find({row_, col_});
    if (comment != ctx_.comments.end()) {
        cell.setComment(std::move(comment->second));
        ctx_.comments.erase(comment);
    }
    if (asciiText)
        sink_.setAsciiTextCell(row_, col_, std::move(cell), *asciiText, recentTexts_);
    else if (!cell.isVoid())
        sink_.setCell(row_, col_, std::move(cell));
}

void SheetXmlReader::Handler::attachRemainingComments() {
    for (auto& [at, comment] : ctx_.comments) {
        Cell cell;
        cell.setComment(std::move(comment));
        sink_.setCell(at.first, at.second, std::move(cell));
    }
    ctx_.comments.clear();
}

void SheetXmlReader::Handler::finish() {
    if (!ctx_.comments.empty()) attachRemainingComments();
    data_.sheetDataAt = sheetDataBegin_;
    for (ElementSpan span : recorder_.children) {
        if (span.name == "sheetData") continue;
        span.begin = keptOffset(span.begin);
        span.end = keptOffset(span.end);
        data_.children.push_back(span);
    }
    data_.selectionBegin = keptOffset(data_.selectionBegin);
    data_.selectionEnd = keptOffset(data_.selectionEnd);
    data_.sheetViewClose = keptOffset(data_.sheetViewClose);
    if (!data_.hasSheetData) data_.sheetDataAt = 0;
    if (sheetDataEnd_ > sheetDataBegin_) kept.erase(sheetDataBegin_, sheetDataEnd_ - sheetDataBegin_);
    data_.xml = std::move(kept);
}

SheetXmlReader::SheetXmlReader(SheetReadContext context, SheetSink& sink, SheetFileData& data)
    : handler_(std::make_unique<Handler>(std::move(context), sink, data)),
      parser_(std::make_unique<XmlParser>(*handler_)),
      splitter_(std::make_unique<SheetPartSplitter>(
          *handler_,
          [this](std::string_view bytes, bool last) {
              handler_->kept.append(bytes);
              parser_->feed(bytes, last);
          },
          handler_.get())) {}

SheetXmlReader::~SheetXmlReader() = default;

void SheetXmlReader::feed(std::string_view chunk, bool last) {
    splitter_->feed(chunk, last);
    if (last) handler_->finish();
}

const std::string& SheetXmlReader::drawingRelId() const { return handler_->drawingRelId; }
const std::string& SheetXmlReader::legacyDrawingRelId() const { return handler_->legacyRelId; }

}  // namespace files
