#include "host/calc/find_text.h"

#include "base/text_services.h"
#include "host/worksheet_text.h"

namespace host::calc {

bool findMatches(std::u16string_view text, std::u16string_view pattern, bool whole, bool matchCase) {
    std::u16string sought(pattern);
    if (!whole) sought = u"*" + sought + u"*";
    if (matchCase) return host::WildcardPattern(sought).matches(text);
    return host::WildcardPattern(base::text_services::toLower(sought)).matches(base::text_services::toLower(text));
}

}  // namespace host::calc
