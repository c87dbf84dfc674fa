#pragma once
// The Cellwash protocol handler: every ribbon control of the add-in is a dispatch command
// vnd.cellwash:<control id> (vnd.cellwash:btnDelExtraSpaces_15). Calc's "Cellwash" menu
// dispatches them; macros, toolbars, shortcuts and tests can too. Status listeners (the menu
// entries) hear the control's label and enabled state from the add-in's ribbon callbacks,
// again whenever the add-in invalidates the control.
#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XInitialization.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase4.hxx>

namespace apps::calc {

namespace css = ::com::sun::star;

inline constexpr char kProtocol[] = "vnd.cellwash:";
inline constexpr char kImplementationName[] = "org.cellwash.calc.ProtocolHandler";

class ProtocolHandler : public cppu::WeakImplHelper4<css::frame::XDispatchProvider, css::frame::XDispatch,
                                                     css::lang::XInitialization, css::lang::XServiceInfo> {
public:
    explicit ProtocolHandler(css::uno::Reference<css::uno::XComponentContext> context);

    // XInitialization: the frame this handler serves.
    void SAL_CALL initialize(const css::uno::Sequence<css::uno::Any>& arguments) override;

    // XDispatchProvider
    css::uno::Reference<css::frame::XDispatch> SAL_CALL queryDispatch(const css::util::URL& url,
                                                                      const rtl::OUString& target,
                                                                      sal_Int32 searchFlags) override;
    css::uno::Sequence<css::uno::Reference<css::frame::XDispatch>> SAL_CALL
    queryDispatches(const css::uno::Sequence<css::frame::DispatchDescriptor>& requests) override;

    // XDispatch
    void SAL_CALL dispatch(const css::util::URL& url,
                           const css::uno::Sequence<css::beans::PropertyValue>& arguments) override;
    void SAL_CALL addStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                    const css::util::URL& url) override;
    void SAL_CALL removeStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                       const css::util::URL& url) override;

    // XServiceInfo
    rtl::OUString SAL_CALL getImplementationName() override;
    sal_Bool SAL_CALL supportsService(const rtl::OUString& name) override;
    css::uno::Sequence<rtl::OUString> SAL_CALL getSupportedServiceNames() override;

    static css::uno::Sequence<rtl::OUString> serviceNames();

private:
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::frame::XFrame> frame_;
};

}  // namespace apps::calc
