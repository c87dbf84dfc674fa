#include "apps/calc/protocol_handler.h"

#include <com/sun/star/frame/FeatureStateEvent.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>
#include <cppuhelper/supportsservice.hxx>
#include <exception>
#include <mutex>
#include <vector>

#include "apps/calc/calc_addin.h"
#include "host/calc/calc_user.h"
#include "host/calc/main_thread.h"
#include "host/calc/uno_support.h"

namespace apps::calc {

namespace {

using host::calc::fromOU;
using host::calc::toOU;

// The menu entries listening, across every frame's handler.
struct Listener {
    css::uno::Reference<css::frame::XStatusListener> listener;
    css::util::URL url;
};
std::mutex listenersMutex;
std::vector<Listener> listeners;

std::u16string controlIdOf(const css::util::URL& url) {
    const rtl::OUString complete = url.Complete;
    if (!complete.startsWith(kProtocol)) return {};
    return fromOU(complete.copy(static_cast<sal_Int32>(sizeof kProtocol - 1)));
}

void tell(const Listener& entry, const MenuState& state) {
    css::frame::FeatureStateEvent event;
    event.FeatureURL = entry.url;
    event.IsEnabled = state.enabled;
    event.Requery = false;
    if (!state.label.empty()) event.State <<= toOU(state.label);
    try {
        entry.listener->statusChanged(event);
    } catch (const css::uno::Exception&) {
        // A listener that has gone away hears nothing.
    }
}

// After the add-in invalidated controls: the listeners of those controls (all for "") hear
// their state again.
void retell(CalcAddin& addin, const std::u16string& controlId) {
    std::vector<Listener> targets;
    {
        std::lock_guard lock(listenersMutex);
        for (const auto& entry : listeners)
            if (controlId.empty() || controlIdOf(entry.url) == controlId) targets.push_back(entry);
    }
    for (const auto& entry : targets) tell(entry, addin.state(controlIdOf(entry.url)));
}

}  // namespace

ProtocolHandler::ProtocolHandler(css::uno::Reference<css::uno::XComponentContext> context)
    : context_(std::move(context)) {}

void ProtocolHandler::initialize(const css::uno::Sequence<css::uno::Any>& arguments) {
    if (arguments.getLength() > 0) arguments[0] >>= frame_;
}

css::uno::Reference<css::frame::XDispatch> ProtocolHandler::queryDispatch(const css::util::URL& url,
                                                                          const rtl::OUString&, sal_Int32) {
    if (url.Complete.startsWith(kProtocol)) return this;
    return nullptr;
}

css::uno::Sequence<css::uno::Reference<css::frame::XDispatch>> ProtocolHandler::queryDispatches(
    const css::uno::Sequence<css::frame::DispatchDescriptor>& requests) {
    css::uno::Sequence<css::uno::Reference<css::frame::XDispatch>> found(requests.getLength());
    for (sal_Int32 i = 0; i < requests.getLength(); ++i)
        found.getArray()[i] = queryDispatch(requests[i].FeatureURL, requests[i].FrameName, requests[i].SearchFlags);
    return found;
}

namespace {

// Runs the command and returns the controls the add-in invalidated meanwhile.
std::vector<std::u16string> runCommand(CalcAddin& addin, const css::uno::Reference<css::frame::XFrame>& frame,
                                       const std::u16string& controlId) {
    std::vector<std::u16string> invalidated;
    addin.setInvalidationListener([&](const std::u16string& id) { invalidated.push_back(id); });
    try {
        addin.run(frame, controlId);
    } catch (...) {
        addin.setInvalidationListener(nullptr);
        throw;
    }
    addin.setInvalidationListener(nullptr);
    return invalidated;
}

void enableCalc(const css::uno::Reference<css::frame::XFrame>& frame, bool enabled) {
    try {
        if (frame.is() && frame->getContainerWindow().is()) frame->getContainerWindow()->setEnable(enabled);
    } catch (const css::uno::Exception&) {
        // Calc's window is gone.
    }
}

}  // namespace

void ProtocolHandler::dispatch(const css::util::URL& url, const css::uno::Sequence<css::beans::PropertyValue>&) {
    const std::u16string controlId = controlIdOf(url);
    if (controlId.empty()) return;
    // Nothing the add-in throws may leave into Calc: a failed command ends here.
    try {
        CalcAddin& addin = CalcAddin::instance(context_);
        if (!host::calc::personAnswers()) {
            // Scripted or headless: nobody waits at a dialog, and callers (macros, tests) expect
            // the command done when dispatch returns. It runs on Calc's main thread, which holds
            // the SolarMutex while it works: called from another thread (a remote client's
            // dispatch), every call into Calc would take the mutex from the main loop and give it
            // back, waking the loop each time (100,000 cells of Remove Extra Spaces: 5.6 s, most
            // of it in that hand-over).
            std::vector<std::u16string> invalidated;
            host::calc::MainThread(context_).run([&] { invalidated = runCommand(addin, frame_, controlId); });
            for (const auto& id : invalidated) retell(addin, id);
            return;
        }
        // A person answers: the command runs on a thread of its own and this call returns to
        // Calc's main loop, which then serves the dialogs and every other caller while a dialog
        // waits for the person (see host/calc/main_thread.h). The dialog waiting on the main
        // thread, giving the loop a turn with reschedule, was measured: the loop lets go of the
        // SolarMutex only for an instant then, and a remote caller's getTopWindow took up to
        // two minutes. A modal XDialog::execute per user action was not taken: ending it hides
        // the dialog, so the window would vanish and come back at every click. Calc's window
        // stays disabled until the command ends, as under a modal dialog, and a second command
        // is refused meanwhile. (Scripted and person commands never meet in one soffice: which
        // one runs depends on its environment and screen.)
        if (!addin.claim()) return;
        enableCalc(frame_, false);
        const auto context = context_;
        const auto frame = frame_;
        host::calc::MainThread::startWorker([&addin, context, frame, controlId] {
            try {
                runCommand(addin, frame, controlId);
            } catch (const std::exception&) {
            } catch (const css::uno::Exception&) {}
            const auto finish = [&addin, frame] {
                enableCalc(frame, true);
                addin.release();
                retell(addin, u"");  // the menu greyed out while the command ran
            };
            try {
                host::calc::MainThread(context).post(finish);
            } catch (...) {
                addin.release();
            }
        });
    } catch (const std::exception&) {
    } catch (const css::uno::Exception&) {}
}

void ProtocolHandler::addStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                        const css::util::URL& url) {
    if (!listener.is()) return;
    {
        std::lock_guard lock(listenersMutex);
        listeners.push_back({listener, url});
    }
    try {
        tell({listener, url}, CalcAddin::instance(context_).state(controlIdOf(url)));
    } catch (const std::exception&) {
    } catch (const css::uno::Exception&) {}
}

void ProtocolHandler::removeStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                           const css::util::URL& url) {
    std::lock_guard lock(listenersMutex);
    for (auto it = listeners.begin(); it != listeners.end(); ++it)
        if (it->listener == listener && it->url.Complete == url.Complete) {
            listeners.erase(it);
            return;
        }
}

rtl::OUString ProtocolHandler::getImplementationName() { return kImplementationName; }

sal_Bool ProtocolHandler::supportsService(const rtl::OUString& name) { return cppu::supportsService(this, name); }

css::uno::Sequence<rtl::OUString> ProtocolHandler::getSupportedServiceNames() { return serviceNames(); }

css::uno::Sequence<rtl::OUString> ProtocolHandler::serviceNames() {
    css::uno::Sequence<rtl::OUString> names(1);
    names.getArray()[0] = "com.sun.star.frame.ProtocolHandler";
    return names;
}

}  // namespace apps::calc
