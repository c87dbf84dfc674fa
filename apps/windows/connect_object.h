#pragma once
// ConnectObject: the COM object the host creates through "CellwashKit.Connect". It carries the
// add-in's shell::Connect and answers the host on three faces of one object: the add-in connection
// interface, the ribbon extensibility interface, and IDispatch, through which the host calls every
// ribbon callback by the name the ribbon definition gives, without regard to case.
#include <map>
#include <memory>
#include <set>
#include <string>

#include "apps/windows/com_interfaces.h"
#include "host/com/window_driver.h"
#include "shell/connect.h"

namespace apps::windows {

class ConnectObject final : public IDTExtensibility2, public IRibbonExtensibility {
public:
    ConnectObject();
    ~ConnectObject();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch (shared by both interfaces)
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override;

    // IDTExtensibility2
    HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connectMode, IDispatch* addInInst,
                                           SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnDisconnection(int removeMode, SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

    // IRibbonExtensibility
    HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) override;

private:
    // Learns the callback names (and which of them answer pictures) from a ribbon definition or
    // a dynamic menu's content the add-in hands out.
    void learnCallbacks(const std::u16string& xml);
    DISPID callbackId(const std::u16string& foldedName);
    HRESULT invokeCallback(const std::u16string& name, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception);

    long references_ = 1;
    std::shared_ptr<shell::Connect> connect_;
    std::map<std::u16string, DISPID> callbackIds_;  // folded name → id
    std::map<DISPID, std::u16string> callbackNames_;
    std::set<std::u16string> pictureCallbacks_;           // folded
    std::u16string loadCallback_;                         // folded
    host::com::WindowDriver windowDriver_{{u"frmMain"}};  // frmMain has no title bar
};

}  // namespace apps::windows
