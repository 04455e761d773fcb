// virtual-printer: plays a receipt printer at the far end of a pseudo-terminal, so that
// printer-test can be tried without hardware and what it sent can be seen.
#include "tools/virtual_printer/escpos_decoder.h"
#include "tools/virtual_printer/line_settings.h"
#include "tools/virtual_printer/receipt_renderer.h"

#include <QGuiApplication>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char kXoff = 0x13;
constexpr int kPollMs = 50;
constexpr int kIdleFlushMs = 300; // a pause this long ends a text run or a cut-short command

volatile std::sig_atomic_t gStop = 0;

struct Options {
    std::string link;
    bool trace = false;
    std::string raw;
    std::string png;
    bool holdXoff = false;
    long hangupAfter = -1;
};

const char* kUsage =
    "usage: virtual-printer --link PATH [--trace] [--raw FILE] [--png DIR]\n"
    "                       [--hold-xoff] [--hangup-after N]\n"
    "  --link PATH        make PATH a symbolic link to the printer's port (removed on exit)\n"
    "  --trace            print each command as it arrives, and each change of line settings\n"
    "  --raw FILE         append every received byte to FILE\n"
    "  --png DIR          write a receipt preview per job (a job ends at a cut) into DIR\n"
    "  --hold-xoff        send XOFF and never XON, as a printer that takes nothing\n"
    "  --hangup-after N   hang up after N bytes, as a printer that goes away\n";

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--link" && hasValue) {
            options.link = argv[++i];
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--raw" && hasValue) {
            options.raw = argv[++i];
        } else if (arg == "--png" && hasValue) {
            options.png = argv[++i];
        } else if (arg == "--hold-xoff") {
            options.holdXoff = true;
        } else if (arg == "--hangup-after" && hasValue) {
            options.hangupAfter = std::strtol(argv[++i], nullptr, 10);
        } else {
            return std::nullopt;
        }
    }
    if (options.link.empty()) {
        return std::nullopt;
    }
    return options;
}

class Printer {
public:
    explicit Printer(const Options& options) : options_(options) {}
    int Run();

private:
    bool Open();
    void Receive(const char* data, size_t size);
    void Emit(const std::vector<Event>& events);
    void WritePreview(const QImage& image);
    void WatchLineSettings();
    void Close();

    const Options& options_;
    int master_ = -1;
    int slave_ = -1; // held open so that the port's settings and queue outlive each program open
    EscPosDecoder decoder_;
    ReceiptRenderer renderer_;
    std::ofstream raw_;
    std::optional<LineSettings> line_;
    long received_ = 0;
    int jobs_ = 0;
};

bool Printer::Open() {
    char name[256];
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return false;
    }
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    if (options_.holdXoff) {
        raw.c_iflag |= IXON; // so that the XOFF below stops the port even before it is set up
    }
    tcsetattr(slave_, TCSANOW, &raw);
    std::error_code ignored;
    if (fs::is_symlink(options_.link, ignored)) {
        fs::remove(options_.link, ignored);
    }
    if (symlink(name, options_.link.c_str()) != 0) {
        std::perror(("symlink " + options_.link).c_str());
        return false;
    }
    if (!options_.raw.empty()) {
        raw_.open(options_.raw, std::ios::binary | std::ios::app);
    }
    if (!options_.png.empty()) {
        fs::create_directories(options_.png, ignored);
    }
    if (options_.holdXoff) {
        [[maybe_unused]] ssize_t n = write(master_, &kXoff, 1);
        // The line discipline acts on it a moment later; the port is announced after that.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::cout << name << std::endl;
    return true;
}

void Printer::WatchLineSettings() {
    LineSettings now;
    try {
        now = ReadLineSettings(master_);
    } catch (const std::exception&) {
        return;
    }
    if (line_ && *line_ == now) {
        return;
    }
    line_ = now;
    if (options_.trace) {
        std::cout << "# line settings: " << DescribeLineSettings(now) << std::endl;
    }
    if (options_.holdXoff) {
        // A program that sets the line up may have restarted output; stop it again.
        [[maybe_unused]] ssize_t n = write(master_, &kXoff, 1);
    }
}

void Printer::Emit(const std::vector<Event>& events) {
    for (const Event& event : events) {
        if (options_.trace) {
            std::cout << TraceLine(event) << '\n';
        }
        renderer_.Apply(event);
    }
    std::cout.flush();
    for (const QImage& job : renderer_.TakeFinishedJobs()) {
        WritePreview(job);
    }
}

void Printer::WritePreview(const QImage& image) {
    if (options_.png.empty()) {
        return;
    }
    char name[32];
    std::snprintf(name, sizeof name, "job-%03d.png", ++jobs_);
    const fs::path path = fs::path(options_.png) / name;
    image.save(QString::fromStdString(path.string()));
    std::cout << "# preview: " << path.string() << std::endl;
}

void Printer::Receive(const char* data, size_t size) {
    received_ += static_cast<long>(size);
    if (raw_.is_open()) {
        raw_.write(data, static_cast<std::streamsize>(size));
        raw_.flush();
    }
    Emit(decoder_.Feed(std::string_view(data, size)));
}

int Printer::Run() {
    if (!Open()) {
        return 1;
    }
    int idleMs = 0;
    char buffer[4096];
    while (!gStop) {
        pollfd entry{master_, POLLIN, 0};
        const int ready = poll(&entry, 1, kPollMs);
        // After the wait: a program sets the line up before it writes, so new settings are
        // reported ahead of the bytes sent under them.
        WatchLineSettings();
        if (ready <= 0) {
            idleMs += kPollMs;
            if (idleMs >= kIdleFlushMs && decoder_.HasPending()) {
                Emit(decoder_.Finish());
            }
            continue;
        }
        idleMs = 0;
        size_t want = sizeof buffer;
        if (options_.hangupAfter >= 0) {
            want = std::min<size_t>(want, static_cast<size_t>(options_.hangupAfter - received_));
        }
        const ssize_t n = read(master_, buffer, want);
        if (n > 0) {
            Receive(buffer, static_cast<size_t>(n));
        }
        if (options_.hangupAfter >= 0 && received_ >= options_.hangupAfter) {
            std::cout << "# hanging up after " << received_ << " bytes" << std::endl;
            break;
        }
    }
    Close();
    return 0;
}

void Printer::Close() {
    Emit(decoder_.Finish());
    if (auto unfinished = renderer_.TakeUnfinishedJob()) {
        WritePreview(*unfinished);
    }
    close(master_); // the port hangs up
    close(slave_);
    std::error_code ignored;
    fs::remove(options_.link, ignored);
}

void OnSignal(int) {
    gStop = 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the previews need fonts, not a display
    }
    QGuiApplication application(argc, argv);
    struct sigaction action {};
    action.sa_handler = OnSignal; // no SA_RESTART: poll returns at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    return Printer(*options).Run();
}
