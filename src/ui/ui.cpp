#include "ui/ui.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace ui {

// Counts running handlers so that App::Reap never frees a form under one.
class EventScope {
public:
    explicit EventScope(App& app) : app_(app) { ++app_.eventDepth_; }
    ~EventScope() { --app_.eventDepth_; }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

private:
    App& app_;
};

template <class... P, class... A>
void Form::Fire(const std::function<void(P...)>& handler, A... args) {
    if (!handler) return;
    // A handler may replace itself while it runs; the copy keeps it alive.
    const std::function<void(P...)> h = handler;
    EventScope scope(app_);
    h(args...);
}

namespace {

bool TakesFocus(Kind k) {
    switch (k) {
    case Kind::Button:
    case Kind::OptionButton:
    case Kind::CheckBox:
    case Kind::ComboBox:
    case Kind::HScrollBar:
    case Kind::PictureBox:
        return true;
    default:
        return false;
    }
}

template <class T>
bool Assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

// ---- Units ----

namespace {

int Rounded(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

int ScreenInfo::PixelsToTwipsX(int px) const { return Rounded(px * twipsPerPixelX); }
int ScreenInfo::PixelsToTwipsY(int px) const { return Rounded(px * twipsPerPixelY); }
int ScreenInfo::TwipsToPixelsX(int twips) const { return Rounded(twips / twipsPerPixelX); }
int ScreenInfo::TwipsToPixelsY(int twips) const { return Rounded(twips / twipsPerPixelY); }

void ScreenInfo::SetDpi(int dpiX, int dpiY) {
    constexpr double kTwipsPerInch = 1440;
    twipsPerPixelX = kTwipsPerInch / (dpiX > 0 ? dpiX : 96);
    twipsPerPixelY = kTwipsPerInch / (dpiY > 0 ? dpiY : 96);
}

// ---- Control ----

Control::Control(Form& form, Kind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {}

std::string Control::DesignName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::Changed(Prop p) { form_.Changed(*this, p); }

bool Control::Reachable() const {
    if (!form_.Reachable()) return false;
    for (const Control* c = this; c; c = c->container_) {
        if (!c->visible_ || !c->enabled_) return false;
    }
    return true;
}

void Control::Resized(int oldWidth, int oldHeight) {
    Changed(Prop::Geometry);
    if ((width_ != oldWidth || height_ != oldHeight) && form_.loaded_) form_.Fire(OnResize);
}

void Control::SetLeft(int v) { Move(v, top_, width_, height_); }
void Control::SetTop(int v) { Move(left_, v, width_, height_); }
void Control::SetWidth(int v) { Move(left_, top_, v, height_); }
void Control::SetHeight(int v) { Move(left_, top_, width_, v); }

void Control::Move(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const int oldWidth = width_, oldHeight = height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Resized(oldWidth, oldHeight);
}

int Control::ScaleWidth() const {
    const int border = border_ ? form_.app().Screen().PixelsToTwipsX(2) : 0;
    return std::max(0, width_ - border);
}

int Control::ScaleHeight() const {
    const int border = border_ ? form_.app().Screen().PixelsToTwipsY(2) : 0;
    return std::max(0, height_ - border);
}

void Control::SetCaption(const std::string& text) {
    if (Assign(caption_, text)) Changed(Prop::Caption);
}

void Control::SetVisible(bool v) {
    if (Assign(visible_, v)) Changed(Prop::Visible);
}

void Control::SetEnabled(bool v) {
    if (Assign(enabled_, v)) Changed(kind_ == Kind::Timer ? Prop::Timer : Prop::Enabled);
}

void Control::SetForeColor(Color c) {
    if (Assign(foreColor_, c)) Changed(Prop::ForeColor);
}

void Control::SetBackColor(Color c) {
    if (Assign(backColor_, c)) Changed(Prop::BackColor);
}

void Control::SetBackTransparent(bool v) {
    if (Assign(backTransparent_, v)) Changed(Prop::BackColor);
}

void Control::SetFont(const Font& f) {
    if (Assign(font_, f)) Changed(Prop::Font);
}

void Control::SetAlignment(Align a) {
    if (Assign(alignment_, a)) Changed(Prop::Alignment);
}

void Control::SetBorder(bool v) {
    if (Assign(border_, v)) Changed(Prop::Border);
}

void Control::SetDefault(bool v) {
    if (v) {
        for (auto& c : form_.controls_) {
            if (c.get() != this && c->default_) {
                c->default_ = false;
                c->Changed(Prop::Default);
            }
        }
    }
    if (Assign(default_, v)) Changed(Prop::Default);
}

void Control::SetCancel(bool v) {
    if (v) {
        for (auto& c : form_.controls_) {
            if (c.get() != this && c->cancel_) {
                c->cancel_ = false;
                c->Changed(Prop::Default);
            }
        }
    }
    if (Assign(cancel_, v)) Changed(Prop::Default);
}

int Control::Clamp(int v) const {
    const int lo = std::min(min_, max_), hi = std::max(min_, max_);
    return std::clamp(v, lo, hi);
}

void Control::SetValueSilently(int v) {
    if (Assign(value_, v)) Changed(Prop::Value);
}

void Control::SetValue(int v) {
    const bool events = form_.loaded_;
    switch (kind_) {
    case Kind::HScrollBar:
        if (!Assign(value_, Clamp(v))) return;
        Changed(Prop::Value);
        if (events) form_.Fire(OnChange);
        return;
    case Kind::CheckBox:
        if (!Assign(value_, v != 0 ? 1 : 0)) return;
        Changed(Prop::Value);
        if (events) form_.Fire(OnClick);
        return;
    case Kind::OptionButton:
        if (v == 0) {
            SetValueSilently(0);
            return;
        }
        for (auto& c : form_.controls_) {
            if (c.get() != this && c->kind_ == Kind::OptionButton && c->container_ == container_) {
                c->SetValueSilently(0);
            }
        }
        SetValueSilently(1);
        if (events) form_.Fire(OnClick);
        return;
    default:
        SetValueSilently(v);
        return;
    }
}

void Control::SetRange(int min, int max, int smallChange, int largeChange) {
    if (min == min_ && max == max_ && smallChange == smallChange_ && largeChange == largeChange_) return;
    min_ = min;
    max_ = max;
    smallChange_ = smallChange;
    largeChange_ = largeChange;
    Changed(Prop::Range);
    SetValueSilently(Clamp(value_));
}

void Control::AddItem(const std::string& item) {
    items_.push_back(item);
    Changed(Prop::List);
}

void Control::ClearList() {
    if (items_.empty() && listIndex_ == -1) return;
    items_.clear();
    listIndex_ = -1;
    Changed(Prop::List);
}

void Control::SetListIndex(int i) {
    if (i < -1 || i >= ListCount()) return;
    if (!Assign(listIndex_, i)) return;
    Changed(Prop::ListIndex);
    if (i >= 0 && form_.loaded_) form_.Fire(OnClick);
}

void Control::SetInterval(int ms) {
    if (Assign(interval_, std::max(0, ms))) Changed(Prop::Timer);
}

void Control::TakePictureSize() {
    if (!autoSize_ || picture_.source == Picture::Source::None) return;
    const ScreenInfo screen = form_.app().Screen();
    const int border = border_ ? 2 : 0;
    Move(left_, top_, screen.PixelsToTwipsX(picture_.widthPx + border),
         screen.PixelsToTwipsY(picture_.heightPx + border));
}

bool Control::LoadPicture(const std::string& path) {
    Picture p;
    if (!form_.app().backend().LoadPictureFile(path, p)) {
        SetPicture(Picture{});
        return false;
    }
    p.source = Picture::Source::File;
    p.path = path;
    SetPicture(p);
    return true;
}

void Control::SetPicture(const Picture& p) {
    if (!Assign(picture_, p)) return;
    Changed(Prop::Picture);
    TakePictureSize();
}

void Control::SetIconPicture(int sizeTwips) {
    const ScreenInfo screen = form_.app().Screen();
    Picture p;
    p.source = Picture::Source::Icon;
    p.widthPx = screen.TwipsToPixelsX(sizeTwips);
    p.heightPx = screen.TwipsToPixelsY(sizeTwips);
    SetPicture(p);
}

void Control::Draw(const DrawOp& op) {
    drawOps_.push_back(op);
    if (form_.loaded_) form_.app().backend().Draw(*this, op);
}

void Control::Cls() {
    drawOps_.clear();
    currentX_ = currentY_ = 0;
    DrawOp op;
    op.type = DrawOp::Type::Clear;
    op.color = backColor_;
    Draw(op);
}

void Control::PSet(int x, int y) {
    DrawOp op;
    op.type = DrawOp::Type::Point;
    op.x1 = op.x2 = x;
    op.y1 = op.y2 = y;
    op.color = foreColor_;
    op.width = drawWidth_;
    currentX_ = x;
    currentY_ = y;
    Draw(op);
}

void Control::LineTo(int x, int y) { Line(currentX_, currentY_, x, y); }

void Control::Line(int x1, int y1, int x2, int y2) {
    DrawOp op;
    op.type = DrawOp::Type::Line;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = foreColor_;
    op.width = drawWidth_;
    currentX_ = x2;
    currentY_ = y2;
    Draw(op);
}

void Control::Box(int x1, int y1, int x2, int y2, bool filled, Color color) {
    DrawOp op;
    op.type = filled ? DrawOp::Type::FilledBox : DrawOp::Type::Box;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
    op.width = drawWidth_;
    currentX_ = x2;
    currentY_ = y2;
    Draw(op);
}

void Control::Print(int x, int y, const std::string& text) {
    DrawOp op;
    op.type = DrawOp::Type::Text;
    op.x1 = op.x2 = x;
    op.y1 = op.y2 = y;
    op.color = foreColor_;
    op.text = text;
    op.font = font_;
    Draw(op);
}

void Control::UserClick() {
    if (!Reachable()) return;
    switch (kind_) {
    case Kind::OptionButton:
        SetValue(1);
        return;
    case Kind::CheckBox:
        SetValue(value_ != 0 ? 0 : 1);
        return;
    case Kind::Button:
    case Kind::Label:
    case Kind::Image:
    case Kind::PictureBox:
    case Kind::Frame:
        form_.Fire(OnClick);
        return;
    default:
        return;
    }
}

void Control::UserSetValue(int v) {
    if (!Reachable()) return;
    if (kind_ != Kind::HScrollBar) {
        // A user cannot clear an option button; only selecting another one does.
        if (kind_ == Kind::OptionButton && v == 0) return;
        SetValue(v);
        return;
    }
    const int clamped = Clamp(v);
    if (clamped == value_ && !dragged_) return;
    dragged_ = false;
    SetValueSilently(clamped);
    form_.Fire(OnChange);
}

void Control::UserScroll(int v) {
    if (!Reachable() || kind_ != Kind::HScrollBar) return;
    if (!Assign(value_, Clamp(v))) return;
    dragged_ = true;
    Changed(Prop::Value);
    form_.Fire(OnScroll);
}

void Control::UserSelect(int listIndex) {
    if (!Reachable() || kind_ != Kind::ComboBox) return;
    SetListIndex(listIndex);
}

void Control::UserDblClick() {
    if (Reachable()) form_.Fire(OnDblClick);
}

void Control::UserMouseDown(int button, int shift, int x, int y) {
    if (Reachable()) form_.Fire(OnMouseDown, button, shift, x, y);
}

void Control::UserMouseUp(int button, int shift, int x, int y) {
    if (Reachable()) form_.Fire(OnMouseUp, button, shift, x, y);
}

void Control::UserMouseMove(int button, int shift, int x, int y) {
    if (Reachable()) form_.Fire(OnMouseMove, button, shift, x, y);
}

void Control::FireTimer() {
    if (kind_ == Kind::Timer && enabled_ && interval_ > 0 && form_.loaded_) form_.Fire(OnTimer);
}

// ---- Form ----

Form::Form(App& app, std::string name, int clientWidthTwips, int clientHeightTwips)
    : app_(app), name_(std::move(name)), clientWidth_(clientWidthTwips), clientHeight_(clientHeightTwips) {}

Form::~Form() = default;

Control& Form::Add(Kind kind, const std::string& name, int left, int top, int width, int height,
                   Control* container, int index) {
    auto control = std::make_unique<Control>(*this, kind, name, index, container);
    control->Move(left, top, width, height);
    controls_.push_back(std::move(control));
    return *controls_.back();
}

Control* Form::Find(const std::string& name, int index) const {
    for (const auto& c : controls_) {
        if (c->name() == name && c->index() == index) return c.get();
    }
    return nullptr;
}

Control& Form::Ctl(const std::string& name, int index) const {
    Control* c = Find(name, index);
    if (!c) {
        throw std::out_of_range(name_ + " has no control " +
                                (index < 0 ? name : name + "(" + std::to_string(index) + ")"));
    }
    return *c;
}

void Form::Changed(Prop p) {
    if (loaded_) app_.backend_.Update(*this, p);
}

void Form::Changed(Control& c, Prop p) {
    if (loaded_) app_.backend_.Update(c, p);
}

void Form::SetCaption(const std::string& text) {
    if (Assign(caption_, text)) Changed(Prop::Caption);
}

int Form::Width() const { return clientWidth_ + app_.backend_.FrameWidth(*this); }
int Form::Height() const { return clientHeight_ + app_.backend_.FrameHeight(*this); }

void Form::SetLeft(int v) {
    if (Assign(left_, v)) Changed(Prop::Geometry);
}

void Form::SetTop(int v) {
    if (Assign(top_, v)) Changed(Prop::Geometry);
}

void Form::SetWidth(int v) { SetClientSize(v - app_.backend_.FrameWidth(*this), clientHeight_); }
void Form::SetHeight(int v) { SetClientSize(clientWidth_, v - app_.backend_.FrameHeight(*this)); }

void Form::SetClientSize(int widthTwips, int heightTwips) {
    widthTwips = std::max(0, widthTwips);
    heightTwips = std::max(0, heightTwips);
    if (widthTwips == clientWidth_ && heightTwips == clientHeight_) return;
    clientWidth_ = widthTwips;
    clientHeight_ = heightTwips;
    Changed(Prop::Geometry);
    if (loaded_) FireResize();
}

void Form::SetBackColor(Color c) {
    if (Assign(backColor_, c)) Changed(Prop::BackColor);
}

void Form::SetKeyPreview(bool v) {
    if (Assign(keyPreview_, v)) Changed(Prop::KeyPreview);
}

void Form::SetMaximized(bool v) {
    if (Assign(maximized_, v)) Changed(Prop::WindowState);
}

void Form::SetTopMost(bool v) {
    if (Assign(topMost_, v)) Changed(Prop::TopMost);
}

void Form::SetMousePointer(Pointer p) {
    if (Assign(mousePointer_, p)) Changed(Prop::MousePointer);
}

void Form::Load() {
    if (loaded_ || app_.ended_) return;
    app_.backend_.Create(*this);
    loaded_ = true;
    unloaded_ = false;
    shownSinceLoad_ = false;
    Fire(OnLoad);
}

void Form::Show() {
    Load();
    if (!loaded_) return;  // the load handler ended the app or unloaded the form
    visible_ = true;
    app_.backend_.Show(*this, true);
    if (!shownSinceLoad_) {
        shownSinceLoad_ = true;
        FireResize();
        if (!loaded_) return;
    }
    FireActivate();
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (loaded_) app_.backend_.Show(*this, false);
}

void Form::Unload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    Fire(OnUnload);
    unloading_ = false;
    if (!loaded_) return;  // the unload handler ended the app
    DestroySilently();
}

void Form::DestroySilently() {
    visible_ = false;
    app_.backend_.Destroy(*this);
    loaded_ = false;
    unloaded_ = true;
}

void Form::SetFocus() {
    if (loaded_) app_.backend_.Focus(*this);
}

std::intptr_t Form::Handle() const { return loaded_ ? app_.backend_.Handle(*this) : 0; }

bool Form::HasFocusableControl() const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [](const auto& c) { return TakesFocus(c->kind()) && c->Reachable(); });
}

void Form::UserKeyDown(int keyCode, int shift, Control* focused) {
    if (!Reachable()) return;
    if (keyPreview_ || !HasFocusableControl()) {
        Fire(OnKeyDown, keyCode, shift);
        if (!Reachable()) return;
    }
    if (keyCode != kKeyEnter && keyCode != kKeyEsc) return;
    // Windows' rule: Enter presses the push button that has the focus.
    if (keyCode == kKeyEnter && focused != nullptr && &focused->form() == this && focused->kind() == Kind::Button &&
        focused->Reachable()) {
        focused->UserClick();
        return;
    }
    for (const auto& c : controls_) {
        if (c->kind() == Kind::Button && (keyCode == kKeyEnter ? c->IsDefault() : c->IsCancel()) && c->Reachable()) {
            c->UserClick();
            return;
        }
    }
}

void Form::UserKeyPress(int ascii) {
    if (!Reachable()) return;
    if (keyPreview_ || !HasFocusableControl()) Fire(OnKeyPress, ascii);
}

void Form::UserMouseDown(int button, int shift, int x, int y) {
    if (Reachable()) Fire(OnMouseDown, button, shift, x, y);
}

void Form::UserMouseUp(int button, int shift, int x, int y) {
    if (Reachable()) Fire(OnMouseUp, button, shift, x, y);
}

void Form::UserDblClick() {
    if (Reachable()) Fire(OnDblClick);
}

void Form::FireActivate() {
    if (inActivate_ || !loaded_) return;
    inActivate_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inActivate_};
    Fire(OnActivate);
}

void Form::FireResize() {
    if (loaded_) Fire(OnResize);
}

std::intptr_t Form::FireUserMessage(std::uintptr_t wParam, std::intptr_t lParam) {
    if (!loaded_ || !OnUserMessage) return 0;
    const auto h = OnUserMessage;
    EventScope scope(app_);
    return h(wParam, lParam);
}

// ---- App ----

App::App(Backend& backend, std::string title) : backend_(backend), title_(std::move(title)) {}

App::~App() {
    for (auto& f : forms_) {
        if (f->loaded_) f->DestroySilently();
    }
}

Form* App::FindForm(const std::string& name) const {
    for (const auto& f : forms_) {
        if (f->loaded_ && f->name_ == name) return f.get();
    }
    return nullptr;
}

int App::MsgBox(const std::string& text, unsigned flags, const std::string& caption) {
    return backend_.MsgBox(text, flags, caption.empty() ? title_ : caption);
}

void App::DoEvents(int maxWaitMs) {
    backend_.DoEvents(maxWaitMs < 0 ? 0 : maxWaitMs);
    Reap();
}

void App::Wait(std::uint32_t ms) {
    const std::uint32_t start = TickCount();
    for (;;) {
        const std::uint32_t elapsed = TickCount() - start;  // unsigned: right across the wrap
        if (Ended() || elapsed >= ms) return;
        DoEvents(static_cast<int>(ms - elapsed < 1000 ? ms - elapsed : 1000));
    }
}

int App::Run() {
    backend_.Run(*this);
    return exitCode_;
}

void App::End(int exitCode) {
    if (!ended_) exitCode_ = exitCode;
    ended_ = true;
    for (auto& f : forms_) {
        if (f->loaded_) f->DestroySilently();
    }
}

void App::EndSession() {
    if (ended_) return;
    ended_ = true;  // an unload handler that shows another form loads nothing new
    // Newest first: a dialog's unload may bring back the window that opened it.
    for (std::size_t i = forms_.size(); i-- > 0;) {
        if (i < forms_.size() && forms_[i]->loaded_) forms_[i]->Unload();
    }
    for (auto& f : forms_) {
        if (f->loaded_) f->DestroySilently();
    }
}

bool App::Ended() const {
    return ended_ || std::none_of(forms_.begin(), forms_.end(), [](const auto& f) { return f->loaded_; });
}

void App::Reap() {
    if (eventDepth_ > 0) return;
    std::erase_if(forms_, [](const auto& f) { return f->unloaded_ && !f->loaded_; });
}

// ---- Bitmap files ----

namespace {

std::uint32_t U16(const unsigned char* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool ReadBitmapSize(const std::string& path, int& widthPx, int& heightPx) {
    // C stdio rather than iostreams: the streams' locale machinery would add most of a
    // megabyte to every statically linked program.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long end = std::ftell(file.get());
    if (end <= 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    const auto fileSize = static_cast<std::uint64_t>(end);

    constexpr std::size_t kFileHeader = 14, kCoreHeader = 12, kInfoHeader = 40, kMaxHeader = 124;
    std::array<unsigned char, kFileHeader + kMaxHeader> head{};
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, head.size()));
    if (std::fread(head.data(), 1, wanted, file.get()) != wanted) return false;
    if (static_cast<std::uint64_t>(wanted) < kFileHeader + 4 || head[0] != 'B' || head[1] != 'M') return false;

    const std::uint64_t pixelOffset = U32(&head[10]);
    const std::uint32_t headerSize = U32(&head[14]);
    if (headerSize != kCoreHeader && (headerSize < kInfoHeader || headerSize > kMaxHeader)) return false;
    if (kFileHeader + headerSize > static_cast<std::uint64_t>(wanted)) return false;
    const unsigned char* h = &head[kFileHeader];

    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bitCount = 0, compression = 0;
    if (headerSize == kCoreHeader) {
        width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        bitCount = U16(h + 10);
    } else {
        width = static_cast<std::int32_t>(U32(h + 4));
        height = static_cast<std::int32_t>(U32(h + 8));  // negative: rows stored top-down
        planes = U16(h + 12);
        bitCount = U16(h + 14);
        compression = U32(h + 16);
    }
    height = std::llabs(height);
    // Anything larger than a screen many times over is a hostile header, not a picture.
    constexpr std::int64_t kMaxSide = 32767;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1) return false;

    constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
    const bool known = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                       bitCount == 32;
    if (!known || pixelOffset < kFileHeader + headerSize) return false;
    if (compression == kRgb || compression == kBitFields) {
        const std::uint64_t rowBytes = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
        if (pixelOffset + rowBytes * static_cast<std::uint64_t>(height) > fileSize) return false;
    } else if (compression == kRle8 || compression == kRle4) {
        if (pixelOffset >= fileSize) return false;
    } else {
        return false;
    }
    widthPx = static_cast<int>(width);
    heightPx = static_cast<int>(height);
    return true;
}

}  // namespace ui
