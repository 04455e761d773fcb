#include "commands/errors.h"
#include "tests/support/port_fixture.h"
#include "tests/support/syscall_override.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// What the seam saw: the size of each write and the opens and closes of descriptors.
struct Seen {
    std::vector<size_t> writes;
    int opens = 0;
    int closes = 0;
    size_t failAt = SIZE_MAX; // the write (0-based) that fails
    int failWith = 0;
    PtyPrinter* hangUpAt = nullptr; // hang this printer up instead of failing with failWith
    Bytes readBeforeHangUp;
};
Seen gSeen;

void Record() {
    sys().open = [](const char* path, int flags, mode_t mode) {
        ++gSeen.opens;
        return RealSysCalls().open(path, flags, mode);
    };
    sys().close = [](int fd) {
        ++gSeen.closes;
        return RealSysCalls().close(fd);
    };
    sys().write = [](int fd, const void* data, size_t size) -> ssize_t {
        if (gSeen.writes.size() == gSeen.failAt) {
            gSeen.failAt = SIZE_MAX;
            if (gSeen.hangUpAt != nullptr) {
                gSeen.readBeforeHangUp = gSeen.hangUpAt->ReadFor(50ms);
                gSeen.hangUpAt->HangUp();
            } else {
                errno = gSeen.failWith;
                return -1;
            }
        }
        gSeen.writes.push_back(size);
        return RealSysCalls().write(fd, data, size);
    };
}

std::vector<size_t> ExpectedWriteSizes() {
    std::vector<size_t> sizes{2};
    for (int pass = 0; pass < 2; ++pass) {
        sizes.push_back(3);
        sizes.insert(sizes.end(), 128, 1);
        sizes.push_back(2);
        sizes.push_back(3);
        sizes.insert(sizes.end(), 128, 1);
        sizes.push_back(3);
    }
    sizes.push_back(4);
    return sizes;
}

Bytes ExpectedStream() {
    Bytes run;
    for (int code = 0x80; code <= 0xFF; ++code) {
        run.push_back(static_cast<char>(code));
    }
    return Hex("1B 40 1B 21 00") + run + Hex("0A 0A 1B 21 30") + run + Hex("0A 1B 40 1B 21 01") +
           run + Hex("0A 0A 1B 21 31") + run + Hex("0A 1B 40 1D 56 41 48");
}

struct ChartPort {
    const char* port;
    const char* baud;
};

class ChartOverPortTest : public testing::TestWithParam<ChartPort> {};

TEST_P(ChartOverPortTest, ExactStreamInItsPiecesWithinOneOpening) {
    PtyPrinter printer;
    PortRig rig;
    rig.Use(GetParam().port, printer.SlavePath());
    rig.inputs.baud = GetParam().baud;
    for (int run = 0; run < 2; ++run) {
        gSeen = {};
        {
            SysCallOverride restore;
            Record();
            rig.actions.ptClick();
        }
        EXPECT_EQ(printer.Read(540), ExpectedStream()) << "run " << run;
        EXPECT_EQ(gSeen.writes, ExpectedWriteSizes());
        EXPECT_EQ(gSeen.opens, 1);
        EXPECT_EQ(gSeen.closes, 1);
        EXPECT_EQ(ToHex(rig.actions.CommandText), "1B 21 31");
    }
    if (std::string(GetParam().port).starts_with("COM")) {
        EXPECT_EQ(printer.Settings().speed, 9600);
    }
    EXPECT_FALSE(rig.cp.Connected());
    EXPECT_FALSE(rig.printerFile.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Ports, ChartOverPortTest,
                         testing::Values(ChartPort{"COM3", "9600"}, ChartPort{"LPT2", "19200"}));

TEST(ChartOverPortTest, EmptyOrUnknownPortBringsTheNotice) {
    for (const char* text : {"", "com3", "LPT3"}) {
        PortRig rig;
        rig.inputs.port = text;
        rig.actions.ptClick();
        EXPECT_EQ(rig.notice.shown.size(), 1u) << text;
        EXPECT_TRUE(rig.actions.CommandText.empty()) << "the chart began without a port";
    }
}

struct ChartFault {
    std::string name;
    const char* port;
    int failWith; // 0: the far end hangs up
    std::string message;
    bool serialLeftOpen;
};

class ChartFaultTest : public testing::TestWithParam<ChartFault> {};

// Write 400 lies in the second run of pass 1: everything before it arrives, nothing after.
TEST_P(ChartFaultTest, StopsAtTheFailedWrite) {
    const ChartFault& c = GetParam();
    PtyPrinter printer;
    PortRig rig;
    rig.Use(c.port, printer.SlavePath());
    gSeen = {};
    gSeen.failAt = 400;
    gSeen.failWith = c.failWith;
    gSeen.hangUpAt = c.failWith == 0 ? &printer : nullptr;
    std::string message;
    {
        SysCallOverride restore;
        Record();
        try {
            rig.actions.ptClick();
        } catch (const Exception& error) {
            message = error.Message();
        }
    }
    EXPECT_EQ(message, c.message);
    const Bytes arrived = c.failWith == 0 ? gSeen.readBeforeHangUp : printer.ReadFor(100ms);
    const Bytes expected = ExpectedStream();
    size_t sentBytes = 0;
    for (size_t i = 0; i < 400; ++i) {
        sentBytes += ExpectedWriteSizes()[i];
    }
    EXPECT_EQ(ToHex(arrived), ToHex(expected.substr(0, sentBytes)));
    EXPECT_EQ(gSeen.writes.size(), c.failWith == 0 ? 401u : 400u) << "writes went on";
    EXPECT_EQ(rig.cp.Connected(), c.serialLeftOpen);
    EXPECT_FALSE(rig.printerFile.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ChartFaultTest,
    testing::Values(ChartFault{"SerialWriteRefused", "COM1", EINVAL,
                               "WriteFile function failed (win error code: 22)", true},
                    ChartFault{"SerialHungUp", "COM1", 0,
                               "WriteFile function failed (win error code: 5)", false},
                    ChartFault{"ParallelWriteFails", "LPT1", EIO, "I/O error 5", false}),
    [](const auto& info) { return info.param.name; });

// A printer that holds XOFF stops the chart at its first write, instead of 522 time-outs.
TEST(ChartXoffTest, HeldXoffStopsTheChartWithAnError) {
    PtyPrinter printer;
    PortRig rig;
    rig.OpenUnderXoff("COM2", printer);
    const auto start = Clock::now();
    EXPECT_THROW(rig.actions.ptClick(), EComPort);
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 1190ms); // the first piece is 2 bytes: 1000 + 2 x 100 ms
    EXPECT_LT(elapsed, 1700ms);
    printer.Send("\x11");
    EXPECT_EQ(ToHex(printer.ReadFor(100ms)), "");
    EXPECT_TRUE(rig.cp.Connected());
}

} // namespace
