#include "tests/windows/window_user.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace cwtest {

namespace {

std::wstring textOf(HWND window) {
    wchar_t buffer[2048] = {};
    // WM_GETTEXT reaches a window of another thread; GetWindowText would not for its children.
    SendMessageW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct Children {
    std::vector<HWND> all;
};

BOOL CALLBACK collect(HWND child, LPARAM data) {
    reinterpret_cast<Children*>(data)->all.push_back(child);
    return TRUE;
}

bool isPushButton(HWND window) {
    if (_wcsicmp(classOf(window).c_str(), L"Button") != 0) return false;
    const LONG style = GetWindowLongW(window, GWL_STYLE) & 0x0F;
    return style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON;
}

// The form window a drag is made on, and whether the window procedure of the form's thread was
// handed WM_NCLBUTTONDOWN with HTCAPTION for it (seen by a hook on that thread).
HWND dragged = nullptr;
std::atomic<bool> captionDrag{false};

LRESULT CALLBACK watchCalls(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call && call->hwnd == dragged && call->message == WM_NCLBUTTONDOWN &&
        call->wParam == HTCAPTION)
        captionDrag = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Presses the left button at `at` (client pixels), moves the pointer by (dx, dy) and lets go,
// each as the window's mouse message; the release ends the system's move loop if one runs. What the
// window did is kept in `seen`.
void drag(HWND form, POINT at, int dx, int dy, SeenWindow& seen) {
    RECT before{};
    GetWindowRect(form, &before);
    dragged = form;
    captionDrag = false;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, watchCalls, nullptr, GetWindowThreadProcessId(form, nullptr));
    POINT press = at, screen = at;
    ClientToScreen(form, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    Sleep(200);
    SetCursorPos(screen.x + dx, screen.y + dy);
    PostMessageW(form, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + dx, press.y + dy));
    Sleep(100);
    PostMessageW(form, WM_LBUTTONUP, 0, MAKELPARAM(press.x + dx, press.y + dy));
    Sleep(200);
    if (hook) UnhookWindowsHookEx(hook);
    RECT after{};
    GetWindowRect(form, &after);
    seen.movedX = after.left - before.left;
    seen.movedY = after.top - before.top;
    seen.captionDragSeen = captionDrag;
    dragged = nullptr;
}

}  // namespace

WindowUser::WindowUser(std::vector<WindowStep> steps, int seconds) : steps_(std::move(steps)), seconds_(seconds) {
    thread_ = std::thread([this] { run(); });
}

WindowUser::~WindowUser() {
    if (thread_.joinable()) thread_.join();
}

std::vector<SeenWindow> WindowUser::result() {
    if (thread_.joinable()) thread_.join();
    return seen_;
}

void WindowUser::run() {
    for (const WindowStep& each : steps_)
        if (!step(each, std::chrono::steady_clock::now() + std::chrono::seconds(seconds_))) return;
}

bool WindowUser::step(const WindowStep& step, std::chrono::steady_clock::time_point end) {
    HWND form = nullptr;
    while (!form && std::chrono::steady_clock::now() < end) {
        form = FindWindowW(step.windowClass.c_str(), nullptr);
        if (!form || !IsWindowVisible(form)) {
            form = nullptr;
            Sleep(20);
        }
    }
    if (!form) return false;
    Sleep(150);  // let it draw
    SeenWindow& seen = seen_.emplace_back();
    seen.window = form;
    seen.title = textOf(form);
    seen.captionBar = (GetWindowLongW(form, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    seen.rootOwner = GetAncestor(form, GA_ROOTOWNER);
    seen.rootOwnerEnabled = IsWindowEnabled(seen.rootOwner) != 0;
    Children children;
    EnumChildWindows(form, collect, reinterpret_cast<LPARAM>(&children));
    HWND target = nullptr;
    for (HWND child : children.all) {
        const std::wstring text = textOf(child);
        seen.texts.push_back(text);
        if (isPushButton(child) && IsWindowVisible(child)) {
            seen.buttons.push_back(text);
            if (step.button.empty() ? !target : text == step.button) target = child;
        }
    }
    if (!step.typed.empty()) {
        HWND edit = nullptr;
        int edits = 0;
        for (HWND child : children.all)
            if (_wcsicmp(classOf(child).c_str(), L"Edit") == 0 && IsWindowVisible(child)) edit = child, ++edits;
        if (edits != 1) return false;
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.typed.c_str()));
        seen.typed = textOf(edit) == step.typed;
    }
    seen.boxesSet = true;
    for (const auto& [caption, wanted] : step.boxes) {
        HWND box = nullptr;
        for (HWND child : children.all)
            if (_wcsicmp(classOf(child).c_str(), L"Button") == 0 && !isPushButton(child) && IsWindowVisible(child) &&
                textOf(child) == caption)
                box = child;
        if (!box) return false;
        auto shows = [box] { return (SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED); };
        if (shows() != wanted) {
            // Posted, as a click arrives: the form's loop waits for posted messages.
            PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), BN_CLICKED), reinterpret_cast<LPARAM>(box));
            ++seen.boxesClicked;
        }
        // The form shows the check box's new value at its next refresh.
        bool reached = shows() == wanted;
        for (int i = 0; i < 50 && !reached; ++i) {
            Sleep(20);
            reached = shows() == wanted;
        }
        seen.boxesSet = seen.boxesSet && reached;
    }
    if (!step.boxes.empty())
        for (HWND child : children.all) seen.textsAfterBoxes.push_back(textOf(child));
    if (step.dragX || step.dragY) drag(form, step.dragFrom, step.dragX, step.dragY, seen);
    if (!step.screenshot.empty()) saveWindowPicture(form, step.screenshot);
    if (!target || (step.button.empty() && seen.buttons.size() != 1)) return false;
    // The click as the button reports it to its window.
    const int id = GetDlgCtrlID(target);
    seen.clicked = PostMessageW(form, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(target)) != 0;
    while (!step.thenClick.empty() && !seen.thenClicked && IsWindow(form) && std::chrono::steady_clock::now() < end) {
        Children now;
        EnumChildWindows(form, collect, reinterpret_cast<LPARAM>(&now));
        for (HWND child : now.all)
            if (isPushButton(child) && IsWindowVisible(child) && IsWindowEnabled(child) &&
                textOf(child) == step.thenClick) {
                seen.thenClicked = PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                                                reinterpret_cast<LPARAM>(child)) != 0;
                break;
            }
        if (!seen.thenClicked) Sleep(5);
    }
    if (!step.during.empty()) {
        Sleep(400);  // the run is under way by now
        if (IsWindow(form)) saveWindowPicture(form, step.during);
    }
    while (std::chrono::steady_clock::now() < end) {
        if (!IsWindow(form)) {
            seen.closedAfterClick = true;
            return true;
        }
        Sleep(20);
    }
    return false;
}

bool saveWindowPicture(HWND window, const std::wstring& file) {
    RECT area{};
    if (!GetWindowRect(window, &area)) return false;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) & ~3u);
    std::vector<char> pixels(stride * static_cast<DWORD>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace cwtest
