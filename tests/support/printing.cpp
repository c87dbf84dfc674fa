#include "tests/support/printing.h"

#include "host/text.h"

namespace host {
void PrintTo(const Variant& value, std::ostream* os) {
    static const char* kinds[] = {"Empty", "Number", "Text", "Boolean", "Date", "Error"};
    *os << kinds[static_cast<int>(value.kind())] << '(';
    if (value.isError())
        *os << utf8(value.errorText());
    else if (value.isText())
        *os << '"' << utf8(value.text()) << '"';
    else if (!value.isEmpty())
        *os << value.number();
    *os << ')';
}
}  // namespace host
