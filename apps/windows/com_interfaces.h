#pragma once
// The host's interfaces a COM add-in implements, which the cross compiler's headers do not
// declare: the add-in connection interface (IDTExtensibility2) and the ribbon extensibility
// interface, with their published IIDs. Both are dual: the host may call them through the
// vtable or by name through IDispatch.
#include <windows.h>
// after windows.h
#include <oaidl.h>

namespace apps::windows {

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
inline constexpr IID IID_IDTExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
// {000C0396-0000-0000-C000-000000000046}
inline constexpr IID IID_IRibbonExtensibility = {
    0x000C0396, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// ext_ConnectMode and ext_DisconnectMode travel as 32-bit enumerations.
struct IDTExtensibility2 : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connectMode, IDispatch* addInInst,
                                                   SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnDisconnection(int removeMode, SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

struct IRibbonExtensibility : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) = 0;
};

// The add-in's class: {6C1B2F4E-7A3D-4E5B-9C21-3D8F5A0B7E19}, ProgID "CellwashKit.Connect".
inline constexpr CLSID CLSID_CellwashKitConnect = {
    0x6C1B2F4E, 0x7A3D, 0x4E5B, {0x9C, 0x21, 0x3D, 0x8F, 0x5A, 0x0B, 0x7E, 0x19}};
inline constexpr wchar_t clsidText[] = L"{6C1B2F4E-7A3D-4E5B-9C21-3D8F5A0B7E19}";
inline constexpr wchar_t progId[] = L"CellwashKit.Connect";

}  // namespace apps::windows
