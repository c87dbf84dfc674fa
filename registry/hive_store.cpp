#include "registry/hive_store.h"

#include <algorithm>

#include "registry/caseless.h"

namespace registry {

namespace {

constexpr size_t kMaxKeyNameLength = 255;
constexpr std::uint32_t kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | 0x20;

KeyPath classesPath(const KeyPath& path) {
    KeyPath out{u"Software", u"Classes"};
    out.insert(out.end(), path.begin(), path.end());
    return out;
}

// Empty parts (doubled or outer backslashes) are skipped.
void appendParts(KeyPath& path, std::u16string_view text) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\\', start);
        if (end == std::u16string_view::npos) end = text.size();
        if (end > start) path.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool isStringType(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

const StoredValue* findValue(const std::vector<StoredValue>& values, std::u16string_view name) {
    auto it = std::find_if(values.begin(), values.end(), [&](const StoredValue& v) { return sameName(v.name, name); });
    return it == values.end() ? nullptr : &*it;
}

}  // namespace

RegResult HiveStore::statusOf(Hive hive) {
    if (hive == Hive::User) return user_.status();
    if (hive == Hive::Machine) return machine_.status();
    const RegResult userStatus = user_.status();
    return userStatus != kSuccess ? userStatus : machine_.status();
}

RegResult HiveStore::locate(KeyHandle parent, const std::string& subKey, Location& where) {
    if (parent == rootHandle(HKEY_CLASSES_ROOT))
        where = {Hive::Classes, {}};
    else if (parent == rootHandle(HKEY_CURRENT_USER))
        where = {Hive::User, {}};
    else if (parent == rootHandle(HKEY_LOCAL_MACHINE))
        where = {Hive::Machine, {}};
    else if (auto it = handles_.find(parent); it != handles_.end())
        where = it->second.where;
    else
        return kInvalidHandle;
    appendParts(where.path, fromAnsi(subKey));
    return statusOf(where.hive);
}

HiveStore::Resolved HiveStore::resolve(const Location& where) {
    if (where.hive == Hive::User) return {&user_, where.path};
    if (where.hive == Hive::Machine) return {&machine_, where.path};
    KeyPath path = classesPath(where.path);
    if (user_.keyExists(path)) return {&user_, path};
    return {&machine_, path};
}

bool HiveStore::exists(const Location& where) {
    if (where.path.empty()) return true;  // the roots always exist
    if (where.hive != Hive::Classes) return resolve(where).space->keyExists(where.path);
    const KeyPath path = classesPath(where.path);
    return user_.keyExists(path) || machine_.keyExists(path);
}

KeyHandle HiveStore::remember(Location where, std::uint32_t access) {
    const KeyHandle handle = nextHandle_++;
    handles_.emplace(handle, OpenKey{std::move(where), access, 0, 0, std::nullopt});
    return handle;
}

HiveStore::OpenKey* HiveStore::find(KeyHandle key, std::uint32_t access, RegResult& result) {
    auto it = handles_.find(key);
    if (it == handles_.end()) {
        result = kInvalidHandle;
        return nullptr;
    }
    if ((it->second.access & access) != access) {
        result = kAccessDenied;
        return nullptr;
    }
    result = statusOf(it->second.where.hive);
    return result == kSuccess ? &it->second : nullptr;
}

std::vector<StoredValue> HiveStore::valuesOf(const Location& where) {
    if (!exists(where)) return {};
    const Resolved at = resolve(where);
    return at.space->values(at.path);
}

std::vector<std::u16string> HiveStore::subKeysOf(const Location& where) {
    if (where.hive != Hive::Classes) return resolve(where).space->subKeyNames(where.path);
    const KeyPath path = classesPath(where.path);
    std::vector<std::u16string> names = user_.subKeyNames(path);
    for (std::u16string& name : machine_.subKeyNames(path)) {
        const bool known =
            std::any_of(names.begin(), names.end(), [&](const std::u16string& n) { return sameName(n, name); });
        if (!known) names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::uint8_t> HiveStore::toStored(std::uint32_t type, std::span<const std::uint8_t> data) const {
    if (!isStringType(type)) return {data.begin(), data.end()};
    const std::u16string text = fromAnsi(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

std::string HiveStore::fromStored(std::uint32_t type, const std::vector<std::uint8_t>& data) const {
    if (!isStringType(type)) return {data.begin(), data.end()};
    std::u16string text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return toAnsi(text);
}

RegResult HiveStore::openKey(KeyHandle parent, const std::string& subKey, std::uint32_t access, KeyHandle& result) {
    Location where;
    if (RegResult r = locate(parent, subKey, where); r != kSuccess) return r;
    if (!exists(where)) return kFileNotFound;
    if ((access & kWriteRights) && !resolve(where).space->writable()) return kAccessDenied;
    result = remember(std::move(where), access);
    return kSuccess;
}

RegResult HiveStore::createKey(KeyHandle parent, const std::string& subKey, std::uint32_t access, KeyHandle& result) {
    Location where;
    if (RegResult r = locate(parent, subKey, where); r != kSuccess) return r;
    for (const std::u16string& part : where.path)
        if (part.size() > kMaxKeyNameLength) return kInvalidParameter;
    const Resolved at = resolve(where);
    if (!at.space->writable()) return kAccessDenied;
    if (!exists(where)) {
        if (RegResult r = at.space->createKey(at.path); r != kSuccess) return r;
    }
    result = remember(std::move(where), access);
    return kSuccess;
}

RegResult HiveStore::closeKey(KeyHandle key) {
    if (key == rootHandle(HKEY_CLASSES_ROOT) || key == rootHandle(HKEY_CURRENT_USER) ||
        key == rootHandle(HKEY_LOCAL_MACHINE))
        return kSuccess;
    return handles_.erase(key) ? kSuccess : kInvalidHandle;
}

RegResult HiveStore::deleteKey(KeyHandle parent, const std::string& subKey) {
    Location where;
    if (RegResult r = locate(parent, subKey, where); r != kSuccess) return r;
    if (where.path.empty()) return kAccessDenied;
    if (!exists(where)) return kFileNotFound;
    const Resolved at = resolve(where);
    if (!at.space->writable() || !at.space->subKeyNames(at.path).empty()) return kAccessDenied;
    return at.space->deleteKey(at.path);
}

RegResult HiveStore::deleteValue(KeyHandle key, const std::string& name) {
    RegResult result;
    OpenKey* open = find(key, KEY_SET_VALUE, result);
    if (!open) return result;
    if (!exists(open->where)) return kFileNotFound;
    const Resolved at = resolve(open->where);
    const std::u16string wanted = fromAnsi(name);
    if (!findValue(at.space->values(at.path), wanted)) return kFileNotFound;
    return at.space->deleteValue(at.path, wanted);
}

RegResult HiveStore::queryValue(KeyHandle key, const std::string& name, std::uint32_t& type,
                                std::span<std::uint8_t> buffer, std::uint32_t& size) {
    RegResult result;
    OpenKey* open = find(key, KEY_QUERY_VALUE, result);
    if (!open) return result;
    const std::vector<StoredValue> values = valuesOf(open->where);
    const StoredValue* value = findValue(values, fromAnsi(name));
    if (!value) return kFileNotFound;
    const std::string data = fromStored(value->type, value->data);
    type = value->type;
    size = static_cast<std::uint32_t>(data.size());
    if (buffer.size() < data.size()) return kMoreData;
    std::copy(data.begin(), data.end(), buffer.begin());
    return kSuccess;
}

RegResult HiveStore::setValue(KeyHandle key, const std::string& name, std::uint32_t type,
                              std::span<const std::uint8_t> data) {
    RegResult result;
    OpenKey* open = find(key, KEY_SET_VALUE, result);
    if (!open) return result;
    if (!exists(open->where)) return kFileNotFound;
    const Resolved at = resolve(open->where);
    if (!at.space->writable()) return kAccessDenied;
    return at.space->setValue(at.path, StoredValue{fromAnsi(name), type, toStored(type, data)});
}

RegResult HiveStore::queryMaxValueNameLength(KeyHandle key, std::uint32_t& length) {
    RegResult result;
    OpenKey* open = find(key, KEY_QUERY_VALUE, result);
    if (!open) return result;
    length = 0;
    for (const StoredValue& value : valuesOf(open->where))
        length = std::max(length, static_cast<std::uint32_t>(toAnsi(value.name).size()));
    return kSuccess;
}

RegResult HiveStore::enumValue(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) {
    RegResult result;
    OpenKey* open = find(key, KEY_QUERY_VALUE, result);
    if (!open) return result;
    const std::vector<StoredValue> values = valuesOf(open->where);
    if (index >= values.size()) return kNoMoreItems;
    std::string found = toAnsi(values[index].name);
    if (found.size() + 1 > capacity) return kMoreData;
    name = std::move(found);
    return kSuccess;
}

RegResult HiveStore::enumKey(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) {
    RegResult result;
    OpenKey* open = find(key, KEY_ENUMERATE_SUB_KEYS, result);
    if (!open) return result;
    // Listing a key walks the hive; keep the list while neither hive has changed.
    const std::uint64_t userNow = user_.generation(), machineNow = machine_.generation();
    if (!open->subKeys || open->listedUser != userNow || open->listedMachine != machineNow) {
        open->subKeys = subKeysOf(open->where);
        open->listedUser = userNow;
        open->listedMachine = machineNow;
    }
    if (index >= open->subKeys->size()) return kNoMoreItems;
    std::string found = toAnsi((*open->subKeys)[index]);
    if (found.size() + 1 > capacity) return kMoreData;
    name = std::move(found);
    return kSuccess;
}

}  // namespace registry
