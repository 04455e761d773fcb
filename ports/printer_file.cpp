#include "ports/printer_file.h"

#include "commands/errors.h"
#include "ports/posix_io.h"
#include "ports/syscalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int kNotOpenForOutput = 105;
constexpr int kFileNotOpen = 103;

int CodeForErrno(int errnum) {
    switch (errnum) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
        return 5;
    case ENOSPC:
        return 101;
    default:
        return 0;
    }
}

} // namespace

IoFailure IoFailureFromErrno(int errnum) {
    if (const int code = CodeForErrno(errnum)) {
        return {code, EInOutError::MessageFor(code)};
    }
    // Reported under its own number; a table text that happens to share it (EIO is 5, the
    // number of "File access denied") would name the wrong fault.
    return {errnum, "I/O error " + std::to_string(errnum)};
}

void PrinterFile::Record(int code) {
    Record(IoFailure{code, EInOutError::MessageFor(code)});
}

void PrinterFile::Assign(std::string path) {
    Abandon();
    path_ = std::move(path);
}

void PrinterFile::Rewrite() {
    Abandon();
    int flags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    // Creating a file under /dev would hide a missing printer behind a file nobody reads.
    if (!path_.starts_with("/dev/")) {
        flags |= O_CREAT | O_TRUNC;
    }
    FileDescriptor fd(sys().open(path_.c_str(), flags, 0666));
    if (!fd.IsOpen()) {
        Record(IoFailureFromErrno(errno));
        return;
    }
    struct stat info {};
    if (sys().fstat(fd.Get(), &info) != 0) {
        Record(kNotOpenForOutput);
        return;
    }
    passesOnFlush_ = S_ISCHR(info.st_mode);
    fd_ = std::move(fd);
}

void PrinterFile::Write(const Bytes& bytes) {
    if (!IsOpen()) {
        Record(kNotOpenForOutput);
        return;
    }
    pending_ += bytes;
}

void PrinterFile::Flush() {
    if (!IsOpen()) {
        Record(kFileNotOpen);
        return;
    }
    if (passesOnFlush_) {
        PassOnPending();
    }
}

void PrinterFile::Close() {
    if (!IsOpen()) {
        Record(kFileNotOpen);
        return;
    }
    if (!PassOnPending()) {
        return;
    }
    if (const int error = fd_.Close()) {
        Record(IoFailureFromErrno(error));
    }
}

void PrinterFile::IOCheck() {
    if (failure_.code == 0) {
        return;
    }
    IoFailure failure = std::exchange(failure_, IoFailure{});
    throw EInOutError(failure.code, std::move(failure.message));
}

void PrinterFile::Abandon() noexcept {
    fd_.Close();
    pending_.clear();
}

// Returns false, with the failure recorded and the unsent rest dropped, if the device refused.
bool PrinterFile::PassOnPending() {
    const WriteResult result = WriteAllWithin(fd_.Get(), pending_, {stallLimit_, true});
    pending_.clear();
    if (result.error != 0) {
        Record(IoFailureFromErrno(result.error));
        return false;
    }
    return true;
}
