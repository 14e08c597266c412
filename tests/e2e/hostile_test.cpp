// Every program against hostile input: a failing driver, random device records, broken
// registry values and broken vendor bitmaps. Whatever the input, a program shows its
// message or its window and goes on or ends; it never crashes and never hangs.
//
// One table of programs (how to start one and put it through its windows) and one table of
// inputs; every program meets every input. A new program adds a row to kPrograms.
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

class HostileE2e;

struct HostileInput {
    const char* name;
    std::function<void(HostileE2e&)> apply;
};

struct HostileProgram {
    const char* name;  // of the test case
    const char* file;
    const char* args;
    const char* window;  // caption or form name of its main window
    // Puts the program through its windows once its main window is up.
    std::function<void(HostileE2e&, HWND main)> exercise;
};

class HostileE2e : public E2eTest,
                   public ::testing::WithParamInterface<std::tuple<HostileProgram, HostileInput>> {
public:
    Driver& Device() { return driver; }

    void Bitmap(const char* name, std::vector<std::uint8_t> bytes) {
        files_.push_back(std::make_unique<InstallFile>(name, bytes));
    }

    // Presses the first button of every message box that comes up; true when one did.
    bool AnswerMessageBoxes(DWORD timeoutMs) {
        bool any = false;
        while (auto box = ax::WaitMessageBox(timeoutMs)) {
            any = true;
            if (box->buttons.empty() || !ax::PressMessageBoxButton(*box, box->buttons.front()).empty()) break;
            timeoutMs = 500;
        }
        return any;
    }

    // Runs `open` on the main window and closes the window `form` it opened (answering
    // the message boxes on the way); a window that does not open is fine, a hang is not.
    void Visit(HWND main, const std::string& form, const std::function<std::string()>& open,
               const char* closeButton) {
        SCOPED_TRACE(form);
        open();
        AnswerMessageBoxes(300);
        HWND window = ax::WaitTopWindow(form, 3000);
        if (window == nullptr) return;
        ax::Click(window, ax::FindControl(window, closeButton));
        AnswerMessageBoxes(300);
        EXPECT_TRUE(Eventually([&] { return !IsWindow(window) || !IsWindow(main) || IsWindowVisible(main); }))
            << "the main window did not come back";
    }

    // The program answers messages: it is not stuck in a loop.
    static bool Responsive(HWND hwnd) {
        DWORD_PTR result = 0;
        return !IsWindow(hwnd) || SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }

private:
    VendorKeyGuard vendorKey_;
    std::vector<std::unique_ptr<InstallFile>> files_;
};

void PrintTo(const HostileProgram& p, std::ostream* os) { *os << p.name; }
void PrintTo(const HostileInput& i, std::ostream* os) { *os << i.name; }

// ---------------------------------------------------------------------------------------
// Inputs

std::vector<std::uint8_t> BitmapHeader(std::uint32_t infoSize, std::int32_t width, std::int32_t height,
                                       std::size_t fileSize) {
    std::vector<std::uint8_t> file(fileSize, 0x5A);
    auto put = [&file](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes && at + i < file.size(); ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, 'B' | ('M' << 8), 2);
    put(2, 0x7FFFFFFF, 4);
    put(10, 54, 4);
    put(14, infoSize, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    return file;
}

std::vector<HostileInput> Inputs() {
    std::vector<HostileInput> inputs{
        {"FailingDriver", [](HostileE2e& t) { t.Device().SetFault(true); }},
        {"VendorValuesOfTheWrongType",
         [](HostileE2e&) {
             for (const char* name : {"VenderName", "VenderStyle", "InstallPath"}) WriteRegDword(name, 0xFFFFFFFF);
         }},
        {"EmptyVendorValues",
         [](HostileE2e&) {
             for (const char* name : {"VenderName", "VenderStyle", "InstallPath", "HardwareID"}) WriteRegString(name, "");
         }},
        {"VendorValuesOf4000Characters",
         [](HostileE2e&) {
             for (const char* name : {"VenderName", "VenderStyle", "InstallPath", "HardwareID"})
                 WriteRegString(name, std::string(4000, '7'));
         }},
        {"AnInstallPathThatDoesNotExist", [](HostileE2e&) { WriteRegString("InstallPath", "Q:\\Nowhere\\At All"); }},
        {"TruncatedBitmaps",
         [](HostileE2e& t) {
             t.Bitmap("TSLogo.Bmp", {'B', 'M', 1, 2});
             t.Bitmap("TSVender.Bmp", BitmapHeader(40, 10, 10, 20));
         }},
        {"BitmapsWithWrongHeaderSizes",
         [](HostileE2e& t) {
             t.Bitmap("TSLogo.Bmp", BitmapHeader(0xFFFFFFF0u, 10, 10, 200));
             t.Bitmap("TSVender.Bmp", BitmapHeader(7, 10, 10, 200));
         }},
        {"BitmapsOfHugeDimensions",
         [](HostileE2e& t) {
             t.Bitmap("TSLogo.Bmp", BitmapHeader(40, 0x7FFFFFFF, -0x7FFFFFFF, 200));
             t.Bitmap("TSVender.Bmp", BitmapHeader(40, 100000, 100000, 200));
         }},
    };
    // Random device records; the host fuzzing covers many more, here each seed costs seconds.
    static const char* const kSeedNames[] = {"RandomRecord1", "RandomRecord2", "RandomRecord3", "RandomRecord4"};
    for (unsigned seed = 1; seed <= 4; ++seed) {
        inputs.push_back({kSeedNames[seed - 1], [seed](HostileE2e& t) {
                              KesmaSimState state = t.Device().State();
                              std::mt19937 random(seed);
                              auto* bytes = reinterpret_cast<std::uint8_t*>(&state.Settings);
                              for (std::size_t i = 0; i < sizeof state.Settings; ++i)
                                  bytes[i] = static_cast<std::uint8_t>(random());
                              t.Device().WriteState(state);
                          }});
    }
    return inputs;
}

// ---------------------------------------------------------------------------------------
// Programs

// About opens on a double click on the program icon, in the control panel and the start-up window.
void VisitAbout(HostileE2e& t, HWND main) {
    t.Visit(main, "frmAbout", [&] { return ax::DoubleClick(main, ax::FindControl(main, "imgIcon")); }, "cmdOK");
}

void ExerciseControlPanel(HostileE2e& t, HWND main) {
    auto click = [&](const char* button) { return [=] { return ax::Click(main, ax::FindControl(main, button)); }; };
    t.Visit(main, "frmSerialPort", click("cmdSerialPort"), "cmdOK");
    t.Visit(main, "frmVirtualButton", click("cmdVirtualButton"), "cmdOK");
    t.Visit(main, "frmFeedbackSound", click("cmdFeedbackSound"), "cmdOK");
    t.Visit(main, "frmMouseSpeed", [&] { return ax::Key(main, "M", ax::kAlt); }, "cmdOK");
    t.Visit(main, "frmSleepTime", click("cmdSleepTime"), "cmdOK");
    t.Visit(main, "frmSupport", click("cmdSupport"), "cmdOK");
    VisitAbout(t, main);
}

// Clicks `button` and answers the boxes that come up.
std::function<void(HostileE2e&, HWND)> Press(const char* button) {
    return [button](HostileE2e& t, HWND main) {
        ax::Click(main, ax::FindControl(main, button));
        t.AnswerMessageBoxes(300);
    };
}

void ExerciseStartupWindow(HostileE2e& t, HWND main) {
    Press("cmdApply")(t, main);
    VisitAbout(t, main);
}

void NothingMore(HostileE2e&, HWND) {}

constexpr const char* kStartupTitle = " TouchScreen System Startup #Velorix";

// The setup program only silently: its normal run ends in a restart of the session.
const HostileProgram kPrograms[] = {
    {"Kesmapan", "Kesmapan.exe", "", "frmMain", ExerciseControlPanel},
    {"Kesmarbtn", "Kesmarbtn.exe", "", " C-RBF", Press("cmdAction")},
    {"KesmabootLogOn", "Kesmaboot.exe", "", kStartupTitle, NothingMore},
    {"KesmabootSdc", "Kesmaboot.exe", "/SDC", kStartupTitle, ExerciseStartupWindow},
    {"KesmabootSam", "Kesmaboot.exe", "/SAM", "frmAutoScan", Press("cmdApply")},
    {"KesmainstSilent", "Kesmainst.exe", "/XPEFBASETUP", "TouchScreen Driver Installation", NothingMore},
    {"Kesmawipe", "C:\\windows\\Kesmawipe.exe", "", "TouchScreen Software Removal", Press("cmdNo")},
};

TEST_P(HostileE2e, NeverCrashesNorHangs) {
    // References, not a structured binding: clang 14 lets no lambda capture a binding.
    const HostileProgram& program = std::get<0>(GetParam());
    const HostileInput& input = std::get<1>(GetParam());
    input.apply(*this);
    const auto id = programs.Start(program.file, program.args);
    ASSERT_TRUE(id.has_value());

    // It comes up with its window or a message, or ends.
    HWND main = nullptr;
    ASSERT_TRUE(Eventually([&] {
        main = ax::FindTopWindow(program.window);
        return (main != nullptr && IsWindowVisible(main)) || ax::FindMessageBox().has_value() ||
               programs.ExitCode(*id).has_value();
    }, 15000)) << "neither a window nor a message";
    AnswerMessageBoxes(300);
    main = ax::FindTopWindow(program.window);
    if (main != nullptr && !programs.ExitCode(*id)) {
        program.exercise(*this, main);
        EXPECT_TRUE(Responsive(main)) << "it stopped answering";
    }
    EXPECT_EQ(programs.Crash(), "");
}

std::string CaseName(const ::testing::TestParamInfo<HostileE2e::ParamType>& info) {
    return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Everything, HostileE2e,
                         ::testing::Combine(::testing::ValuesIn(kPrograms), ::testing::ValuesIn(Inputs())), CaseName);

}  // namespace
}  // namespace kesma::e2e
