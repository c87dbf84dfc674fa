#pragma once
// DefaultInstance<F>: the one shared instance of a form, as the host's forms have it.
//
//   FrmAlert& frmAlert() { static forms::DefaultInstance<FrmAlert> instance; return instance(); }
//
// The first access creates the form (its constructor sets the design-time state) and raises
// Initialize; Unload releases it, and the next access starts again from design-time state.
// A form that is unloaded while one of its handlers runs lives until that handler returns.
#include <memory>
#include <stdexcept>

#include "forms/form.h"

namespace forms {

template <class F>
class DefaultInstance {
public:
    F& operator()() {
        if (!form_) {
            auto made = std::make_shared<F>();
            form_ = made;
            made->initialize([this, raw = made.get()] {
                if (form_.get() == raw) form_.reset();
            });
            if (!form_) throw std::logic_error("a form unloaded itself while initialising");
        }
        return *form_;
    }
    bool isLoaded() const { return form_ != nullptr; }

private:
    std::shared_ptr<F> form_;
};

}  // namespace forms
