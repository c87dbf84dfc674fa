#include "registry/c_registry.h"

#include <mutex>

#include "base/text.h"
#include "registry/platform_store.h"

namespace registry {

namespace {

constexpr std::uint32_t kKeyNameCapacity = 255;
constexpr std::uint32_t kLargestCapacity = 1u << 20;

bool isTextType(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// A percent sign, at least one character, another percent sign: REG_EXPAND_SZ.
std::uint32_t textTypeOf(const std::u16string& text) {
    const size_t first = text.find(u'%');
    return first != std::u16string::npos && text.find(u'%', first + 2) != std::u16string::npos ? REG_EXPAND_SZ : REG_SZ;
}

std::u16string decimal(std::int32_t number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

// VB's Trim: spaces only.
std::u16string trimSpaces(const std::u16string& text) {
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::mutex defaultStoreLock;
std::shared_ptr<RegistryStore> defaultStore;

}  // namespace

std::shared_ptr<RegistryStore> defaultRegistryStore() {
    std::lock_guard lock(defaultStoreLock);
    if (!defaultStore) defaultStore = makePlatformRegistryStore();
    return defaultStore;
}

void setDefaultRegistryStore(std::shared_ptr<RegistryStore> store) {
    std::lock_guard lock(defaultStoreLock);
    defaultStore = std::move(store);
}

// A key opened for one operation, closed however the operation ends.
class cRegistry::OpenKey {
public:
    explicit OpenKey(RegistryStore& store) : store_(store) {}
    ~OpenKey() {
        if (open_) store_.closeKey(handle_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    RegResult open(std::int32_t root, const std::string& path, std::uint32_t access) {
        return opened(store_.openKey(rootHandle(root), path, access, handle_));
    }
    RegResult create(std::int32_t root, const std::string& path) {
        return opened(store_.createKey(rootHandle(root), path, KEY_FULL_ACCESS, handle_));
    }
    KeyHandle handle() const { return handle_; }

private:
    RegResult opened(RegResult result) {
        open_ = result == kSuccess;
        return result;
    }
    RegistryStore& store_;
    KeyHandle handle_ = 0;
    bool open_ = false;
};

cRegistry::cRegistry() : store_(defaultRegistryStore()) {}

cRegistry::cRegistry(std::shared_ptr<RegistryStore> store) : store_(std::move(store)) {}

void cRegistry::raise(RegistryFailure failure, const std::u16string& value, const std::u16string& detail) const {
    raiseRegistryError(failure, FailureDetails{decimal(ClassKey_), SectionKey_, ValueKey_, value, detail});
}

bool cRegistry::KeyExists() const {
    OpenKey key(*store_);
    return key.open(ClassKey_, ansi(SectionKey_), KEY_QUERY_VALUE) == kSuccess;
}

bool cRegistry::CreateKey() {
    OpenKey key(*store_);
    if (key.create(ClassKey_, ansi(SectionKey_)) != kSuccess) raise(RegistryFailure::CreateKey);
    return true;
}

bool cRegistry::DeleteKey() {
    if (store_->deleteKey(rootHandle(ClassKey_), ansi(SectionKey_)) != kSuccess) raise(RegistryFailure::DeleteKey);
    return true;
}

bool cRegistry::DeleteValue() {
    OpenKey key(*store_);
    if (key.open(ClassKey_, ansi(SectionKey_), KEY_FULL_ACCESS) != kSuccess) raise(RegistryFailure::OpenForDelete);
    if (store_->deleteValue(key.handle(), ansi(ValueKey_)) != kSuccess) raise(RegistryFailure::DeleteValue);
    return true;
}

RegVariant cRegistry::Value() {
    OpenKey key(*store_);
    if (key.open(ClassKey_, ansi(SectionKey_), KEY_QUERY_VALUE) != kSuccess) return Default_;
    std::uint32_t type = 0, size = 0;
    const RegResult sized = store_->queryValue(key.handle(), ansi(ValueKey_), type, {}, size);
    if (sized != kSuccess && sized != kMoreData) return Default_;
    ValueType_ = static_cast<std::int32_t>(type);
    return readData(key.handle(), type, size);
}

RegVariant cRegistry::readData(KeyHandle key, std::uint32_t type, std::uint32_t size) const {
    std::vector<std::uint8_t> data(type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN ? 4 : size);
    std::uint32_t stored = 0;
    // The value may have changed since its size was asked; a failed read gives Default.
    if (store_->queryValue(key, ansi(ValueKey_), type, data, stored) != kSuccess) return Default_;
    if (isTextType(type)) {
        data.resize(stored);
        if (!data.empty() && data.back() == 0) data.pop_back();  // the final NUL only
        std::u16string text = store_->fromAnsi(std::string(data.begin(), data.end()));
        return type == REG_EXPAND_SZ ? ExpandEnvironmentText(text) : text;
    }
    if (type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN) {
        const std::uint32_t bits = data[0] | (data[1] << 8) | (data[2] << 16) | (std::uint32_t{data[3]} << 24);
        const auto number = static_cast<std::int32_t>(bits);
        return type == REG_DWORD ? number : ReverseBytes32(number);
    }
    data.resize(stored);
    return ByteArray(std::move(data));
}

void cRegistry::Value(const RegVariant& vValue) {
    OpenKey key(*store_);
    if (key.create(ClassKey_, ansi(SectionKey_)) != kSuccess) raise(RegistryFailure::SetValueOpen, vValue.toText());
    if (writeData(key.handle(), vValue) != kSuccess) raise(RegistryFailure::SetValueWrite, vValue.toText());
}

RegResult cRegistry::writeData(KeyHandle key, const RegVariant& vValue) {
    const std::string name = ansi(ValueKey_);
    switch (ValueType_) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const std::u16string text = vValue.toText();
        std::string bytes = ansi(text);
        bytes.push_back('\0');
        return store_->setValue(key, name, textTypeOf(text),
                                {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    }
    case REG_BINARY:
        if (!vValue.isBytes()) raise(RegistryFailure::SetValueNotBytes);
        return store_->setValue(key, name, REG_BINARY, vValue.bytes());
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
        if (!vValue.isInteger()) return kSuccess;  // other values are quietly not written
        const auto bits = static_cast<std::uint32_t>(vValue.integer());
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                       static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
        return store_->setValue(key, name, REG_DWORD, bytes);
    }
    default: return kInvalidData;  // REG_MULTI_SZ and the others are not written
    }
}

bool cRegistry::EnumerateValues(OneBasedList<std::u16string>& sKeyNames, std::int32_t& iKeyCount) {
    sKeyNames.clear();
    iKeyCount = 0;
    OpenKey key(*store_);
    if (key.open(ClassKey_, ansi(SectionKey_), KEY_QUERY_VALUE) != kSuccess) return true;
    std::uint32_t longest = 0;
    store_->queryMaxValueNameLength(key.handle(), longest);
    std::uint32_t capacity = longest + 1;
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        RegResult result;
        // A name longer than the key reported (it changed meanwhile) gets a larger buffer.
        while ((result = store_->enumValue(key.handle(), index, capacity, name)) == kMoreData &&
               capacity < kLargestCapacity)
            capacity *= 2;
        if (result != kSuccess) break;
        sKeyNames.store(++iKeyCount, store_->fromAnsi(name));
    }
    return true;
}

bool cRegistry::EnumerateSections(OneBasedList<std::u16string>& sSect, std::int32_t& iSectCount) {
    sSect.clear();
    iSectCount = 0;
    OpenKey key(*store_);
    if (key.open(ClassKey_, ansi(SectionKey_), KEY_ENUMERATE_SUB_KEYS) != kSuccess) return true;
    try {
        std::uint32_t capacity = kKeyNameCapacity;
        for (std::uint32_t index = 0;; ++index) {
            std::string name;
            RegResult result;
            // A 255-character name, or one longer in the code page, needs more room.
            while ((result = store_->enumKey(key.handle(), index, capacity, name)) == kMoreData &&
                   capacity < kLargestCapacity)
                capacity *= 2;
            if (result != kSuccess) break;
            sSect.store(++iSectCount, store_->fromAnsi(name));
        }
    } catch (const std::exception& e) {
        raise(RegistryFailure::EnumerateSections, u"", base::utf16(e.what()));
    }
    return true;
}

void cRegistry::WriteClassesValue(const std::u16string& text) {
    ClassKey_ = HKEY_CLASSES_ROOT;
    Value(text);
    const std::u16string section = SectionKey_;
    ClassKey_ = HKEY_LOCAL_MACHINE;
    SectionKey_ = u"SOFTWARE\\Classes\\" + section;
    struct Restore {
        cRegistry& self;
        const std::u16string& section;
        ~Restore() { self.SectionKey_ = section; }
    } restore{*this, section};
    Value(text);
}

bool cRegistry::CreateEXEAssociation(const std::u16string& sExePath, const std::u16string& sClassName,
                                     const std::u16string& sClassDescription, const std::u16string& sAssociation,
                                     const std::u16string& sOpenMenuText, bool bSupportPrint,
                                     const std::u16string& sPrintMenuText, bool bSupportNew,
                                     const std::u16string& sNewMenuText, bool bSupportInstall,
                                     const std::u16string& sInstallMenuText, std::int32_t lDefaultIconIndex) {
    std::u16string exe = trimSpaces(sExePath);
    if (exe.empty() || exe.front() != u'"') exe.insert(exe.begin(), u'"');
    if (exe.size() < 2 || exe.back() != u'"') exe.push_back(u'"');

    SectionKey_ = u"." + sAssociation;
    ValueType_ = REG_SZ;
    ValueKey_.clear();
    WriteClassesValue(sClassName);
    SectionKey_ = sClassName;
    WriteClassesValue(sClassDescription);

    const auto verb = [&](const std::u16string& suffix, const std::u16string& text, const std::u16string& command) {
        ValueKey_.clear();
        SectionKey_ = sClassName + suffix;
        WriteClassesValue(text);
        SectionKey_ = sClassName + suffix + u"\\command";
        WriteClassesValue(command);
    };
    verb(u"\\shell\\open", sOpenMenuText.empty() ? u"&Open" : sOpenMenuText, exe + u" \"%1\"");
    if (bSupportPrint)
        verb(u"\\shell\\print", sPrintMenuText.empty() ? u"&Print" : sPrintMenuText, exe + u" /p \"%1\"");
    if (bSupportInstall)
        verb(u"\\shell\\add", sInstallMenuText.empty() ? u"&Install " + sAssociation : sInstallMenuText,
             exe + u" /a \"%1\"");
    if (bSupportNew) verb(u"\\shell\\new", sNewMenuText.empty() ? u"&New" : sNewMenuText, exe + u" /n \"%1\"");
    if (lDefaultIconIndex >= 0) {
        ValueKey_.clear();
        SectionKey_ = sClassName + u"\\DefaultIcon";
        WriteClassesValue(exe + u"," + decimal(lDefaultIconIndex));
    }
    return true;
}

bool cRegistry::CreateAdditionalEXEAssociations(const std::u16string& sClassName,
                                                const std::vector<RegVariant>& vItems) {
    if (vItems.size() % 3 != 0) raise(RegistryFailure::AssociationList);
    SectionKey_ = sClassName;
    // Classes live under HKEY_CLASSES_ROOT, whatever root the last write left behind.
    ClassKey_ = HKEY_CLASSES_ROOT;
    if (!KeyExists()) raise(RegistryFailure::ClassNotDefined);
    for (size_t i = 0; i < vItems.size(); i += 3) {
        const std::u16string verb = sClassName + u"\\shell\\" + vItems[i].toText();
        ValueType_ = REG_SZ;
        SectionKey_ = verb;
        ValueKey_.clear();
        WriteClassesValue(vItems[i + 1].toText());
        SectionKey_ = verb + u"\\command";
        ValueKey_.clear();
        WriteClassesValue(vItems[i + 2].toText());
    }
    return true;
}

std::int32_t cRegistry::ReverseBytes32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>((bits >> 24) | ((bits >> 8) & 0xFF00u) | ((bits << 8) & 0xFF0000u) | (bits << 24));
}

std::u16string cRegistry::ExpandEnvironmentText(const std::u16string& text) const {
    return store_->fromAnsi(store_->expandEnvironmentStrings(ansi(text)));
}

}  // namespace registry
