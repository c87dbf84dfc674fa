#pragma once
// WindowUser: a person at the screen, on a thread of its own. It waits for the add-in's next form
// window (class "CellwashForm") to appear, reads its title and every child window's text, saves a
// picture of it when asked, and clicks the push button with a given caption by window messages.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace cwtest {

struct SeenWindow {
    HWND window = nullptr;
    std::wstring title;
    std::vector<std::wstring> texts;    // every child's text, in z-order
    std::vector<std::wstring> buttons;  // push buttons' captions
    bool clicked = false;
    bool closedAfterClick = false;
};

class WindowUser {
public:
    // Waits up to `seconds` for a form window, then clicks the push button captioned
    // `buttonCaption` (or the only push button when the caption is empty).
    WindowUser(std::wstring buttonCaption, int seconds, std::wstring screenshot = L"");
    ~WindowUser();
    // Waits for the thread; what it saw.
    SeenWindow result();

private:
    void run();

    std::wstring caption_;
    int seconds_;
    std::wstring screenshot_;
    SeenWindow seen_;
    std::thread thread_;
};

// Saves the window's picture as a .bmp file. False when it could not.
bool saveWindowPicture(HWND window, const std::wstring& file);

}  // namespace cwtest
