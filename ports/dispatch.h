#pragma once

#include "commands/command_set.h"

#include <string>

class DeviceMap;
class PrinterFile;
class TComPort;

// Takes command bytes to the port named in the port box, opening and closing it within the
// call. An empty port text, or one that is none of the six port names, brings PortNotice and
// sends nothing. Failures (EInOutError, EComPort) pass out unchanged.
class PortDispatch : public PortSender {
public:
    PortDispatch(const OperatorInputs& inputs, NoticeBox& notice, const DeviceMap& devices,
                 PrinterFile& printerFile, TComPort& cp)
        : inputs_(inputs), notice_(notice), devices_(devices), printerFile_(printerFile), cp_(cp) {}

    void SendToSelectedPort(const Bytes& bytes) override;
    void SendPiecesToSelectedPort(const PieceProducer& produce) override;

    // Assign and rewrite, then write, flush and check each piece, then close. A send that
    // fails after the device was opened releases it before the failure passes on.
    void SendToParallelPort(const std::string& portName, const PieceProducer& produce);
    // Set the port and the speed, open, one write per piece, close. A failed write leaves the
    // port open (unless the device itself has gone).
    void SendToSerialPort(const std::string& portName, const std::string& baudText,
                          const PieceProducer& produce);

private:
    const OperatorInputs& inputs_;
    NoticeBox& notice_;
    const DeviceMap& devices_;
    PrinterFile& printerFile_;
    TComPort& cp_;
};
