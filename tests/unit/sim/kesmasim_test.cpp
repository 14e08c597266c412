#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>

#include "sim/core/kesmadrv_private.h"
#include "sim/kesmasim/commands.h"
#include "sim/kesmasim/fields.h"

namespace {

// kesmasim against the core, with a clock that only moves when the tool waits.
class CoreHost : public kesmasim::Host {
public:
    CoreHost() { KesmaCoreReset(core.get()); }

    bool Open(std::string& error) override
    {
        if (!reachable) error = "no device";
        return reachable;
    }
    bool Request(uint32_t code, void* buffer, uint32_t inSize, uint32_t outSize, uint32_t& bytesOut) override
    {
        if (code == KESMA_SIM_POST_TOUCH) {
            TouchPoint t;
            std::memcpy(&t, buffer, sizeof t);
            posts.push_back({now, t});
        }
        return KesmaCoreRequest(core.get(), code, buffer, inSize, outSize, &bytesOut) == KESMA_STATUS_OK;
    }
    bool Install(std::string&) override { return ++installs, true; }
    bool Uninstall(std::string& error) override
    {
        error = "service not found";
        return false;
    }
    uint64_t NowMs() override { return now; }
    void SleepUntilMs(uint64_t deadline) override { now = std::max(now, deadline); }

    struct Post {
        uint64_t at;
        TouchPoint report;
    };
    std::unique_ptr<KesmaCoreState> core = std::make_unique<KesmaCoreState>();
    bool reachable = true;
    int installs = 0;
    uint64_t now = 5000;
    std::vector<Post> posts;
};

struct Result {
    int code;
    std::string out, err;
};

Result Tool(CoreHost& host, std::vector<std::string> args)
{
    std::ostringstream out, err;
    int code = kesmasim::Run(args, host, out, err);
    return {code, out.str(), err.str()};
}

TEST(Kesmasim, StatePrintsEveryRecordByName)
{
    CoreHost host;
    host.core->Sim.Settings.McuInfo[0] = 0xD4;
    Result r = Tool(host, {"state"});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* part : {
             "{\"DeviceSettings\": {\"BasePort\": 1016, \"Irq\": 4, \"ComPort\": 1, \"PortTable\": [{\"PortBase\": 1016, "
             "\"PortIrq\": 4}, {\"PortBase\": 760, \"PortIrq\": 3}, {\"PortBase\": 0, \"PortIrq\": 255}",
             "\"TouchMode\": 4", "\"CalXMid\": 512", "\"ScreenHeight\": 768",
             "\"McuInfo\": [212, 66, 18, 52, 86, 120]}",
             "\"RightButtonSlot\": {\"Window\": -1, \"RightClickArmed\": 0}",
             "\"SmiSlot\": {\"Window\": -1, \"ScreenRotation\": 0}",
             "\"TouchPoint\": {\"X\": 0, \"Y\": 0, \"Status\": 0, \"Sequence\": 0}", "\"CalibrationPhase\": 0"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    // Every scalar field appears exactly once.
    for (const auto& f : kesmasim::SettingsFields())
        EXPECT_NE(r.out.find("\"" + f.name + "\": "), std::string::npos) << f.name;
}

TEST(Kesmasim, SetChangesNamedFieldsAllOrNothing)
{
    CoreHost host;
    Result r = Tool(host, {"set", "ComPort=0", "McuInfo[5]=0x9A", "PortTable[3].PortBase=0x3E8",
                          "PortTable[3].PortIrq=255", "CalXMin=-3", "RightButtonSlot.RightClickArmed=1"});
    ASSERT_EQ(r.code, 0) << r.err;
    const DeviceSettings& s = host.core->Sim.Settings;
    EXPECT_EQ(s.ComPort, 0);
    EXPECT_EQ(s.McuInfo[5], 0x9A);
    EXPECT_EQ(s.PortTable[2].PortBase, 0x3E8);
    EXPECT_EQ(s.PortTable[2].PortIrq, 255);
    EXPECT_EQ(s.CalXMin, -3);
    EXPECT_EQ(host.core->Sim.RightButtonSlot.Word, 1);

    const KesmaSimState before = host.core->Sim;
    for (std::vector<std::string> bad : {
             std::vector<std::string>{"set", "TouchMode=2", "Irq=256"},   // out of range
             {"set", "TouchMode=2", "Nothing=1"},                          // unknown name
             {"set", "TouchMode=2", "PortTable[0].PortBase=1"},            // COM numbers are 1..9
             {"set", "TouchMode=2", "McuInfo[6]=1"},
             {"set", "TouchMode=0x"},                                       // bad number
             {"set", "TouchMode=12abc"},
             {"set", "TouchMode"},
             {"set"}}) {
        Result b = Tool(host, bad);
        EXPECT_EQ(b.code, kesmasim::kExitUsage) << bad.back();
        EXPECT_FALSE(b.err.empty());
    }
    EXPECT_EQ(std::memcmp(&before, &host.core->Sim, sizeof before), 0);
}

TEST(Kesmasim, ParseNumberTakesDecimalAndHexOnly)
{
    using kesmasim::ParseNumber;
    EXPECT_EQ(ParseNumber("42"), 42);
    EXPECT_EQ(ParseNumber("-1"), -1);
    EXPECT_EQ(ParseNumber("0x3F8"), 0x3F8);
    EXPECT_EQ(ParseNumber("0XfF"), 255);
    for (const char* bad : {"", "-", "0x", "1.5", " 1", "1 ", "abc", "99999999999999999999"})
        EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
}

TEST(Kesmasim, ErrorsExitNonZeroWithAMessage)
{
    CoreHost host;
    for (std::vector<std::string> bad : {std::vector<std::string>{}, {"frobnicate"}, {"touch", "1"},
                                         {"touch", "x", "1"}, {"touch", "1", "40000"}, {"hold", "1", "2"},
                                         {"hold", "1", "2", "--ms", "10", "--rate", "0"}, {"fault", "maybe"},
                                         {"panel", "--raw-min", "900", "--raw-max", "100"}, {"state", "--bogus"},
                                         {"smi"}}) {
        Result r = Tool(host, bad);
        EXPECT_EQ(r.code, kesmasim::kExitUsage) << (bad.empty() ? "" : bad[0]);
        EXPECT_NE(r.err.find("kesmasim: "), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_TRUE(host.posts.empty());

    host.reachable = false;
    Result r = Tool(host, {"state"});
    EXPECT_EQ(r.code, kesmasim::kExitFailed);
    EXPECT_NE(r.err.find("driver not reachable"), std::string::npos);

    r = Tool(host, {"uninstall"});
    EXPECT_EQ(r.code, kesmasim::kExitFailed);
    EXPECT_NE(r.err.find("service not found"), std::string::npos);
    EXPECT_EQ(Tool(host, {"install"}).code, 0);
    EXPECT_EQ(host.installs, 1);
}

TEST(Kesmasim, TouchLiftAndSmiAndFaultReachTheDriver)
{
    CoreHost host;
    ASSERT_EQ(Tool(host, {"touch", "300", "0x200"}).code, 0);
    EXPECT_EQ(host.core->Sim.Touch.X, 300);
    EXPECT_EQ(host.core->Sim.Touch.Y, 512);
    EXPECT_EQ(host.core->Sim.Touch.Status, KESMA_PEN_DOWN);
    ASSERT_EQ(Tool(host, {"lift"}).code, 0);
    EXPECT_EQ(host.core->Sim.Touch.X, 300) << "the lift keeps the last position";
    EXPECT_EQ(host.core->Sim.Touch.Status, 0);
    EXPECT_EQ(host.core->Sim.Touch.Sequence, 2);

    ASSERT_EQ(Tool(host, {"smi", "--window", "0x10024", "--rotation", "3"}).code, 0);
    EXPECT_EQ(host.core->Sim.SmiSlot.Window, 0x10024);
    EXPECT_EQ(host.core->Sim.SmiSlot.Word, 3);
    ASSERT_EQ(Tool(host, {"smi", "--window", "-1"}).code, 0);
    EXPECT_EQ(host.core->Sim.SmiSlot.Window, -1);

    ASSERT_EQ(Tool(host, {"fault", "on"}).code, 0);
    EXPECT_TRUE(host.core->Sim.Fault);
    ASSERT_EQ(Tool(host, {"state"}).code, 0) << "kesmasim still works in fault mode";
    ASSERT_EQ(Tool(host, {"fault", "off"}).code, 0);
    EXPECT_FALSE(host.core->Sim.Fault);

    host.core->Sim.RightButtonSlot = {77, 1, 0};
    ASSERT_EQ(Tool(host, {"perform-right-click"}).code, 0);
    EXPECT_EQ(host.core->Sim.RightButtonSlot.Word, 0);
    EXPECT_EQ(host.core->Sim.RightButtonSlot.Window, 77);
}

TEST(Kesmasim, HoldPostsSteadyReportsAtTheRateThenLifts)
{
    CoreHost host;
    ASSERT_EQ(Tool(host, {"hold", "400", "600", "--ms", "100", "--rate", "50"}).code, 0);
    ASSERT_EQ(host.posts.size(), 6u);  // 0, 20, ..., 80 ms, then the lift at 100 ms
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(host.posts[i].at, 5000 + 20 * i);
        EXPECT_EQ(host.posts[i].report.X, 400);
        EXPECT_EQ(host.posts[i].report.Status, KESMA_PEN_DOWN);
    }
    EXPECT_EQ(host.posts[5].at, 5100u);
    EXPECT_EQ(host.posts[5].report.Status, 0);
    EXPECT_EQ(host.core->Sim.Touch.Sequence, 6);
}

TEST(Kesmasim, HoldJitterStaysWithinItsRadiusAndRepeats)
{
    auto run = [] {
        CoreHost host;
        EXPECT_EQ(Tool(host, {"hold", "1020", "500", "--ms", "1000", "--rate", "100", "--jitter", "4"}).code, 0);
        return host.posts;
    };
    auto first = run(), second = run();
    ASSERT_EQ(first.size(), 101u);
    bool moved = false;
    for (std::size_t i = 0; i + 1 < first.size(); ++i) {
        const TouchPoint& t = first[i].report;
        EXPECT_GE(t.X, 1016);
        EXPECT_LE(t.X, 1023) << "kept inside the raw range";
        EXPECT_GE(t.Y, 496);
        EXPECT_LE(t.Y, 504);
        moved |= t.Y != 500;
        EXPECT_EQ(t.X, second[i].report.X);
        EXPECT_EQ(t.Y, second[i].report.Y);
    }
    EXPECT_TRUE(moved);
}

TEST(Kesmasim, TapGoesThroughThePanelModelAndMapComesBack)
{
    CoreHost host;
    ASSERT_EQ(Tool(host, {"panel", "--invert-x", "--swap", "--raw-min", "100", "--raw-max", "900"}).code, 0);
    EXPECT_EQ(host.core->Sim.Panel.Direction, KESMA_INVERT_X | KESMA_SWAP_XY);
    Result r = Tool(host, {"tap", "0", "767", "--ms", "40"});
    ASSERT_EQ(r.code, 0) << r.err;
    // Left edge → raw 100, mirrored to 923; bottom edge → 900; then swapped.
    EXPECT_EQ(r.out, "{\"X\": 900, \"Y\": 923}\n");
    ASSERT_EQ(host.posts.size(), 3u);
    EXPECT_EQ(host.posts[0].report.X, 900);
    EXPECT_EQ(host.posts[0].report.Y, 923);
    EXPECT_EQ(host.posts.back().report.Status, 0);

    ASSERT_EQ(Tool(host, {"set", "PanelDirection=5", "CalXMin=100", "CalXMid=500", "CalXMax=900", "CalYMin=100",
                         "CalYMid=500", "CalYMax=900"}).code, 0);
    r = Tool(host, {"map", "900", "923"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "{\"X\": 0, \"Y\": 767}\n");

    ASSERT_EQ(Tool(host, {"panel"}).code, 0);
    EXPECT_EQ(host.core->Sim.Panel.Direction, 0) << "each panel command sets the whole model";
    EXPECT_EQ(host.core->Sim.Panel.RawMax, 1023);
}

TEST(Kesmasim, JournalPrintsOneLinePerRequestAndClears)
{
    CoreHost host;
    uint8_t settings[82] = {};
    uint32_t bytes;
    KesmaCoreRequest(host.core.get(), KESMA_SET_POWER_SAVE, settings, 82, 82, &bytes);
    SoundTestRecord sound{0x1234, 0x0056};
    KesmaCoreRequest(host.core.get(), KESMA_SOUND_TEST, &sound, 3, 3, &bytes);
    Result r = Tool(host, {"journal"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string first, second, third;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_FALSE(std::getline(lines, third));
    EXPECT_EQ(first.rfind("{\"code\":\"0xF20C0\",\"name\":\"SetPowerSave\",\"size\":82,\"in\":\"0000", 0), 0u) << first;
    EXPECT_NE(first.find("\"out\":\"F80304"), std::string::npos) << first;
    EXPECT_NE(first.find("\"ok\":true}"), std::string::npos);
    EXPECT_EQ(second, "{\"code\":\"0xF5010\",\"name\":\"SoundTest\",\"size\":3,\"in\":\"341256\",\"out\":\"\",\"ok\":false}");

    ASSERT_EQ(Tool(host, {"journal", "--clear"}).out, r.out);
    EXPECT_EQ(Tool(host, {"journal"}).out, "");
}

TEST(Kesmasim, JournalReadsAFullRingInChunks)
{
    CoreHost host;
    TouchPoint t{};
    uint32_t bytes;
    for (int i = 0; i < 300; ++i) KesmaCoreRequest(host.core.get(), KESMA_READ_TOUCH_POINT, &t, 8, 8, &bytes);
    Result r = Tool(host, {"journal"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 256);
    EXPECT_NE(r.err.find("44 older request(s) were overwritten"), std::string::npos);
}

}  // namespace
