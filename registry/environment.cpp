#include "registry/environment.h"

#include <strings.h>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace registry {

std::string expandReferences(const std::string& text, const EnvironmentLookup& lookup) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find('%', pos);
        const size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            out.append(text, pos);
            break;
        }
        out.append(text, pos, open - pos);
        const std::string name = text.substr(open + 1, close - open - 1);
        const std::optional<std::string> value = name.empty() ? std::nullopt : lookup(name);
        out += value ? *value : text.substr(open, close - open + 1);
        pos = close + 1;
    }
    return out;
}

std::optional<std::string> processEnvironment(const std::string& name) {
    if (const char* exact = std::getenv(name.c_str())) return std::string(exact);
    for (char** entry = environ; entry && *entry; ++entry) {
        const char* equals = std::strchr(*entry, '=');
        if (equals && static_cast<size_t>(equals - *entry) == name.size() &&
            strncasecmp(*entry, name.c_str(), name.size()) == 0)
            return std::string(equals + 1);
    }
    return std::nullopt;
}

}  // namespace registry
