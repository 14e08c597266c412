#include "fake_windows.h"

#include <algorithm>
#include <cstring>

namespace kesma::test {

Hwnd FakeWindows::Add(const std::string& title, Hwnd parent, std::uint16_t instanceWord, Handler handler) {
    const Hwnd hwnd = nextHandle_++;
    windows.push_back(Window{hwnd, title, parent, instanceWord, std::move(handler)});
    return hwnd;
}

FakeWindows::Window* FakeWindows::Find(Hwnd hwnd) {
    auto it = std::find_if(windows.begin(), windows.end(), [hwnd](const Window& w) { return w.hwnd == hwnd; });
    return it == windows.end() ? nullptr : &*it;
}

Hwnd FakeWindows::FindWindowA() { return windows.empty() ? 0 : windows.front().hwnd; }

Hwnd FakeWindows::GetWindow(Hwnd window, unsigned command) {
    if (command != kGwHwndNext) return 0;
    auto it = std::find_if(windows.begin(), windows.end(), [window](const Window& w) { return w.hwnd == window; });
    if (it == windows.end() || ++it == windows.end()) return 0;
    return it->hwnd;
}

Hwnd FakeWindows::GetParent(Hwnd window) {
    const Window* w = Find(window);
    return w ? w->parent : 0;
}

std::uint16_t FakeWindows::GetWindowWord(Hwnd window, int index) {
    const Window* w = Find(window);
    return w && index == kGwwHinstance ? w->instanceWord : 0;
}

int FakeWindows::GetWindowTextA(Hwnd window, char* buffer, int capacity) {
    const Window* w = Find(window);
    if (capacity <= 0) return 0;
    const std::size_t n = w ? std::min(w->title.size(), static_cast<std::size_t>(capacity - 1)) : 0;
    if (n > 0) std::memcpy(buffer, w->title.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int FakeWindows::GetWindowTextLengthA(Hwnd window) {
    const Window* w = Find(window);
    return w ? static_cast<int>(w->title.size()) : 0;
}

bool FakeWindows::SetWindowPos(Hwnd window, Hwnd insertAfter, unsigned flags) {
    placements.push_back({window, insertAfter, flags});
    return true;
}

bool FakeWindows::SetForegroundWindow(Hwnd window) {
    calls.push_back("SetForegroundWindow " + std::to_string(window));
    if (Find(window) == nullptr) return false;
    foreground = window;
    return true;
}

bool FakeWindows::BringWindowToTop(Hwnd window) {
    calls.push_back("BringWindowToTop " + std::to_string(window));
    auto it = std::find_if(windows.begin(), windows.end(), [window](const Window& w) { return w.hwnd == window; });
    if (it == windows.end()) return false;
    std::rotate(windows.begin(), it, it + 1);
    return true;
}

bool FakeWindows::SendMessageTimeoutA(Hwnd window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                      unsigned, unsigned, std::uintptr_t* result) {
    sent.push_back(Message{window, message, wParam, lParam});
    const Window* w = Find(window);
    const std::intptr_t answer = w && w->handler ? w->handler(message, wParam, lParam) : 0;
    if (result) *result = static_cast<std::uintptr_t>(answer);
    return w != nullptr;
}

}  // namespace kesma::test
