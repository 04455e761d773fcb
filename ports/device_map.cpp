#include "ports/device_map.h"

#include <cstdlib>

const PortName* FindPortName(std::string_view text) {
    for (const PortName& port : kPortNames) {
        if (text == port.name) {
            return &port;
        }
    }
    return nullptr;
}

DeviceMap::DeviceMap() {
    for (const PortName& port : kPortNames) {
        devices_[port.name] = port.defaultDevice;
    }
}

DeviceMap DeviceMap::FromEnvironment() {
    DeviceMap map;
    for (const PortName& port : kPortNames) {
        const char* value = std::getenv((std::string("PRINTER_TEST_") + port.name).c_str());
        if (value != nullptr && *value != '\0') {
            map.Set(port.name, value);
        }
    }
    return map;
}

std::string DeviceMap::DeviceFor(std::string_view portName) const {
    const auto found = devices_.find(portName);
    return found == devices_.end() ? std::string() : found->second;
}

void DeviceMap::Set(const std::string& portName, std::string devicePath) {
    devices_[portName] = std::move(devicePath);
}
