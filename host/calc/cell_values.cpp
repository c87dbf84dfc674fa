#include "host/calc/cell_values.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/NotNumericException.hpp>
#include <com/sun/star/util/NumberFormat.hpp>

#include "host/constants.h"

namespace host::calc {

namespace {

namespace NumberFormat = css::util::NumberFormat;
using css::table::CellContentType_EMPTY;
using css::table::CellContentType_FORMULA;
using css::table::CellContentType_TEXT;
using css::table::CellContentType_VALUE;

sal_Int32 formatKeyOf(const Reference<css::table::XCell>& cell) {
    sal_Int32 key = 0;
    Reference<css::beans::XPropertySet>(cell, UNO_QUERY_THROW)->getPropertyValue("NumberFormat") >>= key;
    return key;
}

void setFormatKey(const Reference<css::table::XCell>& cell, sal_Int32 key) {
    Reference<css::beans::XPropertySet>(cell, UNO_QUERY_THROW)->setPropertyValue("NumberFormat", css::uno::Any(key));
}

host::Variant numberOf(CalcDocument& doc, const Reference<css::table::XCell>& cell, double value) {
    switch (doc.formatKind(formatKeyOf(cell))) {
    case FormatKind::Date: return host::Variant::date(value);
    case FormatKind::Boolean: return host::Variant(value != 0);
    case FormatKind::Plain: break;
    }
    return host::Variant(value);
}

std::u16string textOf(const Reference<css::table::XCell>& cell) {
    return fromOU(Reference<css::text::XTextRange>(cell, UNO_QUERY_THROW)->getString());
}

void setText(const Reference<css::table::XCell>& cell, std::u16string_view text) {
    Reference<css::text::XTextRange>(cell, UNO_QUERY_THROW)->setString(toOU(text));
}

bool equalsIgnoringCase(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        if (c != upper[i]) return false;
    }
    return true;
}

void writeBoolean(CalcDocument& doc, const Reference<css::table::XCell>& cell, bool value) {
    cell->setValue(value ? 1 : 0);
    setFormatKey(cell, doc.standardFormat(NumberFormat::LOGICAL));
}

// A number, percentage, date or time as Calc's number recognition reads the text; the
// cell keeps its format unless the text brings one (a percentage, a date, ...).
bool writeRecognisedNumber(CalcDocument& doc, const Reference<css::table::XCell>& cell, const std::u16string& input) {
    // Every number, percentage, date or time has a digit; most texts have none and need no try.
    if (input.find_first_of(u"0123456789") == std::u16string::npos) return false;
    const OUString text = toOU(input);
    const auto& formatter = doc.formatter();
    sal_Int32 key = 0;
    double number = 0;
    try {
        key = formatter->detectNumberFormat(0, text);
        number = formatter->convertStringToNumber(0, text);
    } catch (const css::util::NotNumericException&) {
        return false;
    }
    cell->setValue(number);
    if (key != 0 && doc.formatKind(key) != FormatKind::Boolean) setFormatKey(cell, key);
    return true;
}

void writeTypedInput(CalcDocument& doc, const Reference<css::table::XCell>& cell, const std::u16string& text) {
    if (text.size() > static_cast<size_t>(host::kMaxCellText))
        throw host::Error(host::errApplication, "Application-defined or object-defined error");
    if (text.empty()) {
        cell->setFormula(OUString());
        return;
    }
    if (text.front() == u'=') {
        cell->setFormula(toOU(text));
        return;
    }
    if (text.front() == u'\'') {
        setText(cell, std::u16string_view(text).substr(1));
        return;
    }
    if (equalsIgnoringCase(text, u"TRUE") || equalsIgnoringCase(text, u"FALSE")) {
        writeBoolean(doc, cell, text.size() == 4);
        return;
    }
    if (!writeRecognisedNumber(doc, cell, text)) setText(cell, text);
}

}  // namespace

int errorValueOf(sal_Int32 calcError) {
    switch (calcError) {
    case 503: return host::xlErrNum;
    case 519: return host::xlErrValue;
    case 521: return host::xlErrNull;
    case 524: return host::xlErrRef;
    case 525: return host::xlErrName;
    case 532: return host::xlErrDiv0;
    case 32767: return host::xlErrNA;
    default: return host::xlErrValue;
    }
}

host::Variant readCell(CalcDocument& doc, const Reference<css::table::XCell>& cell) {
    return unoCall([&]() -> host::Variant {
        switch (cell->getType()) {
        case CellContentType_EMPTY: return {};
        case CellContentType_TEXT: return host::Variant(textOf(cell));
        case CellContentType_VALUE: return numberOf(doc, cell, cell->getValue());
        case CellContentType_FORMULA: {
            if (const sal_Int32 error = cell->getError()) return host::Variant::error(errorValueOf(error));
            sal_Int32 result = 0;
            Reference<css::beans::XPropertySet>(cell, UNO_QUERY_THROW)->getPropertyValue("FormulaResultType2") >>=
                result;
            if (result == css::sheet::FormulaResult::STRING) return host::Variant(textOf(cell));
            return numberOf(doc, cell, cell->getValue());
        }
        default: return {};
        }
    });
}

void writeCell(CalcDocument& doc, const Reference<css::table::XCell>& cell, const host::Variant& value) {
    unoCall([&] {
        switch (value.kind()) {
        case host::VariantKind::Empty: cell->setFormula(OUString()); break;
        case host::VariantKind::Number: cell->setValue(value.number()); break;
        case host::VariantKind::Boolean: writeBoolean(doc, cell, value.boolean()); break;
        case host::VariantKind::Date:
            cell->setValue(value.number());
            if (doc.formatKind(formatKeyOf(cell)) != FormatKind::Date)
                setFormatKey(cell, doc.standardFormat(value.number() == static_cast<long long>(value.number())
                                                          ? NumberFormat::DATE
                                                          : NumberFormat::DATETIME));
            break;
        case host::VariantKind::Text: writeTypedInput(doc, cell, std::u16string(value.text())); break;
        case host::VariantKind::Error:
            if (value.errorCode() != host::xlErrNA)
                throw host::Error(host::errApplication, "Calc takes no error value but #N/A from code");
            cell->setFormula("=NA()");
            break;
        }
    });
}

}  // namespace host::calc
