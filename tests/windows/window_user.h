#pragma once
// WindowUser: a person at the screen, on a thread of its own. Step by step it waits for a window of
// the process with a given class to appear (the add-in's forms are "CellwashForm", message boxes
// "#32770"), reads its title and every child window's text, saves a picture of it when asked, and
// clicks the push button with a given caption by window messages, then waits for the window to go.
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace cwtest {

struct SeenWindow {
    HWND window = nullptr;
    std::wstring title;
    std::vector<std::wstring> texts;            // every child's text, in z-order
    std::vector<std::wstring> textsAfterBoxes;  // the same once the step's check boxes show their states
    std::vector<std::wstring> buttons;          // push buttons' captions
    bool captionBar = false;                    // the window has a title bar
    HWND rootOwner = nullptr;                   // the window at the end of its chain of owners (itself if unowned)
    bool rootOwnerEnabled = true;               // that window took input while this one was up
    bool typed = false;                         // the text was typed into the edit box
    int movedX = 0, movedY = 0;                 // how far the window moved under the drag
    bool captionDragSeen = false;               // WM_NCLBUTTONDOWN with HTCAPTION reached the window
    bool boxesSet = false;                      // every check box of the step shows the state asked for
    int boxesClicked = 0;                       // how many of them had to be clicked
    bool clicked = false;
    bool thenClicked = false;
    bool closedAfterClick = false;
};

struct WindowStep {
    WindowStep(std::wstring windowClass, std::wstring button, std::wstring screenshot = L"", std::wstring typed = L"",
               std::wstring during = L"", std::wstring thenClick = L"",
               std::vector<std::pair<std::wstring, bool>> boxes = {})
        : windowClass(std::move(windowClass)),
          button(std::move(button)),
          screenshot(std::move(screenshot)),
          typed(std::move(typed)),
          during(std::move(during)),
          thenClick(std::move(thenClick)),
          boxes(std::move(boxes)) {}
    std::wstring windowClass;  // "CellwashForm" for the add-in's forms, "#32770" for message boxes
    std::wstring button;       // the caption of the push button to click; empty: the only one
    std::wstring screenshot;   // a .bmp file to save the window's picture to; empty: none
    std::wstring typed;        // typed (WM_SETTEXT) into the window's one visible edit box first
    std::wstring during;       // a .bmp file for a picture taken while the window is still up after the click
    std::wstring thenClick;    // after the click, the push button to click as soon as it shows (STOP)
    // Check boxes (by caption) brought to the given state before the button, each clicked only when
    // it shows otherwise.
    std::vector<std::pair<std::wstring, bool>> boxes;
    // A drag before the button: the left button pressed at dragFrom (client pixels), the pointer
    // moved by (dragX, dragY) pixels, released — as the window's mouse messages.
    POINT dragFrom{0, 0};
    int dragX = 0, dragY = 0;
};

class WindowUser {
public:
    // Takes the steps in order, each waiting up to `seconds` for its window.
    WindowUser(std::vector<WindowStep> steps, int seconds);
    ~WindowUser();
    // Waits for the thread; what it saw, one entry per step reached.
    std::vector<SeenWindow> result();

private:
    void run();
    bool step(const WindowStep& step, std::chrono::steady_clock::time_point end);

    std::vector<WindowStep> steps_;
    int seconds_;
    std::vector<SeenWindow> seen_;
    std::thread thread_;
};

// Saves the window's picture as a .bmp file. False when it could not.
bool saveWindowPicture(HWND window, const std::wstring& file);

}  // namespace cwtest
