#include "engine/formula.h"

#include "engine/area_ops.h"
#include "engine/formula_eval.h"
#include "engine/formula_parser.h"
#include "host/constants.h"
#include "host/error.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

void FormulaContext::forEachValue(const Area& area, const std::function<void(const host::Variant&)>& visit) const {
    if (cellCount(area) > host::kMaxRows)
        throw host::Error(host::errApplication, "Range too large to scan cell by cell");
    for (long row = area.row1; row <= area.row2; ++row)
        for (long col = area.col1; col <= area.col2; ++col) {
            const host::Variant value = cellValue(row, col);
            if (!value.isEmpty()) visit(value);
        }
}

Formula Formula::parse(std::u16string_view text) {
    return Formula(std::make_shared<const ParsedFormula>(parseFormula(text)));
}

host::Variant Formula::evaluate(const FormulaContext& ctx, long rowOffset, long colOffset) const {
    return evaluateFormula(*parsed_, ctx, rowOffset, colOffset);
}

std::u16string Formula::text(long rowOffset, long colOffset) const {
    const std::u16string& source = parsed_->source;
    std::u16string out = source.starts_with(u'=') ? u"" : u"=";
    size_t copied = 0;
    for (const auto& ref : parsed_->references) {
        out.append(source, copied, ref.start - copied);
        out += referenceText(ref, rowOffset, colOffset);
        copied = ref.start + ref.length;
    }
    out.append(source, copied);
    return out;
}

std::vector<Area> Formula::references(long rowOffset, long colOffset) const {
    std::vector<Area> areas;
    for (const auto& ref : parsed_->references) {
        Area area;
        if (resolveReference(ref, rowOffset, colOffset, area)) areas.push_back(area);
    }
    return areas;
}

std::u16string Formula::textAfter(const StructuralEdit& edit, bool keepRelative) const {
    const std::u16string& source = parsed_->source;
    std::u16string out = source.starts_with(u'=') ? u"" : u"=";
    size_t copied = 0;
    for (const auto& ref : parsed_->references) {
        out.append(source, copied, ref.start - copied);
        const bool relative = !ref.first.rowAbs && !ref.first.colAbs && !ref.last.rowAbs && !ref.last.colAbs;
        if (keepRelative && relative) {
            out.append(source, ref.start, ref.length);
            copied = ref.start + ref.length;
            continue;
        }
        Area area;
        const auto moved = resolveReference(ref, 0, 0, area) ? follow(area, edit) : std::nullopt;
        if (!moved) {
            out += u"#REF!";
        } else {
            FormulaReference shifted = ref;
            shifted.first = {moved->row1, moved->col1, ref.first.rowAbs, ref.first.colAbs};
            shifted.last = {moved->row2, moved->col2, ref.last.rowAbs, ref.last.colAbs};
            out += referenceText(shifted, 0, 0);
        }
        copied = ref.start + ref.length;
    }
    out.append(source, copied);
    return out;
}

}  // namespace engine
