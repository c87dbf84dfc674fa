#pragma once
// What every part of the Calc host needs around UNO: text conversion (OUString is UTF-16, as
// our text is), and the translation of UNO exceptions into host::Error.
#include <rtl/ustring.hxx>

#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <string>
#include <string_view>

#include "host/error.h"

namespace host::calc {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using ::rtl::OUString;

// sal_Unicode is a 16-bit unsigned integer outside LibreOffice's own code: the same units.
inline OUString toOU(std::u16string_view text) {
    return OUString(reinterpret_cast<const sal_Unicode*>(text.data()), static_cast<sal_Int32>(text.size()));
}
inline std::u16string fromOU(const OUString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.getStr()), static_cast<size_t>(text.getLength()));
}

// host::Error 1004 carrying what a UNO exception says.
[[noreturn]] void throwHostError(const css::uno::Exception& e);
[[noreturn]] void throwHostError(int number, const std::string& description);

// Runs a UNO step; a UNO exception becomes host::Error 1004, as a failing host call does.
template <class Step>
auto unoCall(Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const css::uno::Exception& e) {
        throwHostError(e);
    }
}

}  // namespace host::calc
