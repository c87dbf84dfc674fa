#include "host/com/window_driver.h"

#include "forms/combo_box.h"
#include "forms/form.h"
#include "forms/frame.h"
#include "forms/runtime.h"
#include "forms/simple_controls.h"
#include "forms/text_box.h"
#include "forms/toggle_controls.h"
#include "forms/web_browser.h"

namespace host::com {

namespace {

constexpr wchar_t formClass[] = L"CellwashForm";
constexpr int firstChildId = 1000;

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::u16string textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return std::u16string(text.begin(), text.end());
}

// Points to pixels at the screen's resolution.
int pixels(double points) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<int>(points * dpi / 72.0 + 0.5);
}

struct ChildKind {
    const wchar_t* windowClass;
    DWORD style;
};

ChildKind kindOf(forms::ControlType type) {
    switch (type) {
    case forms::ControlType::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX};
    case forms::ControlType::CommandButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case forms::ControlType::CheckBox: return {L"BUTTON", BS_CHECKBOX | BS_MULTILINE | WS_TABSTOP};
    case forms::ControlType::OptionButton: return {L"BUTTON", BS_RADIOBUTTON | BS_MULTILINE | WS_TABSTOP};
    case forms::ControlType::TextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case forms::ControlType::ComboBox: return {L"COMBOBOX", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP};
    case forms::ControlType::Frame: return {L"BUTTON", BS_GROUPBOX};
    case forms::ControlType::Image: return {L"STATIC", SS_LEFT};
    case forms::ControlType::WebBrowser: return {L"STATIC", SS_LEFT | SS_NOPREFIX | WS_BORDER};
    }
    return {L"STATIC", SS_LEFT};
}

std::u16string captionOf(const forms::Control& control) {
    switch (control.type()) {
    case forms::ControlType::Label:
    case forms::ControlType::CommandButton:
    case forms::ControlType::CheckBox:
    case forms::ControlType::OptionButton:
    case forms::ControlType::Frame: return static_cast<const forms::CaptionedControl&>(control).Caption();
    case forms::ControlType::TextBox: return static_cast<const forms::TextBox&>(control).Text();
    case forms::ControlType::ComboBox: return static_cast<const forms::ComboBox&>(control).Text();
    default: return {};
    }
}

}  // namespace

WindowDriver::WindowDriver(std::vector<std::u16string> borderlessForms) : borderless_(std::move(borderlessForms)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = formClass;
    RegisterClassW(&windowClass);  // a second driver finds the class registered
}

WindowDriver::~WindowDriver() {
    if (hostDisabled_ && IsWindow(host_)) EnableWindow(host_, TRUE);
    for (auto& [form, window] : windows_) DestroyWindow(window.window);
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT WindowDriver::fontFor(const std::u16string& name, double size, bool bold) {
    const int height = -pixels(size);
    const auto key = std::make_pair(name, bold ? height - 100000 : height);
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    HFONT font =
        CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, wide(name.empty() ? u"Tahoma" : name).c_str());
    fonts_[key] = font;
    return font;
}

HWND WindowDriver::windowOf(const forms::Form& form) const {
    const auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second.window;
}

WindowDriver::FormWindow* WindowDriver::find(HWND window) {
    for (auto& [form, shown] : windows_)
        if (shown.window == window) return &shown;
    return nullptr;
}

void WindowDriver::formShown(forms::Form& form) {
    if (windows_.count(&form)) return;
    RECT frame{0, 0, pixels(form.Width()), pixels(form.Height())};
    bool bare = false;
    for (const auto& name : borderless_) bare = bare || name == form.Name();
    const DWORD style =
        bare ? WS_POPUP | WS_BORDER | WS_CLIPCHILDREN : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    HWND owner = host_ && IsWindow(host_) ? host_ : nullptr;
    if (!shownOrder_.empty()) owner = windowOf(*shownOrder_.back());
    HWND window = CreateWindowExW(bare ? 0 : WS_EX_DLGMODALFRAME, formClass, wide(form.Caption()).c_str(), style,
                                  pixels(form.Left()), pixels(form.Top()), frame.right, frame.bottom, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FormWindow& shown = windows_[&form];
    shown.window = window;
    int id = firstChildId;
    for (forms::Control* control : form.controls()) {
        // A frame without a caption only groups its controls: nothing of it is drawn.
        if (control->type() == forms::ControlType::Frame &&
            static_cast<const forms::Frame*>(control)->Caption().empty())
            continue;
        const ChildKind kind = kindOf(control->type());
        double left = 0, top = 0;
        forms::placeOnForm(*control, left, top);
        const int height =
            control->type() == forms::ControlType::ComboBox ? pixels(control->Height()) * 8 : pixels(control->Height());
        HWND child =
            CreateWindowExW(0, kind.windowClass, wide(captionOf(*control)).c_str(), WS_CHILD | kind.style, pixels(left),
                            pixels(top), pixels(control->Width()), height, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(child, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fontFor(control->FontName(), control->FontSize(), control->FontBold())),
                     FALSE);
        shown.controls[id] = control;
        shown.children[control] = child;
        ++id;
    }
    shownOrder_.push_back(&form);
    if (form.isModalOpen()) {
        modal_.push_back(&form);
        // The host's window takes no input while a modal form is up; a window that was already
        // disabled (by the host itself) is left to the host.
        if (modal_.size() == 1 && host_ && IsWindow(host_) && IsWindowEnabled(host_)) {
            EnableWindow(host_, FALSE);
            hostDisabled_ = true;
        }
    }
    refresh(form);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

void WindowDriver::formClosed(forms::Form& form) {
    const auto found = windows_.find(&form);
    if (found == windows_.end()) return;
    HWND window = found->second.window;
    windows_.erase(found);
    std::erase(shownOrder_, &form);
    std::erase(modal_, &form);
    // The host's window is enabled before the form's goes, so that the system activates the host
    // and not some other application's window.
    if (modal_.empty() && hostDisabled_) {
        if (IsWindow(host_)) EnableWindow(host_, TRUE);
        hostDisabled_ = false;
    }
    DestroyWindow(window);
}

// Every window of the form shows what the form holds now.
void WindowDriver::refresh(forms::Form& form) {
    const auto found = windows_.find(&form);
    if (found == windows_.end()) return;
    refreshing_ = true;
    FormWindow& shown = found->second;
    if (textOf(shown.window) != form.Caption()) SetWindowTextW(shown.window, wide(form.Caption()).c_str());
    for (auto& [control, child] : shown.children) {
        // What was last put into each window is kept, so that a refresh at every DoEvents of a
        // long run touches only what changed.
        Applied& applied = shown.applied[control];
        const int visible = control->isShown() ? 1 : 0, usable = control->isUsable() ? 1 : 0;
        if (applied.visible != visible) ShowWindow(child, visible ? SW_SHOWNA : SW_HIDE), applied.visible = visible;
        if (applied.enabled != usable) EnableWindow(child, usable), applied.enabled = usable;
        switch (control->type()) {
        case forms::ControlType::CheckBox:
        case forms::ControlType::OptionButton: {
            const int checked = (control->type() == forms::ControlType::CheckBox
                                     ? static_cast<const forms::CheckBox*>(control)->Value()
                                     : static_cast<const forms::OptionButton*>(control)->Value())
                                    ? 1
                                    : 0;
            if (applied.checked != checked) SendMessageW(child, BM_SETCHECK, checked ? BST_CHECKED : 0, 0);
            applied.checked = checked;
            const std::u16string caption = captionOf(*control);
            if (!applied.textKnown || applied.text != caption) SetWindowTextW(child, wide(caption).c_str());
            applied.text = caption, applied.textKnown = true;
            break;
        }
        case forms::ControlType::ComboBox: {
            const auto* combo = static_cast<const forms::ComboBox*>(control);
            const LRESULT count = SendMessageW(child, CB_GETCOUNT, 0, 0);
            bool same = count == combo->ListCount();
            wchar_t item[512];
            for (int i = 0; same && i < combo->ListCount(); ++i) {
                const LRESULT length = SendMessageW(child, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
                same = length < 512 &&
                       SendMessageW(child, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item)) >= 0 &&
                       std::u16string(item, item + length) == combo->List(i);
            }
            if (!same) {
                SendMessageW(child, CB_RESETCONTENT, 0, 0);
                for (int i = 0; i < combo->ListCount(); ++i)
                    SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(combo->List(i)).c_str()));
            }
            if (SendMessageW(child, CB_GETCURSEL, 0, 0) != combo->ListIndex())
                SendMessageW(child, CB_SETCURSEL, static_cast<WPARAM>(combo->ListIndex()), 0);
            if (textOf(child) != combo->Text()) SetWindowTextW(child, wide(combo->Text()).c_str());
            break;
        }
        case forms::ControlType::TextBox: {  // the user types here: compare with the window itself
            const std::u16string text = captionOf(*control);
            if (textOf(child) != text) SetWindowTextW(child, wide(text).c_str());
            break;
        }
        default: {
            const std::u16string caption = captionOf(*control);
            if (!applied.textKnown || applied.text != caption) SetWindowTextW(child, wide(caption).c_str());
            applied.text = caption, applied.textKnown = true;
        }
        }
    }
    refreshing_ = false;
}

LRESULT CALLBACK WindowDriver::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* driver = reinterpret_cast<WindowDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (driver) return driver->handle(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT WindowDriver::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
        // Labels, check boxes and option buttons on the form's own face colour.
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    FormWindow* shown = find(window);
    if (!shown || refreshing_) return DefWindowProcW(window, message, wParam, lParam);
    const forms::Form* form = nullptr;
    for (auto& [f, w] : windows_)
        if (&w == shown) form = f;
    if (message == WM_CLOSE) {
        forms::UserAction close;
        close.kind = forms::ActionKind::Close;
        pending_.emplace_back(form, close);
        return 0;  // the runtime decides whether the form goes
    }
    if (message == WM_LBUTTONDOWN) {
        // Frames and group boxes let clicks through to the form: the control under the pointer
        // that handles MouseDown gets it (innermost first), in points relative to itself.
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const forms::Control* hit = nullptr;
        double hitLeft = 0, hitTop = 0;
        for (const auto& [control, child] : shown->children) {
            if (!control->onMouseDown || !control->isShown()) continue;
            RECT area{};
            GetWindowRect(child, &area);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
            if (!PtInRect(&area, at)) continue;
            double left = 0, top = 0;
            forms::placeOnForm(*control, left, top);
            if (!hit || left >= hitLeft) hit = control, hitLeft = left, hitTop = top;
        }
        if (!hit) return DefWindowProcW(window, message, wParam, lParam);
        forms::UserAction press;
        press.kind = forms::ActionKind::MouseDown;
        press.control = hit->Name();
        press.number = 1;  // left button
        const double pointsPerPixel = static_cast<double>(72) / pixels(72);
        press.x = at.x * pointsPerPixel - hitLeft;
        press.y = at.y * pointsPerPixel - hitTop;
        pending_.emplace_back(form, press);
        bool bare = false;
        for (const auto& name : borderless_) bare = bare || (form && name == form->Name());
        if (bare) {
            ReleaseCapture();
            SendMessageW(window, 161, 2, 0);  // WM_NCLBUTTONDOWN, HTCAPTION: the system moves the window
        }
        return 0;
    }
    if (message != WM_COMMAND) return DefWindowProcW(window, message, wParam, lParam);
    const auto control = shown->controls.find(LOWORD(wParam));
    if (control == shown->controls.end()) return 0;
    const forms::Control& target = *control->second;
    const WORD code = HIWORD(wParam);
    forms::UserAction action;
    action.control = target.Name();
    switch (target.type()) {
    case forms::ControlType::CommandButton:
    case forms::ControlType::CheckBox:
    case forms::ControlType::OptionButton:
        if (code != BN_CLICKED) return 0;
        action.kind = forms::ActionKind::Click;
        break;
    case forms::ControlType::TextBox:
        if (code != EN_CHANGE) return 0;
        action.kind = forms::ActionKind::SetText;
        action.text = textOf(reinterpret_cast<HWND>(lParam));
        if (action.text == static_cast<const forms::TextBox&>(target).Text()) return 0;
        break;
    case forms::ControlType::ComboBox:
        if (code == CBN_SELCHANGE) {
            action.kind = forms::ActionKind::PickListEntry;
            action.number = static_cast<int>(SendMessageW(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0));
        } else if (code == CBN_EDITCHANGE) {
            action.kind = forms::ActionKind::SetText;
            action.text = textOf(reinterpret_cast<HWND>(lParam));
        } else {
            return 0;
        }
        break;
    default: return 0;
    }
    pending_.emplace_back(form, action);
    return 0;
}

std::optional<forms::UserAction> WindowDriver::nextAction(forms::Form& top) {
    refresh(top);
    for (;;) {
        while (!pending_.empty()) {
            auto [form, action] = pending_.front();
            pending_.pop_front();
            if (form == &top) return action;  // a click on a window under the modal one is no action
        }
        if (!windowOf(top)) return std::nullopt;
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the host's own loop
            return std::nullopt;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::vector<forms::UserAction> WindowDriver::doEvents(forms::Form* top) {
    if (top) refresh(*top);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    std::vector<forms::UserAction> actions;
    while (!pending_.empty()) {
        auto [form, action] = pending_.front();
        pending_.pop_front();
        if (top && form == top) actions.push_back(action);
    }
    return actions;
}

int WindowDriver::msgBox(const forms::MsgBoxRequest& request) {
    HWND owner = host_ && IsWindow(host_) ? host_ : nullptr;
    if (forms::Form* top = forms::activeForm(); top && windowOf(*top)) owner = windowOf(*top);
    const std::u16string title = request.title.value_or(u"Microsoft Excel");  // the host's own name
    return MessageBoxW(owner, wide(request.prompt).c_str(), wide(title).c_str(), static_cast<UINT>(request.buttons));
}

namespace {
WindowDriver* eventDriver = nullptr;
}  // namespace

WindowDriver* hostEventDriver() { return eventDriver; }
void setHostEventDriver(WindowDriver* driver) { eventDriver = driver; }

}  // namespace host::com
