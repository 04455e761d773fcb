#include "ports/com_port.h"

#include "commands/errors.h"
#include "ports/device_map.h"
#include "ports/serial_device.h"

#include <array>
#include <cerrno>

namespace {

struct BaudEntry {
    TBaudRate rate;
    const char* name;
    int bitsPerSecond;
};

constexpr std::array<BaudEntry, 16> kBaudRates{{
    {TBaudRate::brCustom, "Custom", kCustomBaudRate},
    {TBaudRate::br110, "110", 110},
    {TBaudRate::br300, "300", 300},
    {TBaudRate::br600, "600", 600},
    {TBaudRate::br1200, "1200", 1200},
    {TBaudRate::br2400, "2400", 2400},
    {TBaudRate::br4800, "4800", 4800},
    {TBaudRate::br9600, "9600", 9600},
    {TBaudRate::br14400, "14400", 14400},
    {TBaudRate::br19200, "19200", 19200},
    {TBaudRate::br38400, "38400", 38400},
    {TBaudRate::br56000, "56000", 56000},
    {TBaudRate::br57600, "57600", 57600},
    {TBaudRate::br115200, "115200", 115200},
    {TBaudRate::br128000, "128000", 128000},
    {TBaudRate::br256000, "256000", 256000},
}};

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

constexpr std::chrono::milliseconds kWritePerByte{100};
constexpr std::chrono::milliseconds kWriteConstant{1000};

} // namespace

TBaudRate BaudRateFromText(std::string_view text) {
    for (const BaudEntry& entry : kBaudRates) {
        if (EqualIgnoringAsciiCase(text, entry.name)) {
            return entry.rate;
        }
    }
    return TBaudRate::br9600;
}

int BaudRateValue(TBaudRate rate) {
    return kBaudRates.at(static_cast<size_t>(rate)).bitsPerSecond;
}

TComPort::TComPort(const DeviceMap& devices) : devices_(devices) {}

TComPort::~TComPort() {
    try {
        Close();
    } catch (const Exception&) {
        // The device is released by device_'s destructor all the same.
    }
}

void TComPort::SetPort(const std::string& name) {
    if (name == port_) {
        return;
    }
    port_ = name;
    if (Connected()) {
        Close();
        Open();
    }
}

void TComPort::SetBaudRate(TBaudRate rate) {
    if (rate == baudRate_) {
        return;
    }
    baudRate_ = rate;
    if (Connected()) {
        OnDevice([&] { device_->SetSpeed(BaudRateValue(rate)); });
    }
}

void TComPort::Open() {
    if (Connected()) {
        return;
    }
    const std::string path = devices_.DeviceFor(port_);
    if (path.empty()) {
        throw EComPort(ComStep::OpenDevice, ENOENT);
    }
    device_ = SerialDevice::Open(path, BaudRateValue(baudRate_));
}

size_t TComPort::Write(const Bytes& bytes) {
    if (bytes.empty()) {
        return 0;
    }
    if (!Connected()) {
        throw EComPort(ComStep::Write, EBADF);
    }
    const auto limit = kWritePerByte * static_cast<long>(bytes.size()) + kWriteConstant;
    size_t written = 0;
    OnDevice([&] { written = device_->Write(bytes, limit); });
    return written;
}

void TComPort::Close() {
    if (!Connected()) {
        return;
    }
    OnDevice([&] { device_->Close(); });
    device_.reset();
}

void TComPort::OnDevice(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const EComPort&) {
        if (!device_->IsOpen()) {
            device_.reset(); // the device went away: the port counts as closed
        }
        throw;
    }
}

void sdChange(TComPort& cp, std::string_view baudText) {
    cp.SetBaudRate(BaudRateFromText(baudText));
}
