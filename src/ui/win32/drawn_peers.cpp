// The peers of labels, picture boxes, images, shapes and timers, and the choice of a peer
// by the model's kind.
#include <algorithm>

#include "ui/win32/kind_peers.h"

namespace ui::win32 {
namespace {

// The pixels of a picture box a drawing operation covers, its pen included.
RECT OpBox(const DrawOp& op) {
    return {std::min(op.x1, op.x2), std::min(op.y1, op.y2), std::max(op.x1, op.x2) + 1, std::max(op.y1, op.y2) + 1};
}

void Dot(HDC dc, int x, int y, int width, HBRUSH brush, COLORREF color) {
    if (width <= 1) {
        SetPixel(dc, x, y, color);
        return;
    }
    Gdi<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    Selected p(dc, pen.get());
    Selected b(dc, brush);
    const int l = x - width / 2, t = y - width / 2;
    Ellipse(dc, l, t, l + width, t + width);
}

}  // namespace

std::unique_ptr<ControlPeer> MakePeer(Control& control, FormPeer& form, int slot) {
    switch (control.kind()) {
    case Kind::Label: return std::make_unique<LabelPeer>(control, form, slot);
    case Kind::Button: return std::make_unique<ButtonPeer>(control, form, slot);
    case Kind::OptionButton: return std::make_unique<OptionPeer>(control, form, slot);
    case Kind::CheckBox: return std::make_unique<CheckBoxPeer>(control, form, slot);
    case Kind::ComboBox: return std::make_unique<ComboBoxPeer>(control, form, slot);
    case Kind::HScrollBar: return std::make_unique<HScrollBarPeer>(control, form, slot);
    case Kind::Frame: return std::make_unique<FramePeer>(control, form, slot);
    case Kind::PictureBox: return std::make_unique<PictureBoxPeer>(control, form, slot);
    case Kind::Image: return std::make_unique<ImagePeer>(control, form, slot);
    case Kind::Shape: return std::make_unique<ShapePeer>(control, form, slot);
    case Kind::Timer: return std::make_unique<TimerPeer>(control, form, slot);
    }
    return nullptr;
}

// ---- pictures ----

void LoadedPicture::Load(const Picture& pic, HINSTANCE instance) {
    file = pic.source == Picture::Source::File ? pic.loaded : nullptr;
    icon.reset();
    if (pic.source == Picture::Source::Icon) {
        icon.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON,
                                                 pic.widthPx > 0 ? pic.widthPx : 32,
                                                 pic.heightPx > 0 ? pic.heightPx : 32, 0)));
    }
}

void LoadedPicture::Paint(HDC dc, const Picture& pic) const {
    if (icon) {
        DrawIconEx(dc, 0, 0, icon.get(), pic.widthPx, pic.heightPx, 0, nullptr, DI_NORMAL);
    } else if (HBITMAP image = Bitmap()) {
        BITMAP bm{};
        GetObjectA(image, sizeof(bm), &bm);
        DcOwner src(CreateCompatibleDC(dc));
        Selected sel(src.get(), image);
        BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, src.get(), 0, 0, SRCCOPY);
    }
}

// ---- labels ----

void LabelPeer::Paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    PaintBackground(dc, rc);
    Selected f(dc, session().FontFor(control.GetFont()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(hwnd) ? Resolve(control.ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
    const UINT align = model().Alignment() == Align::Center  ? DT_CENTER
                       : model().Alignment() == Align::Right ? DT_RIGHT
                                                             : DT_LEFT;
    // A label only one line high does not wrap: a wrapped second line would be cut off
    // whole, where a single line loses at most its last pixels. "&&" shows "&".
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const UINT wrap = rc.bottom < 2 * tm.tmHeight ? DT_SINGLELINE : DT_WORDBREAK;
    DrawTextA(dc, model().Caption().c_str(), -1, &rc, wrap | align);
}

// ---- picture boxes ----

int PictureBoxPeer::ClientInset() const { return model().Border() ? 1 : 0; }

void PictureBoxPeer::Init() { ApplyPicture(); }

void PictureBoxPeer::Update(Prop p) {
    switch (p) {
    case Prop::Picture:
        ApplyPicture();
        break;
    case Prop::BackColor:
        PublishColors();
        RebuildBacking();
        break;
    default:
        DrawnPeer::Update(p);
        break;
    }
}

void PictureBoxPeer::ApplyPicture() {
    picture_.Load(model().GetPicture(), session().instance());
    RebuildBacking();
}

void PictureBoxPeer::Place() {
    DrawnPeer::Place();
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (!backing_ || backing_->width() != std::max(1L, rc.right) || backing_->height() != std::max(1L, rc.bottom)) {
        RebuildBacking();
    }
}

void PictureBoxPeer::Paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (backing_) BitBlt(dc, 0, 0, rc.right, rc.bottom, backing_->dc(), 0, 0, SRCCOPY);
}

void PictureBoxPeer::RebuildBacking() {
    RECT rc;
    GetClientRect(hwnd, &rc);
    backing_ = std::make_unique<Backing>(rc.right, rc.bottom);
    ClearBacking(Resolve(control.BackColor()));
    for (const DrawOp& op : model().DrawOps()) {
        if (op.type != DrawOp::Type::Clear) DrawOnBacking(op);
    }
    InvalidateArea();
}

void PictureBoxPeer::ClearBacking(COLORREF color) {
    const RECT all{0, 0, backing_->width(), backing_->height()};
    FillRect(backing_->dc(), &all, session().BrushFor(color));
    picture_.Paint(backing_->dc(), model().GetPicture());
}

void PictureBoxPeer::Draw(const DrawOp& op) {
    if (!backing_) return;
    DrawOnBacking(op);
    InvalidateOp(op);
}

void PictureBoxPeer::DrawOnBacking(const DrawOp& op) {
    HDC dc = backing_->dc();
    Session& s = session();
    const COLORREF color = Resolve(op.color);
    const int width = std::max(op.width, 1);
    const RECT box = OpBox(op);
    switch (op.type) {
    case DrawOp::Type::Clear:
        ClearBacking(color);
        break;
    case DrawOp::Type::Point:
        Dot(dc, op.x1, op.y1, width, s.BrushFor(color), color);
        break;
    case DrawOp::Type::Line: {
        Gdi<HPEN> pen(CreatePen(PS_SOLID, width, color));
        Selected p(dc, pen.get());
        MoveToEx(dc, op.x1, op.y1, nullptr);
        LineTo(dc, op.x2, op.y2);
        Dot(dc, op.x2, op.y2, width, s.BrushFor(color), color);  // GDI leaves out the end point
        break;
    }
    case DrawOp::Type::Box: {
        Gdi<HPEN> pen(CreatePen(PS_SOLID, width, color));
        Selected p(dc, pen.get());
        Selected b(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
        break;
    }
    case DrawOp::Type::FilledBox:
        FillRect(dc, &box, s.BrushFor(color));
        break;
    case DrawOp::Type::Text: {
        Selected f(dc, s.FontFor(op.font));
        SetTextColor(dc, color);
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, op.x1, op.y1, op.text.c_str(), static_cast<int>(op.text.size()));
        break;
    }
    }
}

void PictureBoxPeer::InvalidateOp(const DrawOp& op) const {
    if (op.type == DrawOp::Type::Clear || op.type == DrawOp::Type::Text) {
        InvalidateArea();
        return;
    }
    RECT r = OpBox(op);
    const int pen = std::max(op.width, 1);
    InflateRect(&r, pen, pen);
    MapWindowPoints(hwnd, form.hwnd, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(form.hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// ---- images ----

void ImagePeer::Init() { ApplyPicture(); }

void ImagePeer::Update(Prop p) {
    if (p == Prop::Picture) {
        ApplyPicture();
    } else {
        DrawnPeer::Update(p);
    }
}

void ImagePeer::ApplyPicture() {
    picture_.Load(model().GetPicture(), session().instance());
    InvalidateRect(hwnd, nullptr, TRUE);
}

void ImagePeer::Paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    PaintUnderlay(dc, rc);
    picture_.Paint(dc, model().GetPicture());
}

// ---- shapes ----

void ShapePeer::Paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    PaintBackground(dc, rc);
    FrameRect(dc, &rc, session().BrushFor(Resolve(control.ForeColor())));
}

// ---- timers ----

void TimerPeer::Update(Prop p) {
    if (p == Prop::Timer) Apply();
}

void TimerPeer::Apply() const {
    const UINT_PTR id = kFirstTimerId + static_cast<UINT_PTR>(slot);
    if (control.Enabled() && model().Interval() > 0) {
        SetTimer(form.hwnd, id, static_cast<UINT>(model().Interval()), nullptr);
    } else {
        KillTimer(form.hwnd, id);
    }
}

}  // namespace ui::win32
