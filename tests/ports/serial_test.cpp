#include "commands/errors.h"
#include "tests/support/action_cases.h"
#include "tests/support/port_fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

struct BaudCase {
    std::string text;
    TBaudRate rate;
};

class BaudRateFromTextTest : public testing::TestWithParam<BaudCase> {};

TEST_P(BaudRateFromTextTest, MatchesWholeNameIgnoringCase) {
    EXPECT_EQ(BaudRateFromText(GetParam().text), GetParam().rate) << "[" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BaudRateFromTextTest,
    testing::Values(BaudCase{"19200", TBaudRate::br19200}, BaudCase{"4800", TBaudRate::br4800},
                    BaudCase{"115200", TBaudRate::br115200}, BaudCase{"57600", TBaudRate::br57600},
                    BaudCase{"110", TBaudRate::br110}, BaudCase{"256000", TBaudRate::br256000},
                    BaudCase{"Custom", TBaudRate::brCustom},
                    BaudCase{"cUSTOM", TBaudRate::brCustom}, BaudCase{"", TBaudRate::br9600},
                    BaudCase{"9600 ", TBaudRate::br9600}, BaudCase{" 19200", TBaudRate::br9600},
                    BaudCase{"1234", TBaudRate::br9600}, BaudCase{"19200.0", TBaudRate::br9600}));

class SerialActionTest : public testing::TestWithParam<ActionCase> {};

TEST_P(SerialActionTest, BytesArriveExactly) {
    const ActionCase& c = GetParam();
    PtyPrinter printer;
    PortRig rig;
    rig.Use("COM1", printer.SlavePath());
    ApplyInputs(c, rig.inputs);
    (rig.actions.*c.action)();
    EXPECT_EQ(ToHex(printer.Read(Hex(c.bytes).size())), c.bytes);
    EXPECT_EQ(ToHex(printer.ReadFor(50ms)), "") << "more than the action's bytes arrived";
    EXPECT_FALSE(rig.cp.Connected());
}

INSTANTIATE_TEST_SUITE_P(Actions, SerialActionTest, testing::ValuesIn(AllActionCases()),
                         ActionCaseName);

struct SpeedCase {
    std::string baudText;
    int speed;
};

class LineSettingsTest : public testing::TestWithParam<SpeedCase> {};

// Read back from the master while the port is open, as a printer on the line would see them.
TEST_P(LineSettingsTest, AsTheMasterSeesThem) {
    PtyPrinter printer;
    DeviceMap devices;
    devices.Set("COM2", printer.SlavePath());
    TComPort cp(devices);
    cp.SetPort("COM2");
    cp.SetBaudRate(BaudRateFromText(GetParam().baudText));
    cp.Open();
    const LineSettings line = printer.Settings();
    EXPECT_EQ(line.speed, GetParam().speed);
    EXPECT_TRUE(line.cs8);
    EXPECT_FALSE(line.parenb);
    EXPECT_FALSE(line.cstopb);
    EXPECT_FALSE(line.crtscts);
    EXPECT_TRUE(line.ixon);
    EXPECT_TRUE(line.ixoff);
    EXPECT_FALSE(line.ixany);
    EXPECT_TRUE(line.cread && line.clocal);
    EXPECT_FALSE(line.opost) << "output would be translated";
    EXPECT_FALSE(line.icanon);
    EXPECT_EQ(line.vstart, 0x11);
    EXPECT_EQ(line.vstop, 0x13);
    cp.Close();
}

INSTANTIATE_TEST_SUITE_P(BaudTexts, LineSettingsTest,
                         testing::Values(SpeedCase{"19200", 19200}, SpeedCase{"", 9600},
                                         SpeedCase{"Custom", 9600}, SpeedCase{" 19200", 9600},
                                         SpeedCase{"57600", 57600}, SpeedCase{"110", 110},
                                         SpeedCase{"256000", 256000}, SpeedCase{"14400", 14400},
                                         SpeedCase{"56000", 56000}, SpeedCase{"128000", 128000},
                                         SpeedCase{"115200", 115200}));

std::string FailureOf(const std::function<void()>& send) {
    try {
        send();
    } catch (const Exception& error) {
        return error.Message();
    }
    return "";
}

TEST(SerialFaultTest, MissingDevice) {
    PortRig rig;
    rig.Use("COM3", "/dev/printer-test-no-such-tty");
    EXPECT_EQ(FailureOf([&] { rig.actions.cutClick(); }),
              "Unable to open com port (win error code: 2)");
    EXPECT_FALSE(rig.cp.Connected());
}

TEST(SerialFaultTest, BusyPortThenFreed) {
    PtyPrinter printer;
    PortRig rig;
    rig.Use("COM1", printer.SlavePath());
    const int locker = printer.LockSlave();
    EXPECT_EQ(FailureOf([&] { rig.actions.cutClick(); }),
              "Unable to open com port (win error code: 11)");
    EXPECT_FALSE(rig.cp.Connected());
    EXPECT_EQ(ToHex(printer.ReadFor(50ms)), "");
    flock(locker, LOCK_UN);
    rig.actions.cutClick();
    EXPECT_EQ(ToHex(printer.Read(4)), "1D 56 42 18");
}

TEST(SerialFaultTest, PortIsHeldExclusivelyWhileOpen) {
    PtyPrinter printer;
    DeviceMap devices;
    devices.Set("COM1", printer.SlavePath());
    TComPort cp(devices);
    cp.Open();
    EXPECT_FALSE(printer.SlaveIsFree()) << "another program could take the port";
    cp.Close();
    EXPECT_TRUE(printer.SlaveIsFree()) << "close did not release the port";
}

// A printer that holds XOFF: the write fails at 1000 ms + 100 ms per byte, the rest is
// discarded at once, and the port stays open for the next send.
TEST(SerialFaultTest, XoffHeldTimesOutAndDiscardsTheRest) {
    PtyPrinter printer;
    PortRig rig;
    rig.OpenUnderXoff("COM1", printer);
    const auto start = Clock::now();
    EXPECT_EQ(FailureOf([&] { rig.actions.cutClick(); }),
              "WriteFile function failed (win error code: 110)");
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 1390ms);
    EXPECT_LT(elapsed, 1900ms);
    EXPECT_TRUE(rig.cp.Connected()) << "a failed write leaves the port open";
    printer.Send("\x11");
    EXPECT_EQ(ToHex(printer.ReadFor(100ms)), "") << "the rest reached the printer after XON";

    // The next send to the same port uses the open port and closes it.
    rig.actions.phClick();
    EXPECT_EQ(ToHex(printer.Read(6)), "02 03 80 1B 64 06");
    EXPECT_FALSE(rig.cp.Connected());
}

TEST(SerialFaultTest, SendToAnotherPortClosesTheOldOneFirst) {
    PtyPrinter first, second;
    PortRig rig;
    rig.devices.Set("COM2", second.SlavePath());
    rig.Use("COM1", first.SlavePath());
    rig.cp.Open();
    first.Send("\x13");
    EXPECT_NE(FailureOf([&] { rig.actions.cutClick(); }), "");
    ASSERT_TRUE(rig.cp.Connected());

    rig.inputs.port = "COM2";
    rig.actions.cutClick();
    EXPECT_EQ(ToHex(second.Read(4)), "1D 56 42 18");
    EXPECT_FALSE(rig.cp.Connected());
    EXPECT_TRUE(first.SlaveIsFree()) << "the first port is still held";
}

struct HangUpCase {
    std::string baudText; // a speed other than the open port's is handed to it first
    std::string message;
};

class HangUpTest : public testing::TestWithParam<HangUpCase> {};

// The printer goes away while the port is open: the send fails with EIO and the dead
// descriptor is released, so that the next send opens the device afresh.
TEST_P(HangUpTest, ReleasesTheDeadPort) {
    auto printer = std::make_unique<PtyPrinter>();
    PortRig rig;
    rig.Use("COM4", printer->SlavePath());
    rig.cp.SetPort("COM4");
    rig.cp.SetBaudRate(TBaudRate::br19200);
    rig.cp.Open();
    printer->HangUp();
    rig.inputs.baud = GetParam().baudText;
    EXPECT_EQ(FailureOf([&] { rig.actions.Button1Click(); }), GetParam().message);
    EXPECT_FALSE(rig.cp.Connected());

    printer = std::make_unique<PtyPrinter>(); // plugged in again
    rig.Use("COM4", printer->SlavePath());
    rig.actions.cutClick();
    EXPECT_EQ(ToHex(printer->Read(4)), "1D 56 42 18");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, HangUpTest,
    testing::Values(HangUpCase{"19200", "WriteFile function failed (win error code: 5)"},
                    HangUpCase{"4800", "SetCommState function failed (win error code: 5)"}));

TEST(TComPortTest, OperationsThatChangeNothingDoNothing) {
    PtyPrinter printer;
    DeviceMap devices;
    devices.Set("COM1", printer.SlavePath());
    TComPort cp(devices);
    cp.Close(); // closed already
    cp.Open();
    cp.Open(); // open already
    EXPECT_TRUE(cp.Connected());
    cp.SetPort("COM1"); // same name: no reopen
    EXPECT_EQ(cp.Write(""), 0u);
    EXPECT_EQ(cp.Write(Hex("00 11 13")), 3u);
    EXPECT_EQ(ToHex(printer.Read(3)), "00 11 13");
    cp.Close();
    EXPECT_FALSE(cp.Connected());
}

TEST(TComPortTest, SpeedChangeReachesAnOpenPortAtOnce) {
    PtyPrinter printer;
    DeviceMap devices;
    devices.Set("COM1", printer.SlavePath());
    TComPort cp(devices);
    sdChange(cp, "4800");
    EXPECT_EQ(cp.BaudRate(), TBaudRate::br4800);
    cp.Open();
    EXPECT_EQ(printer.Settings().speed, 4800);
    sdChange(cp, "115200");
    EXPECT_EQ(printer.Settings().speed, 115200);
}

TEST(TComPortTest, DestructorClosesAnOpenPort) {
    PtyPrinter printer;
    DeviceMap devices;
    devices.Set("COM1", printer.SlavePath());
    {
        TComPort cp(devices);
        cp.Open();
    }
    EXPECT_TRUE(printer.SlaveIsFree());
}

TEST(DispatchTest, EmptyOrUnknownPortTextBringsTheNotice) {
    for (const std::string text : {"", "lpt1", " LPT1", "LPT1 ", "COM5", "com1"}) {
        PortRig rig;
        rig.inputs.port = text;
        rig.dispatch.SendToSelectedPort(Hex("1D 56 42 18"));
        ASSERT_EQ(rig.notice.shown.size(), 1u) << "[" << text << "]";
        EXPECT_EQ(rig.notice.shown[0], PortNotice);
        EXPECT_FALSE(rig.cp.Connected());
        EXPECT_FALSE(rig.printerFile.IsOpen());
    }
}

} // namespace
