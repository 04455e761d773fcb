#include "commands/errors.h"
#include "tests/support/action_cases.h"
#include "tests/support/port_fixture.h"
#include "tests/support/syscall_override.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class ParallelActionTest : public testing::TestWithParam<ActionCase> {};

// "LPT1" mapped to a pseudo-terminal slave, a character device like a parallel port.
TEST_P(ParallelActionTest, BytesArriveExactly) {
    const ActionCase& c = GetParam();
    PtyPrinter printer;
    PortRig rig;
    rig.Use("LPT1", printer.SlavePath());
    ApplyInputs(c, rig.inputs);
    (rig.actions.*c.action)();
    const std::string expected = c.lpt1Bytes.empty() ? c.bytes : c.lpt1Bytes;
    EXPECT_EQ(ToHex(printer.Read(Hex(expected).size())), expected);
    EXPECT_EQ(ToHex(printer.ReadFor(50ms)), "") << "more than the action's bytes arrived";
    EXPECT_FALSE(rig.printerFile.IsOpen());
    EXPECT_TRUE(rig.notice.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Actions, ParallelActionTest, testing::ValuesIn(AllActionCases()),
                         ActionCaseName);

fs::path TempDir() {
    fs::path dir = fs::temp_directory_path() / ("printer-test-" + std::to_string(getpid()));
    fs::create_directories(dir);
    return dir;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ParallelFileTest, RegularFileGetsTheBytesAndIsEmptiedFirst) {
    const fs::path file = TempDir() / "capture.bin";
    std::ofstream(file) << "old content that must go";
    PortRig rig;
    rig.Use("LPT2", file.string());
    rig.actions.cutClick();
    EXPECT_EQ(ToHex(Slurp(file)), "1D 56 42 18");
    rig.actions.cutClick();
    EXPECT_EQ(ToHex(Slurp(file)), "1D 56 42 18") << "each send starts the file afresh";
}

struct FaultCase {
    std::string name;
    std::string path;
    std::string message;
};

class ParallelFaultTest : public testing::TestWithParam<FaultCase> {};

// Each fault is reported with its message, creates nothing, leaves the channel closed, and
// the next send to a working device runs normally.
TEST_P(ParallelFaultTest, ReportsAndRecovers) {
    const FaultCase& c = GetParam();
    const std::string path = c.path == "<dir>" ? TempDir().string() : c.path;
    PortRig rig;
    rig.Use("LPT1", path);
    try {
        rig.actions.Button1Click();
        FAIL() << "no failure";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), c.message);
    }
    EXPECT_FALSE(rig.printerFile.IsOpen());
    if (path.starts_with("/dev/printer-test")) {
        EXPECT_FALSE(fs::exists(path)) << "a file was created under /dev";
    }
    PtyPrinter printer;
    rig.Use("LPT1", printer.SlavePath());
    rig.actions.cutClick();
    EXPECT_EQ(ToHex(printer.Read(4)), "1D 56 42 18");
}

INSTANTIATE_TEST_SUITE_P(
    Devices, ParallelFaultTest,
    testing::Values(FaultCase{"MissingDevice", "/dev/printer-test-missing", "File not found"},
                    FaultCase{"Full", "/dev/full", "Disk full"},
                    FaultCase{"Directory", "<dir>", "I/O error 21"},
                    FaultCase{"MissingFolder", "/nonexistent-printer-dir/x", "File not found"},
                    FaultCase{"ThroughAFile", "/proc/self/status/x", "Invalid filename"}),
    [](const auto& info) { return info.param.name; });

// System-call failures that a device cannot be made to show, through the seam.
struct InjectedCase {
    std::string name;
    void (*inject)();
    std::string message; // empty: the send succeeds
};

int gCalls = 0;
int gCloses = 0;

ssize_t FailFirstWrite(int err, int fd, const void* data, size_t size) {
    if (gCalls++ == 0) {
        errno = err;
        return -1;
    }
    return RealSysCalls().write(fd, data, size);
}

const InjectedCase kInjected[] = {
    {"OpenDenied", [] { sys().open = [](const char*, int, mode_t) { return errno = EACCES, -1; }; },
     "File access denied"},
    {"TooManyFiles",
     [] { sys().open = [](const char*, int, mode_t) { return errno = EMFILE, -1; }; },
     "Too many open files"},
    {"WriteEio",
     [] { sys().write = [](int, const void*, size_t) -> ssize_t { return errno = EIO, -1; }; },
     "I/O error 5"},
    {"WriteEintrRetried",
     [] {
         sys().write = [](int fd, const void* d, size_t n) {
             return FailFirstWrite(EINTR, fd, d, n);
         };
     },
     ""},
    {"WriteEagainWaits",
     [] {
         sys().write = [](int fd, const void* d, size_t n) {
             return FailFirstWrite(EAGAIN, fd, d, n);
         };
     },
     ""},
    {"PartialWrites",
     [] {
         sys().write = [](int fd, const void* d, size_t) { return RealSysCalls().write(fd, d, 1); };
     },
     ""},
    {"KindUnknown",
     [] {
         sys().fstat = [](int, struct stat*) { return errno = EIO, -1; };
         sys().close = [](int fd) { return ++gCloses, RealSysCalls().close(fd); };
     },
     "I/O error 105"},
};

class ParallelInjectedTest : public testing::TestWithParam<InjectedCase> {};

TEST_P(ParallelInjectedTest, MessageOrCompleteDelivery) {
    PtyPrinter printer;
    PortRig rig;
    rig.Use("LPT1", printer.SlavePath());
    gCalls = gCloses = 0;
    try {
        SysCallOverride restore;
        GetParam().inject();
        rig.actions.phClick();
        EXPECT_EQ(GetParam().message, "") << "no failure";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), GetParam().message);
    }
    const Bytes arrived = printer.ReadFor(50ms);
    EXPECT_EQ(ToHex(arrived), GetParam().message.empty() ? "02 03 80 1B 64 06" : "");
    EXPECT_FALSE(rig.printerFile.IsOpen());
    if (GetParam().name == "KindUnknown") {
        EXPECT_EQ(gCloses, 1) << "the handle of unknown kind was not released";
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, ParallelInjectedTest, testing::ValuesIn(kInjected),
                         [](const auto& info) { return info.param.name; });

// An offline printer takes nothing: the send fails after the stall limit instead of hanging,
// and the device is released with nothing left to trickle out later.
TEST(ParallelStallTest, PrinterThatTakesNothingTimesOut) {
    PtyPrinter printer;
    printer.EnableOutputFlowControl();
    printer.Send("\x13");
    PortRig rig(300ms);
    rig.Use("LPT1", printer.SlavePath());
    const auto start = std::chrono::steady_clock::now();
    try {
        rig.actions.cutClick();
        FAIL() << "no failure";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "I/O error 110");
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, 290ms);
    EXPECT_LT(elapsed, 1000ms);
    EXPECT_FALSE(rig.printerFile.IsOpen());
    printer.Send("\x11");
    EXPECT_EQ(ToHex(printer.ReadFor(100ms)), "");
}

TEST(PrinterFileTest, OperationsOnAClosedChannelRecordAndCheckClears) {
    PrinterFile file;
    file.Write("x");
    EXPECT_THROW(
        {
            try {
                file.IOCheck();
            } catch (const EInOutError& error) {
                EXPECT_EQ(error.ErrorCode(), 105);
                throw;
            }
        },
        EInOutError);
    EXPECT_NO_THROW(file.IOCheck()) << "the check did not clear the failure";
    file.Write("x");
    file.Flush(); // the later failure replaces the earlier one
    try {
        file.IOCheck();
        FAIL();
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "I/O error 103");
    }
    file.Close();
    EXPECT_THROW(file.IOCheck(), EInOutError);
}

TEST(IoFailureTest, ErrnoToCodeAndMessage) {
    struct Row {
        int errnum, code;
        const char* message;
    };
    for (const Row& row :
         {Row{ENOENT, 2, "File not found"}, Row{ENOTDIR, 3, "Invalid filename"},
          Row{ENAMETOOLONG, 3, "Invalid filename"}, Row{EMFILE, 4, "Too many open files"},
          Row{ENFILE, 4, "Too many open files"}, Row{EACCES, 5, "File access denied"},
          Row{EPERM, 5, "File access denied"}, Row{EROFS, 5, "File access denied"},
          Row{ENOSPC, 101, "Disk full"}, Row{EIO, 5, "I/O error 5"},
          Row{EISDIR, 21, "I/O error 21"}, Row{ETIMEDOUT, 110, "I/O error 110"}}) {
        const IoFailure failure = IoFailureFromErrno(row.errnum);
        EXPECT_EQ(failure.code, row.code) << row.errnum;
        EXPECT_EQ(failure.message, row.message) << row.errnum;
    }
}

} // namespace
