#include "host/calc/dialog_user.h"

#include <algorithm>
#include <chrono>
#include <com/sun/star/awt/FontDescriptor.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/awt/MessageBoxButtons.hpp>
#include <com/sun/star/awt/MessageBoxResults.hpp>
#include <com/sun/star/awt/MessageBoxType.hpp>
#include <com/sun/star/awt/PosSize.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XActionListener.hpp>
#include <com/sun/star/awt/XButton.hpp>
#include <com/sun/star/awt/XCheckBox.hpp>
#include <com/sun/star/awt/XComboBox.hpp>
#include <com/sun/star/awt/XControl.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/awt/XControlModel.hpp>
#include <com/sun/star/awt/XItemListener.hpp>
#include <com/sun/star/awt/XMessageBoxFactory.hpp>
#include <com/sun/star/awt/XRadioButton.hpp>
#include <com/sun/star/awt/XReschedule.hpp>
#include <com/sun/star/awt/XTextComponent.hpp>
#include <com/sun/star/awt/XTextListener.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XTopWindowListener.hpp>
#include <com/sun/star/awt/XUnitConversion.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/io/SequenceInputStream.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/MeasureUnit.hpp>
#include <condition_variable>
#include <cppuhelper/implbase4.hxx>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <rtl/ref.hxx>
#include <thread>

#include "forms/combo_box.h"
#include "forms/form.h"
#include "forms/frame.h"
#include "forms/simple_controls.h"
#include "forms/text_box.h"
#include "forms/toggle_controls.h"
#include "forms/web_browser.h"

namespace host::calc {

namespace {

using css::uno::Any;

// What happened in a window, as the toolkit reported it; turned into user actions when the
// runtime next asks (comparing with the form, so that our own updates of a window are no
// user's doing).
struct WindowEvent {
    enum Kind { Clicked, Toggled, TextChanged, Picked, Closing } kind;
    const forms::Form* form;
    std::u16string control;
    int index = 0;
};

}  // namespace

// The window events not yet taken. The toolkit's listeners post on Calc's main thread; a
// command on its own thread takes them.
struct DialogInbox {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<WindowEvent> events;

    void post(WindowEvent event) {
        std::lock_guard lock(mutex);
        events.push_back(std::move(event));
        arrived.notify_all();
    }
    std::optional<WindowEvent> take() {
        std::lock_guard lock(mutex);
        if (events.empty()) return std::nullopt;
        WindowEvent event = std::move(events.front());
        events.pop_front();
        return event;
    }
    // Waits up to `limit` for an event; true when one is there.
    bool await(std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, limit, [&] { return !events.empty(); });
    }
};

namespace {

class WindowListener : public cppu::WeakImplHelper4<css::awt::XActionListener, css::awt::XItemListener,
                                                    css::awt::XTextListener, css::awt::XTopWindowListener> {
public:
    WindowListener(std::shared_ptr<DialogInbox> inbox, const forms::Form* form, std::u16string control)
        : inbox_(std::move(inbox)), form_(form), control_(std::move(control)) {}

    void SAL_CALL actionPerformed(const css::awt::ActionEvent&) override { post(WindowEvent::Clicked); }
    void SAL_CALL itemStateChanged(const css::awt::ItemEvent& event) override {
        post(WindowEvent::Toggled, event.Selected);
    }
    void SAL_CALL textChanged(const css::awt::TextEvent&) override { post(WindowEvent::TextChanged); }
    void SAL_CALL windowClosing(const css::lang::EventObject&) override { post(WindowEvent::Closing); }
    void SAL_CALL windowOpened(const css::lang::EventObject&) override {}
    void SAL_CALL windowClosed(const css::lang::EventObject&) override {}
    void SAL_CALL windowMinimized(const css::lang::EventObject&) override {}
    void SAL_CALL windowNormalized(const css::lang::EventObject&) override {}
    void SAL_CALL windowActivated(const css::lang::EventObject&) override {}
    void SAL_CALL windowDeactivated(const css::lang::EventObject&) override {}
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

private:
    void post(WindowEvent::Kind kind, int index = 0) { inbox_->post({kind, form_, control_, index}); }

    std::shared_ptr<DialogInbox> inbox_;
    const forms::Form* form_;
    std::u16string control_;
};

const char* modelService(forms::ControlType type) {
    switch (type) {
    case forms::ControlType::Label: return "com.sun.star.awt.UnoControlFixedTextModel";
    case forms::ControlType::CommandButton: return "com.sun.star.awt.UnoControlButtonModel";
    case forms::ControlType::CheckBox: return "com.sun.star.awt.UnoControlCheckBoxModel";
    case forms::ControlType::OptionButton: return "com.sun.star.awt.UnoControlRadioButtonModel";
    case forms::ControlType::TextBox: return "com.sun.star.awt.UnoControlEditModel";
    case forms::ControlType::ComboBox: return "com.sun.star.awt.UnoControlComboBoxModel";
    case forms::ControlType::Frame: return "com.sun.star.awt.UnoControlGroupBoxModel";
    case forms::ControlType::Image: return "com.sun.star.awt.UnoControlImageControlModel";
    case forms::ControlType::WebBrowser: return "com.sun.star.awt.UnoControlFixedHyperlinkModel";
    }
    return nullptr;
}

// A frame without a caption only groups its controls; it is drawn as nothing.
bool drawn(const forms::Control& control) {
    return control.type() != forms::ControlType::Frame || !static_cast<const forms::Frame&>(control).Caption().empty();
}

// A colour of the forms (&HBBGGRR, or a system colour with the high bit) as the toolkit's RGB.
std::optional<sal_Int32> rgbOf(std::uint32_t colour) {
    if (colour & 0x80000000u) return std::nullopt;
    return static_cast<sal_Int32>(((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF));
}

// A button's caption as the toolkit writes it: the forms' access key `&x` is the toolkit's `~x`
// (shown underlined, not as an ampersand), `&&` an ampersand, and a tilde stays a tilde.
std::u16string mnemonic(const std::u16string& caption) {
    std::u16string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        const char16_t c = caption[i];
        if (c == u'~') {
            out += u"~~";
        } else if (c == u'&' && i + 1 < caption.size()) {
            out += caption[i + 1] == u'&' ? u'&' : u'~';
            if (caption[i + 1] == u'&') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

css::uno::Sequence<OUString> itemsOf(const forms::ComboBox& combo) {
    css::uno::Sequence<OUString> items(combo.ListCount());
    for (int i = 0; i < combo.ListCount(); ++i) items.getArray()[i] = toOU(combo.List(i));
    return items;
}

}  // namespace

// One form's window: the dialog, its control models, and what was last written into them.
class FormWindow {
public:
    FormWindow(const Reference<css::uno::XComponentContext>& context, const Reference<css::awt::XToolkit2>& toolkit,
               const Reference<css::frame::XFrame>& frame, forms::Form& form, const std::shared_ptr<DialogInbox>& inbox)
        : context_(context), frame_(frame), form_(form) {
        auto factory = context->getServiceManager();
        dialogModel_.set(factory->createInstanceWithContext("com.sun.star.awt.UnoControlDialogModel", context),
                         UNO_QUERY_THROW);
        dialog_.set(factory->createInstanceWithContext("com.sun.star.awt.UnoControlDialog", context), UNO_QUERY_THROW);
        set(props(dialogModel_), u"", "Moveable", Any(true));
        set(props(dialogModel_), u"", "Closeable", Any(true));
        dialog_->setModel(Reference<css::awt::XControlModel>(dialogModel_, UNO_QUERY_THROW));
        Reference<css::awt::XWindowPeer> parent;
        if (frame.is()) parent.set(frame->getContainerWindow(), UNO_QUERY);
        dialog_->createPeer(Reference<css::awt::XToolkit>(toolkit, UNO_QUERY_THROW), parent);
        measure();
        // Captioned frames first, so that they lie below the controls they hold.
        std::vector<forms::Control*> ordered;
        for (forms::Control* control : form.controls())
            if (control->type() == forms::ControlType::Frame && drawn(*control)) ordered.push_back(control);
        for (forms::Control* control : form.controls())
            if (control->type() != forms::ControlType::Frame) ordered.push_back(control);
        Reference<css::container::XNameContainer> models(dialogModel_, UNO_QUERY_THROW);
        for (forms::Control* control : ordered) {
            Reference<css::beans::XPropertySet> model(
                dialogModel_->createInstance(OUString::createFromAscii(modelService(control->type()))),
                UNO_QUERY_THROW);
            if (control->type() == forms::ControlType::Label)
                model->setPropertyValue("MultiLine", Any(static_cast<forms::Label*>(control)->WordWrap()));
            if (control->type() == forms::ControlType::TextBox)
                model->setPropertyValue("MultiLine", Any(static_cast<forms::TextBox*>(control)->MultiLine()));
            if (control->type() == forms::ControlType::ComboBox) model->setPropertyValue("Dropdown", Any(true));
            if (control->type() == forms::ControlType::Image) {
                model->setPropertyValue("ScaleImage", Any(true));
                model->setPropertyValue("Border", Any(static_cast<sal_Int16>(0)));
            }
            models->insertByName(toOU(control->Name()), Any(model));
            controls_[control->Name()] = {control, model};
        }
        refresh();
        listen(inbox);
        Reference<css::awt::XWindow>(dialog_, UNO_QUERY_THROW)->setVisible(true);
    }

    ~FormWindow() {
        try {
            Reference<css::lang::XComponent>(dialog_, UNO_QUERY_THROW)->dispose();
        } catch (const css::uno::Exception&) {
            // The window is gone with Calc.
        }
    }

    forms::Form& form() const { return form_; }

    // Writes the form's state into the window where it changed.
    void refresh() {
        const auto dialogProps = props(dialogModel_);
        set(dialogProps, u"", "Title", Any(toOU(form_.Caption())));
        set(dialogProps, u"", "Width", Any(appX(form_.Width())));
        set(dialogProps, u"", "Height", Any(appY(form_.Height())));
        if (!placed_) {
            centreOnCalc(frame_);
            placed_ = true;
        }
        if (const auto colour = rgbOf(form_.BackColor())) set(dialogProps, u"", "BackgroundColor", Any(*colour));
        for (auto& [name, entry] : controls_) refreshControl(name, *entry.control, entry.model);
    }

    void setVisible(bool visible) { Reference<css::awt::XWindow>(dialog_, UNO_QUERY_THROW)->setVisible(visible); }

    // What the window shows for a control now.
    Any modelValue(const std::u16string& control, const char* property) const {
        const auto it = controls_.find(control);
        return it == controls_.end() ? Any() : it->second.model->getPropertyValue(OUString::createFromAscii(property));
    }

private:
    struct Entry {
        forms::Control* control;
        Reference<css::beans::XPropertySet> model;
    };

    static Reference<css::beans::XPropertySet> props(const Reference<css::lang::XMultiServiceFactory>& model) {
        return Reference<css::beans::XPropertySet>(model, UNO_QUERY_THROW);
    }

    // Sets a property unless it already holds that value as we last wrote it.
    void set(const Reference<css::beans::XPropertySet>& model, const std::u16string& control, const char* property,
             const Any& value) {
        const std::u16string key = control + u"." + std::u16string(property, property + std::strlen(property));
        const auto it = written_.find(key);
        if (it != written_.end() && it->second == value) return;
        model->setPropertyValue(OUString::createFromAscii(property), value);
        written_[key] = value;
    }

    // The scale from points to the dialog's own unit (a fraction of the dialog font's size).
    void measure() {
        Reference<css::awt::XUnitConversion> conversion(dialog_, UNO_QUERY_THROW);
        const css::awt::Size points =
            conversion->convertSizeToPixel(css::awt::Size(1000, 1000), css::util::MeasureUnit::POINT);
        const css::awt::Size appFont =
            conversion->convertSizeToPixel(css::awt::Size(1000, 1000), css::util::MeasureUnit::APPFONT);
        if (appFont.Width > 0 && appFont.Height > 0) {
            scaleX_ = static_cast<double>(points.Width) / appFont.Width;
            scaleY_ = static_cast<double>(points.Height) / appFont.Height;
        }
    }
    sal_Int32 appX(double points) const { return static_cast<sal_Int32>(points * scaleX_ + 0.5); }
    sal_Int32 appY(double points) const { return static_cast<sal_Int32>(points * scaleY_ + 0.5); }

    // Centred over Calc's window (positions of a dialog count from its parent window).
    void centreOnCalc(const Reference<css::frame::XFrame>& frame) {
        Reference<css::awt::XWindow> window(dialog_, UNO_QUERY_THROW);
        const css::awt::Rectangle own = window->getPosSize();
        if (!frame.is() || !frame->getContainerWindow().is()) return;
        const css::awt::Rectangle calc = frame->getContainerWindow()->getPosSize();
        window->setPosSize(std::max<sal_Int32>(0, (calc.Width - own.Width) / 2),
                           std::max<sal_Int32>(0, (calc.Height - own.Height) / 2), 0, 0, css::awt::PosSize::POS);
    }

    void refreshControl(const std::u16string& name, forms::Control& control,
                        const Reference<css::beans::XPropertySet>& model) {
        double left = 0, top = 0;
        forms::placeOnForm(control, left, top);
        set(model, name, "PositionX", Any(appX(left)));
        set(model, name, "PositionY", Any(appY(top)));
        set(model, name, "Width", Any(appX(control.Width())));
        set(model, name, "Height", Any(appY(control.Height())));
        set(model, name, "EnableVisible", Any(control.isShown() && drawn(control)));
        set(model, name, "Enabled", Any(control.isUsable()));
        if (!control.ControlTipText().empty()) set(model, name, "HelpText", Any(toOU(control.ControlTipText())));
        css::awt::FontDescriptor font;
        font.Name = toOU(control.FontName());
        font.Height = static_cast<sal_Int16>(control.FontSize() + 0.5);
        font.Weight = control.FontBold() ? css::awt::FontWeight::BOLD : css::awt::FontWeight::NORMAL;
        if (control.type() != forms::ControlType::Image) set(model, name, "FontDescriptor", Any(font));
        if (control.type() != forms::ControlType::Image && control.type() != forms::ControlType::Frame)
            if (const auto colour = rgbOf(control.ForeColor())) set(model, name, "TextColor", Any(*colour));
        switch (control.type()) {
        case forms::ControlType::Label:
        case forms::ControlType::Frame:
            set(model, name, "Label", Any(toOU(static_cast<forms::CaptionedControl&>(control).Caption())));
            break;
        case forms::ControlType::CommandButton:
            set(model, name, "Label", Any(toOU(mnemonic(static_cast<forms::CaptionedControl&>(control).Caption()))));
            break;
        case forms::ControlType::CheckBox: {
            auto& box = static_cast<forms::CheckBox&>(control);
            set(model, name, "Label", Any(toOU(mnemonic(box.Caption()))));
            set(model, name, "State", Any(static_cast<sal_Int16>(box.Value() ? 1 : 0)));
            break;
        }
        case forms::ControlType::OptionButton: {
            auto& option = static_cast<forms::OptionButton&>(control);
            set(model, name, "Label", Any(toOU(mnemonic(option.Caption()))));
            set(model, name, "State", Any(static_cast<sal_Int16>(option.Value() ? 1 : 0)));
            break;
        }
        case forms::ControlType::TextBox: {
            auto& box = static_cast<forms::TextBox&>(control);
            set(model, name, "Text", Any(toOU(box.Text())));
            set(model, name, "ReadOnly", Any(box.Locked()));
            break;
        }
        case forms::ControlType::ComboBox: {
            auto& combo = static_cast<forms::ComboBox&>(control);
            set(model, name, "StringItemList", Any(itemsOf(combo)));
            set(model, name, "Text", Any(toOU(combo.Text())));
            break;
        }
        case forms::ControlType::Image: setPicture(name, static_cast<forms::Image&>(control), model); break;
        case forms::ControlType::WebBrowser: {
            const auto& address = static_cast<forms::WebBrowser&>(control).LocationURL();
            set(model, name, "URL", Any(toOU(address)));
            set(model, name, "Label", Any(toOU(address)));
            break;
        }
        }
    }

    void setPicture(const std::u16string& name, const forms::Image& image,
                    const Reference<css::beans::XPropertySet>& model) {
        const auto& bytes = image.Picture();
        if (pictures_[name] == bytes.size()) return;  // the same picture (pictures are set once, at design)
        pictures_[name] = bytes.size();
        if (bytes.empty()) return;
        try {
            css::uno::Sequence<sal_Int8> data(reinterpret_cast<const sal_Int8*>(bytes.data()),
                                              static_cast<sal_Int32>(bytes.size()));
            auto stream = css::io::SequenceInputStream::createStreamFromSequence(context_, data);
            css::uno::Sequence<css::beans::PropertyValue> source(1);
            source.getArray()[0].Name = "InputStream";
            source.getArray()[0].Value <<= stream;
            model->setPropertyValue("Graphic",
                                    Any(css::graphic::GraphicProvider::create(context_)->queryGraphic(source)));
        } catch (const css::uno::Exception&) {
            // A picture Calc cannot read is left out; the rest of the window stands.
        }
    }

    void listen(const std::shared_ptr<DialogInbox>& inbox) {
        Reference<css::awt::XControlContainer> container(dialog_, UNO_QUERY_THROW);
        for (auto& [name, entry] : controls_) {
            const auto control = container->getControl(toOU(name));
            if (!control.is()) continue;
            const rtl::Reference<WindowListener> kept(new WindowListener(inbox, &form_, name));
            WindowListener* listener = kept.get();
            switch (entry.control->type()) {
            case forms::ControlType::CommandButton:
                Reference<css::awt::XButton>(control, UNO_QUERY_THROW)->addActionListener(listener);
                break;
            case forms::ControlType::CheckBox:
                Reference<css::awt::XCheckBox>(control, UNO_QUERY_THROW)->addItemListener(listener);
                break;
            case forms::ControlType::OptionButton:
                Reference<css::awt::XRadioButton>(control, UNO_QUERY_THROW)->addItemListener(listener);
                break;
            case forms::ControlType::TextBox:
                Reference<css::awt::XTextComponent>(control, UNO_QUERY_THROW)->addTextListener(listener);
                break;
            case forms::ControlType::ComboBox:
                Reference<css::awt::XComboBox>(control, UNO_QUERY_THROW)->addItemListener(listener);
                Reference<css::awt::XTextComponent>(control, UNO_QUERY_THROW)->addTextListener(listener);
                break;
            default: break;
            }
        }
        Reference<css::awt::XTopWindow> window(dialog_->getPeer(), UNO_QUERY);
        if (window.is()) window->addTopWindowListener(new WindowListener(inbox, &form_, u""));
    }

    Reference<css::uno::XComponentContext> context_;
    Reference<css::frame::XFrame> frame_;
    forms::Form& form_;
    Reference<css::lang::XMultiServiceFactory> dialogModel_;
    Reference<css::awt::XControl> dialog_;
    std::map<std::u16string, Entry> controls_;
    std::map<std::u16string, Any> written_;
    std::map<std::u16string, size_t> pictures_;
    double scaleX_ = 2, scaleY_ = 2;
    bool placed_ = false;
};

DialogUser::DialogUser(Reference<css::uno::XComponentContext> context, Reference<css::frame::XFrame> frame)
    : context_(std::move(context)),
      frame_(std::move(frame)),
      main_(context_),
      ownThread_(MainThread::onWorker()),
      inbox_(std::make_shared<DialogInbox>()) {
    toolkit_ = unoCall([&] { return css::awt::Toolkit::create(context_); });
}

DialogUser::~DialogUser() {
    try {
        main_.run([&] { windows_.clear(); });
    } catch (...) {
        // Calc is going away: its windows go with it.
    }
    setCalcEnabled(true);
}

FormWindow* DialogUser::windowOf(forms::Form& form) {
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

void DialogUser::setCalcEnabled(bool enabled) {
    // A command on its own thread: whoever started it keeps Calc's window disabled until it ends.
    if (ownThread_) return;
    if (calcDisabled_ == !enabled || !frame_.is()) return;
    try {
        frame_->getContainerWindow()->setEnable(enabled);
        calcDisabled_ = !enabled;
    } catch (const css::uno::Exception&) {
        // Calc's window is gone: nothing to hold back.
    }
}

void DialogUser::refreshAll() {
    main_.run([&] {
        unoCall([&] {
            for (auto& [form, window] : windows_) {
                if (!window->form().Visible()) {
                    window->setVisible(false);
                    continue;
                }
                window->refresh();
            }
        });
    });
    lastRefresh_ = std::chrono::steady_clock::now();
}

void DialogUser::processEvents() {
    // The toolkit's reschedule is marked deprecated, yet it is the one call that lets an
    // extension give Calc's event loop a turn from inside its own call.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    unoCall([&] { Reference<css::awt::XReschedule>(toolkit_, UNO_QUERY_THROW)->reschedule(); });
#pragma GCC diagnostic pop
}

void DialogUser::formShown(forms::Form& form) {
    main_.run([&] {
        unoCall([&] {
            if (auto* window = windowOf(form)) {
                window->refresh();
                window->setVisible(true);
                return;
            }
            windows_[&form] = std::make_unique<FormWindow>(context_, toolkit_, frame_, form, inbox_);
        });
    });
    setCalcEnabled(false);
}

void DialogUser::formClosed(forms::Form& form) {
    main_.run([&] { windows_.erase(&form); });
    if (windows_.empty()) setCalcEnabled(true);
}

namespace {

// The user action an event of the window stands for, or nothing when the form already shows
// it (our own update of the window) or the event is not for the form on top.
std::optional<forms::UserAction> actionOf(const WindowEvent& event, forms::Form& top, const FormWindow& window) {
    if (event.form != &top) return std::nullopt;
    forms::UserAction action;
    action.control = event.control;
    if (event.kind == WindowEvent::Closing) {
        action.kind = forms::ActionKind::Close;
        return action;
    }
    forms::Control* control = top.control(event.control);
    if (!control) return std::nullopt;
    switch (event.kind) {
    case WindowEvent::Clicked: action.kind = forms::ActionKind::Click; return action;
    case WindowEvent::Toggled: {
        sal_Int16 state = 0;
        if (control->type() == forms::ControlType::CheckBox) {
            window.modelValue(event.control, "State") >>= state;
            if ((state == 1) == static_cast<forms::CheckBox*>(control)->Value()) return std::nullopt;
            action.kind = forms::ActionKind::SetValue;
            action.flag = state == 1;
            return action;
        }
        if (control->type() == forms::ControlType::OptionButton) {
            window.modelValue(event.control, "State") >>= state;
            if (state != 1 || static_cast<forms::OptionButton*>(control)->Value()) return std::nullopt;
            action.kind = forms::ActionKind::SelectOption;
            return action;
        }
        if (control->type() == forms::ControlType::ComboBox) {
            auto* combo = static_cast<forms::ComboBox*>(control);
            if (event.index < 0 || event.index >= combo->ListCount() || combo->ListIndex() == event.index)
                return std::nullopt;
            action.kind = forms::ActionKind::PickListEntry;
            action.number = event.index;
            return action;
        }
        return std::nullopt;
    }
    case WindowEvent::TextChanged: {
        OUString text;
        window.modelValue(event.control, "Text") >>= text;
        const std::u16string typed = fromOU(text);
        const std::u16string* shown = nullptr;
        if (control->type() == forms::ControlType::TextBox) shown = &static_cast<forms::TextBox*>(control)->Text();
        if (control->type() == forms::ControlType::ComboBox) shown = &static_cast<forms::ComboBox*>(control)->Text();
        if (!shown || *shown == typed) return std::nullopt;
        action.kind = forms::ActionKind::SetText;
        action.text = typed;
        return action;
    }
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<forms::UserAction> DialogUser::nextAction(forms::Form& top) {
    refreshAll();
    FormWindow* window = windowOf(top);
    if (!window) return std::nullopt;  // no window for it: nobody can answer it
    while (true) {
        while (const auto event = inbox_->take())
            if (auto action = actionOf(*event, top, *window)) return action;
        if (ownThread_) {
            // Calc's main loop is free meanwhile: it delivers the person's clicks and serves
            // every other caller while the dialog waits.
            inbox_->await(std::chrono::milliseconds(250));
            continue;
        }
        // On Calc's main thread (a command dispatched where no thread of its own could be
        // started): the loop is given a turn, then a rest.
        processEvents();
        if (!inbox_->await(std::chrono::milliseconds(0))) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::vector<forms::UserAction> DialogUser::doEvents(forms::Form* top) {
    if (ownThread_) {
        // A tool yields at every item; the windows are brought up to date (and the main loop
        // handed the SolarMutex for a turn) a few dozen times a second, which is what a person
        // sees of progress, without a trip to the main thread per item.
        if (std::chrono::steady_clock::now() - lastRefresh_ >= kRefreshInterval) refreshAll();
    } else {
        refreshAll();
        processEvents();
    }
    std::vector<forms::UserAction> actions;
    FormWindow* window = top ? windowOf(*top) : nullptr;
    while (const auto event = inbox_->take())
        if (window)
            if (auto action = actionOf(*event, *top, *window)) actions.push_back(std::move(*action));
    return actions;
}

int DialogUser::msgBox(const forms::MsgBoxRequest& request) {
    namespace Buttons = css::awt::MessageBoxButtons;
    sal_Int32 buttons = Buttons::BUTTONS_OK;
    switch (request.buttonSet()) {
    case forms::vbOKCancel: buttons = Buttons::BUTTONS_OK_CANCEL; break;
    case forms::vbAbortRetryIgnore: buttons = Buttons::BUTTONS_ABORT_IGNORE_RETRY; break;
    case forms::vbYesNoCancel: buttons = Buttons::BUTTONS_YES_NO_CANCEL; break;
    case forms::vbYesNo: buttons = Buttons::BUTTONS_YES_NO; break;
    case forms::vbRetryCancel: buttons = Buttons::BUTTONS_RETRY_CANCEL; break;
    default: break;
    }
    auto type = css::awt::MessageBoxType_MESSAGEBOX;
    switch (request.icon()) {
    case forms::vbCritical: type = css::awt::MessageBoxType_ERRORBOX; break;
    case forms::vbQuestion: type = css::awt::MessageBoxType_QUERYBOX; break;
    case forms::vbExclamation: type = css::awt::MessageBoxType_WARNINGBOX; break;
    case forms::vbInformation: type = css::awt::MessageBoxType_INFOBOX; break;
    default: break;
    }
    try {
        refreshAll();
        int answer = request.dismissAnswer();
        main_.run([&] { answer = showMessageBox(request, type, buttons); });
        return answer;
    } catch (const css::uno::Exception&) {
        return request.dismissAnswer();
    } catch (const host::Error&) {
        return request.dismissAnswer();
    }
}

int DialogUser::showMessageBox(const forms::MsgBoxRequest& request, css::awt::MessageBoxType type, sal_Int32 buttons) {
    namespace Results = css::awt::MessageBoxResults;
    try {
        Reference<css::awt::XWindowPeer> parent;
        if (frame_.is()) parent.set(frame_->getContainerWindow(), UNO_QUERY);
        const auto box = Reference<css::awt::XMessageBoxFactory>(toolkit_, UNO_QUERY_THROW)
                             ->createMessageBox(parent, type, buttons, toOU(request.title.value_or(u"Cellwash")),
                                                toOU(request.prompt));
        switch (box->execute()) {
        case Results::OK: return forms::vbOK;
        case Results::YES: return forms::vbYes;
        case Results::NO: return forms::vbNo;
        case Results::RETRY: return forms::vbRetry;
        case Results::IGNORE: return forms::vbIgnore;
        case Results::CANCEL: return request.allows(forms::vbCancel) ? forms::vbCancel : forms::vbAbort;
        default: return request.dismissAnswer();
        }
    } catch (const css::uno::Exception&) {
        return request.dismissAnswer();
    }
}

}  // namespace host::calc
