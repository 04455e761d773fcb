#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

enum class PortKind { Parallel, Serial };

struct PortName {
    const char* name;
    PortKind kind;
    const char* defaultDevice;
};

// The six port names, in the order in which the port text is compared with them.
inline constexpr std::array<PortName, 6> kPortNames{{
    {"LPT1", PortKind::Parallel, "/dev/lp0"},
    {"LPT2", PortKind::Parallel, "/dev/lp1"},
    {"COM1", PortKind::Serial, "/dev/ttyS0"},
    {"COM2", PortKind::Serial, "/dev/ttyS1"},
    {"COM3", PortKind::Serial, "/dev/ttyS2"},
    {"COM4", PortKind::Serial, "/dev/ttyS3"},
}};

// The port name that the whole of `text` equals, exactly and case-sensitively, or nullptr.
const PortName* FindPortName(std::string_view text);

// Which device path each port name stands for on this machine.
class DeviceMap {
public:
    // The defaults of kPortNames.
    DeviceMap();
    // The defaults, each overridden by the environment variable PRINTER_TEST_<name> when it
    // is set and not empty (e.g. PRINTER_TEST_LPT1=/dev/usb/lp0).
    static DeviceMap FromEnvironment();

    // The device path of a port name; empty for a text that is no port name.
    std::string DeviceFor(std::string_view portName) const;
    void Set(const std::string& portName, std::string devicePath);

private:
    std::map<std::string, std::string, std::less<>> devices_;
};
