#include "ports/dispatch.h"

#include "ports/com_port.h"
#include "ports/device_map.h"
#include "ports/printer_file.h"

void PortDispatch::SendToSelectedPort(const Bytes& bytes) {
    const std::string portText = inputs_.PortText();
    const PortName* port = FindPortName(portText);
    if (port == nullptr) {
        // An unknown name gets the notice too: silence would look like a successful print.
        notice_.ShowNotice(PortNotice);
        return;
    }
    if (port->kind == PortKind::Parallel) {
        SendToParallelPort(port->name, bytes);
    } else {
        SendToSerialPort(port->name, inputs_.BaudText(), bytes);
    }
}

void PortDispatch::SendToParallelPort(const std::string& portName, const Bytes& bytes) {
    printerFile_.Assign(devices_.DeviceFor(portName));
    printerFile_.Rewrite();
    printerFile_.IOCheck();
    try {
        printerFile_.Write(bytes);
        printerFile_.Flush();
        printerFile_.IOCheck();
        printerFile_.Close();
        printerFile_.IOCheck();
    } catch (...) {
        printerFile_.Abandon();
        throw;
    }
}

void PortDispatch::SendToSerialPort(const std::string& portName, const std::string& baudText,
                                    const Bytes& bytes) {
    cp_.SetPort(portName);
    cp_.SetBaudRate(BaudRateFromText(baudText));
    cp_.Open();
    cp_.Write(bytes);
    cp_.Close();
}
