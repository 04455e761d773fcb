#pragma once

#include "commands/bytes.h"
#include "ports/file_descriptor.h"

#include <chrono>
#include <string>

// The failure a device-channel operation records until the next I/O check.
struct IoFailure {
    int code = 0; // 0: nothing failed
    std::string message;
};

// Turns a system error number into the channel's failure: ENOENT -> 2 "File not found",
// ENOTDIR/ENAMETOOLONG -> 3, EMFILE/ENFILE -> 4, EACCES/EPERM/EROFS -> 5, ENOSPC -> 101
// "Disk full"; any other errno keeps its number with the text "I/O error <errno>".
IoFailure IoFailureFromErrno(int errnum);

// The output channel to a parallel printer (or any file or device named by a path).
//
// Operations never throw; a failing one records its failure, replacing an earlier one, and
// IOCheck() raises it as EInOutError and clears it. On a character device every Flush()
// passes on all bytes written so far; on any other kind of file they arrive by Close().
class PrinterFile {
public:
    // `stallLimit`: a write that makes no progress for this long fails with ETIMEDOUT, so that
    // an offline printer cannot hold the program for ever.
    explicit PrinterFile(std::chrono::milliseconds stallLimit = std::chrono::seconds(10))
        : stallLimit_(stallLimit) {}

    // Names the device and leaves the channel closed, releasing anything it held.
    void Assign(std::string path);
    // Opens the named device for output. A path under /dev is only ever opened, never created;
    // any other path is created or emptied.
    void Rewrite();
    void Write(const Bytes& bytes);
    void Flush();
    // Passes on what is waiting and releases the device. If passing on fails, the channel
    // stays open.
    void Close();
    // Raises the recorded failure, if any, and clears it.
    void IOCheck();
    // Releases the device without passing anything on; used when a send has failed.
    void Abandon() noexcept;

    bool IsOpen() const noexcept { return fd_.IsOpen(); }

private:
    void Record(IoFailure failure) { failure_ = std::move(failure); }
    void Record(int code);
    bool PassOnPending();

    std::chrono::milliseconds stallLimit_;
    std::string path_;
    FileDescriptor fd_;
    bool passesOnFlush_ = false;
    Bytes pending_;
    IoFailure failure_;
};
