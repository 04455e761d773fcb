// The serial device on Linux: termios2 for any speed, flock + TIOCEXCL for exclusive use,
// non-blocking writes bounded by poll() and a drain that cannot outlast the write's deadline.
#include "commands/errors.h"
#include "ports/file_descriptor.h"
#include "ports/posix_io.h"
#include "ports/serial_device.h"
#include "ports/syscalls.h"

// asm/termbits.h brings termios2 and BOTHER; it cannot be combined with <termios.h>, so the
// flush and drain calls below are made through ioctl.
#include <asm/termbits.h>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr cc_t kXon = 0x11;
constexpr cc_t kXoff = 0x13;

struct SpeedCode {
    int bitsPerSecond;
    unsigned code;
};

constexpr SpeedCode kStandardSpeeds[] = {
    {110, B110},     {300, B300},     {600, B600},       {1200, B1200},
    {2400, B2400},   {4800, B4800},   {9600, B9600},     {19200, B19200},
    {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
};

// The standard speed code, or BOTHER to have the driver take c_ospeed as it stands.
unsigned SpeedCodeFor(int bitsPerSecond) {
    for (const SpeedCode& speed : kStandardSpeeds) {
        if (speed.bitsPerSecond == bitsPerSecond) {
            return speed.code;
        }
    }
    return BOTHER;
}

int Ioctl(int fd, unsigned long request, void* arg) {
    int result;
    do {
        result = sys().ioctl(fd, request, arg);
    } while (result != 0 && errno == EINTR);
    return result;
}

void* IntArg(int value) {
    return reinterpret_cast<void*>(static_cast<intptr_t>(value));
}

// Pseudo-terminals and some adapters have no modem lines; that is not a failure.
bool NoModemLines(int errnum) {
    return errnum == ENOTTY || errnum == EINVAL;
}

// The device has gone away under the open port (hung up, unplugged).
bool DeviceGone(int errnum) {
    return errnum == EIO || errnum == ENXIO || errnum == ENODEV || errnum == EPIPE;
}

class PosixSerialDevice final : public SerialDevice {
public:
    explicit PosixSerialDevice(FileDescriptor fd) : fd_(std::move(fd)) {}
    ~PosixSerialDevice() override { Release(); }

    void SetSpeed(int bitsPerSecond) override;
    size_t Write(std::string_view data, std::chrono::milliseconds limit) override;
    void Close() override;
    bool IsOpen() const noexcept override { return fd_.IsOpen(); }

private:
    [[noreturn]] void Fail(ComStep step, int errnum);
    int WaitDrained(Clock::time_point deadline);
    void Release() noexcept;

    FileDescriptor fd_;
};

void PosixSerialDevice::Fail(ComStep step, int errnum) {
    if (DeviceGone(errnum)) {
        Release(); // a hung-up descriptor never works again; the next open gets a fresh one
    }
    throw EComPort(step, errnum);
}

void PosixSerialDevice::SetSpeed(int bitsPerSecond) {
    termios2 settings{};
    if (Ioctl(fd_.Get(), TCGETS2, &settings) != 0) {
        Fail(ComStep::SetLineSettings, errno);
    }
    const unsigned speed = SpeedCodeFor(bitsPerSecond);
    settings.c_iflag = IXON | IXOFF; // no IXANY: only XON may resume output
    settings.c_oflag = 0;
    settings.c_lflag = 0;
    settings.c_cflag = CS8 | CREAD | CLOCAL | HUPCL | speed | (speed << IBSHIFT);
    settings.c_ispeed = static_cast<speed_t>(bitsPerSecond);
    settings.c_ospeed = static_cast<speed_t>(bitsPerSecond);
    std::memset(settings.c_cc, 0, sizeof settings.c_cc);
    settings.c_cc[VSTART] = kXon;
    settings.c_cc[VSTOP] = kXoff;
    if (Ioctl(fd_.Get(), TCSETS2, &settings) != 0) {
        Fail(ComStep::SetLineSettings, errno);
    }
    int dtr = TIOCM_DTR;
    int rts = TIOCM_RTS;
    for (auto [request, bits] : {std::pair{TIOCMBIS, &dtr}, std::pair{TIOCMBIC, &rts}}) {
        if (Ioctl(fd_.Get(), request, bits) != 0 && !NoModemLines(errno)) {
            Fail(ComStep::SetLineSettings, errno);
        }
    }
}

// Returns 0 once the output queue is empty, ETIMEDOUT at the deadline, or an errno.
int PosixSerialDevice::WaitDrained(Clock::time_point deadline) {
    for (;;) {
        int queued = 0;
        if (Ioctl(fd_.Get(), TIOCOUTQ, &queued) != 0) {
            return errno;
        }
        if (queued == 0) {
            break;
        }
        if (Clock::now() >= deadline) {
            return ETIMEDOUT;
        }
        // The driver signals no event when its queue empties, so it is sampled.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // The queue is empty; this only waits for the last character to leave the transmitter.
    return Ioctl(fd_.Get(), TCSBRK, IntArg(1)) == 0 ? 0 : errno;
}

size_t PosixSerialDevice::Write(std::string_view data, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    WriteResult result = WriteAllWithin(fd_.Get(), data, {limit, false});
    if (result.error == 0) {
        result.error = WaitDrained(deadline);
    }
    if (result.error == ETIMEDOUT) {
        // Dropped now, so that the rest can never reach the printer later as half a command.
        Ioctl(fd_.Get(), TCFLSH, IntArg(TCOFLUSH));
    }
    if (result.error != 0) {
        Fail(ComStep::Write, result.error);
    }
    return result.written;
}

void PosixSerialDevice::Close() {
    if (Ioctl(fd_.Get(), TCFLSH, IntArg(TCIFLUSH)) != 0) {
        Fail(ComStep::Purge, errno);
    }
    Release();
}

void PosixSerialDevice::Release() noexcept {
    if (fd_.IsOpen()) {
        Ioctl(fd_.Get(), TIOCNXCL, nullptr);
        fd_.Close(); // also drops the flock
    }
}

} // namespace

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path, int bitsPerSecond) {
    FileDescriptor fd(sys().open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0));
    if (!fd.IsOpen()) {
        throw EComPort(ComStep::OpenDevice, errno);
    }
    if (sys().flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 || Ioctl(fd.Get(), TIOCEXCL, nullptr) != 0) {
        throw EComPort(ComStep::OpenDevice, errno);
    }
    auto device = std::make_unique<PosixSerialDevice>(std::move(fd));
    device->SetSpeed(bitsPerSecond);
    return device;
}
