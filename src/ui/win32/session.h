// The Win32 backend's state for the process: the screen's units, the GDI caches, the form
// peers, and whether native state is being set from the model.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "ui/depth_count.h"
#include "ui/ui.h"
#include "ui/win32/gdi.h"

namespace ui::win32 {

class ControlPeer;
class FormPeer;

inline constexpr const char* kFormClass = "KesmaForm";
inline constexpr WORD kProgramIconId = 1;

// A model colour as GDI draws it; system colours resolved.
COLORREF Resolve(Color c);

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    HINSTANCE instance() const { return instance_; }

    // The toolkit's one conversion, so that the forms and the windows agree to the pixel.
    const ScreenInfo& units() const { return units_; }
    int PxX(int twips) const { return units_.TwipsToPixelsX(twips); }
    int PxY(int twips) const { return units_.TwipsToPixelsY(twips); }
    int TwX(int px) const { return units_.PixelsToTwipsX(px); }
    int TwY(int px) const { return units_.PixelsToTwipsY(px); }

    // Cached for the life of the backend.
    HFONT FontFor(const Font& f);
    HBRUSH BrushFor(COLORREF c);

    // The peers of the model's loaded forms and their controls; null for others.
    FormPeer& AddForm(Form& form);
    void RemoveForm(FormPeer& peer);
    void Enlist(ControlPeer& peer);
    FormPeer* PeerOf(const Form& form) const;
    ControlPeer* PeerOf(const Control& control) const;

    // A window of the form class, ours or another process's.
    static bool IsForm(HWND hwnd);

    // Native state set from the model does not count as user input: notifications that
    // arrive while a Pushing lives are not told to the model.
    bool pushing() const { return pushing_ > 0; }
    class Pushing : DepthCount {
    public:
        explicit Pushing(Session& session) : DepthCount(session.pushing_) {}
    };

    Pointer pointer = Pointer::Default;  // the program-wide pointer
    // A WM_QUIT that DoEvents took from the queue, for Run to end with.
    bool quitSeen = false;
    int quitCode = 0;

private:
    HINSTANCE instance_ = GetModuleHandleA(nullptr);
    int dpiY_ = 96;
    ScreenInfo units_;
    int pushing_ = 0;
    std::vector<std::unique_ptr<FormPeer>> forms_;
    std::unordered_map<const Control*, ControlPeer*> controls_;
    std::map<std::tuple<std::string, int, bool, bool>, Gdi<HFONT>> fonts_;
    std::map<COLORREF, Gdi<HBRUSH>> brushes_;
};

}  // namespace ui::win32
