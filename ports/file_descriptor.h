#pragma once

#include <utility>

// Owns one open file descriptor. Not copyable; moving hands the descriptor on. The destructor
// closes it and never throws; call Close() where the result of close matters.
class FileDescriptor {
public:
    FileDescriptor() noexcept = default;
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    ~FileDescriptor() { Close(); }

    int Get() const noexcept { return fd_; }
    bool IsOpen() const noexcept { return fd_ >= 0; }

    // Closes the descriptor (once). Returns 0, or the errno of a failed close; either way the
    // descriptor is released.
    int Close() noexcept;

private:
    int fd_ = -1;
};
