#include "apps/windows/registration.h"

#include "apps/windows/com_interfaces.h"
#include "apps/windows/module_state.h"

namespace apps::windows {

namespace {

const std::wstring classesRoot = L"Software\\Classes\\";
const std::wstring progIdKey = classesRoot + progId;
const std::wstring clsidKey = classesRoot + L"CLSID\\" + clsidText;
const std::wstring addinKey = std::wstring(L"Software\\Microsoft\\Office\\Excel\\Addins\\") + progId;

LSTATUS setText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return status;
}

LSTATUS setNumber(const std::wstring& key, const wchar_t* name, DWORD value) {
    HKEY handle = nullptr;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExW(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
    return status;
}

LSTATUS removeTree(const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

std::wstring modulePath() {
    wchar_t name[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(moduleHandle(), name, MAX_PATH);
    return std::wstring(name, length);
}

HRESULT registerServer(const std::wstring& dllPath) {
    const LSTATUS steps[] = {
        setText(progIdKey, nullptr, friendlyName),
        setText(progIdKey + L"\\CLSID", nullptr, clsidText),
        setText(clsidKey, nullptr, friendlyName),
        setText(clsidKey + L"\\ProgID", nullptr, progId),
        setText(clsidKey + L"\\InprocServer32", nullptr, dllPath),
        setText(clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
        setText(addinKey, L"FriendlyName", friendlyName),
        setText(addinKey, L"Description", addinDescription),
        setNumber(addinKey, L"LoadBehavior", loadBehaviour),
    };
    for (LSTATUS status : steps) {
        if (status != ERROR_SUCCESS) {
            unregisterServer();
            return HRESULT_FROM_WIN32(status);
        }
    }
    return S_OK;
}

HRESULT unregisterServer() {
    LSTATUS worst = ERROR_SUCCESS;
    for (const std::wstring& key : {addinKey, clsidKey, progIdKey}) {
        const LSTATUS status = removeTree(key);
        if (status != ERROR_SUCCESS) worst = status;
    }
    return worst == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(worst);
}

}  // namespace apps::windows
