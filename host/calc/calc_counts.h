#pragma once
// CountIndexes: the COUNTIF indexes of one document's areas while a command runs. A tool that
// counts every row's entry in its column asks for the same area again and again; the second
// count of an area reads its cells once into a CountIndex, and later counts are answered from
// it where Calc's answer is known (see count_index.h). The host tells every edit it makes to
// cells here, so an index follows removed rows and rewritten cells or is dropped; a command's
// start drops them all, as the user may have edited the document since.
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <optional>
#include <vector>

#include "host/calc/a1_address.h"
#include "host/calc/count_index.h"
#include "host/calc/uno_support.h"
#include "host/variant.h"

namespace host::calc {

class CalcDocument;

class CountIndexes {
public:
    explicit CountIndexes(CalcDocument& doc) : doc_(doc) {}

    // COUNTIF of `criterion` over `area` of `sheet`; nothing when Calc must answer.
    std::optional<double> count(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area,
                                const host::Variant& criterion);

    // Edits of the host, told after they are made.
    bool empty() const { return kept_.empty(); }
    void cellsWritten(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area);
    // The cells of `area` were removed and those below moved up (whole rows: the sheet's width).
    void cellsRemovedUp(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area);
    // Anything else that moves cells or sheets: every index goes.
    void forget() {
        kept_.clear();
        settings_.reset();
    }

private:
    struct Kept {
        sal_Int16 sheet;
        Area area;
        std::optional<CountIndex> index;  // nothing while the area was counted only once
        bool indexable = true;            // false once it held a formula or a text Calc compares its own way
    };

    Kept* find(sal_Int16 sheet, const Area& area);
    std::optional<CountIndex> read(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area);
    const CriterionSettings& settings();
    bool readsAsNumber(std::u16string_view text);

    CalcDocument& doc_;
    std::vector<Kept> kept_;
    std::optional<CriterionSettings> settings_;
};

}  // namespace host::calc
