#include "host/range.h"

#include "host/error.h"

namespace host {

ValueArray ValueArray::sized(long rows, long columns) {
    const long long cells = static_cast<long long>(rows) * columns;
    if (cells > kMaxCells) throw Error(errOutOfMemory, "Out of memory");
    ValueArray array{rows, columns, {}};
    array.values.resize(static_cast<std::size_t>(cells));
    return array;
}

ValueArray Range::Values() const {
    const RangePtr area = Areas()->Item(1);
    ValueArray array = ValueArray::sized(area->Rows()->Count(), area->Columns()->Count());
    auto value = array.values.begin();
    for (long row = 1; row <= array.rows; ++row)
        for (long column = 1; column <= array.columns; ++column) *value++ = area->Cells(row, column)->Value();
    return array;
}

}  // namespace host
