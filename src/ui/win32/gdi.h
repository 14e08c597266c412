// Owners of GDI and user objects, and the off-screen image of a picture box.
#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace ui::win32 {

struct GdiDeleter {
    void operator()(void* h) const { DeleteObject(static_cast<HGDIOBJ>(h)); }
};
template <class H>
using Gdi = std::unique_ptr<std::remove_pointer_t<H>, GdiDeleter>;

struct IconDeleter {
    void operator()(HICON h) const { DestroyIcon(h); }
};
using IconOwner = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct DcDeleter {
    void operator()(HDC h) const { DeleteDC(h); }
};
using DcOwner = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// Selects an object into a DC for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The off-screen image of a picture box: what it shows is kept here, so that drawing
// survives being covered and uncovered.
class Backing {
public:
    Backing(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1)) {
        HDC screen = GetDC(nullptr);
        dc_.reset(CreateCompatibleDC(screen));
        bitmap_.reset(CreateCompatibleBitmap(screen, width_, height_));
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~Backing() { SelectObject(dc_.get(), old_); }
    Backing(const Backing&) = delete;
    Backing& operator=(const Backing&) = delete;

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_, height_;
    DcOwner dc_;
    Gdi<HBITMAP> bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace ui::win32
