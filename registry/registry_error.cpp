#include "registry/registry_error.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "base/text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>  // program_invocation_short_name
#endif

namespace registry {

namespace {

struct FailureRow {
    RegistryFailure failure;
    std::int32_t number;
    std::string_view description;  // {root}, {section}, {key}, {value}, {detail} are filled in
};

constexpr std::int32_t kKeyError = 26001;
constexpr std::int32_t kSetValueFailed = static_cast<std::int32_t>(0x800469A9u);
constexpr std::int32_t kEnumerationFailed = static_cast<std::int32_t>(0x800469AAu);
constexpr std::int32_t kBadAssociationList = static_cast<std::int32_t>(0x800469ACu);
constexpr std::int32_t kClassNotDefined = static_cast<std::int32_t>(0x800469ADu);

constexpr std::string_view kSetValueText =
    "Failed to set registry value Key: '{root}',Section: '{section}',Key: '{key}' to value: '{value}'";

// The closing quotation marks the descriptions lack are lacking in the original too.
constexpr FailureRow kFailures[] = {
    {RegistryFailure::CreateKey, kKeyError, "Failed to create registry Key: '{section}"},
    {RegistryFailure::DeleteKey, kKeyError, "Failed to delete registry Key: '{root}',Section: '{section}"},
    {RegistryFailure::OpenForDelete, kKeyError, "Failed to open key '{root}',Section: '{section}' for delete access"},
    {RegistryFailure::DeleteValue, kKeyError,
     "Failed to delete registry Key: '{root}',Section: '{section}',Key: '{key}"},
    {RegistryFailure::SetValueOpen, kKeyError, kSetValueText},
    {RegistryFailure::SetValueNotBytes, kKeyError, ""},
    {RegistryFailure::SetValueWrite, kSetValueFailed, kSetValueText},
    {RegistryFailure::EnumerateSections, kEnumerationFailed, "{detail}"},
    {RegistryFailure::AssociationList, kBadAssociationList,
     "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command"},
    {RegistryFailure::ClassNotDefined, kClassNotDefined,
     "Error - attempt to create additional associations before class defined."},
};

const FailureRow& rowOf(RegistryFailure failure) {
    return *std::find_if(std::begin(kFailures), std::end(kFailures),
                         [&](const FailureRow& row) { return row.failure == failure; });
}

std::string fill(std::string_view pattern, const FailureDetails& details) {
    const std::pair<std::string_view, const std::u16string*> fields[] = {
        {"{root}", &details.root},   {"{section}", &details.section}, {"{key}", &details.key},
        {"{value}", &details.value}, {"{detail}", &details.detail},
    };
    std::string out;
    for (size_t pos = 0; pos < pattern.size();) {
        bool filled = false;
        for (const auto& [name, text] : fields) {
            if (pattern.substr(pos, name.size()) == name) {
                out += base::utf8(*text);
                pos += name.size();
                filled = true;
                break;
            }
        }
        if (!filled) out += pattern[pos++];
    }
    return out;
}

}  // namespace

std::int32_t failureNumber(RegistryFailure failure) { return rowOf(failure).number; }

void raiseRegistryError(RegistryFailure failure, const FailureDetails& details) {
    const FailureRow& row = rowOf(failure);
    throw RegistryError(row.number, programName() + ".cRegistry", fill(row.description, details));
}

std::string programName() {
#ifdef _WIN32
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    if (size_t slash = name.find_last_of("\\/"); slash != std::string::npos) name.erase(0, slash + 1);
#else
    std::string name = program_invocation_short_name;
#endif
    if (size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace registry
