#include "tests/support/pty_printer.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/file.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

PtyPrinter::PtyPrinter() {
    char name[256];
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    slavePath_ = name;
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPrinter::~PtyPrinter() {
    for (int fd : {locker_, slave_, master_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

Bytes PtyPrinter::Read(size_t count, std::chrono::milliseconds wait) {
    Bytes received;
    char buffer[4096];
    while (received.size() < count) {
        pollfd entry{master_, POLLIN, 0};
        if (poll(&entry, 1, static_cast<int>(wait.count())) <= 0) {
            break;
        }
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && errno == EAGAIN) {
                continue;
            }
            break;
        }
        received.append(buffer, static_cast<size_t>(n));
    }
    return received;
}

Bytes PtyPrinter::ReadFor(std::chrono::milliseconds wait) {
    const auto end = std::chrono::steady_clock::now() + wait;
    Bytes received;
    while (std::chrono::steady_clock::now() < end) {
        received += Read(1 << 20, std::chrono::milliseconds(10));
    }
    return received;
}

void PtyPrinter::Send(const Bytes& bytes) {
    if (write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("write to the pty master failed");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

void PtyPrinter::EnableOutputFlowControl() {
    termios settings{};
    tcgetattr(slave_, &settings);
    settings.c_iflag |= IXON;
    tcsetattr(slave_, TCSANOW, &settings);
}

void PtyPrinter::HangUp() {
    close(master_);
    master_ = -1;
}

LineSettings PtyPrinter::Settings() const {
    return ReadLineSettings(master_);
}

bool PtyPrinter::SlaveIsFree() const {
    const int probe = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    const bool free = probe >= 0 && flock(probe, LOCK_EX | LOCK_NB) == 0;
    if (probe >= 0) {
        close(probe);
    }
    return free;
}

int PtyPrinter::LockSlave() {
    locker_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    if (locker_ < 0 || flock(locker_, LOCK_EX | LOCK_NB) != 0) {
        throw std::runtime_error("cannot lock the pty slave");
    }
    return locker_;
}
