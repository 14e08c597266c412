#include "ui/win32/guard.h"

#include <cstdio>

namespace ui::win32 {

std::string MessageName(UINT msg) {
    static constexpr struct {
        UINT msg;
        const char* name;
    } kNames[] = {
        {WM_CLOSE, "WM_CLOSE"}, {WM_QUERYENDSESSION, "WM_QUERYENDSESSION"}, {WM_ENDSESSION, "WM_ENDSESSION"},
        {WM_COMMAND, "WM_COMMAND"}, {WM_HSCROLL, "WM_HSCROLL"}, {WM_TIMER, "WM_TIMER"}, {WM_USER, "WM_USER"},
        {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_NEXTDLGCTL, "WM_NEXTDLGCTL"}, {WM_SIZE, "WM_SIZE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"}, {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_CHAR, "WM_CHAR"}, {WM_PAINT, "WM_PAINT"},
        {WM_PRINTCLIENT, "WM_PRINTCLIENT"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"}, {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
        {WM_MBUTTONUP, "WM_MBUTTONUP"}, {WM_MBUTTONDBLCLK, "WM_MBUTTONDBLCLK"},
    };
    for (const auto& n : kNames) {
        if (n.msg == msg) return n.name;
    }
    char text[24];
    std::snprintf(text, sizeof(text), "message 0x%04X", msg);
    return text;
}

void ReportException(UINT msg, const char* what) {
    const std::string text = "Kesma ui: exception in a window procedure (" + MessageName(msg) + "): " + what + "\n";
    OutputDebugStringA(text.c_str());
}

}  // namespace ui::win32
