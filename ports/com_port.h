#pragma once

#include "commands/bytes.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class DeviceMap;
class SerialDevice;

// The line speeds the serial layer knows, in the order in which texts are matched.
enum class TBaudRate {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000,
};

inline constexpr int kCustomBaudRate = 9600;

// The speed whose name equals the whole text, ignoring the case of a-z ("Custom" is a name);
// br9600 for any other text. Nothing is trimmed: " 19200" gives br9600.
TBaudRate BaudRateFromText(std::string_view text);
// Bits per second; brCustom runs at kCustomBaudRate.
int BaudRateValue(TBaudRate rate);

// The serial port of the window, used for output only: 8 data bits, no parity, one stop bit,
// XON/XOFF in both directions (DC1/DC3, only XON resumes), no hardware handshake, DTR on and
// RTS off while open, every byte passed unchanged.
//
// Every failure throws EComPort. A port left open by a failed write or close stays open until
// the next Close() or the destructor; a failure because the device went away (EIO: hung up,
// unplugged) closes the port, so that the next send opens the device afresh.
class TComPort {
public:
    explicit TComPort(const DeviceMap& devices);
    ~TComPort();
    TComPort(const TComPort&) = delete;
    TComPort& operator=(const TComPort&) = delete;

    // A different name on an open port closes it and opens the new one at the stored speed.
    void SetPort(const std::string& name);
    const std::string& Port() const noexcept { return port_; }
    // A different speed on an open port is handed to the driver at once.
    void SetBaudRate(TBaudRate rate);
    TBaudRate BaudRate() const noexcept { return baudRate_; }

    // Opens the device of Port() for exclusive use with every setting applied; does nothing
    // when already open. A refused setting leaves the port closed.
    void Open();
    // Sends all bytes and waits until they have left, within 100 ms per byte plus 1000 ms.
    // At that deadline the unsent rest is discarded and EComPort (WriteFile, ETIMEDOUT) is
    // thrown and the port stays open. Returns the number of bytes written.
    size_t Write(const Bytes& bytes);
    // Discards pending input and releases the device; does nothing when already closed.
    void Close();
    bool Connected() const noexcept { return device_ != nullptr; }

private:
    // Runs an operation on the open device; one that lost the device leaves the port closed.
    void OnDevice(const std::function<void()>& operation);

    const DeviceMap& devices_;
    std::string port_ = "COM1";
    TBaudRate baudRate_ = TBaudRate::brCustom;
    std::unique_ptr<SerialDevice> device_;
};

// The change handler of the baud box: stores the speed, or hands it to a port left open.
void sdChange(TComPort& cp, std::string_view baudText);
