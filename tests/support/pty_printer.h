#pragma once

#include "commands/bytes.h"
#include "tools/virtual_printer/line_settings.h"

#include <chrono>
#include <string>

// A pseudo-terminal pair standing in for a printer. The program opens SlavePath() like any
// serial or parallel device; the test reads at the master what arrived, sends XON/XOFF from the
// printer's side, hangs up, and reads the slave's line settings back.
class PtyPrinter {
public:
    // The slave starts raw (no line-end translation), as a printer device would be.
    PtyPrinter();
    ~PtyPrinter();
    PtyPrinter(const PtyPrinter&) = delete;
    PtyPrinter& operator=(const PtyPrinter&) = delete;

    const std::string& SlavePath() const { return slavePath_; }

    // Reads until `count` bytes have arrived or `wait` has passed without a byte.
    Bytes Read(size_t count, std::chrono::milliseconds wait = std::chrono::milliseconds(2000));
    // Everything that arrives within `wait`.
    Bytes ReadFor(std::chrono::milliseconds wait);
    // Sends bytes from the printer to the program (e.g. XOFF 0x13, XON 0x11), then waits a
    // moment for the line discipline to act on them.
    void Send(const Bytes& bytes);
    // Turns on XON/XOFF on the slave, for a device that the program does not configure itself.
    void EnableOutputFlowControl();
    // Closes the master: the slave hangs up.
    void HangUp();
    LineSettings Settings() const;
    // Whether another program could take the port now: an exclusive flock on the slave from a
    // fresh descriptor succeeds (and is dropped again at once).
    bool SlaveIsFree() const;
    // Holds an exclusive flock on the slave from another descriptor, as a program that has the
    // port open would. Returns that descriptor; closed by the destructor.
    int LockSlave();

private:
    int master_ = -1;
    int slave_ = -1;
    int locker_ = -1;
    std::string slavePath_;
};
