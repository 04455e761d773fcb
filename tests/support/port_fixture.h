#pragma once

#include "commands/command_set.h"
#include "ports/com_port.h"
#include "ports/device_map.h"
#include "ports/dispatch.h"
#include "ports/printer_file.h"
#include "tests/support/fake_operator.h"
#include "tests/support/pty_printer.h"

#include <chrono>

// The actions wired to the real dispatch, device channel and serial layer, with every port
// name mapped to a path of the test's choosing.
struct PortRig {
    explicit PortRig(std::chrono::milliseconds stallLimit = std::chrono::seconds(10))
        : printerFile(stallLimit) {}

    FakeInputs inputs;
    RecordingNotice notice;
    DeviceMap devices;
    PrinterFile printerFile;
    TComPort cp{devices};
    PortDispatch dispatch{inputs, notice, devices, printerFile, cp};
    CommandSet actions{inputs, notice, dispatch};

    // Opens `port` on `printer` at the speed of the default baud text and has the printer
    // send XOFF, so that the next write times out.
    void OpenUnderXoff(const std::string& port, PtyPrinter& printer) {
        Use(port, printer.SlavePath());
        cp.SetPort(port);
        cp.SetBaudRate(BaudRateFromText(inputs.baud));
        cp.Open();
        printer.Send("\x13");
    }

    // Maps `port` to `path` and names it in the port box.
    void Use(const std::string& port, const std::string& path) {
        devices.Set(port, path);
        inputs.port = port;
    }
};
