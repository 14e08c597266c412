// Top-level windows in z-order (front first) for the instance search and the
// messages between the programs. Messages sent to a window are logged and passed
// to its handler when it has one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace kesma::test {

class FakeWindows : public WindowPort {
public:
    using Handler = std::function<std::intptr_t(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

    struct Window {
        Hwnd hwnd = 0;
        std::string title;
        Hwnd parent = 0;
        std::uint16_t instanceWord = 0;  // what GetWindowWord(-6) answers
        Handler handler;
    };
    struct Message {
        Hwnd window;
        unsigned message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        bool operator==(const Message&) const = default;
    };

    // Adds a window behind the others; returns its handle.
    Hwnd Add(const std::string& title, Hwnd parent = 0, std::uint16_t instanceWord = 0, Handler handler = {});
    Window* Find(Hwnd hwnd);

    std::vector<Window> windows;  // front first
    Hwnd foreground = 0;
    std::vector<Message> sent;
    // "SetForegroundWindow <hwnd>", "BringWindowToTop <hwnd>" in call order.
    std::vector<std::string> calls;
    struct Placement {
        Hwnd window, insertAfter;
        unsigned flags;
    };
    std::vector<Placement> placements;  // the SetWindowPos calls
    PixelRect windowRect{0, 0, 48, 68};  // what GetWindowRect answers: the headless form's size in pixels

    Hwnd FindWindowA() override;
    Hwnd GetWindow(Hwnd window, unsigned command) override;
    Hwnd GetParent(Hwnd window) override;
    std::uint16_t GetWindowWord(Hwnd window, int index) override;
    int GetWindowTextA(Hwnd window, char* buffer, int capacity) override;
    int GetWindowTextLengthA(Hwnd window) override;
    bool SetForegroundWindow(Hwnd window) override;
    bool BringWindowToTop(Hwnd window) override;
    // Logged and handed to the window's handler, which always answers in time.
    bool SendMessageTimeoutA(Hwnd window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                             unsigned flags, unsigned timeoutMs, std::uintptr_t* result) override;
    PixelRect GetWindowRect(Hwnd) override { return windowRect; }
    bool SetWindowPos(Hwnd window, Hwnd insertAfter, unsigned flags) override;

private:
    Hwnd nextHandle_ = 0x1000;
};

}  // namespace kesma::test
