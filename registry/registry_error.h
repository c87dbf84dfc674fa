#pragma once
// The errors cRegistry raises: a number, a source ("<program>.cRegistry") and a
// description, written once in a table (registry_error.cpp).
#include <cstdint>
#include <string>

#include "base/error.h"

namespace registry {

class RegistryError : public base::Error {
public:
    RegistryError(std::int32_t number, std::string source, const std::string& description)
        : base::Error(number, description), source_(std::move(source)) {}
    const std::string& source() const { return source_; }

private:
    std::string source_;
};

enum class RegistryFailure {
    CreateKey,
    DeleteKey,
    OpenForDelete,
    DeleteValue,
    SetValueOpen,
    SetValueNotBytes,
    SetValueWrite,
    EnumerateSections,
    AssociationList,
    ClassNotDefined,
};

// What the descriptions quote: root is ClassKey in decimal.
struct FailureDetails {
    std::u16string root, section, key, value, detail;
};

std::int32_t failureNumber(RegistryFailure failure);
[[noreturn]] void raiseRegistryError(RegistryFailure failure, const FailureDetails& details);

// The running program's file name without its extension.
std::string programName();

}  // namespace registry
