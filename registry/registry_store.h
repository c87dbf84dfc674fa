#pragma once
// RegistryStore — the registry operations cRegistry needs, with the platform's
// result codes. Text (key paths, value names, string data) travels in the store's
// "ANSI" code page, as through the platform's A functions: the system code page on
// Windows, UTF-8 here.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace registry {

using RegResult = std::int32_t;
using KeyHandle = std::uintptr_t;

// Result codes, as the platform numbers them.
inline constexpr RegResult kSuccess = 0;
inline constexpr RegResult kFileNotFound = 2;
inline constexpr RegResult kPathNotFound = 3;
inline constexpr RegResult kAccessDenied = 5;
inline constexpr RegResult kInvalidHandle = 6;
inline constexpr RegResult kInvalidData = 13;
inline constexpr RegResult kInvalidParameter = 87;
inline constexpr RegResult kMoreData = 234;
inline constexpr RegResult kNoMoreItems = 259;
inline constexpr RegResult kBadDatabase = 1009;       // registry file is malformed
inline constexpr RegResult kRegistryIoFailed = 1016;  // registry file could not be written

// Predefined root keys, as the 32-bit values cRegistry's ClassKey holds.
inline constexpr std::int32_t HKEY_CLASSES_ROOT = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t HKEY_CURRENT_USER = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t HKEY_LOCAL_MACHINE = static_cast<std::int32_t>(0x80000002u);
inline constexpr std::int32_t HKEY_USERS = static_cast<std::int32_t>(0x80000003u);

// A root key as a handle: sign-extended, as the platform widens predefined keys.
inline KeyHandle rootHandle(std::int32_t classKey) {
    return static_cast<KeyHandle>(static_cast<std::intptr_t>(classKey));
}

// Access rights.
inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x1;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x2;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x4;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x8;
inline constexpr std::uint32_t KEY_FULL_ACCESS = 0x3F;  // the six rights cRegistry asks for

// Data types.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_DWORD_BIG_ENDIAN = 5;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    virtual RegResult openKey(KeyHandle parent, const std::string& subKey, std::uint32_t access, KeyHandle& result) = 0;
    // Opens the key, creating it and any missing parents.
    virtual RegResult createKey(KeyHandle parent, const std::string& subKey, std::uint32_t access,
                                KeyHandle& result) = 0;
    virtual RegResult closeKey(KeyHandle key) = 0;
    // Deletes a key that has no sub-keys.
    virtual RegResult deleteKey(KeyHandle parent, const std::string& subKey) = 0;
    virtual RegResult deleteValue(KeyHandle key, const std::string& name) = 0;
    // Sets `size` to the stored size; copies the data when it fits into `buffer`,
    // else returns kMoreData. String types come in the ANSI code page.
    virtual RegResult queryValue(KeyHandle key, const std::string& name, std::uint32_t& type,
                                 std::span<std::uint8_t> buffer, std::uint32_t& size) = 0;
    virtual RegResult setValue(KeyHandle key, const std::string& name, std::uint32_t type,
                               std::span<const std::uint8_t> data) = 0;
    // Longest value name of the key, in ANSI characters, without the final NUL.
    virtual RegResult queryMaxValueNameLength(KeyHandle key, std::uint32_t& length) = 0;
    // `capacity` counts the final NUL; on success `name` holds the name without it.
    virtual RegResult enumValue(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) = 0;
    virtual RegResult enumKey(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) = 0;

    // %NAME% references replaced by the environment's values; unknown names stay.
    virtual std::string expandEnvironmentStrings(const std::string& text) = 0;

    // Conversion between the program's UTF-16 text and the store's ANSI code page.
    virtual std::string toAnsi(std::u16string_view text) const;
    virtual std::u16string fromAnsi(std::string_view text) const;

    // Why the store cannot be used (a malformed registry file, …); empty when it can.
    virtual std::string problem() { return {}; }
};

}  // namespace registry
