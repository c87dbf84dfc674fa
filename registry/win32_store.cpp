#ifdef _WIN32
#include "registry/win32_store.h"

#include <windows.h>

namespace registry {

namespace {
HKEY hkey(KeyHandle handle) { return reinterpret_cast<HKEY>(handle); }
}  // namespace

RegResult Win32RegistryStore::openKey(KeyHandle parent, const std::string& subKey, std::uint32_t access,
                                      KeyHandle& result) {
    HKEY key = nullptr;
    const LONG r = RegOpenKeyExA(hkey(parent), subKey.c_str(), 0, access, &key);
    if (r == ERROR_SUCCESS) result = reinterpret_cast<KeyHandle>(key);
    return r;
}

RegResult Win32RegistryStore::createKey(KeyHandle parent, const std::string& subKey, std::uint32_t access,
                                        KeyHandle& result) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    char emptyClass[] = "";
    const LONG r = RegCreateKeyExA(hkey(parent), subKey.c_str(), 0, emptyClass, 0, access, nullptr, &key, &disposition);
    if (r == ERROR_SUCCESS) result = reinterpret_cast<KeyHandle>(key);
    return r;
}

RegResult Win32RegistryStore::closeKey(KeyHandle key) { return RegCloseKey(hkey(key)); }

RegResult Win32RegistryStore::deleteKey(KeyHandle parent, const std::string& subKey) {
    return RegDeleteKeyA(hkey(parent), subKey.c_str());
}

RegResult Win32RegistryStore::deleteValue(KeyHandle key, const std::string& name) {
    return RegDeleteValueA(hkey(key), name.c_str());
}

RegResult Win32RegistryStore::queryValue(KeyHandle key, const std::string& name, std::uint32_t& type,
                                         std::span<std::uint8_t> buffer, std::uint32_t& size) {
    // A buffer of size 0, not a null one: the platform then reports ERROR_MORE_DATA.
    BYTE none = 0;
    DWORD t = 0, n = static_cast<DWORD>(buffer.size());
    const LONG r = RegQueryValueExA(hkey(key), name.c_str(), nullptr, &t, buffer.empty() ? &none : buffer.data(), &n);
    type = t;
    size = n;
    return r;
}

RegResult Win32RegistryStore::setValue(KeyHandle key, const std::string& name, std::uint32_t type,
                                       std::span<const std::uint8_t> data) {
    return RegSetValueExA(hkey(key), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

RegResult Win32RegistryStore::queryMaxValueNameLength(KeyHandle key, std::uint32_t& length) {
    DWORD longest = 0;
    const LONG r = RegQueryInfoKeyA(hkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                                    nullptr, nullptr, nullptr);
    length = longest;
    return r;
}

RegResult Win32RegistryStore::enumValue(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) {
    std::string buffer(capacity, '\0');
    DWORD length = capacity;
    const LONG r = RegEnumValueA(hkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_SUCCESS) name = buffer.substr(0, length);
    return r;
}

RegResult Win32RegistryStore::enumKey(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) {
    std::string buffer(capacity, '\0');
    const LONG r = RegEnumKeyA(hkey(key), index, buffer.data(), capacity);
    if (r == ERROR_SUCCESS) name = buffer.substr(0, buffer.find('\0'));
    return r;
}

std::string Win32RegistryStore::expandEnvironmentStrings(const std::string& text) {
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::string buffer(size, '\0');
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), size);
    if (written == 0 || written > size) return text;
    buffer.resize(written - 1);  // without the final NUL
    return buffer;
}

std::string Win32RegistryStore::toAnsi(std::u16string_view text) const {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int count = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, count, out.data(), size, nullptr, nullptr);
    return out;
}

std::u16string Win32RegistryStore::fromAnsi(std::string_view text) const {
    if (text.empty()) return {};
    const int count = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
    std::u16string out(static_cast<size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), count, reinterpret_cast<wchar_t*>(out.data()), size);
    return out;
}

}  // namespace registry
#endif
