// virtual-printer as a child process at the far end, printer-test's own code driving the send.
#include "commands/errors.h"
#include "tests/support/port_fixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

extern char** environ;

namespace {

class VirtualPrinter {
public:
    explicit VirtualPrinter(std::vector<std::string> args) {
        dir_ = fs::temp_directory_path() /
               ("vp-test-" + std::to_string(getpid()) + "-" + std::to_string(counter_++));
        fs::create_directories(dir_);
        link_ = (dir_ / "printer").string();
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i - 1] == "--png" && args[i].empty()) {
                args[i] = PngDir(); // "--png" "" stands for this printer's own folder
            }
        }
        args.insert(args.begin(), {VIRTUAL_PRINTER_PATH, "--link", link_, "--raw", RawPath()});
        int out[2];
        if (pipe(out) != 0) {
            throw std::runtime_error("pipe");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            throw std::runtime_error("cannot start virtual-printer");
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        out_ = out[0];
        ReadUntil('\n', 5000ms); // the slave's path: the port is ready
    }
    ~VirtualPrinter() {
        if (pid_ > 0) {
            Stop();
        }
        close(out_);
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    const std::string& Link() const { return link_; }
    std::string RawPath() const { return (dir_ / "raw.bin").string(); }
    std::string PngDir() const { return (dir_ / "png").string(); }
    Bytes Raw() const {
        std::ifstream in(RawPath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Ends it with SIGTERM and returns everything it printed.
    std::string Stop() {
        std::this_thread::sleep_for(400ms); // let it read and trace what is in flight
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ReadUntil('\0', 1000ms);
        return output_;
    }
    int Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        ReadUntil('\0', 1000ms);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& Output() const { return output_; }
    int exitStatus = -1;

private:
    void ReadUntil(char end, std::chrono::milliseconds wait) {
        char buffer[4096];
        for (;;) {
            pollfd entry{out_, POLLIN, 0};
            if (poll(&entry, 1, static_cast<int>(wait.count())) <= 0) {
                return;
            }
            const ssize_t n = read(out_, buffer, sizeof buffer);
            if (n <= 0) {
                return;
            }
            output_.append(buffer, static_cast<size_t>(n));
            if (end != '\0' && output_.find(end) != std::string::npos) {
                return;
            }
        }
    }

    static inline int counter_ = 0;
    fs::path dir_;
    std::string link_;
    pid_t pid_ = -1;
    int out_ = -1;
    std::string output_;
};

int CountLines(const std::string& text, const std::string& needle) {
    int count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        count += line.find(needle) != std::string::npos;
    }
    return count;
}

TEST(VirtualPrinterTest, TracesTheTestPrintAndTheChart) {
    VirtualPrinter printer({"--trace", "--png", ""});
    PortRig rig;
    rig.Use("COM1", printer.Link());
    rig.actions.Button1Click();
    rig.actions.ptClick();
    const std::string trace = printer.Stop();
    EXPECT_EQ(printer.exitStatus, 0);
    EXPECT_FALSE(fs::exists(printer.Link())) << "the link outlived the printer";

    const std::string fortyH = "\"" + std::string(40, 'H') + "\" (40 chars)";
    EXPECT_EQ(CountLines(trace, fortyH), 6) << trace;
    EXPECT_EQ(CountLines(trace, "(128 chars)"), 4);
    EXPECT_EQ(CountLines(trace, "print mode: font A"), 2);
    EXPECT_EQ(CountLines(trace, "print mode: font B"), 2);
    EXPECT_EQ(CountLines(trace, "double height, double width"), 2);
    EXPECT_EQ(CountLines(trace, "GS V 65 72      feed to the cutter plus 72 dots, full cut"), 1);
    EXPECT_EQ(CountLines(trace, "# line settings: 19200 baud, 8 data bits, no parity, 1 stop bit, "
                                "XON/XOFF output on, input on"),
              1);
    EXPECT_LT(trace.find("# line settings: 19200"), trace.find(fortyH))
        << "the settings were reported after the bytes sent under them";
    EXPECT_EQ(printer.Raw().size(), 259u + 540u);
}

TEST(VirtualPrinterTest, ServesAParallelMappingAndWritesPreviews) {
    VirtualPrinter printer({"--trace"});
    PortRig rig;
    rig.Use("LPT1", printer.Link());
    rig.actions.OpenClick();
    rig.actions.cutClick();
    const std::string trace = printer.Stop();
    EXPECT_EQ(CountLines(trace, "drawer pulse on pin 5"), 1) << trace;
    EXPECT_EQ(CountLines(trace, "partial cut"), 1);
    EXPECT_EQ(ToHex(printer.Raw()), "1B 70 01 32 32 0D 1D 56 42 18");
}

TEST(VirtualPrinterTest, PreviewPerJob) {
    VirtualPrinter printer({"--png", ""});
    PortRig rig;
    rig.Use("COM2", printer.Link());
    rig.actions.Button1Click();
    rig.actions.cutClick(); // ends the first job
    rig.actions.ptClick();  // a job of its own, ended by its cut
    printer.Stop();
    const fs::path png = printer.PngDir();
    EXPECT_TRUE(fs::exists(png / "job-001.png"));
    EXPECT_TRUE(fs::exists(png / "job-002.png"));
    EXPECT_FALSE(fs::exists(png / "job-003.png"));
}

TEST(VirtualPrinterTest, HoldXoffMakesTheSendTimeOut) {
    VirtualPrinter printer({"--hold-xoff"});
    PortRig rig(300ms);
    rig.Use("COM1", printer.Link());
    try {
        rig.actions.cutClick();
        FAIL() << "the send went through a printer holding XOFF";
    } catch (const EComPort& error) {
        EXPECT_EQ(error.Message(), "WriteFile function failed (win error code: 110)");
    }
    rig.Use("LPT1", printer.Link());
    EXPECT_THROW(rig.actions.cutClick(), EInOutError);
    printer.Stop();
    EXPECT_EQ(printer.Raw(), "");
}

TEST(VirtualPrinterTest, HangsUpAfterNBytes) {
    VirtualPrinter printer({"--hangup-after", "100"});
    PortRig rig;
    rig.Use("COM1", printer.Link());
    rig.actions.Button1Click(); // fits in the port's queue; the printer goes away at byte 100
    EXPECT_EQ(printer.Wait(), 0);
    EXPECT_EQ(printer.Raw().size(), 100u);
    EXPECT_FALSE(fs::exists(printer.Link()));
    EXPECT_THROW(rig.actions.cutClick(), EComPort) << "the printer is gone";
}

} // namespace
