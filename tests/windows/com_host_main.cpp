// cellwash_com_host: plays the host for cellwashkit.dll under Wine (or Windows). It registers the
// library per user and reads the keys back, creates the add-in through its ProgID, connects it to
// an Application of its own, fetches the ribbon definition, calls the ribbon callbacks by name
// through IDispatch, disconnects, and unregisters. Prints one line per check; the exit status is
// the number of failed checks (capped at 100).
//
// Usage: cellwash_com_host PATH\cellwashkit.dll [SCREENSHOT_FOLDER]
#include <windows.h>
// after windows.h
#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "apps/windows/com_interfaces.h"
#include "tests/windows/registry_copy.h"
#include "tests/windows/test_command_bars.h"
#include "tests/windows/test_objects.h"
#include "tests/windows/test_sheets.h"
#include "tests/windows/window_user.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++failures;
}

std::string narrow(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// A value of a key under `root`, or nothing when the key or the value is missing.
bool readText(HKEY root, const std::wstring& key, const wchar_t* name, std::wstring& out) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return false;
    out = buffer;
    return true;
}

bool readNumber(HKEY root, const std::wstring& key, const wchar_t* name, DWORD& out) {
    DWORD size = sizeof(out);
    return RegGetValueW(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &out, &size) == ERROR_SUCCESS;
}

bool keyExists(HKEY root, const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

// A resource of the library as bytes, read through the resource API.
std::string resourceBytes(HMODULE library, int number, const wchar_t* type) {
    HRSRC found = FindResourceW(library, MAKEINTRESOURCEW(number), type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(library, found);
    const auto* data = static_cast<const char*>(LockResource(loaded));
    return data ? std::string(data, SizeofResource(library, found)) : std::string();
}

// A UTF-16LE table with a byte-order mark, as its lines, each split at ';'.
std::vector<std::vector<std::wstring>> tableOf(const std::string& bytes) {
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
    std::vector<std::vector<std::wstring>> rows;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        std::vector<std::wstring> fields;
        std::wstring line = text.substr(start, end - start);
        size_t from = 0;
        for (;;) {
            const size_t semi = line.find(L';', from);
            fields.push_back(line.substr(from, semi == std::wstring::npos ? std::wstring::npos : semi - from));
            if (semi == std::wstring::npos) break;
            from = semi + 1;
        }
        rows.push_back(fields);
        if (end == text.size()) break;
        start = end + 2;
    }
    return rows;
}

DISPID idOf(IDispatch* object, const std::wstring& name, HRESULT* outcome = nullptr) {
    std::wstring copy = name;
    LPOLESTR names[] = {copy.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (outcome) *outcome = result;
    return id;
}

// Calls `name` on `object` with the arguments first argument first; the answer in `result`.
HRESULT callByName(IDispatch* object, const std::wstring& name, std::vector<VARIANT> arguments, VARIANT* result) {
    HRESULT outcome = S_OK;
    const DISPID id = idOf(object, name, &outcome);
    if (FAILED(outcome)) return outcome;
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO info{};
    UINT bad = 0;
    if (result) VariantInit(result);
    outcome = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, &info, &bad);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    return outcome;
}

VARIANT dispatchArgument(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;  // borrowed: the caller keeps its reference
    return v;
}

std::wstring textOf(const VARIANT& v) { return v.vt == VT_BSTR && v.bstrVal ? std::wstring(v.bstrVal) : L""; }

// A text callback called the way a host calls one: the control, and the answer as the return value.
std::wstring textCallback(IDispatch* addin, const std::wstring& name, const std::wstring& controlId) {
    cwtest::TestObject* control = cwtest::makeRibbonControl(controlId);
    VARIANT answer;
    const HRESULT outcome = callByName(addin, name, {dispatchArgument(control)}, &answer);
    control->Release();
    std::wstring text = SUCCEEDED(outcome) ? textOf(answer) : L"(failed)";
    VariantClear(&answer);
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace apps::windows;
    if (argc < 2) {
        std::fprintf(stderr, "usage: cellwash_com_host PATH\\cellwashkit.dll\n");
        return 100;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // every check's line is out even if a run hangs
    const std::wstring dllPath = argv[1];
    const std::wstring screenshots = argc > 2 ? argv[2] : L"";  // a folder for pictures of the windows
    const std::wstring progIdKey = L"Software\\Classes\\CellwashKit.Connect";
    const std::wstring clsidKey = std::wstring(L"Software\\Classes\\CLSID\\") + clsidText;
    const std::wstring addinKey = L"Software\\Microsoft\\Office\\Excel\\Addins\\CellwashKit.Connect";

    // --- registration, per user ---
    HMODULE library = LoadLibraryW(dllPath.c_str());
    check(library != nullptr, "the library loads");
    if (!library) return 100;
    wchar_t loadedPath[MAX_PATH] = {};
    GetModuleFileNameW(library, loadedPath, MAX_PATH);
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto registerServer =
        reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    auto unregisterServer =
        reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, "DllUnregisterServer")));
    check(registerServer && unregisterServer, "DllRegisterServer and DllUnregisterServer are exported");
    if (!registerServer || !unregisterServer) return 100;
    check(registerServer() == S_OK, "DllRegisterServer answers S_OK");

    std::wstring clsidValue, serverPath, threading, progIdValue, friendly, description;
    DWORD behaviour = 0;
    const bool read[] = {
        readText(HKEY_CURRENT_USER, progIdKey + L"\\CLSID", nullptr, clsidValue),
        readText(HKEY_CURRENT_USER, clsidKey + L"\\InprocServer32", nullptr, serverPath),
        readText(HKEY_CURRENT_USER, clsidKey + L"\\InprocServer32", L"ThreadingModel", threading),
        readText(HKEY_CURRENT_USER, clsidKey + L"\\ProgID", nullptr, progIdValue),
        readText(HKEY_CURRENT_USER, addinKey, L"FriendlyName", friendly),
        readText(HKEY_CURRENT_USER, addinKey, L"Description", description),
        readNumber(HKEY_CURRENT_USER, addinKey, L"LoadBehavior", behaviour),
    };
    check(read[0] && clsidValue == clsidText, "HKCU ProgID CellwashKit.Connect names the CLSID: " + narrow(clsidValue));
    check(read[1] && serverPath == loadedPath, "HKCU InprocServer32 is the library's path: " + narrow(serverPath));
    check(read[2] && threading == L"Apartment", "ThreadingModel " + narrow(threading));
    check(read[3] && progIdValue == progId, "the CLSID names its ProgID " + narrow(progIdValue));
    check(read[4] && friendly == L"Cellwash Kit", "add-in entry: FriendlyName " + narrow(friendly));
    check(read[5] && !description.empty() && description.find_first_of(L"\r\n") == std::wstring::npos,
          "add-in entry: a one-line Description: " + narrow(description));
    check(read[6] && behaviour == 3, "add-in entry: LoadBehavior " + std::to_string(behaviour));
    check(!keyExists(HKEY_LOCAL_MACHINE, clsidKey) && !keyExists(HKEY_LOCAL_MACHINE, progIdKey),
          "nothing is registered for the machine");

    // Wine 8 does not look up classes in the current user's hive: there, the keys are copied to the
    // machine's for the time of the run.
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (wine) {
        check(cwtest::copyUserClassesToMachine({progIdKey, clsidKey}), "under Wine: class keys copied to HKLM");
    }

    // --- creation through the ProgID ---
    OleInitialize(nullptr);
    CLSID clsid{};
    check(CLSIDFromProgID(progId, &clsid) == S_OK && IsEqualCLSID(clsid, CLSID_CellwashKitConnect),
          "CLSIDFromProgID(CellwashKit.Connect) is the add-in's CLSID");
    IDispatch* addin = nullptr;
    const HRESULT created = CoCreateInstance(CLSID_CellwashKitConnect, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                             reinterpret_cast<void**>(&addin));
    check(created == S_OK && addin, "CoCreateInstance creates the add-in");
    if (addin) {
        IUnknown* face = nullptr;
        check(addin->QueryInterface(IID_IDTExtensibility2, reinterpret_cast<void**>(&face)) == S_OK,
              "the add-in answers the connection interface");
        if (face) face->Release();
        IRibbonExtensibility* ribbonFace = nullptr;
        check(addin->QueryInterface(IID_IRibbonExtensibility, reinterpret_cast<void**>(&ribbonFace)) == S_OK,
              "the add-in answers the ribbon extensibility interface");

        // --- connection with the host's Application ---
        cwtest::HostLists lists;
        cwtest::TestObject* application = cwtest::makeApplication(L"16.0", lists);
        lists.addin = addin;
        // The host's main window, given to the add-in as Application.Hwnd.
        WNDCLASSW hostClass{};
        hostClass.lpfnWndProc = DefWindowProcW;
        hostClass.hInstance = GetModuleHandleW(nullptr);
        hostClass.lpszClassName = L"XLMAIN";
        RegisterClassW(&hostClass);
        HWND hostWindow = CreateWindowExW(0, L"XLMAIN", L"Book1 - test host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(hostWindow, SW_SHOWNOACTIVATE);
        {
            VARIANT handle;
            VariantInit(&handle);
            handle.vt = VT_I4;
            handle.lVal = static_cast<LONG>(reinterpret_cast<LONG_PTR>(hostWindow));
            application->property(L"Hwnd", handle, false);
        }
        VARIANT mode;
        VariantInit(&mode);
        mode.vt = VT_I4;
        mode.lVal = 0;  // ext_cm_AfterStartup
        VARIANT empty;
        VariantInit(&empty);
        check(callByName(addin, L"ONCONNECTION", {dispatchArgument(application), mode, empty, empty}, nullptr) == S_OK,
              "OnConnection by name, without regard to case");
        bool askedVersion = false;
        for (const auto& name : application->asked) askedVersion = askedVersion || name == L"Version";
        check(askedVersion, "the add-in read Application.Version through IDispatch");
        const VARIANT& installed = lists.companion->value(L"Installed");
        check(installed.vt == VT_BOOL && installed.boolVal == VARIANT_TRUE,
              "at connection the companion listed as \"Cellwash Pro Tool\" is installed");

        // --- the ribbon definition: resource 101 ---
        const std::string definition = resourceBytes(library, 101, L"CUSTOM");
        check(definition.find("<customUI") != std::string::npos, "the library holds CUSTOM 101, the ribbon XML");
        BSTR xml = nullptr;
        check(ribbonFace && ribbonFace->GetCustomUI(SysAllocString(L"Microsoft.Excel.Workbook"), &xml) == S_OK && xml &&
                  narrow(xml) == definition,
              "GetCustomUI answers resource 101");
        SysFreeString(xml);
        VARIANT byName;
        check(callByName(addin, L"GetCustomUI", {}, &byName) == S_OK && narrow(textOf(byName)) == definition,
              "GetCustomUI by name answers the same");
        VariantClear(&byName);
        if (ribbonFace) ribbonFace->Release();

        // --- ribbon callbacks by name ---
        std::vector<std::wstring> invalidated;
        cwtest::TestObject* ribbonUI = cwtest::makeRibbonUI(invalidated);
        check(callByName(addin, L"OnRibbonLoad", {dispatchArgument(ribbonUI)}, nullptr) == S_OK,
              "OnRibbonLoad takes the ribbon UI");

        const auto labels = tableOf(resourceBytes(library, 106, L"CUSTOM"));
        check(labels.size() > 2 && labels[1].size() > 3, "the library holds CUSTOM 106, the label table");
        if (labels.size() > 2 && labels[1].size() > 3) {
            const std::wstring label = textCallback(addin, L"SETDEFAULTLANGUAGE", L"btnUndo_02");
            check(label == labels[1][2],
                  "getLabel setDefaultLanguage(btnUndo_02) is label 2 of the English row: " + narrow(label));
            const std::wstring group = textCallback(addin, L"setdefaultlanguage", L"grpDataCleaning_04");
            check(group == labels[1][4], "getLabel of grpDataCleaning_04 is label 4: " + narrow(group));
        }
        {
            const std::wstring tip = textCallback(addin, L"getScreenTip", L"mnuTextCleaner_05");
            check(!tip.empty() && tip != L"(failed)", "getScreenTip(mnuTextCleaner_05) answers a tip: " + narrow(tip));
        }

        // A ByRef return value, as a host may pass one after the control.
        {
            cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnUndo_02");
            VARIANT slot;
            VariantInit(&slot);
            VARIANT byRef;
            VariantInit(&byRef);
            byRef.vt = VT_BYREF | VT_VARIANT;
            byRef.pvarVal = &slot;
            const HRESULT outcome = callByName(addin, L"GetEnabledUndo", {dispatchArgument(control), byRef}, nullptr);
            check(outcome == S_OK && slot.vt == VT_BOOL && slot.boolVal == VARIANT_FALSE,
                  "getEnabled GetEnabledUndo: False through the ByRef argument before any run");
            VariantClear(&slot);
            control->Release();
        }

        // A dynamic menu's content, and the names it gives.
        const std::wstring menu = textCallback(addin, L"GetTextCleanerContent", L"mnuTextCleaner_05");
        check(menu.find(L"<menu") == 0 && menu.find(L"onAction=\"RibbonHandler\"") != std::wstring::npos,
              "getContent GetTextCleanerContent answers a menu whose buttons call RibbonHandler");
        const std::wstring languages = textCallback(addin, L"GetLanguageContent", L"mnuLanguage");
        check(languages.find(L"getImage=\"setDefImageOnButton\"") != std::wstring::npos,
              "GetLanguageContent answers the language menu");

        // A picture as IPictureDisp.
        {
            cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnEn");
            VARIANT picture;
            const HRESULT outcome = callByName(addin, L"setDefImageOnButton", {dispatchArgument(control)}, &picture);
            IPicture* image = nullptr;
            short type = 0;
            OLE_XSIZE_HIMETRIC width = 0;
            if (outcome == S_OK && picture.vt == VT_DISPATCH && picture.pdispVal &&
                picture.pdispVal->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&image)) == S_OK) {
                image->get_Type(&type);
                image->get_Width(&width);
                image->Release();
            }
            check(type == PICTYPE_BITMAP && width > 0,
                  "getImage setDefImageOnButton(btnEn) answers a bitmap IPictureDisp");
            VariantClear(&picture);
            control->Release();
        }

        // A language toggle: the labels change and the ribbon is invalidated.
        {
            cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnHi_62");
            VARIANT pressed;
            VariantInit(&pressed);
            pressed.vt = VT_BOOL;
            pressed.boolVal = VARIANT_TRUE;
            check(callByName(addin, L"btnHi_Click", {dispatchArgument(control), pressed}, nullptr) == S_OK,
                  "onAction btnHi_Click(pressed)");
            control->Release();
            check(!invalidated.empty() && invalidated[0] == L"*", "the ribbon UI's Invalidate was called");
            size_t hindi = 0;
            for (size_t i = 2; i < labels.size(); ++i)
                if (!labels[i].empty() && labels[i][0] == L"Hi") hindi = i;
            const std::wstring label = textCallback(addin, L"setDefaultLanguage", L"btnUndo_02");
            check(hindi > 1 && labels[hindi].size() > 2 && label == labels[hindi][2] && label != labels[1][2],
                  "after btnHi_Click the label of btnUndo_02 is the Hindi row's: " + narrow(label));
            const std::wstring back = L"btnEn";
            cwtest::TestObject* english = cwtest::makeRibbonControl(back);
            callByName(addin, L"btnEn_Click", {dispatchArgument(english), pressed}, nullptr);
            english->Release();
        }

        // A tool chosen with no workbook open: the message window, a real window, says so; its
        // button closes it.
        {
            const size_t at = menu.find(L"<button id=\"");
            const std::wstring tool =
                at == std::wstring::npos ? L"" : menu.substr(at + 12, menu.find(L'"', at + 12) - (at + 12));
            check(!tool.empty(), "the Text Cleaner menu names a tool: " + narrow(tool));
            cwtest::WindowUser user(
                {{L"CellwashForm", L"", screenshots.empty() ? L"" : screenshots + L"\\no_workbook_alert.bmp"}}, 20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(tool);
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seenAll = user.result();
            const cwtest::SeenWindow seen = seenAll.empty() ? cwtest::SeenWindow{} : seenAll[0];
            check(outcome == S_OK, "onAction RibbonHandler(" + narrow(tool) + ") returns once the window is closed");
            check(seen.window != nullptr, "a form window appears");
            bool saysNoWorkbook = false;
            if (labels.size() > 1 && labels[1].size() > 69)
                for (const auto& text : seen.texts) saysNoWorkbook = saysNoWorkbook || text == labels[1][69];
            check(saysNoWorkbook, "its message is label 69, the no-workbook message" +
                                      (labels.size() > 1 && labels[1].size() > 69 ? ": " + narrow(labels[1][69]) : ""));
            check(seen.buttons.size() == 1 && seen.clicked && seen.closedAfterClick,
                  "its one button closes it (buttons seen: " + std::to_string(seen.buttons.size()) + ")");
        }

        check(callByName(addin, L"NoSuchCallback", {dispatchArgument(application)}, nullptr) == DISP_E_MEMBERNOTFOUND,
              "a name the add-in has no callback for is DISP_E_MEMBERNOTFOUND");

        // With a workbook open the tool's dialog, frmMain, shows: a borderless window with Yes and
        // No; No closes it.
        {
            lists.workbooks->setNumber(L"Count", 1);
            const size_t at = menu.find(L"<button id=\"");
            const std::wstring tool =
                at == std::wstring::npos ? L"" : menu.substr(at + 12, menu.find(L'"', at + 12) - (at + 12));
            cwtest::WindowStep look(L"CellwashForm", L"No", screenshots.empty() ? L"" : screenshots + L"\\frmMain.bmp");
            // On frmMain's header (lblMainHeader, 26 to 306 points across, 5 to 20 down).
            HDC screen = GetDC(nullptr);
            look.dragFrom = POINT{MulDiv(150, GetDeviceCaps(screen, LOGPIXELSX), 72),
                                  MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72)};
            ReleaseDC(nullptr, screen);
            look.dragX = 40, look.dragY = 30;
            cwtest::WindowUser user({look}, 20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(tool);
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seen = user.result();
            check(outcome == S_OK && seen.size() == 1,
                  "RibbonHandler(" + narrow(tool) + ") with a workbook open shows a form");
            if (seen.size() == 1) {
                bool yes = false, no = false;
                for (const auto& b : seen[0].buttons) yes = yes || b == L"Yes", no = no || b == L"No";
                check(seen[0].title == L"Cellwash" && yes && no,
                      "it is frmMain (\"Cellwash\", Yes and No): " + narrow(seen[0].title));
                check(!seen[0].captionBar, "frmMain has no caption bar");
                check(seen[0].closedAfterClick, "No closes it");
                check(hostWindow && seen[0].rootOwner == hostWindow,
                      "frmMain's window is owned by the host's window (Application.Hwnd)");
                check(!seen[0].rootOwnerEnabled, "the host's window is disabled while frmMain is up");
                // A press on the header: the add-in releases the capture and sends WM_NCLBUTTONDOWN
                // with HTCAPTION; the system's move loop then follows the mouse until the release.
                check(seen[0].captionDragSeen,
                      "a press on frmMain's header hands the window WM_NCLBUTTONDOWN with HTCAPTION (161, 2)");
                // How far the system's move loop takes the window: under Wine's null driver (the
                // headless run) exactly the pointer's distance; on Wine's X11 virtual desktop it
                // moves, but not by that distance (Wine takes the start from the message's point,
                // which the add-in leaves 0 as the original call does). Only a real host's Windows
                // shows the distance a person drags.
                const std::string moved =
                    "(" + std::to_string(seen[0].movedX) + ", " + std::to_string(seen[0].movedY) + ")";
                if (screenshots.empty())
                    check(seen[0].movedX == 40 && seen[0].movedY == 30,
                          "dragging the header by (40, 30) moves frmMain by " + moved);
                else
                    check(seen[0].movedX != 0 || seen[0].movedY != 0,
                          "dragging the header moves frmMain (on the virtual desktop by " + moved + ")");
            }
            check(hostWindow && IsWindowEnabled(hostWindow),
                  "the host's window is enabled again once frmMain has closed");
        }

        // A tool run on a workbook: Remove Numbers over A1:A5000 of "Data", Yes in frmMain, the
        // message, the cells, the hidden undo copy, the Undo button's state, and Undo.
        {
            auto book = std::make_shared<cwtest::BookData>();
            auto data = std::make_shared<cwtest::SheetData>();
            data->name = L"Data";
            data->cells[{1, 1}] = L"abc123";
            data->cells[{2, 1}] = L"x9 y8";
            for (long row = 3; row <= 5000; ++row) data->cells[{row, 1}] = L"n" + std::to_wstring(row);
            data->cells[{1, 2}] = L"keep 42";
            book->sheets.push_back(data);
            book->active = data;
            data->top = 1, data->left = 1, data->bottom = 5000, data->right = 1;  // A1:A5000 selected
            cwtest::addWorkbook(*application, book);
            const size_t at = menu.find(L"<button id=\"");
            const std::wstring tool =
                at == std::wstring::npos ? L"" : menu.substr(at + 12, menu.find(L'"', at + 12) - (at + 12));
            cwtest::WindowUser user(
                {{L"CellwashForm", L"Yes", screenshots.empty() ? L"" : screenshots + L"\\frmMain_selection.bmp", L"",
                  screenshots.empty() ? L"" : screenshots + L"\\run_half_way.bmp"},
                 {L"CellwashForm", L"", screenshots.empty() ? L"" : screenshots + L"\\run_done.bmp"}},
                20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(tool);
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seen = user.result();
            check(outcome == S_OK && seen.size() == 2, "frmMain, Yes, then the message window");
            check(seen.size() == 2 && seen[1].rootOwner == hostWindow && !seen[1].rootOwnerEnabled &&
                      IsWindowEnabled(hostWindow),
                  "the message window too belongs to the host's window, disabled under it and enabled after");
            bool selected = false, told = false;
            if (!seen.empty())
                for (const auto& t : seen[0].texts) selected = selected || t == L"5000";
            if (seen.size() == 2)
                for (const auto& t : seen[1].texts) told = told || t == L"All Numbers Removed from Selected Cells!";
            check(selected, "frmMain counts the 5000 selected cells");
            check(told, "the message window says \"All Numbers Removed from Selected Cells!\"");
            check(data->cells[{1, 1}] == L"abc" && data->cells[{2, 1}] == L"x y" && data->cells[{5000, 1}] == L"n",
                  "the selected cells lost their digits: " + narrow(data->cells[{1, 1}]) + ", " +
                      narrow(data->cells[{2, 1}]));
            check(data->cells[{1, 2}] == L"keep 42", "a cell outside the selection kept its digits");
            check(lists.replaceTextWrites.size() >= 2 && !lists.replaceTextWrites.front() &&
                      lists.replaceTextWrites.back(),
                  "AutoCorrect.ReplaceText was off during the run and is on again after it");
            const auto undoCopy = book->sheet(L"Data_Undo");
            check(undoCopy && undoCopy->visible == 0 && undoCopy->cells[{1, 1}] == L"abc123" &&
                      undoCopy->cells[{2, 1}] == L"x9 y8",
                  "a hidden sheet Data_Undo holds the cells as they were");
            check(book->active && book->active->name == L"Data", "Data is the active sheet again");

            cwtest::TestObject* undoButton = cwtest::makeRibbonControl(L"btnUndo_02");
            VARIANT enabled;
            check(callByName(addin, L"GetEnabledUndo", {dispatchArgument(undoButton)}, &enabled) == S_OK &&
                      enabled.vt == VT_BOOL && enabled.boolVal == VARIANT_TRUE,
                  "the Undo button is enabled after the run");
            check(callByName(addin, L"RibbonHandler", {dispatchArgument(undoButton)}, nullptr) == S_OK, "Undo");
            undoButton->Release();
            const auto restored = book->sheet(L"Data");
            const auto redoCopy = book->sheet(L"Data_Redo");
            check(restored && restored->visible == -1 && restored->cells[{1, 1}] == L"abc123" &&
                      restored->cells[{2, 1}] == L"x9 y8",
                  "after Undo the sheet Data holds the cells as they were");
            check(redoCopy && redoCopy->visible == 0 && redoCopy->cells[{1, 1}] == L"abc",
                  "and the changed cells are kept hidden as Data_Redo");
        }

        // A tool with an option: Remove User Defined Characters with "#" typed into its characters
        // box, on Data's B1:B2.
        {
            const auto book = std::make_shared<cwtest::BookData>();
            auto data = std::make_shared<cwtest::SheetData>();
            data->name = L"Data";
            data->cells[{1, 2}] = L"a#b!";
            data->cells[{2, 2}] = L"#1#";
            data->top = 1, data->left = 2, data->bottom = 2, data->right = 2;
            book->sheets.push_back(data);
            book->active = data;
            cwtest::addWorkbook(*application, book);
            cwtest::WindowUser user({{L"CellwashForm", L"Yes", L"", L"#"}, {L"CellwashForm", L"", L""}}, 20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnDelUserDefine_09");
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seen = user.result();
            check(outcome == S_OK && seen.size() == 2 && seen[0].typed, "\"#\" typed into the characters box, Yes");
            bool told = false;
            if (seen.size() == 2)
                for (const auto& t : seen[1].texts)
                    told = told || t == L"All User Defined Characters Removed from Selected Cells!";
            check(told, "the message window says \"All User Defined Characters Removed from Selected Cells!\"");
            check(data->cells[{1, 2}] == L"ab!" && data->cells[{2, 2}] == L"1",
                  "only the typed character went: " + narrow(data->cells[{1, 2}]) + ", " + narrow(data->cells[{2, 2}]));
            lists.workbooks->setNumber(L"Count", 0);
        }

        // STOP during a run: the click reaches the add-in at its next DoEvents and the run ends
        // there, part of the selection done.
        {
            lists.workbooks->setNumber(L"Count", 1);
            const auto book = std::make_shared<cwtest::BookData>();
            auto data = std::make_shared<cwtest::SheetData>();
            data->name = L"Long";
            for (long row = 1; row <= 5000; ++row) data->cells[{row, 1}] = L"n" + std::to_wstring(row);
            data->top = 1, data->left = 1, data->bottom = 5000, data->right = 1;
            book->sheets.push_back(data);
            book->active = data;
            cwtest::addWorkbook(*application, book);
            const size_t at = menu.find(L"<button id=\"");
            const std::wstring tool =
                at == std::wstring::npos ? L"" : menu.substr(at + 12, menu.find(L'"', at + 12) - (at + 12));
            cwtest::WindowUser user({{L"CellwashForm", L"Yes", L"", L"", L"", L"STOP"}, {L"CellwashForm", L""}}, 20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(tool);
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seen = user.result();
            long done = 0;
            for (long row = 1; row <= 5000; ++row) done += data->cells[{row, 1}] == L"n" ? 1 : 0;
            check(outcome == S_OK && seen.size() == 2 && seen[0].thenClicked, "Yes, then STOP as soon as it shows");
            check(done >= 1 && done < 5000 && data->cells[{5000, 1}] == L"n5000",
                  "the run stopped part way: " + std::to_string(done) + " of 5000 cells done, the last one untouched");
            lists.workbooks->setNumber(L"Count", 0);
        }

        // The Duplicate Preventer: its own window, Apply, and a custom validation rule on the
        // selected column that refuses a second entry.
        {
            lists.workbooks->setNumber(L"Count", 1);
            const auto book = std::make_shared<cwtest::BookData>();
            auto data = std::make_shared<cwtest::SheetData>();
            data->name = L"Names";
            for (long row = 1; row <= 5; ++row) data->cells[{row, 1}] = L"name" + std::to_wstring(row);
            data->top = 1, data->left = 1, data->bottom = 5, data->right = 1;
            book->sheets.push_back(data);
            book->active = data;
            cwtest::addWorkbook(*application, book);
            cwtest::WindowUser user({{L"CellwashForm", L"&Apply"}, {L"CellwashForm", L""}}, 20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnDupPreventer_30");
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seen = user.result();
            check(outcome == S_OK && seen.size() == 2 && seen[0].title == L"Duplicate Preventer",
                  "the Duplicate Preventer window, Apply, then the message window");
            bool told = false;
            if (seen.size() == 2)
                for (const auto& t : seen[1].texts)
                    told = told || t == L"Duplicate Preventer is Activated for Selected Column";
            check(told, "the message window says \"Duplicate Preventer is Activated for Selected Column\"");
            const cwtest::ValidationRule* rule = data->rules.size() == 1 ? &data->rules.begin()->second : nullptr;
            const std::wstring formula = rule ? rule->formula1 : L"";
            check(rule && rule->type == 7 && rule->alertStyle == 1 && formula.rfind(L"=CountIf(", 0) == 0 &&
                      formula.size() > 6 && formula.substr(formula.size() - 6) == L",A1)=1" &&
                      rule->errorMessage == L"Duplicate Entry!" && rule->showError && rule->ignoreBlank,
                  "one custom rule (type 7, stop) on " +
                      (rule ? narrow(data->rules.begin()->first) : std::string("?")) + ": " + narrow(formula));
            lists.workbooks->setNumber(L"Count", 0);
        }

        // Colour every nth row: "3" typed into frmMain's Nth Row box, A1:B7 selected in a new book.
        {
            lists.workbooks->setNumber(L"Count", 1);
            const auto book = std::make_shared<cwtest::BookData>();
            auto data = std::make_shared<cwtest::SheetData>();
            data->name = L"Rows";
            for (long row = 1; row <= 7; ++row) data->cells[{row, 1}] = L"r" + std::to_wstring(row);
            data->top = 1, data->left = 1, data->bottom = 7, data->right = 2;
            book->sheets.push_back(data);
            book->active = data;
            cwtest::addWorkbook(*application, book);
            cwtest::WindowUser user({{L"CellwashForm", L"Yes", L"", L"3"}, {L"CellwashForm", L""}}, 20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnColorNthRows_42");
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seen = user.result();
            check(outcome == S_OK && seen.size() == 2 && seen[0].typed, "\"3\" typed into the Nth Row box, Yes");
            bool told = false;
            if (seen.size() == 2)
                for (const auto& t : seen[1].texts) told = told || t == L"Every 3 Row is colored in Your Selection";
            check(told, "the message window says \"Every 3 Row is colored in Your Selection\"");
            const auto fill = [&](long row, long column) {
                const auto found = data->fills.find({row, column});
                return found == data->fills.end() ? -4142L : found->second;
            };
            const long colour = fill(1, 1);
            bool pattern = colour != -4142;
            // The tool works on the selection within the used range: A1:A7 (column B is empty).
            for (long row = 1; row <= 7; ++row)
                pattern = pattern && fill(row, 1) == ((row - 1) % 3 == 0 ? colour : -4142L) && fill(row, 2) == -4142;
            check(pattern && fill(8, 1) == -4142,
                  "rows 1, 4 and 7 of the selection in the used range (A1:A7) are filled with colour " +
                      std::to_string(colour) + ", nothing else is");
            lists.workbooks->setNumber(L"Count", 0);
        }

        // Change Case through Windows' case mapping (LCMapStringEx, invariant locale, linguistic
        // casing): one UTF-16 unit for one, with no context. So unlike ICU's full mapping on Linux,
        // "ß" stays "ß" in upper case (ICU: "SS"), and a final capital sigma lowers to "σ" (ICU:
        // "ς" at the end of a word); the letters with a plain partner map as everywhere: é → É,
        // ǆ → Ǆ, Ω → ω.
        {
            lists.workbooks->setNumber(L"Count", 1);
            const auto book = std::make_shared<cwtest::BookData>();
            auto data = std::make_shared<cwtest::SheetData>();
            data->name = L"Words";
            data->cells[{1, 1}] = L"stra\u00DFe";
            data->cells[{2, 1}] = L"\u00E9clair \u01C6";
            data->cells[{1, 2}] = L"\u03A3\u039F\u03A6\u039F\u03A3 \u03A9";
            book->sheets.push_back(data);
            book->active = data;
            cwtest::addWorkbook(*application, book);
            const auto run = [&](const wchar_t* controlId) {
                cwtest::WindowUser user({{L"CellwashForm", L"Yes"}, {L"CellwashForm", L""}}, 20);
                cwtest::TestObject* control = cwtest::makeRibbonControl(controlId);
                const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
                control->Release();
                return outcome == S_OK && user.result().size() == 2;
            };
            data->top = 1, data->left = 1, data->bottom = 2, data->right = 1;  // A1:A2
            check(run(L"btnAllCaps_38"), "Change to UPPER CASE on A1:A2: frmMain, Yes, the message window");
            check(data->cells[{1, 1}] == L"STRA\u00DFE" && data->cells[{2, 1}] == L"\u00C9CLAIR \u01C4",
                  "upper case by Windows: " + narrow(data->cells[{1, 1}]) + ", " + narrow(data->cells[{2, 1}]));
            data->top = 1, data->left = 2, data->bottom = 1, data->right = 2;  // B1
            check(run(L"btnLowerCase_39"), "Change to lower case on B1: frmMain, Yes, the message window");
            check(data->cells[{1, 2}] == L"\u03C3\u03BF\u03C6\u03BF\u03C3 \u03C9",
                  "lower case by Windows, no final sigma: " + narrow(data->cells[{1, 2}]));
            lists.workbooks->setNumber(L"Count", 0);
        }

        // Remove all Objects from the active sheet with its check boxes cleared: its shapes go (an
        // autoshape with text, a picture, a chart), its comments and the other sheet's stay; then
        // with "Remove Only All Comments!" ticked (as frmMain opens), only its comments go.
        {
            lists.workbooks->setNumber(L"Count", 1);
            const auto book = std::make_shared<cwtest::BookData>();
            auto drawn = std::make_shared<cwtest::SheetData>();
            drawn->name = L"Drawings";
            drawn->cells[{1, 1}] = L"x";
            const std::vector<cwtest::ShapeData> shapes = {
                {1, L"Rectangle 1", L"box"}, {13, L"Picture 2", L""}, {3, L"Chart 3", L""}};
            drawn->shapes = shapes;
            drawn->comments[{2, 2}] = L"first note";
            drawn->comments[{3, 2}] = L"second note";
            auto other = std::make_shared<cwtest::SheetData>();
            other->name = L"Other";
            other->shapes = {{17, L"TextBox 1", L"kept"}};
            other->comments[{1, 1}] = L"other note";
            book->sheets = {drawn, other};
            book->active = drawn;
            cwtest::addWorkbook(*application, book);
            const std::wstring comments = L" Remove Only All Comments!";
            const std::wstring embedded = L" Remove Only Embedded Objects (Pictures, ActiveX Controls, etc.)!";
            const auto said = [](const std::vector<cwtest::SeenWindow>& seen, const std::wstring& message) {
                bool found = false;
                if (seen.size() == 2)
                    for (const auto& t : seen[1].texts) found = found || t == message;
                return found;
            };
            {
                const std::vector<std::pair<std::wstring, bool>> boxes = {{comments, false}, {embedded, false}};
                cwtest::WindowUser user({cwtest::WindowStep(L"CellwashForm", L"Yes", L"", L"", L"", L"", boxes),
                                         cwtest::WindowStep(L"CellwashForm", L"")},
                                        20);
                cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnDelAllObjects_61");
                const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
                control->Release();
                const auto seen = user.result();
                check(outcome == S_OK && seen.size() == 2 && seen[0].boxesSet,
                      "Remove all Objects: frmMain, its check boxes cleared (clicks needed: " +
                          std::to_string(seen.empty() ? -1 : seen[0].boxesClicked) + "), Yes, then the message window");
                check(said(seen, L"Total  3  Objects Removed from Active Sheet!"),
                      "the message window says \"Total  3  Objects Removed from Active Sheet!\"");
                check(drawn->shapes.empty() && drawn->comments.size() == 2,
                      "the active sheet's three shapes are gone, its two comments kept (shapes left: " +
                          std::to_string(drawn->shapes.size()) + ")");
                check(other->shapes.size() == 1 && other->comments.size() == 1, "the other sheet is untouched");
            }
            drawn->shapes = shapes;
            {
                const std::vector<std::pair<std::wstring, bool>> boxes = {{comments, true}, {embedded, false}};
                cwtest::WindowUser user({cwtest::WindowStep(L"CellwashForm", L"Yes", L"", L"", L"", L"", boxes),
                                         cwtest::WindowStep(L"CellwashForm", L"")},
                                        20);
                cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnDelAllObjects_61");
                const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
                control->Release();
                const auto seen = user.result();
                check(outcome == S_OK && seen.size() == 2 && seen[0].boxesSet,
                      "\"Remove Only All Comments!\" ticked in frmMain (clicks needed: " +
                          std::to_string(seen.empty() ? -1 : seen[0].boxesClicked) + "), Yes");
                check(said(seen, L"Total  2  Objects Removed from Active Sheet!"),
                      "the message window says \"Total  2  Objects Removed from Active Sheet!\"");
                check(drawn->comments.empty() && drawn->shapes.size() == 3,
                      "the active sheet's comments are gone, its shapes kept (comments left: " +
                          std::to_string(drawn->comments.size()) + ")");
                check(other->comments.size() == 1 && other->shapes.size() == 1, "the other sheet keeps its comment");
            }
            lists.workbooks->setNumber(L"Count", 0);
        }

        // Count statistics of the active sheet, then with "Include Text Frames, WordArt &Shapes"
        // ticked: the words in the text frames of its rectangle and text box join the cells' (the
        // shapes' Type and TextFrame.Characters.Text over IDispatch; the picture has no text frame).
        {
            lists.workbooks->setNumber(L"Count", 1);
            const auto book = std::make_shared<cwtest::BookData>();
            auto data = std::make_shared<cwtest::SheetData>();
            data->name = L"Counted";
            data->cells[{1, 1}] = L"alpha beta gamma";
            data->shapes = {{1, L"Rectangle 1", L"delta epsilon zeta eta theta iota kappa lambda mu nu"},
                            {17, L"TextBox 2", L"xi omicron"},
                            {13, L"Picture 3", L""}};
            book->sheets.push_back(data);
            book->active = data;
            cwtest::addWorkbook(*application, book);
            const std::vector<std::pair<std::wstring, bool>> boxes = {{L"Include Text Frames, WordArt &Shapes", true}};
            cwtest::WindowUser user({cwtest::WindowStep(L"CellwashForm", L"X", L"", L"", L"", L"", boxes)}, 20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnCountActiveSheet_49");
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seen = user.result();
            const auto shows = [](const std::vector<std::wstring>& texts, const wchar_t* text) {
                return std::find(texts.begin(), texts.end(), text) != texts.end();
            };
            check(outcome == S_OK && seen.size() == 1 && seen[0].boxesSet && seen[0].closedAfterClick,
                  "Count Statistics of the active sheet: shapes ticked, then X closes frmMain");
            check(seen.size() == 1 && shows(seen[0].texts, L"3") && !shows(seen[0].texts, L"15"),
                  "without the shapes frmMain counts the cells' 3 words");
            check(seen.size() == 1 && shows(seen[0].textsAfterBoxes, L"15"),
                  "with them it counts 15 words: 3 in the cells, 10 in the rectangle, 2 in the text box");
            lists.workbooks->setNumber(L"Count", 0);
        }

        // Exit: with no workbook open the message window comes first, then the question; Yes
        // disconnects the add-in through the host's COM add-in list.
        {
            cwtest::WindowUser user({{L"CellwashForm", L"", L""},
                                     {L"#32770", L"&Yes", screenshots.empty() ? L"" : screenshots + L"\\exit.bmp"}},
                                    20);
            cwtest::TestObject* control = cwtest::makeRibbonControl(L"btnExit_57");
            const HRESULT outcome = callByName(addin, L"RibbonHandler", {dispatchArgument(control)}, nullptr);
            control->Release();
            const auto seen = user.result();
            check(outcome == S_OK, "onAction RibbonHandler(btnExit_57)");
            bool asks = false;
            if (seen.size() == 2)
                for (const auto& text : seen[1].texts) asks = asks || text.find(L"Do you want to exit?") == 0;
            check(seen.size() == 2 && seen[1].closedAfterClick && asks,
                  "a message box asks \"Do you want to exit?\" and Yes closes it");
            check(seen.size() == 2 && seen[1].rootOwner == hostWindow && !seen[1].rootOwnerEnabled &&
                      IsWindowEnabled(hostWindow),
                  "the message box belongs to the host's window, which takes input again after it");
            const VARIANT& connected = lists.comAddIn->value(L"Connect");
            check(connected.vt == VT_BOOL && connected.boolVal == VARIANT_FALSE && lists.disconnections == 1,
                  "Yes set COMAddIns(\"CellwashKit.Connect\").Connect to False and the host disconnected the add-in");
            const VARIANT& companion = lists.companion->value(L"Installed");
            check(companion.vt == VT_BOOL && companion.boolVal == VARIANT_FALSE,
                  "at disconnection the companion is uninstalled");
        }

        addin->Release();
        ribbonUI->Release();
        application->Release();
        DestroyWindow(hostWindow);
    }
    // --- the legacy menu: a host of version 11.0 has command bars and no ribbon ---
    {
        IDispatch* legacy = nullptr;
        check(CoCreateInstance(CLSID_CellwashKitConnect, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&legacy)) == S_OK &&
                  legacy,
              "a second add-in object for a host of version 11.0");
        if (legacy) {
            cwtest::HostLists lists;
            cwtest::TestObject* application = cwtest::makeApplication(L"11.0", lists);
            lists.addin = legacy;
            auto bar = std::make_shared<cwtest::MenuBarData>();
            cwtest::addCommandBars(*application, bar);
            VARIANT mode, empty;
            VariantInit(&mode);
            VariantInit(&empty);
            mode.vt = VT_I4;
            check(callByName(legacy, L"OnConnection", {dispatchArgument(application), mode, empty, empty}, nullptr) ==
                      S_OK,
                  "OnConnection with Application.Version \"11.0\"");
            const auto menu = cwtest::findControl(bar->controls, L"", L"&Cellwash");
            check(menu && menu->type == 10 && menu->parent.lock() == bar->controls && !menu->children.empty(),
                  "the menu bar holds the popup &Cellwash with its entries (" +
                      std::to_string(menu ? menu->children.size() : 0) + " at its first level)");
            const auto upper = cwtest::findControl(bar->controls, L"CWTOOLS5_DO5");
            check(upper && upper->caption == L"5. Change to UPPER CASE" && upper->faceId == 1614 &&
                      upper->sinks.size() == 1,
                  "its button CWTOOLS5_DO5 \"5. Change to UPPER CASE\" (face 1614) has its Click bound");
            if (upper) {
                lists.workbooks->setNumber(L"Count", 1);
                auto book = std::make_shared<cwtest::BookData>();
                auto data = std::make_shared<cwtest::SheetData>();
                data->name = L"Data";
                data->cells[{1, 1}] = L"abc";
                book->sheets.push_back(data);
                book->active = data;
                cwtest::addWorkbook(*application, book);
                cwtest::WindowUser user({{L"CellwashForm", L"No"}}, 20);
                bool cancel = false;
                const bool clicked = cwtest::clickButton(upper, cancel);
                const auto seen = user.result();
                check(clicked && cancel, "the button's Click is handled and cancels the host's default");
                check(seen.size() == 1 && seen[0].title == L"Cellwash" && seen[0].closedAfterClick,
                      "the menu button opens frmMain, and No closes it (windows seen: " + std::to_string(seen.size()) +
                          (seen.empty() ? std::string() : ", " + narrow(seen[0].title)) + ")");
                lists.workbooks->setNumber(L"Count", 0);
            }
            VARIANT removeMode;
            VariantInit(&removeMode);
            removeMode.vt = VT_I4;
            removeMode.lVal = 1;
            check(callByName(legacy, L"OnDisconnection", {removeMode, empty}, nullptr) == S_OK, "OnDisconnection");
            check(!cwtest::findControl(bar->controls, L"", L"&Cellwash"),
                  "the popup &Cellwash is gone from the menu bar");
            check(!upper || upper->sinks.empty(), "the button's Click is unbound");
            legacy->Release();
            application->Release();
        }
    }

    CoFreeUnusedLibraries();
    OleUninitialize();

    if (wine) check(cwtest::removeMachineClasses({progIdKey, clsidKey}), "under Wine: HKLM class keys removed");

    // --- unregistration removes exactly what registration wrote ---
    check(unregisterServer() == S_OK, "DllUnregisterServer answers S_OK");
    check(!keyExists(HKEY_CURRENT_USER, progIdKey) && !keyExists(HKEY_CURRENT_USER, clsidKey) &&
              !keyExists(HKEY_CURRENT_USER, addinKey),
          "the ProgID, CLSID and add-in keys are gone");
    check(keyExists(HKEY_CURRENT_USER, L"Software\\Classes") &&
              keyExists(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\Excel\\Addins"),
          "the keys around them stay");
    check(unregisterServer() == S_OK, "a second DllUnregisterServer is no failure");
    FreeLibrary(library);

    std::printf("%d failed\n", failures);
    return failures > 100 ? 100 : failures;
}
