#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

// One open serial device, owned by TComPort while the port is open. The platform's file
// (serial_posix.cpp) implements it. Every failure throws EComPort with the platform's error
// number; the destructor releases the device and never throws.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens `path` for exclusive use with raw line settings at `bitsPerSecond`.
    static std::unique_ptr<SerialDevice> Open(const std::string& path, int bitsPerSecond);

    // Hands the line settings to the driver again with a new speed.
    virtual void SetSpeed(int bitsPerSecond) = 0;
    // Writes all of `data` and waits until the driver's queue has drained, within `limit`;
    // at the limit, discards the unsent rest and throws (WriteFile, ETIMEDOUT).
    virtual size_t Write(std::string_view data, std::chrono::milliseconds limit) = 0;
    // Discards pending input and releases the device.
    virtual void Close() = 0;
    // False once the device has been released.
    virtual bool IsOpen() const noexcept = 0;
};
