#include "host/calc/main_thread.h"

#include <sys/syscall.h>
#include <unistd.h>
#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/awt/XCallback.hpp>
#include <condition_variable>
#include <cppuhelper/implbase1.hxx>
#include <exception>
#include <memory>
#include <mutex>
#include <rtl/ref.hxx>
#include <thread>

namespace host::calc {

namespace {

thread_local bool commandThread = false;

// One piece of work handed to the main thread; whoever waits for it is woken when it is done.
class Errand : public cppu::WeakImplHelper1<css::awt::XCallback> {
public:
    explicit Errand(std::function<void()> work) : work_(std::move(work)) {}

    void SAL_CALL notify(const css::uno::Any&) override {
        std::exception_ptr failure;
        try {
            work_();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(mutex_);
        failure_ = failure;
        done_ = true;
        doneSignal_.notify_all();
    }

    void wait() {
        std::unique_lock lock(mutex_);
        doneSignal_.wait(lock, [&] { return done_; });
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    std::function<void()> work_;
    std::mutex mutex_;
    std::condition_variable doneSignal_;
    bool done_ = false;
    std::exception_ptr failure_;
};

}  // namespace

MainThread::MainThread(Reference<css::uno::XComponentContext> context) : context_(std::move(context)) {}

void MainThread::startWorker(std::function<void()> work) {
    std::thread([work = std::move(work)] {
        commandThread = true;
        work();
    }).detach();
}

bool MainThread::onWorker() { return commandThread; }

bool MainThread::onMainThread() {
    // soffice runs its main loop on the process's first thread, whose id is the process id.
    return static_cast<pid_t>(syscall(SYS_gettid)) == getpid();
}

void MainThread::run(const std::function<void()>& work) const {
    if (onMainThread()) {
        work();
        return;
    }
    const rtl::Reference<Errand> errand(new Errand(work));
    unoCall([&] { css::awt::AsyncCallback::create(context_)->addCallback(errand.get(), css::uno::Any()); });
    errand->wait();
}

void MainThread::post(std::function<void()> work) const {
    const rtl::Reference<Errand> errand(new Errand(std::move(work)));
    unoCall([&] { css::awt::AsyncCallback::create(context_)->addCallback(errand.get(), css::uno::Any()); });
}

}  // namespace host::calc
