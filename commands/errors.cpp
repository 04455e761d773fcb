#include "commands/errors.h"

std::string EInOutError::MessageFor(int code) {
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid filename";
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    case 100:
        return "Read beyond end of file";
    case 101:
        return "Disk full";
    case 106:
        return "Invalid numeric input";
    default:
        return "I/O error " + std::to_string(code);
    }
}

std::string EComPort::TextFor(ComStep step) {
    switch (step) {
    case ComStep::OpenDevice:
        return "Unable to open com port";
    case ComStep::SetupQueues:
        return "SetupComm function failed";
    case ComStep::SetLineSettings:
        return "SetCommState function failed";
    case ComStep::SetTimeouts:
        return "SetCommTimeouts failed";
    case ComStep::ReadModemStatus:
        return "GetCommModemStatus function failed";
    case ComStep::Write:
        return "WriteFile function failed";
    case ComStep::Purge:
        return "PurgeComm function failed";
    }
    return "Unknown com port step";
}

EComPort::EComPort(ComStep step, int errnum)
    : Exception(TextFor(step) + " (win error code: " + std::to_string(errnum) + ")"), step_(step),
      errnum_(errnum) {}
