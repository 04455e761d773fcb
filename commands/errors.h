#pragma once

#include <exception>
#include <string>

// Base of every failure an action can raise. The window catches this type in one place
// and shows Message() in its error box; nothing else catches it.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A typed value that is no number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A failure of the parallel device channel. The message follows from the code alone.
class EInOutError : public Exception {
public:
    explicit EInOutError(int code) : Exception(MessageFor(code)), code_(code) {}
    EInOutError(int code, std::string message) : Exception(std::move(message)), code_(code) {}
    int ErrorCode() const noexcept { return code_; }
    // "File not found" for 2, ..., "I/O error <code>" for codes without a text of their own.
    static std::string MessageFor(int code);

private:
    int code_;
};

// The step of the serial layer that failed; each has its own message text.
enum class ComStep {
    OpenDevice,
    SetupQueues,
    SetLineSettings,
    SetTimeouts,
    ReadModemStatus,
    Write,
    Purge,
};

// A failure of the serial layer: "<step text> (win error code: <errnum>)".
class EComPort : public Exception {
public:
    EComPort(ComStep step, int errnum);
    ComStep Step() const noexcept { return step_; }
    int WinCode() const noexcept { return errnum_; }
    static std::string TextFor(ComStep step);

private:
    ComStep step_;
    int errnum_;
};
