#pragma once
// Per-user registration of the add-in: what DllRegisterServer writes and DllUnregisterServer
// removes, all under HKEY_CURRENT_USER.
//   Software\Classes\CellwashKit.Connect            (default) "Cellwash Kit", CLSID\(default) the CLSID
//   Software\Classes\CLSID\{CLSID}                   (default) "Cellwash Kit", ProgID, InprocServer32
//                                                    ((default) the DLL's path, ThreadingModel "Apartment")
//   Software\Microsoft\Office\Excel\Addins\CellwashKit.Connect
//                                                    FriendlyName, Description, LoadBehavior 3
#include <windows.h>

#include <string>

namespace apps::windows {

inline constexpr wchar_t friendlyName[] = L"Cellwash Kit";
inline constexpr wchar_t addinDescription[] =
    L"Cellwash Kit: data-cleaning tools for text, duplicates, layout and counts";
inline constexpr DWORD loadBehaviour = 3;  // connected at host start-up

// Writes every key and value; on a failure removes what it wrote. S_OK or the failure.
HRESULT registerServer(const std::wstring& dllPath);
// Removes exactly the keys registerServer writes; keys that are already gone are no failure.
HRESULT unregisterServer();

// The file this DLL was loaded from.
std::wstring modulePath();

}  // namespace apps::windows
