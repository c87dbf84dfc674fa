#pragma once
// cRegistry — a position in the registry (root key, key path, value name) and the
// operations on it. No key stays open between calls: each operation opens what it
// needs and closes it before it returns. Failures are raised as RegistryError.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "registry/one_based_list.h"
#include "registry/reg_variant.h"
#include "registry/registry_error.h"
#include "registry/registry_store.h"

namespace registry {

class cRegistry {
public:
    // Over the platform's registry (defaultRegistryStore()).
    cRegistry();
    explicit cRegistry(std::shared_ptr<RegistryStore> store);

    bool KeyExists() const;
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    RegVariant Value();
    void Value(const RegVariant& vValue);
    bool EnumerateValues(OneBasedList<std::u16string>& sKeyNames, std::int32_t& iKeyCount);
    bool EnumerateSections(OneBasedList<std::u16string>& sSect, std::int32_t& iSectCount);
    bool CreateEXEAssociation(const std::u16string& sExePath, const std::u16string& sClassName,
                              const std::u16string& sClassDescription, const std::u16string& sAssociation,
                              const std::u16string& sOpenMenuText = u"", bool bSupportPrint = false,
                              const std::u16string& sPrintMenuText = u"", bool bSupportNew = false,
                              const std::u16string& sNewMenuText = u"", bool bSupportInstall = false,
                              const std::u16string& sInstallMenuText = u"", std::int32_t lDefaultIconIndex = -1);
    // vItems come in threes: verb name, menu text, command.
    bool CreateAdditionalEXEAssociations(const std::u16string& sClassName, const std::vector<RegVariant>& vItems);

    std::int32_t ValueType() const { return ValueType_; }
    void ValueType(std::int32_t eValueType) { ValueType_ = eValueType; }
    std::int32_t ClassKey() const { return ClassKey_; }
    void ClassKey(std::int32_t eKey) { ClassKey_ = eKey; }
    const std::u16string& SectionKey() const { return SectionKey_; }
    void SectionKey(const std::u16string& sSectionKey) { SectionKey_ = sSectionKey; }
    const std::u16string& ValueKey() const { return ValueKey_; }
    void ValueKey(const std::u16string& sValueKey) { ValueKey_ = sValueKey; }
    const RegVariant& Default() const { return Default_; }
    void Default(const RegVariant& vDefault) { Default_ = vDefault; }

private:
    class OpenKey;

    void WriteClassesValue(const std::u16string& text);
    static std::int32_t ReverseBytes32(std::int32_t value);
    std::u16string ExpandEnvironmentText(const std::u16string& text) const;

    RegVariant readData(KeyHandle key, std::uint32_t type, std::uint32_t size) const;
    RegResult writeData(KeyHandle key, const RegVariant& vValue);
    [[noreturn]] void raise(RegistryFailure failure, const std::u16string& value = u"",
                            const std::u16string& detail = u"") const;
    std::string ansi(const std::u16string& text) const { return store_->toAnsi(text); }

    std::shared_ptr<RegistryStore> store_;
    std::int32_t ClassKey_ = 0;
    std::u16string SectionKey_;
    std::u16string ValueKey_;
    RegVariant Default_;
    std::int32_t ValueType_ = 0;
};

// The store a default-constructed cRegistry uses: the Win32 registry in a Windows
// build, else the registry of the Wine prefix ($WINEPREFIX, default ~/.wine).
std::shared_ptr<RegistryStore> defaultRegistryStore();
void setDefaultRegistryStore(std::shared_ptr<RegistryStore> store);

}  // namespace registry
