#include "controlpanel/com_discovery.h"

#include <gtest/gtest.h>

#include "fake_device_manager.h"

namespace kesma::controlpanel {
namespace {

using test::FakeDescriptor;
using test::FakeDevice;

void ExpectEmpty(const PortResources& e) {
    EXPECT_EQ(e.ComNumber, 0);
    EXPECT_EQ(e.IoBase, -1);
    EXPECT_EQ(e.IoEnd, -1);
    EXPECT_EQ(e.IrqNumber, -1);
    EXPECT_EQ(e.DevNodeStatus, -1);
    EXPECT_EQ(e.ProblemNumber, -1);
    EXPECT_EQ(e.ConfigKind, -1);
}

class ComDiscoveryTest : public ::testing::Test {
protected:
    void Discover() {
        table.fill(PortResources{7, 7, 7, 7, 7, 7, 7});  // a run always starts from a reset table
        DiscoverComPorts(devices, table);
        EXPECT_EQ(devices.OpenHandles(), 0) << "every handle is released";
        EXPECT_EQ(devices.Misuses, 0);
    }
    test::FakeDeviceManager devices;
    PortTable table{};
};

TEST(ComNumberFromPortName, PrefixAnyCaseAndNumberInOneToNine) {
    const std::pair<const char*, int> cases[] = {
        {"COM1", 1}, {"com3", 3}, {"Com9", 9}, {"COM 4", 4}, {"COM5:", 5}, {"COM1.6", 2},
        {"COM2.5", 2},  // halves go to the even number
        {"COM10", 0}, {"COM0", 0}, {"COM-1", 0}, {"COM", 0}, {"COMX", 0}, {"LPT1", 0}, {"CO", 0},
        {"COM1e9", 0}, {"COM99999999999999999999", 0}};
    for (const auto& [name, number] : cases) EXPECT_EQ(ComNumberFromPortName(name), number) << name;
}

TEST_F(ComDiscoveryTest, NoPortsClassLeavesTheTableReset) {
    devices.classes.clear();
    Discover();
    for (const auto& e : table) ExpectEmpty(e);
    EXPECT_EQ(devices.ClassGuidCapacity, 16u);
}

TEST_F(ComDiscoveryTest, AllocatedResourcesOfAPresentPort) {
    devices.Add(FakeDevice::Port("COM2", 0x2F8, 3)).status = 0x180200B;
    Discover();
    const PortResources& e = table[1];
    EXPECT_EQ(e.ComNumber, 2);
    EXPECT_EQ(e.IoBase, 0x2F8);
    EXPECT_EQ(e.IoEnd, 0x2FF);
    EXPECT_EQ(e.IrqNumber, 3);
    EXPECT_EQ(e.DevNodeStatus, 0x180200B);
    EXPECT_EQ(e.ProblemNumber, 0);
    EXPECT_EQ(e.ConfigKind, 1);
    ExpectEmpty(table[0]);
    ExpectEmpty(table[2]);
}

TEST_F(ComDiscoveryTest, NamesOutsideCom1ToCom9ChangeNothing) {
    devices.Add(FakeDevice::Port("COM10", 0x3E8, 5));
    devices.Add(FakeDevice::Port("LPT1", 0x378, 7));
    devices.Add(FakeDevice::Port("com3", 0x3E8, 4));
    Discover();
    for (std::size_t i = 0; i < 9; ++i) {
        if (i != 2) ExpectEmpty(table[i]);
    }
    EXPECT_EQ(table[2].ComNumber, 3);
    EXPECT_EQ(table[2].IoBase, 0x3E8);
}

TEST_F(ComDiscoveryTest, DevicesWhoseIdKeyOrNameCannotBeReadAreSkipped) {
    devices.Add(FakeDevice::Port("COM1", 0x3F8, 4)).idFails = true;
    devices.Add(FakeDevice::Port("COM2", 0x2F8, 3)).keyFails = true;
    devices.Add(FakeDevice::Port("COM3", 0x3E8, 4)).nameMissing = true;
    devices.Add(FakeDevice::Port("COM4ABCDEFGHIJKLMNOPQRSTU", 0x2E8, 3));  // longer than the 20-byte buffer
    devices.Add(FakeDevice::Port("COM5", 0x2F0, 5));
    Discover();
    for (std::size_t i = 0; i < 4; ++i) ExpectEmpty(table[i]);
    EXPECT_EQ(table[4].ComNumber, 5);
}

TEST_F(ComDiscoveryTest, ANameFillingTheWholeBufferIsReadWithoutAZero) {
    devices.Add(FakeDevice::Port("COM6                ", 0x3F8, 4));  // exactly 20 bytes
    Discover();
    EXPECT_EQ(table[5].ComNumber, 6);
}

TEST_F(ComDiscoveryTest, EveryClassGuidIsSearchedAndAFailingListIsSkipped) {
    devices.classes = {{FakeDevice::Port("COM1", 0x3F8, 4)}, {FakeDevice::Port("COM2", 0x2F8, 3)}};
    Discover();
    EXPECT_EQ(table[0].ComNumber, 1);
    EXPECT_EQ(table[1].ComNumber, 2);

    devices.listFails = true;
    Discover();
    for (const auto& e : table) ExpectEmpty(e);
}

TEST_F(ComDiscoveryTest, FailingStatusKeepsTheResourcesUnread) {
    devices.Add(FakeDevice::Port("COM1", 0x3F8, 4)).statusFails = true;
    Discover();
    EXPECT_EQ(table[0].ComNumber, 1);
    EXPECT_EQ(table[0].DevNodeStatus, -1);
    EXPECT_EQ(table[0].ConfigKind, -1);
    EXPECT_EQ(table[0].IoBase, -1);
    EXPECT_TRUE(devices.ConfigKindsAsked.empty());
}

TEST_F(ComDiscoveryTest, ConfigurationOrderFollowsTheProblemFlags) {
    struct Case {
        std::uint32_t status, problem;
        std::vector<std::uint32_t> present;
        std::int32_t kind;
        std::vector<std::uint32_t> asked;
    };
    const Case cases[] = {
        {0, 0, {kAllocLogConf, kForcedLogConf, kBootLogConf}, 1, {kAllocLogConf}},
        {0, 0, {kForcedLogConf, kBootLogConf}, 2, {kAllocLogConf, kForcedLogConf}},
        {0, 0, {kBootLogConf}, 4, {kAllocLogConf, kForcedLogConf, kBootLogConf}},
        // A node with a problem never takes its allocated configuration.
        {kDnHasProblem, 10, {kAllocLogConf, kForcedLogConf}, 2, {kForcedLogConf}},
        {kDnHasProblem, 10, {kAllocLogConf, kBootLogConf}, 4, {kForcedLogConf, kBootLogConf}},
        // Hardware-disabled: forced only.
        {kDnHasProblem, kCmProbHardwareDisabled, {kForcedLogConf, kBootLogConf}, 2, {kForcedLogConf}},
        {kDnHasProblem, kCmProbHardwareDisabled, {kAllocLogConf, kBootLogConf}, 0, {kForcedLogConf}},
        // Problem 29 without the problem flag does not block the boot configuration.
        {0, kCmProbHardwareDisabled, {kBootLogConf}, 4, {kAllocLogConf, kForcedLogConf, kBootLogConf}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "status " << c.status << " problem " << c.problem << " kind " << c.kind);
        devices = test::FakeDeviceManager{};
        FakeDevice d;
        d.portName = "COM4";
        d.status = c.status;
        d.problem = c.problem;
        for (std::uint32_t k : c.present) {
            d.configs[k] = {FakeDescriptor::Io(0x100 * k, 0x100 * k + 7), FakeDescriptor::Irq(k)};
        }
        devices.Add(d);
        Discover();
        const PortResources& e = table[3];
        EXPECT_EQ(e.ComNumber, 4);
        EXPECT_EQ(e.DevNodeStatus, static_cast<std::int32_t>(c.status));
        EXPECT_EQ(e.ProblemNumber, static_cast<std::int32_t>(c.problem));
        EXPECT_EQ(e.ConfigKind, c.kind);
        EXPECT_EQ(devices.ConfigKindsAsked, c.asked);
        if (c.kind == 0) {
            EXPECT_EQ(e.IoBase, -1);
            EXPECT_EQ(e.IoEnd, -1);
            EXPECT_EQ(e.IrqNumber, -1);
        } else {
            const std::uint32_t k = c.asked.back();
            EXPECT_EQ(e.IoBase, static_cast<std::int32_t>(0x100 * k));
            EXPECT_EQ(e.IrqNumber, static_cast<std::int32_t>(k));
        }
    }
}

TEST_F(ComDiscoveryTest, DescriptorsLastOfAKindWinsAndOnlyReturnedBytesAreRead) {
    FakeDevice d;
    d.portName = "COM1";
    FakeDescriptor shortIo = FakeDescriptor::Io(0x999, 0x99F);
    shortIo.data.resize(20);  // too short to hold the end field
    FakeDescriptor shortIrq = FakeDescriptor::Irq(9);
    shortIrq.data.resize(15);
    FakeDescriptor unreadable = FakeDescriptor::Irq(11);
    unreadable.dataFails = true;
    FakeDescriptor unsized = FakeDescriptor::Io(0x555, 0x55F);
    unsized.sizeFails = true;
    FakeDescriptor memory{1, std::vector<std::uint8_t>(40, 0xAB)};
    d.configs[kAllocLogConf] = {FakeDescriptor::Io(0x100003F8ull, 0x100003FFull),
                                FakeDescriptor::Irq(4),
                                memory,
                                FakeDescriptor::Io(0x2F8, 0x2FF),
                                shortIo,
                                shortIrq,
                                unreadable,
                                unsized,
                                FakeDescriptor{kResTypeIrq, {}}};
    devices.Add(d);
    Discover();
    EXPECT_EQ(table[0].IoBase, 0x2F8);
    EXPECT_EQ(table[0].IoEnd, 0x2FF);
    EXPECT_EQ(table[0].IrqNumber, 4);
}

TEST_F(ComDiscoveryTest, HighBitsOfTheRangeAreDropped) {
    FakeDevice d;
    d.portName = "COM1";
    d.configs[kAllocLogConf] = {FakeDescriptor::Io(0x1234000003F8ull, 0xFFFFFFFFFFFFFFFFull)};
    devices.Add(d);
    Discover();
    EXPECT_EQ(table[0].IoBase, 0x3F8);
    EXPECT_EQ(table[0].IoEnd, -1);
    EXPECT_EQ(table[0].IrqNumber, -1);
    EXPECT_EQ(table[0].ConfigKind, 1);
}

}  // namespace
}  // namespace kesma::controlpanel
