// The library's entry for LibreOffice's shared-library loader: the factory of the protocol
// handler, found by its implementation name (passive registration: cellwash.components).
#include <uno/environment.h>
#include <uno/lbnames.h>
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implementationentry.hxx>

#include "apps/calc/protocol_handler.h"

namespace {

namespace css = ::com::sun::star;

css::uno::Reference<css::uno::XInterface> SAL_CALL
create(const css::uno::Reference<css::uno::XComponentContext>& context) {
    return static_cast<cppu::OWeakObject*>(new apps::calc::ProtocolHandler(context));
}

rtl::OUString SAL_CALL implementationName() { return apps::calc::kImplementationName; }

css::uno::Sequence<rtl::OUString> SAL_CALL serviceNames() { return apps::calc::ProtocolHandler::serviceNames(); }

const cppu::ImplementationEntry entries[] = {
    {create, implementationName, serviceNames, cppu::createSingleComponentFactory, nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* implementationName,
                                                                    void* serviceManager, void* registryKey) {
    return cppu::component_getFactoryHelper(implementationName, serviceManager, registryKey, entries);
}

extern "C" SAL_DLLPUBLIC_EXPORT void SAL_CALL component_getImplementationEnvironment(const char** environmentTypeName,
                                                                                     uno_Environment**) {
    *environmentTypeName = CPPU_CURRENT_LANGUAGE_BINDING_NAME;
}
