// winprobe: finds the programs' windows and controls, reads and drives them, reads and
// answers message boxes and takes screenshots. Data goes to standard output as JSON; a
// window, control or message box not found within the time-out exits with status 1 and the
// reason on standard error.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "automation/automation.h"
#include "automation/json.h"

using namespace kesma::automation;

namespace {

const char kUsage[] =
    "usage: winprobe windows\n"
    "       winprobe dump CAPTION\n"
    "       winprobe click|dblclick CAPTION NAME\n"
    "       winprobe mousedown|mouseup CAPTION NAME --button left|right|middle [--shift] [--ctrl] [--alt]\n"
    "       winprobe key CAPTION KEY [--shift] [--ctrl] [--alt]\n"
    "       winprobe send CAPTION MSG WPARAM LPARAM [--timeout MS]\n"
    "       winprobe set CAPTION NAME VALUE\n"
    "       winprobe wait CAPTION [--gone] [--timeout MS]\n"
    "       winprobe msgbox [--press BUTTON] [--timeout MS]\n"
    "       winprobe shot CAPTION FILE.png\n"
    "CAPTION is a window's exact caption or its form's design name; every command takes\n"
    "--timeout MS (default 5000).\n";

struct Args {
    std::vector<std::string> words;  // command and positional arguments
    DWORD timeoutMs = kDefaultTimeoutMs;
    unsigned modifiers = 0;
    std::optional<std::string> button;
    std::optional<std::string> press;
    bool gone = false;
};

[[noreturn]] void Fail(const std::string& reason, int status = 1) {
    std::fprintf(stderr, "winprobe: %s\n", reason.c_str());
    std::exit(status);
}

[[noreturn]] void Usage(const std::string& reason) {
    std::fprintf(stderr, "winprobe: %s\n%s", reason.c_str(), kUsage);
    std::exit(2);
}

// Decimal or 0x hexadecimal, optionally negative.
std::optional<long long> ParseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 0);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return value;
}

long long Number(const std::string& text, const char* what) {
    auto value = ParseNumber(text);
    if (!value) Usage(std::string("bad ") + what + ": " + text);
    return *value;
}

Args Parse(int argc, char** argv) {
    Args args;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) Usage(a + " needs a value");
            return argv[++i];
        };
        if (a == "--timeout") args.timeoutMs = static_cast<DWORD>(Number(next(), "time-out"));
        else if (a == "--shift") args.modifiers |= kShift;
        else if (a == "--ctrl") args.modifiers |= kCtrl;
        else if (a == "--alt") args.modifiers |= kAlt;
        else if (a == "--button") args.button = next();
        else if (a == "--press") args.press = next();
        else if (a == "--gone") args.gone = true;
        else if (a.size() > 2 && a.compare(0, 2, "--") == 0) Usage("unknown option " + a);
        else args.words.push_back(a);
    }
    if (args.words.empty()) Usage("no command");
    return args;
}

void Expect(const Args& args, std::size_t count) {
    if (args.words.size() != count + 1)
        Usage(args.words[0] + " takes " + std::to_string(count) + " argument(s)");
}

std::string Rect(const RECT& r) {
    return "{\"left\": " + std::to_string(r.left) + ", \"top\": " + std::to_string(r.top) +
           ", \"right\": " + std::to_string(r.right) + ", \"bottom\": " + std::to_string(r.bottom) + "}";
}

std::string Bool(bool b) { return b ? "true" : "false"; }

template <typename T>
std::string Optional(const std::optional<T>& v) {
    return v ? std::to_string(*v) : "null";
}

std::string ControlJson(const ControlInfo& c) {
    std::string items = "[";
    for (std::size_t i = 0; i < c.items.size(); ++i) items += (i ? ", " : "") + JsonQuote(c.items[i]);
    items += "]";
    bool checkable = c.kind == "option" || c.kind == "check";
    return "{\"name\": " + JsonQuote(c.name) + ", \"kind\": " + JsonQuote(c.kind) + ", \"text\": " +
           JsonQuote(c.text) + ", \"visible\": " + Bool(c.visible) + ", \"enabled\": " + Bool(c.enabled) +
           ", \"checked\": " + (checkable ? Bool(c.value.value_or(0) != 0) : "null") +
           ", \"value\": " + Optional(c.value) + ", \"min\": " + Optional(c.min) + ", \"max\": " +
           Optional(c.max) + ", \"items\": " + items + ", \"selected\": " + Optional(c.selected) +
           ", \"back\": " + Optional(c.back) + ", \"fore\": " + Optional(c.fore) + ", \"rect\": " + Rect(c.rect) +
           "}";
}

HWND Window(const Args& args) {
    HWND hwnd = WaitTopWindow(args.words[1], args.timeoutMs);
    if (hwnd == nullptr) Fail("no window \"" + args.words[1] + "\" within " + std::to_string(args.timeoutMs) + " ms");
    return hwnd;
}

HWND Control(const Args& args, HWND form) {
    const std::string& name = args.words[2];
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND control = FindControl(form, name)) return control;
        if (GetTickCount() - start >= args.timeoutMs) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    Fail("no control \"" + name + "\" in \"" + args.words[1] + "\" within " + std::to_string(args.timeoutMs) + " ms");
}

void Check(const std::string& reason) {
    if (!reason.empty()) Fail(reason);
}

MouseButton ButtonOf(const Args& args) {
    std::string b = args.button.value_or("left");
    if (b == "left") return MouseButton::Left;
    if (b == "right") return MouseButton::Right;
    if (b == "middle") return MouseButton::Middle;
    Usage("--button is left, right or middle");
}

int Run(const Args& args) {
    const std::string& command = args.words[0];
    if (command == "windows") {
        Expect(args, 0);
        std::printf("[");
        const char* separator = "\n";
        for (const WindowInfo& w : TopLevelWindows()) {
            std::printf("%s{\"caption\": %s, \"form\": %s, \"class\": %s, \"pid\": %lu, \"visible\": %s, \"rect\": %s}",
                        separator, JsonQuote(w.caption).c_str(), JsonQuote(w.form).c_str(),
                        JsonQuote(w.className).c_str(), static_cast<unsigned long>(w.processId),
                        Bool(w.visible).c_str(), Rect(w.rect).c_str());
            separator = ",\n";
        }
        std::printf("\n]\n");
    } else if (command == "dump") {
        Expect(args, 1);
        HWND form = Window(args);
        WindowInfo w = ReadWindow(form);
        std::printf("{\"caption\": %s, \"form\": %s, \"controls\": [", JsonQuote(w.caption).c_str(),
                    JsonQuote(w.form).c_str());
        const char* separator = "\n";
        for (const ControlInfo& c : Controls(form)) {
            std::printf("%s%s", separator, ControlJson(c).c_str());
            separator = ",\n";
        }
        std::printf("\n]}\n");
    } else if (command == "click" || command == "dblclick") {
        Expect(args, 2);
        HWND form = Window(args);
        HWND control = Control(args, form);
        Check(command == "click" ? Click(form, control, args.timeoutMs) : DoubleClick(form, control, args.timeoutMs));
    } else if (command == "mousedown" || command == "mouseup") {
        Expect(args, 2);
        HWND form = Window(args);
        HWND control = Control(args, form);
        MouseButton button = ButtonOf(args);
        Check(command == "mousedown" ? MouseDown(control, button, args.modifiers, args.timeoutMs)
                                     : MouseUp(control, button, args.modifiers, args.timeoutMs));
    } else if (command == "key") {
        Expect(args, 2);
        Check(Key(Window(args), args.words[2], args.modifiers, args.timeoutMs));
    } else if (command == "send") {
        Expect(args, 4);
        auto msg = static_cast<UINT>(Number(args.words[2], "message"));
        auto wParam = static_cast<WPARAM>(Number(args.words[3], "wParam"));
        auto lParam = static_cast<LPARAM>(Number(args.words[4], "lParam"));
        HWND hwnd = Window(args);
        SendResult r = SendAndSettle(hwnd, msg, wParam, lParam, args.timeoutMs);
        // A receiver still inside its handler (a message box open) has no result yet.
        std::printf("{\"result\": %s}\n", r.done ? std::to_string(static_cast<long long>(r.value)).c_str() : "null");
    } else if (command == "set") {
        Expect(args, 3);
        HWND form = Window(args);
        HWND control = Control(args, form);
        Check(SetValue(form, control, static_cast<int>(Number(args.words[3], "value")), args.timeoutMs));
    } else if (command == "wait") {
        Expect(args, 1);
        if (args.gone) {
            if (!WaitTopWindowGone(args.words[1], args.timeoutMs))
                Fail("window \"" + args.words[1] + "\" still there after " + std::to_string(args.timeoutMs) + " ms");
        } else {
            Window(args);
        }
    } else if (command == "msgbox") {
        Expect(args, 0);
        auto box = WaitMessageBox(args.timeoutMs);
        if (!box) Fail("no message box within " + std::to_string(args.timeoutMs) + " ms");
        std::string buttons = "[";
        for (std::size_t i = 0; i < box->buttons.size(); ++i) buttons += (i ? ", " : "") + JsonQuote(box->buttons[i]);
        buttons += "]";
        std::printf("{\"caption\": %s, \"text\": %s, \"icon\": %s, \"buttons\": %s}\n", JsonQuote(box->caption).c_str(),
                    JsonQuote(box->text).c_str(), JsonQuote(box->icon).c_str(), buttons.c_str());
        std::fflush(stdout);
        if (args.press) Check(PressMessageBoxButton(*box, *args.press, args.timeoutMs));
    } else if (command == "shot") {
        Expect(args, 2);
        Check(SaveScreenshot(Window(args), args.words[2], args.timeoutMs));
    } else {
        Usage("unknown command " + command);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Plain line ends: the output is read on Linux as often as on Windows.
    _setmode(_fileno(stdout), _O_BINARY);
    return Run(Parse(argc, argv));
}
