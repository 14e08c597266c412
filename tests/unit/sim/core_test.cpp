#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "sim/core/kesmadrv_private.h"

namespace {

struct Core {
    std::unique_ptr<KesmaCoreState> s = std::make_unique<KesmaCoreState>();
    Core() { KesmaCoreReset(s.get()); }

    uint32_t Call(uint32_t code, void* buffer, uint32_t size) { return Call(code, buffer, size, size); }
    uint32_t Call(uint32_t code, void* buffer, uint32_t in, uint32_t out)
    {
        bytes = 12345;
        return KesmaCoreRequest(s.get(), code, buffer, in, out, &bytes);
    }
    KesmaSimState Snapshot() const { return s->Sim; }
    uint32_t bytes = 0;
};

bool SameSim(const KesmaSimState& a, const KesmaSimState& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

const uint32_t kPublic[] = {
    KESMA_GET_SETTINGS,         KESMA_READ_TOUCH_POINT,        KESMA_SET_CALIBRATION_PHASE,
    KESMA_SET_TOUCH_MODE,       KESMA_SET_FEEDBACK_SOUND,      KESMA_SET_MOUSE_SPEED,
    KESMA_SET_CALIBRATION,      KESMA_SET_SCREEN_SIZE,         KESMA_SET_POWER_SAVE,
    KESMA_SET_PORT_RESOURCES,   KESMA_GET_RIGHT_BUTTON_WINDOW, KESMA_SET_RIGHT_BUTTON_WINDOW,
    KESMA_GET_SMI_WINDOW,       KESMA_SOUND_TEST,
};

TEST(SimCore, ResetGivesTheDocumentedController)
{
    Core c;
    const DeviceSettings& d = c.s->Sim.Settings;
    EXPECT_EQ(d.ComPort, 1);
    EXPECT_EQ(d.BasePort, 0x3F8);
    EXPECT_EQ(d.Irq, 4);
    EXPECT_EQ(d.BaudIndex, 4);
    EXPECT_EQ(d.TouchMode, 4);
    EXPECT_EQ(d.SoundTone, 1000);
    EXPECT_EQ(d.CalXMid, 512);
    EXPECT_EQ(d.CalYMax, 1023);
    EXPECT_EQ(d.ScreenWidth, 1024);
    EXPECT_EQ(d.ScreenHeight, 768);
    const uint8_t mcu[6] = {0xD4, 0x42, 0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(std::memcmp(d.McuInfo, mcu, 6), 0);
    EXPECT_EQ(d.PortTable[1].PortBase, 0x2F8);
    EXPECT_EQ(d.PortTable[1].PortIrq, 3);
    EXPECT_EQ(d.PortTable[8].PortBase, 0);
    EXPECT_EQ(d.PortTable[8].PortIrq, 255);
    EXPECT_EQ(c.s->Sim.RightButtonSlot.Window, KESMA_NO_WINDOW);
    EXPECT_EQ(c.s->Sim.SmiSlot.Window, KESMA_NO_WINDOW);
    EXPECT_EQ(c.s->Sim.Touch.Status, 0);
    EXPECT_EQ(c.s->JournalTotal, 0u);
}

TEST(SimCore, EveryPublicRequestRefusesWrongSizesAndChangesNothing)
{
    for (uint32_t code : kPublic) {
        SCOPED_TRACE(KesmaRequestName(code));
        Core c;
        uint32_t size = KesmaRequestSize(code);
        ASSERT_GT(size, 0u);
        std::vector<uint8_t> buffer(size + 8, 0xA5);
        const KesmaSimState before = c.Snapshot();
        const uint32_t wrong[][2] = {{size - 1, size - 1}, {size + 1, size + 1}, {size, size - 1}, {size - 1, size}, {0, 0}};
        for (const auto& w : wrong) {
            EXPECT_EQ(c.Call(code, buffer.data(), w[0], w[1]), (uint32_t)KESMA_STATUS_INVALID_PARAMETER);
            EXPECT_EQ(c.bytes, 0u);
        }
        EXPECT_TRUE(SameSim(before, c.Snapshot()));
        EXPECT_EQ(c.s->JournalTotal, 5u);  // refused requests are still journaled
        EXPECT_EQ(KesmaCoreJournalEntry(c.s.get(), 0)->Status, (uint32_t)KESMA_STATUS_INVALID_PARAMETER);
        EXPECT_EQ(c.Call(code, buffer.data(), size), (uint32_t)KESMA_STATUS_OK);
        EXPECT_EQ(c.bytes, size);
    }
}

TEST(SimCore, UnknownCodeIsRefusedAndJournaled)
{
    Core c;
    uint8_t buffer[82] = {};
    EXPECT_EQ(c.Call(KESMA_CTL_CODE(0x808), buffer, 82), (uint32_t)KESMA_STATUS_INVALID_REQUEST);
    ASSERT_EQ(c.s->JournalTotal, 1u);
    EXPECT_EQ(KesmaRequestName(KESMA_CTL_CODE(0x808)), nullptr);
}

// Each Set request takes exactly the bytes of its group (record offsets) and answers the
// whole current record.
TEST(SimCore, SetRequestsTakeOnlyTheirGroupAndWriteTheRecordBack)
{
    struct Group {
        uint32_t code;
        std::vector<std::pair<int, int>> ranges;  // [first, last] byte offsets
    };
    const Group groups[] = {
        {KESMA_SET_TOUCH_MODE, {{40, 40}, {53, 57}}},
        {KESMA_SET_FEEDBACK_SOUND, {{41, 45}}},
        {KESMA_SET_MOUSE_SPEED, {{47, 50}}},
        {KESMA_SET_CALIBRATION, {{58, 70}}},
        {KESMA_SET_SCREEN_SIZE, {{72, 75}}},
        {KESMA_SET_POWER_SAVE, {{51, 51}}},
    };
    for (const Group& g : groups) {
        SCOPED_TRACE(KesmaRequestName(g.code));
        Core c;
        uint8_t before[82];
        std::memcpy(before, &c.s->Sim.Settings, 82);
        uint8_t sent[82];
        for (int i = 0; i < 82; ++i) sent[i] = static_cast<uint8_t>(~before[i]);
        uint8_t buffer[82];
        std::memcpy(buffer, sent, 82);
        ASSERT_EQ(c.Call(g.code, buffer, 82), (uint32_t)KESMA_STATUS_OK);
        EXPECT_EQ(c.bytes, 82u);

        std::set<int> inGroup;
        for (auto [first, last] : g.ranges)
            for (int i = first; i <= last; ++i) inGroup.insert(i);
        const auto* now = reinterpret_cast<const uint8_t*>(&c.s->Sim.Settings);
        for (int i = 0; i < 82; ++i)
            EXPECT_EQ(now[i], inGroup.count(i) ? sent[i] : before[i]) << "offset " << i;
        EXPECT_EQ(std::memcmp(buffer, now, 82), 0) << "the answer is the whole current record";
    }
}

TEST(SimCore, GetSettingsAnswersTheRecordWithoutTakingAnything)
{
    Core c;
    uint8_t buffer[82];
    std::memset(buffer, 0x11, sizeof buffer);
    const KesmaSimState before = c.Snapshot();
    ASSERT_EQ(c.Call(KESMA_GET_SETTINGS, buffer, 82), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(std::memcmp(buffer, &c.s->Sim.Settings, 82), 0);
    EXPECT_TRUE(SameSim(before, c.Snapshot()));
}

TEST(SimCore, WindowSlotsAndSmallRecordsAreStoredWhole)
{
    Core c;
    WindowSlot rb{0x1234, 1, 0x7777};
    ASSERT_EQ(c.Call(KESMA_SET_RIGHT_BUTTON_WINDOW, &rb, 8), (uint32_t)KESMA_STATUS_OK);
    WindowSlot got{};
    ASSERT_EQ(c.Call(KESMA_GET_RIGHT_BUTTON_WINDOW, &got, 8), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(std::memcmp(&got, &rb, 8), 0);

    // The right click clears only the armed word.
    ASSERT_EQ(c.Call(KESMA_SIM_PERFORM_RIGHT_CLICK, nullptr, 0), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(c.s->Sim.RightButtonSlot.Window, 0x1234);
    EXPECT_EQ(c.s->Sim.RightButtonSlot.Word, 0);

    WindowSlot smi{0x5678, 2, 0};
    ASSERT_EQ(c.Call(KESMA_SIM_SET_SMI_SLOT, &smi, 8, 0), (uint32_t)KESMA_STATUS_OK);
    ASSERT_EQ(c.Call(KESMA_GET_SMI_WINDOW, &got, 8), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(got.Window, 0x5678);
    EXPECT_EQ(got.Word, 2);

    int32_t phase = 5;
    ASSERT_EQ(c.Call(KESMA_SET_CALIBRATION_PHASE, &phase, 4), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(c.s->Sim.CalibrationPhase, 5);

    SoundTestRecord sound{2000, 50};
    ASSERT_EQ(c.Call(KESMA_SOUND_TEST, &sound, 4), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(c.s->Sim.LastSoundTest.Tone, 2000);
    EXPECT_EQ(c.s->Sim.LastSoundTest.Duration, 50);
}

TEST(SimCore, PortResourcesAreKeptPerComNumberAndOthersIgnored)
{
    Core c;
    PortResources com3{3, 0x3E8, 0x3EF, 5, 0x1802400, 0, 1};
    ASSERT_EQ(c.Call(KESMA_SET_PORT_RESOURCES, &com3, 28), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(std::memcmp(&c.s->Sim.Ports[2], &com3, 28), 0);

    const KesmaSimState before = c.Snapshot();
    for (int32_t com : {0, 10, -1}) {
        PortResources other{com, 1, 2, 3, 4, 5, 6};
        EXPECT_EQ(c.Call(KESMA_SET_PORT_RESOURCES, &other, 28), (uint32_t)KESMA_STATUS_OK);
    }
    EXPECT_TRUE(SameSim(before, c.Snapshot()));
    EXPECT_EQ(c.s->JournalTotal, 4u);
}

TEST(SimCore, TouchReportsCarryAFreshSequence)
{
    Core c;
    TouchPoint post{100, 200, KESMA_PEN_DOWN, 0, 999};
    ASSERT_EQ(c.Call(KESMA_SIM_POST_TOUCH, &post, 8, 8), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(post.Sequence, 1) << "the Sequence sent is ignored";
    TouchPoint read{};
    ASSERT_EQ(c.Call(KESMA_READ_TOUCH_POINT, &read, 8), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(read.X, 100);
    EXPECT_EQ(read.Y, 200);
    EXPECT_EQ(read.Status, KESMA_PEN_DOWN);
    EXPECT_EQ(read.Sequence, 1);
    ASSERT_EQ(c.Call(KESMA_READ_TOUCH_POINT, &read, 8), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(read.Sequence, 1) << "reading is not a new report";

    c.s->Sim.Touch.Sequence = 0xFFFF;
    TouchPoint up{100, 200, 0, 0, 0};
    ASSERT_EQ(c.Call(KESMA_SIM_POST_TOUCH, &up, 8, 0), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(c.s->Sim.Touch.Sequence, 0);
    EXPECT_EQ(c.s->Sim.Touch.Status, 0);
}

TEST(SimCore, JournalKeepsBytesAndIsARingOfTheLatestRequests)
{
    Core c;
    uint8_t settings[82];
    std::memset(settings, 0x5A, sizeof settings);
    ASSERT_EQ(c.Call(KESMA_SET_POWER_SAVE, settings, 82), (uint32_t)KESMA_STATUS_OK);
    const KesmaJournalEntry* e = KesmaCoreJournalEntry(c.s.get(), 0);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Code, (uint32_t)KESMA_SET_POWER_SAVE);
    EXPECT_EQ(e->Size, 82u);
    EXPECT_EQ(e->OutSize, 82u);
    EXPECT_EQ(e->In[0], 0x5A) << "input as sent";
    EXPECT_EQ(e->Out[0], 0xF8) << "output as answered (BasePort low byte)";
    EXPECT_EQ(e->Out[51], 0x5A);

    // Private requests are not journaled.
    ASSERT_EQ(c.Call(KESMA_SIM_PERFORM_RIGHT_CLICK, nullptr, 0), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(c.s->JournalTotal, 1u);

    TouchPoint t{};
    for (uint32_t i = 0; i < KESMA_JOURNAL_CAPACITY + 9; ++i) c.Call(KESMA_READ_TOUCH_POINT, &t, 8);
    const uint32_t total = KESMA_JOURNAL_CAPACITY + 10;
    EXPECT_EQ(c.s->JournalTotal, total);
    EXPECT_EQ(KesmaCoreJournalEntry(c.s.get(), 9), nullptr);
    ASSERT_NE(KesmaCoreJournalEntry(c.s.get(), 10), nullptr);
    EXPECT_EQ(KesmaCoreJournalEntry(c.s.get(), total), nullptr);

    // Reading from 0 starts at the oldest entry still kept; the answer is cut to the room given.
    std::vector<uint8_t> buffer(sizeof(KesmaJournalHeader) + 3 * sizeof(KesmaJournalEntry) + 10);
    uint32_t from = 0;
    std::memcpy(buffer.data(), &from, 4);
    ASSERT_EQ(c.Call(KESMA_SIM_READ_JOURNAL, buffer.data(), 4, (uint32_t)buffer.size()), (uint32_t)KESMA_STATUS_OK);
    KesmaJournalHeader h;
    std::memcpy(&h, buffer.data(), sizeof h);
    EXPECT_EQ(h.Total, total);
    EXPECT_EQ(h.First, 10u);
    EXPECT_EQ(h.Count, 3u);
    EXPECT_EQ(c.bytes, sizeof h + 3 * sizeof(KesmaJournalEntry));

    from = total - 1;
    std::memcpy(buffer.data(), &from, 4);
    ASSERT_EQ(c.Call(KESMA_SIM_READ_JOURNAL, buffer.data(), 4, (uint32_t)buffer.size()), (uint32_t)KESMA_STATUS_OK);
    std::memcpy(&h, buffer.data(), sizeof h);
    EXPECT_EQ(h.Count, 1u);

    ASSERT_EQ(c.Call(KESMA_SIM_CLEAR_JOURNAL, nullptr, 0), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(c.s->JournalTotal, 0u);
    EXPECT_EQ(KesmaCoreJournalEntry(c.s.get(), 0), nullptr);
}

TEST(SimCore, FaultFailsEveryPublicRequestButNotThePrivateOnes)
{
    Core c;
    int32_t on = 1;
    ASSERT_EQ(c.Call(KESMA_SIM_SET_FAULT, &on, 4, 0), (uint32_t)KESMA_STATUS_OK);
    const KesmaSimState before = c.Snapshot();
    for (uint32_t code : kPublic) {
        std::vector<uint8_t> buffer(KesmaRequestSize(code), 0x33);
        const std::vector<uint8_t> sent = buffer;
        EXPECT_EQ(c.Call(code, buffer.data(), (uint32_t)buffer.size()), (uint32_t)KESMA_STATUS_UNSUCCESSFUL)
            << KesmaRequestName(code);
        EXPECT_EQ(buffer, sent) << "nothing written back";
    }
    EXPECT_TRUE(SameSim(before, c.Snapshot()));
    EXPECT_EQ(c.s->JournalTotal, 14u);

    KesmaSimState read{};
    ASSERT_EQ(c.Call(KESMA_SIM_READ_STATE, &read, 0, sizeof read), (uint32_t)KESMA_STATUS_OK);
    int32_t off = 0;
    ASSERT_EQ(c.Call(KESMA_SIM_SET_FAULT, &off, 4, 0), (uint32_t)KESMA_STATUS_OK);
    uint8_t settings[82];
    EXPECT_EQ(c.Call(KESMA_GET_SETTINGS, settings, 82), (uint32_t)KESMA_STATUS_OK);
}

TEST(SimCore, PrivateStateRoundTripsIncludingDriverOwnedFields)
{
    Core c;
    KesmaSimState state{};
    ASSERT_EQ(c.Call(KESMA_SIM_READ_STATE, &state, 0, sizeof state), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(c.bytes, sizeof state);
    state.Settings.ComPort = 0;
    state.Settings.Level = 7;
    state.Settings.McuInfo[5] = 0x99;
    state.RightButtonSlot.Word = 1;
    ASSERT_EQ(c.Call(KESMA_SIM_WRITE_STATE, &state, sizeof state, 0), (uint32_t)KESMA_STATUS_OK);
    EXPECT_TRUE(SameSim(state, c.Snapshot()));
    EXPECT_EQ(c.Call(KESMA_SIM_WRITE_STATE, &state, sizeof state - 1, 0), (uint32_t)KESMA_STATUS_INVALID_PARAMETER);

    uint8_t any[82] = {};
    c.Call(KESMA_GET_SETTINGS, any, 82);
    ASSERT_EQ(c.Call(KESMA_SIM_RESET, nullptr, 0), (uint32_t)KESMA_STATUS_OK);
    EXPECT_EQ(c.s->Sim.Settings.ComPort, 1);
    EXPECT_EQ(c.s->JournalTotal, 0u);
}

// --- the driver's reading of the calibration and the panel model ---

DeviceSettings DefaultSettings()
{
    Core c;
    return c.s->Sim.Settings;
}

TEST(SimMap, DefaultCalibrationMapsTheRawRangeOntoTheScreen)
{
    DeviceSettings s = DefaultSettings();
    auto at = [&](int x, int y) { return KesmaMapRawToPixel(&s, x, y); };
    EXPECT_EQ(at(0, 0).X, 0);
    EXPECT_EQ(at(0, 0).Y, 0);
    EXPECT_EQ(at(512, 512).X, 512);
    EXPECT_EQ(at(512, 512).Y, 384);
    EXPECT_EQ(at(1023, 1023).X, 1023);
    EXPECT_EQ(at(1023, 1023).Y, 767);
    EXPECT_EQ(at(256, 768).X, 256);
    EXPECT_EQ(at(256, 768).Y, 576);  // 384 + 256 * 383 / 511, rounded
}

TEST(SimMap, PiecewiseAroundTheMidpointAndClampedToTheScreen)
{
    DeviceSettings s = DefaultSettings();
    s.CalXMin = 100;
    s.CalXMid = 300;  // left half compressed, right half stretched
    s.CalXMax = 900;
    EXPECT_EQ(KesmaMapRawToPixel(&s, 200, 0).X, 256);
    EXPECT_EQ(KesmaMapRawToPixel(&s, 600, 0).X, 768);  // 512 + 300 * 511 / 600, rounded
    EXPECT_EQ(KesmaMapRawToPixel(&s, 50, 0).X, 0);
    EXPECT_EQ(KesmaMapRawToPixel(&s, 1000, 0).X, 1023);

    // Calibration words in falling order work the same way.
    s.CalXMin = 900;
    s.CalXMid = 500;
    s.CalXMax = 100;
    EXPECT_EQ(KesmaMapRawToPixel(&s, 900, 0).X, 0);
    EXPECT_EQ(KesmaMapRawToPixel(&s, 100, 0).X, 1023);
    EXPECT_EQ(KesmaMapRawToPixel(&s, 700, 0).X, 256);

    // A degenerate calibration gives the centre, never a division by zero.
    s.CalXMin = s.CalXMid = s.CalXMax = 400;
    EXPECT_EQ(KesmaMapRawToPixel(&s, 10, 0).X, 512);
    s.ScreenWidth = 0;
    EXPECT_EQ(KesmaMapRawToPixel(&s, 10, 0).X, 0);
}

TEST(SimMap, DirectionSwapsThenMirrors)
{
    DeviceSettings s = DefaultSettings();
    s.PanelDirection = KESMA_SWAP_XY;
    KesmaPixel p = KesmaMapRawToPixel(&s, 0, 1023);
    EXPECT_EQ(p.X, 1023);
    EXPECT_EQ(p.Y, 0);
    s.PanelDirection = KESMA_SWAP_XY | KESMA_INVERT_X;
    p = KesmaMapRawToPixel(&s, 0, 1023);  // swapped to (1023, 0), then X mirrored
    EXPECT_EQ(p.X, 0);
    EXPECT_EQ(p.Y, 0);
    s.PanelDirection = KESMA_INVERT_Y;
    EXPECT_EQ(KesmaMapRawToPixel(&s, 0, 0).Y, 767);
}

TEST(SimMap, PanelModelIsTheInverseOfAMatchingCalibration)
{
    for (uint8_t direction = 0; direction < 8; ++direction) {
        SCOPED_TRACE(int(direction));
        KesmaPanelModel panel{direction, 0, 100, 900};
        DeviceSettings s = DefaultSettings();
        s.PanelDirection = direction;
        s.CalXMin = s.CalYMin = 100;
        s.CalXMid = s.CalYMid = 500;
        s.CalXMax = s.CalYMax = 900;
        for (auto [px, py] : {std::pair{0, 0}, {1023, 767}, {512, 384}, {100, 700}, {900, 50}}) {
            KesmaPixel raw = KesmaPanelPixelToRaw(&panel, 1024, 768, px, py);
            KesmaPixel back = KesmaMapRawToPixel(&s, raw.X, raw.Y);
            EXPECT_NEAR(back.X, px, 1) << px << "," << py;
            EXPECT_NEAR(back.Y, py, 1) << px << "," << py;
        }
    }
    KesmaPanelModel plain{0, 0, 0, 1023};
    EXPECT_EQ(KesmaPanelPixelToRaw(&plain, 1024, 768, -5, 5000).X, 0) << "pixels clamp to the screen";
    EXPECT_EQ(KesmaPanelPixelToRaw(&plain, 1024, 768, -5, 5000).Y, 1023);
}

}  // namespace
