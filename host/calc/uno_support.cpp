#include "host/calc/uno_support.h"

#include "base/text.h"

namespace host::calc {

void throwHostError(const css::uno::Exception& e) {
    throw host::Error(host::errApplication, "Calc refused the call: " + base::utf8(fromOU(e.Message)));
}

void throwHostError(int number, const std::string& description) { throw host::Error(number, description); }

}  // namespace host::calc
