#include "host/calc/calc_validation.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/ConditionOperator.hpp>
#include <com/sun/star/sheet/TableValidationVisibility.hpp>
#include <com/sun/star/sheet/ValidationAlertStyle.hpp>
#include <com/sun/star/sheet/ValidationType.hpp>
#include <com/sun/star/sheet/XCellAddressable.hpp>
#include <com/sun/star/sheet/XSheetCondition.hpp>
#include <com/sun/star/table/CellAddress.hpp>
#include <ooo/vba/excel/XGlobals.hpp>
#include <ooo/vba/excel/XRange.hpp>

#include "host/constants.h"

namespace host::calc {

namespace {

using css::sheet::ConditionOperator;
using css::sheet::ValidationAlertStyle;
using css::sheet::ValidationType;
using css::uno::Any;

[[noreturn]] void noRule() { throw host::Error(1004, "Application-defined or object-defined error"); }

ValidationType calcType(int type) {
    switch (type) {
    case host::xlValidateInputOnly: return ValidationType::ValidationType_ANY;
    case host::xlValidateWholeNumber: return ValidationType::ValidationType_WHOLE;
    case host::xlValidateDecimal: return ValidationType::ValidationType_DECIMAL;
    case host::xlValidateList: return ValidationType::ValidationType_LIST;
    case host::xlValidateDate: return ValidationType::ValidationType_DATE;
    case host::xlValidateTime: return ValidationType::ValidationType_TIME;
    case host::xlValidateTextLength: return ValidationType::ValidationType_TEXT_LEN;
    case host::xlValidateCustom: return ValidationType::ValidationType_CUSTOM;
    default: noRule();
    }
}

int hostType(ValidationType type) {
    switch (type) {
    case ValidationType::ValidationType_WHOLE: return host::xlValidateWholeNumber;
    case ValidationType::ValidationType_DECIMAL: return host::xlValidateDecimal;
    case ValidationType::ValidationType_LIST: return host::xlValidateList;
    case ValidationType::ValidationType_DATE: return host::xlValidateDate;
    case ValidationType::ValidationType_TIME: return host::xlValidateTime;
    case ValidationType::ValidationType_TEXT_LEN: return host::xlValidateTextLength;
    case ValidationType::ValidationType_CUSTOM: return host::xlValidateCustom;
    default: return host::xlValidateInputOnly;
    }
}

// The object model's operators: xlBetween 1, xlNotBetween 2, xlEqual 3, xlNotEqual 4,
// xlGreater 5, xlLess 6, xlGreaterEqual 7, xlLessEqual 8.
constexpr ConditionOperator kOperators[] = {
    ConditionOperator::ConditionOperator_BETWEEN,       ConditionOperator::ConditionOperator_NOT_BETWEEN,
    ConditionOperator::ConditionOperator_EQUAL,         ConditionOperator::ConditionOperator_NOT_EQUAL,
    ConditionOperator::ConditionOperator_GREATER,       ConditionOperator::ConditionOperator_LESS,
    ConditionOperator::ConditionOperator_GREATER_EQUAL, ConditionOperator::ConditionOperator_LESS_EQUAL};

std::u16string withSwapped(const std::u16string& formula, char16_t from, char16_t to) {
    std::u16string out = formula;
    bool quoted = false;
    for (char16_t& c : out) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == from)
            c = to;
    }
    return out;
}

class CalcValidation : public host::Validation {
public:
    explicit CalcValidation(std::shared_ptr<const CalcRange> range) : range_(std::move(range)) {}

    void Delete() override {
        change([](const Reference<css::beans::XPropertySet>& rule) {
            rule->setPropertyValue("Type", Any(ValidationType::ValidationType_ANY));
            rule->setPropertyValue("ShowErrorMessage", Any(false));
            rule->setPropertyValue("ShowInputMessage", Any(false));
            rule->setPropertyValue("ErrorMessage", Any(OUString()));
            rule->setPropertyValue("ErrorTitle", Any(OUString()));
            rule->setPropertyValue("InputMessage", Any(OUString()));
            rule->setPropertyValue("InputTitle", Any(OUString()));
            Reference<css::sheet::XSheetCondition> condition(rule, UNO_QUERY_THROW);
            condition->setOperator(ConditionOperator::ConditionOperator_NONE);
            condition->setFormula1(OUString());
            condition->setFormula2(OUString());
        });
    }

    void Add(int type, std::optional<int> alertStyle, std::optional<int> op, const std::u16string& formula1,
             const std::u16string& formula2) override {
        if (exists()) noRule();  // a cell holds one rule: Add on a rule fails
        const ValidationType calc = calcType(type);
        const int alert = alertStyle.value_or(host::xlValidAlertStop);
        if (alert < host::xlValidAlertStop || alert > host::xlValidAlertInformation) noRule();
        ConditionOperator condition = ConditionOperator::ConditionOperator_NONE;
        if (calc == ValidationType::ValidationType_CUSTOM || calc == ValidationType::ValidationType_LIST)
            condition = ConditionOperator::ConditionOperator_FORMULA;
        else if (calc != ValidationType::ValidationType_ANY) {
            const int index = op.value_or(host::xlBetween);
            if (index < 1 || index > 8) noRule();
            condition = kOperators[index - 1];
        }
        const auto source = sourcePosition();
        change([&](const Reference<css::beans::XPropertySet>& rule) {
            rule->setPropertyValue("Type", Any(calc));
            rule->setPropertyValue(
                "ErrorAlertStyle",
                Any(alert == host::xlValidAlertStop      ? ValidationAlertStyle::ValidationAlertStyle_STOP
                    : alert == host::xlValidAlertWarning ? ValidationAlertStyle::ValidationAlertStyle_WARNING
                                                         : ValidationAlertStyle::ValidationAlertStyle_INFO));
            rule->setPropertyValue("ShowErrorMessage", Any(true));
            rule->setPropertyValue("ShowInputMessage", Any(true));
            rule->setPropertyValue("IgnoreBlankCells", Any(true));
            Reference<css::sheet::XSheetCondition> sheetCondition(rule, UNO_QUERY_THROW);
            sheetCondition->setOperator(condition);
            sheetCondition->setSourcePosition(source);
            sheetCondition->setFormula1(toOU(toCalcFormulaSeparators(formula1)));
            sheetCondition->setFormula2(toOU(toCalcFormulaSeparators(formula2)));
        });
    }

    int Type() const override { return hostType(read<ValidationType>("Type")); }
    int AlertStyle() const override {
        switch (read<ValidationAlertStyle>("ErrorAlertStyle")) {
        case ValidationAlertStyle::ValidationAlertStyle_WARNING: return host::xlValidAlertWarning;
        case ValidationAlertStyle::ValidationAlertStyle_INFO: return host::xlValidAlertInformation;
        default: return host::xlValidAlertStop;
        }
    }
    int Operator() const override {
        const auto op = condition()->getOperator();
        for (int i = 0; i < 8; ++i)
            if (kOperators[i] == op) return i + 1;
        return host::xlBetween;
    }
    std::u16string Formula1() const override {
        return fromCalcFormulaSeparators(fromOU(unoCall([&] { return condition()->getFormula1(); })));
    }
    std::u16string Formula2() const override {
        return fromCalcFormulaSeparators(fromOU(unoCall([&] { return condition()->getFormula2(); })));
    }
    bool IgnoreBlank() const override { return read<bool>("IgnoreBlankCells"); }
    void setIgnoreBlank(bool value) override { write("IgnoreBlankCells", Any(value)); }
    bool InCellDropdown() const override {
        return read<sal_Int16>("ShowList") != css::sheet::TableValidationVisibility::INVISIBLE;
    }
    void setInCellDropdown(bool value) override {
        write("ShowList", Any(value ? css::sheet::TableValidationVisibility::UNSORTED
                                    : css::sheet::TableValidationVisibility::INVISIBLE));
    }
    bool ShowInput() const override { return read<bool>("ShowInputMessage"); }
    void setShowInput(bool value) override { write("ShowInputMessage", Any(value)); }
    bool ShowError() const override { return read<bool>("ShowErrorMessage"); }
    void setShowError(bool value) override { write("ShowErrorMessage", Any(value)); }
    std::u16string InputTitle() const override { return readText("InputTitle"); }
    void setInputTitle(const std::u16string& value) override { write("InputTitle", Any(toOU(value))); }
    std::u16string ErrorTitle() const override { return readText("ErrorTitle"); }
    void setErrorTitle(const std::u16string& value) override { write("ErrorTitle", Any(toOU(value))); }
    std::u16string InputMessage() const override { return readText("InputMessage"); }
    void setInputMessage(const std::u16string& value) override { write("InputMessage", Any(toOU(value))); }
    std::u16string ErrorMessage() const override { return readText("ErrorMessage"); }
    void setErrorMessage(const std::u16string& value) override { write("ErrorMessage", Any(toOU(value))); }

private:
    Reference<css::beans::XPropertySet> areaProps(const Area& area) const {
        return Reference<css::beans::XPropertySet>(
            range_->sheet()->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1),
            UNO_QUERY_THROW);
    }
    // The first cell's rule, as Calc hands it out (a copy: changes are set back).
    Reference<css::beans::XPropertySet> firstRule() const {
        Area first = range_->areas().front();
        first.right = first.left;
        first.bottom = first.top;
        Reference<css::beans::XPropertySet> rule;
        areaProps(first)->getPropertyValue("Validation") >>= rule;
        if (!rule.is()) noRule();
        return rule;
    }
    bool exists() const {
        return unoCall([&] {
            const auto rule = firstRule();
            ValidationType type = ValidationType::ValidationType_ANY;
            bool input = false;
            rule->getPropertyValue("Type") >>= type;
            rule->getPropertyValue("ShowInputMessage") >>= input;
            return type != ValidationType::ValidationType_ANY || input;
        });
    }
    Reference<css::sheet::XSheetCondition> condition() const {
        if (!exists()) noRule();
        return unoCall([&] { return Reference<css::sheet::XSheetCondition>(firstRule(), UNO_QUERY_THROW); });
    }
    template <class T>
    T read(const char* property) const {
        if (!exists()) noRule();
        return unoCall([&] {
            T value{};
            firstRule()->getPropertyValue(OUString::createFromAscii(property)) >>= value;
            return value;
        });
    }
    std::u16string readText(const char* property) const { return fromOU(read<OUString>(property)); }
    void write(const char* property, const Any& value) {
        if (!exists()) noRule();
        change([&](const Reference<css::beans::XPropertySet>& rule) {
            rule->setPropertyValue(OUString::createFromAscii(property), value);
        });
    }
    // Changes each area's rule and sets it back (Calc keeps rules by value).
    template <class Change>
    void change(Change&& step) {
        unoCall([&] {
            for (const Area& area : range_->areas()) {
                const auto props = areaProps(area);
                Reference<css::beans::XPropertySet> rule;
                props->getPropertyValue("Validation") >>= rule;
                if (!rule.is()) noRule();
                step(rule);
                props->setPropertyValue("Validation", Any(rule));
            }
        });
    }
    // Where relative references of a rule's formula count from: the active cell (its view's
    // cell cursor, read through Calc's VBA object model), else the range's first cell.
    css::table::CellAddress sourcePosition() const {
        const Area first = range_->areas().front();
        css::table::CellAddress address;
        unoCall([&] {
            address = Reference<css::sheet::XCellAddressable>(
                          range_->sheet()->getCellByPosition(first.left - 1, first.top - 1), UNO_QUERY_THROW)
                          ->getCellAddress();
        });
        try {
            Reference<ooo::vba::excel::XGlobals> globals(
                Reference<css::lang::XMultiServiceFactory>(range_->document()->model(), UNO_QUERY_THROW)
                    ->createInstance("ooo.vba.VBAGlobals"),
                UNO_QUERY_THROW);
            Reference<css::sheet::XCellAddressable> active(globals->getActiveCell()->getCellRange(), UNO_QUERY_THROW);
            const auto activeAddress = active->getCellAddress();
            if (activeAddress.Sheet == address.Sheet) address = activeAddress;
        } catch (const css::uno::Exception&) {
            // No view: the first cell stands in for the active cell.
        }
        return address;
    }

    std::shared_ptr<const CalcRange> range_;
};

}  // namespace

host::ValidationPtr makeValidation(std::shared_ptr<const CalcRange> range) {
    return std::make_shared<CalcValidation>(std::move(range));
}

std::u16string toCalcFormulaSeparators(const std::u16string& formula) {
    const std::u16string bare = !formula.empty() && formula.front() == u'=' ? formula.substr(1) : formula;
    return withSwapped(bare, u',', u';');
}

std::u16string fromCalcFormulaSeparators(const std::u16string& formula) {
    if (formula.empty()) return formula;
    return u"=" + withSwapped(formula, u';', u',');
}

}  // namespace host::calc
