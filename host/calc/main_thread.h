#pragma once
// Calc's main thread, seen from a command that runs on a thread of its own.
//
// A command whose dialogs wait for a person runs on its own thread (startWorker), so that
// Calc's main loop keeps turning while the dialog waits: VCL serves every other caller (remote
// UNO clients, macros, the accessibility tree) only from inside that loop, which holds the
// SolarMutex while it works and lets go of it only while it waits for events. The command's
// own calls into Calc's document take the SolarMutex one call at a time, as any other thread
// does; what creates, shows or closes windows, and message boxes, runs on the main thread
// through run(), the way every VCL plug-in (gtk, Qt, X11) expects its windows to be handled.
#include <com/sun/star/uno/XComponentContext.hpp>
#include <functional>

#include "host/calc/uno_support.h"

namespace host::calc {

class MainThread {
public:
    explicit MainThread(Reference<css::uno::XComponentContext> context);

    // Starts `work` on a thread of its own, marked as a command's thread. Returns at once.
    static void startWorker(std::function<void()> work);
    // The calling thread is a command's thread started by startWorker.
    static bool onWorker();

    // Calc's main thread is the calling thread.
    static bool onMainThread();

    // Runs `work` on the main thread and waits for it (what it throws is thrown here); on the
    // main thread, runs it in place. The caller must not hold Calc's SolarMutex.
    void run(const std::function<void()>& work) const;
    // Runs `work` on the main thread once it next turns; does not wait.
    void post(std::function<void()> work) const;

private:
    Reference<css::uno::XComponentContext> context_;
};

}  // namespace host::calc
