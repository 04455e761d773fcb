#include "ports/dispatch.h"

#include "ports/com_port.h"
#include "ports/device_map.h"
#include "ports/printer_file.h"

void PortDispatch::SendToSelectedPort(const Bytes& bytes) {
    SendPiecesToSelectedPort([&bytes](const PieceWriter& write) { write(bytes); });
}

void PortDispatch::SendPiecesToSelectedPort(const PieceProducer& produce) {
    const std::string portText = inputs_.PortText();
    const PortName* port = FindPortName(portText);
    if (port == nullptr) {
        // An unknown name gets the notice too: silence would look like a successful print.
        notice_.ShowNotice(PortNotice);
        return;
    }
    if (port->kind == PortKind::Parallel) {
        SendToParallelPort(port->name, produce);
    } else {
        SendToSerialPort(port->name, inputs_.BaudText(), produce);
    }
}

void PortDispatch::SendToParallelPort(const std::string& portName, const PieceProducer& produce) {
    printerFile_.Assign(devices_.DeviceFor(portName));
    printerFile_.Rewrite();
    printerFile_.IOCheck();
    try {
        produce([this](const Bytes& piece) {
            printerFile_.Write(piece);
            printerFile_.Flush();
            printerFile_.IOCheck();
        });
        printerFile_.Close();
        printerFile_.IOCheck();
    } catch (...) {
        printerFile_.Abandon();
        throw;
    }
}

void PortDispatch::SendToSerialPort(const std::string& portName, const std::string& baudText,
                                    const PieceProducer& produce) {
    cp_.SetPort(portName);
    cp_.SetBaudRate(BaudRateFromText(baudText));
    cp_.Open();
    produce([this](const Bytes& piece) { cp_.Write(piece); });
    cp_.Close();
}
