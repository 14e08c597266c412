// winprobe against a form made here the way the Win32 ui backend makes its forms (design
// names and values in window properties), run on a thread of its own so that winprobe, a
// separate process, meets it as it meets the programs.
#include <fstream>
#include <mutex>
#include <thread>

#include "harness.h"
#include "ui/win32/automation.h"

namespace kesma::e2e {
namespace {

using automation::ParseJson;

constexpr const char* kCaption = "Probe Test Form";
constexpr UINT kShowBox = WM_USER;  // wParam: message box style

class ProbeForm {
public:
    ProbeForm() : thread_([this] { Run(); }) {
        std::unique_lock lock(mutex_);
        ready_.wait_for(lock, std::chrono::seconds(10), [this] { return hwnd_ != nullptr; });
    }
    ~ProbeForm() {
        if (hwnd_ != nullptr) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    ProbeForm(const ProbeForm&) = delete;
    ProbeForm& operator=(const ProbeForm&) = delete;

    HWND hwnd() const { return hwnd_; }

    // True when the form logged `event` within the time-out.
    bool Saw(const std::string& event, DWORD timeoutMs = 5000) {
        std::unique_lock lock(mutex_);
        return ready_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            return std::find(log_.begin(), log_.end(), event) != log_.end();
        });
    }
    std::string Log() {
        std::lock_guard lock(mutex_);
        std::string all;
        for (const auto& e : log_) all += e + "; ";
        return all;
    }

private:
    static void Tag(HWND hwnd, const char* name, const char* kind) {
        SetPropA(hwnd, automation::kNameProp, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(GlobalAddAtomA(name))));
        SetPropA(hwnd, automation::kKindProp, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(GlobalAddAtomA(kind))));
    }
    static void SetNumber(HWND hwnd, const char* prop, std::intptr_t stored) {
        SetPropA(hwnd, prop, reinterpret_cast<HANDLE>(stored));
    }
    HWND Child(const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h) {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
    }

    void Add(const std::string& event) {
        {
            std::lock_guard lock(mutex_);
            log_.push_back(event);
        }
        ready_.notify_all();
    }

    static std::string Modifiers(WPARAM keys) {
        std::string m;
        if (keys & MK_SHIFT) m += " shift";
        if (keys & MK_CONTROL) m += " ctrl";
        if (GetKeyState(VK_MENU) < 0) m += " alt";
        return m;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ProbeForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self != nullptr) {
            if (LRESULT handled = 0; self->Handle(hwnd, msg, wParam, lParam, handled)) return handled;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    bool Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        switch (msg) {
            case WM_COMMAND: {
                auto control = reinterpret_cast<HWND>(lParam);
                if (HIWORD(wParam) == BN_CLICKED) {
                    if (control == check_) {
                        bool checked = SendMessageA(check_, BM_GETCHECK, 0, 0) == BST_CHECKED;
                        SetNumber(check_, automation::kValueProp, automation::EncodeValue(checked ? 1 : 0));
                    }
                    char text[64] = {};
                    GetWindowTextA(control, text, sizeof text);
                    Add(std::string("click ") + text);
                } else if (HIWORD(wParam) == CBN_SELCHANGE) {
                    Add("select " + std::to_string(SendMessageA(control, CB_GETCURSEL, 0, 0)));
                }
                return false;
            }
            case WM_HSCROLL:
                if (LOWORD(wParam) == SB_THUMBPOSITION) Add("scroll " + std::to_string(HIWORD(wParam)));
                return false;
            case WM_LBUTTONDOWN: Add("down 1" + Modifiers(wParam)); return false;
            case WM_RBUTTONDOWN: Add("down 2" + Modifiers(wParam)); return false;
            case WM_LBUTTONDBLCLK: Add("dblclick"); return false;
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN: {
                std::string m;
                if (GetKeyState(VK_SHIFT) < 0) m += " shift";
                if (GetKeyState(VK_CONTROL) < 0) m += " ctrl";
                if (GetKeyState(VK_MENU) < 0) m += " alt";
                // Modifier keys themselves are not the key pressed.
                if (wParam != VK_SHIFT && wParam != VK_CONTROL && wParam != VK_MENU)
                    Add("key " + std::to_string(wParam) + m);
                return false;
            }
            case kShowBox: {
                int answer = MessageBoxA(hwnd, "Probe & text", "Probe Box", static_cast<UINT>(wParam));
                Add("answer " + std::to_string(answer));
                result = answer;
                return true;
            }
            case WM_DESTROY: PostQuitMessage(0); return false;
            default: return false;
        }
    }

    void Run() {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "KesmaProbeForm";
        RegisterClassA(&wc);
        HWND hwnd = CreateWindowExA(0, wc.lpszClassName, kCaption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                                    300, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        {
            std::lock_guard lock(mutex_);
            hwnd_ = hwnd;
        }
        Tag(hwnd, "frmProbe", "form");
        Tag(Child("BUTTON", "&Go", BS_PUSHBUTTON, 1, 10, 10, 80, 25), "cmdGo", "button");
        HWND off = Child("BUTTON", "Off", BS_PUSHBUTTON, 2, 100, 10, 80, 25);
        Tag(off, "cmdOff", "button");
        EnableWindow(off, FALSE);
        check_ = Child("BUTTON", "Check", BS_AUTOCHECKBOX, 3, 10, 40, 80, 25);
        Tag(check_, "chkBox", "check");
        SetNumber(check_, automation::kValueProp, automation::EncodeValue(0));
        HWND combo = Child("COMBOBOX", "", CBS_DROPDOWNLIST, 4, 10, 70, 150, 120);
        Tag(combo, "cboList", "combo");
        for (const char* item : {" 4 points, mode 1", "two", "three"})
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        HWND scroll = Child("SCROLLBAR", "", SBS_HORZ, 5, 10, 110, 200, 20);
        Tag(scroll, "hscTone", "hscroll");
        SetScrollRange(scroll, SB_CTL, 10, 100, FALSE);
        SetNumber(scroll, automation::kMinProp, automation::EncodeValue(10));
        SetNumber(scroll, automation::kMaxProp, automation::EncodeValue(100));
        SetNumber(scroll, automation::kValueProp, automation::EncodeValue(20));
        HWND label = Child("STATIC", "Info", SS_NOTIFY, 6, 10, 140, 200, 40);
        Tag(label, "lblInfo", "label");
        SetNumber(label, automation::kForeProp, automation::EncodeColor(0x808000));
        SetNumber(label, automation::kBackProp, automation::EncodeColor(0x000000));
        // Mouse messages on the label reach the form, as the backend routes them.
        SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
        SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ready_.notify_all();

        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }

    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<std::string> log_;
    HWND hwnd_ = nullptr;
    HWND check_ = nullptr;
    std::thread thread_;
};

ToolResult Probe(const std::string& args) { return RunTool("winprobe.exe " + args); }

class Winprobe : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(form.hwnd(), nullptr);
        // Wait for the form through the tool itself, by design name.
        ASSERT_EQ(Probe("wait frmProbe").exitCode, 0u);
    }
    ProbeForm form;
};

const automation::JsonValue* FindControl(const automation::JsonValue& dump, const std::string& name) {
    for (const auto& c : dump["controls"].array)
        if (c["name"].string == name) return &c;
    return nullptr;
}

TEST_F(Winprobe, DumpReadsEveryControlByCaptionOrFormName) {
    for (const char* window : {"\"Probe Test Form\"", "frmProbe"}) {
        ToolResult r = Probe(std::string("dump ") + window);
        ASSERT_EQ(r.exitCode, 0u) << r.err;
        auto dump = ParseJson(r.out);
        ASSERT_TRUE(dump) << r.out;
        EXPECT_EQ((*dump)["caption"].string, kCaption);
        EXPECT_EQ((*dump)["form"].string, "frmProbe");
        EXPECT_EQ((*dump)["controls"].array.size(), 6u) << "inner windows of the combo are not controls";

        const auto* go = FindControl(*dump, "cmdGo");
        ASSERT_NE(go, nullptr);
        EXPECT_EQ((*go)["kind"].string, "button");
        EXPECT_EQ((*go)["text"].string, "&Go") << "ampersands as stored";
        EXPECT_TRUE((*go)["enabled"].boolean);
        EXPECT_FALSE((*FindControl(*dump, "cmdOff"))["enabled"].boolean);
        EXPECT_FALSE((*FindControl(*dump, "chkBox"))["checked"].boolean);

        const auto& combo = *FindControl(*dump, "cboList");
        ASSERT_EQ(combo["items"].array.size(), 3u);
        EXPECT_EQ(combo["items"][0].string, " 4 points, mode 1");
        EXPECT_EQ(combo["selected"].Int(), 1);

        const auto& scroll = *FindControl(*dump, "hscTone");
        EXPECT_EQ(scroll["value"].Int(), 20);
        EXPECT_EQ(scroll["min"].Int(), 10);
        EXPECT_EQ(scroll["max"].Int(), 100);

        const auto& label = *FindControl(*dump, "lblInfo");
        EXPECT_EQ(label["fore"].Int(), 0x808000);
        EXPECT_EQ(label["back"].Int(), 0) << "black is a colour, not a missing one";
        EXPECT_TRUE(label["value"].IsNull());
    }
}

TEST_F(Winprobe, ClicksAndValuesArriveAsUserEvents) {
    EXPECT_EQ(Probe("click frmProbe cmdGo").exitCode, 0u);
    EXPECT_TRUE(form.Saw("click &Go")) << form.Log();

    ToolResult disabled = Probe("click frmProbe cmdOff");
    EXPECT_EQ(disabled.exitCode, 1u);
    EXPECT_NE(disabled.err.find("disabled"), std::string::npos) << disabled.err;

    EXPECT_EQ(Probe("set frmProbe chkBox 1").exitCode, 0u);
    EXPECT_TRUE(form.Saw("click Check")) << form.Log();
    EXPECT_EQ(Probe("set frmProbe hscTone 55").exitCode, 0u);
    EXPECT_TRUE(form.Saw("scroll 55")) << form.Log();
    EXPECT_EQ(Probe("set frmProbe cboList 2").exitCode, 0u);
    EXPECT_TRUE(form.Saw("select 2")) << form.Log();

    EXPECT_EQ(Probe("set frmProbe hscTone 101").exitCode, 1u) << "outside the range a user can reach";
    EXPECT_EQ(Probe("set frmProbe cboList 3").exitCode, 1u);
    EXPECT_EQ(Probe("click frmProbe cmdNone --timeout 200").exitCode, 1u);
}

TEST_F(Winprobe, MouseAndKeysCarryTheirModifiers) {
    EXPECT_EQ(Probe("mousedown frmProbe lblInfo --button right --shift --alt").exitCode, 0u);
    EXPECT_TRUE(form.Saw("down 2 shift alt")) << form.Log();
    EXPECT_EQ(Probe("mousedown frmProbe frmProbe --button left --ctrl").exitCode, 0u);
    EXPECT_TRUE(form.Saw("down 1 ctrl")) << form.Log();
    EXPECT_EQ(Probe("dblclick frmProbe lblInfo").exitCode, 0u);
    EXPECT_TRUE(form.Saw("dblclick")) << form.Log();

    EXPECT_EQ(Probe("key frmProbe Esc").exitCode, 0u);
    EXPECT_TRUE(form.Saw("key 27")) << form.Log();
    EXPECT_EQ(Probe("key frmProbe M --ctrl --shift").exitCode, 0u);
    EXPECT_TRUE(form.Saw("key 77 shift ctrl")) << form.Log();
    EXPECT_EQ(Probe("key frmProbe NoSuchKey").exitCode, 1u);
}

TEST_F(Winprobe, MessageBoxesAreReadAndAnswered) {
    struct BoxCase {
        UINT style;
        const char* icon;
        const char* buttons;
        const char* press;
        int answer;
    };
    const BoxCase cases[] = {
        {MB_YESNO | MB_ICONQUESTION, "question", "Yes,No,", "No", IDNO},
        {MB_OK | MB_ICONERROR | MB_SYSTEMMODAL, "error", "OK,", "ok", IDOK},
        {MB_OKCANCEL | MB_ICONWARNING, "warning", "OK,Cancel,", "Cancel", IDCANCEL},
        {MB_OK | MB_ICONINFORMATION, "information", "OK,", "OK", IDOK},
        {MB_OK, "none", "OK,", "OK", IDOK},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.icon);
        // The form opens the box inside the handler of this message: send must not block.
        ToolResult sent = Probe("send frmProbe " + std::to_string(kShowBox) + " " + std::to_string(c.style) + " 0");
        ASSERT_EQ(sent.exitCode, 0u) << sent.err;
        EXPECT_EQ(sent.out.rfind("{\"result\": ", 0), 0u) << sent.out;

        ToolResult r = Probe(std::string("msgbox --press ") + c.press);
        ASSERT_EQ(r.exitCode, 0u) << r.err;
        auto box = ParseJson(r.out);
        ASSERT_TRUE(box) << r.out;
        EXPECT_EQ((*box)["caption"].string, "Probe Box");
        EXPECT_EQ((*box)["text"].string, "Probe & text");
        EXPECT_EQ((*box)["icon"].string, c.icon);
        std::string buttons;
        for (const auto& b : (*box)["buttons"].array) buttons += b.string + ",";
        EXPECT_EQ(buttons, c.buttons);
        EXPECT_TRUE(form.Saw("answer " + std::to_string(c.answer))) << form.Log();
        ASSERT_EQ(Probe("msgbox --timeout 0").exitCode, 1u) << "the box is gone";
    }
}

TEST_F(Winprobe, SendReturnsTheResultOfAHandlerThatFinishes) {
    ToolResult r = Probe("send frmProbe 0x000E 0 0");  // WM_GETTEXTLENGTH
    ASSERT_EQ(r.exitCode, 0u) << r.err;
    auto result = ParseJson(r.out);
    ASSERT_TRUE(result) << r.out;
    EXPECT_EQ((*result)["result"].Int(), static_cast<std::int64_t>(std::string(kCaption).size()));
}

TEST_F(Winprobe, MissingThingsFailWithAReason) {
    ToolResult w = Probe("wait \"No Such Window\" --timeout 300");
    EXPECT_EQ(w.exitCode, 1u);
    EXPECT_NE(w.err.find("No Such Window"), std::string::npos) << w.err;
    EXPECT_EQ(Probe("wait \"No Such Window\" --gone --timeout 300").exitCode, 0u);
    EXPECT_EQ(Probe("wait frmProbe --gone --timeout 300").exitCode, 1u);
    EXPECT_EQ(Probe("msgbox --timeout 300").exitCode, 1u);
    EXPECT_EQ(Probe("dump \"probe test form\" --timeout 300").exitCode, 1u) << "captions match exactly";
    EXPECT_EQ(Probe("frobnicate").exitCode, 2u) << "usage errors differ from not-found";
}

TEST_F(Winprobe, ShotSavesThePngOfTheWindow) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "kesma_probe_shot.png";
    DeleteFileA(path.c_str());
    ToolResult r = Probe("shot frmProbe \"" + path + "\"");
    ASSERT_EQ(r.exitCode, 0u) << r.err;

    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    RECT rc;
    GetWindowRect(form.hwnd(), &rc);
    auto be32 = [&png](std::size_t at) {
        return (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
    };
    EXPECT_EQ(be32(16), rc.right - rc.left);
    EXPECT_EQ(be32(20), rc.bottom - rc.top);
    DeleteFileA(path.c_str());
}

TEST(Json, QuotedTextParsesBackAndBrokenTextIsRefused) {
    const std::string tricky = "a \"quoted\"\\ path\r\n\t\x01 end";
    auto back = ParseJson(automation::JsonQuote(tricky));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->string, tricky);

    const std::string tooDeep(200, '[');
    for (const std::string& broken : {std::string("{\"a\": }"), std::string("[1, 2"), std::string("{\"a\" 1}"),
                                      std::string("\"open"), std::string("1 2"), std::string(), tooDeep})
        EXPECT_FALSE(ParseJson(broken)) << broken;
    auto nested = ParseJson(R"({"a": [1, {"b": -2.5}], "c": true, "d": null})");
    ASSERT_TRUE(nested);
    EXPECT_EQ((*nested)["a"][1]["b"].number, -2.5);
    EXPECT_TRUE((*nested)["c"].boolean);
    EXPECT_TRUE((*nested)["d"].IsNull());
    EXPECT_TRUE((*nested)["missing"]["deeper"].IsNull());
}

}  // namespace
}  // namespace kesma::e2e
