// The message pump: DoEvents and Run.
#include "ui/win32/peers.h"
#include "ui/win32/win32_backend.h"

namespace ui {
namespace {

// Tab and the arrows move the focus by the toolkit's rules (FormPeer::Navigate); other keys
// go through IsDialogMessage for Alt access keys; Enter and Esc reach the form (our controls
// ask for them), which presses the default and cancel buttons. Plain characters are no
// access keys: "m" typed on a button clicks nothing.
void Dispatch(MSG& m) {
    if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST && m.message != WM_CHAR && m.hwnd) {
        HWND root = GetAncestor(m.hwnd, GA_ROOT);
        auto* form = win32::Session::IsForm(root) ? win32::PeerOf<win32::FormPeer>(root) : nullptr;
        if (form && m.message == WM_KEYDOWN && form->Navigate(m)) return;
        if (form && IsDialogMessageA(root, &m)) return;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
}

}  // namespace

void Win32Backend::DoEvents(int maxWaitMs) {
    // Input already queued ends the wait too (MWMO_INPUTAVAILABLE), not only input that came
    // since the queue was last looked at; so when the wait times out there is nothing to
    // handle, and no further call is made for it (each is a round trip to the server under Wine).
    if (MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(maxWaitMs), QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
        WAIT_TIMEOUT) {
        return;
    }
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {  // Run ends the program
            session_->quitSeen = true;
            session_->quitCode = static_cast<int>(m.wParam);
            return;
        }
        Dispatch(m);
    }
}

void Win32Backend::Run(App& app) {
    while (!app.Ended()) {
        if (session_->quitSeen) {
            app.End(session_->quitCode);
            break;
        }
        MSG m;
        const BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            app.End(static_cast<int>(m.wParam));
            break;
        }
        Dispatch(m);
        app.Reap();
    }
}

}  // namespace ui
