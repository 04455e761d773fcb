#pragma once

#include <poll.h>
#include <sys/stat.h>
#include <sys/types.h>

// The system calls that the device channel and the serial layer make, behind one table so
// that a test can make any of them fail (EINTR, EAGAIN, EIO, ...). Production code calls
// them only through sys().
struct SysCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*poll)(pollfd* fds, nfds_t count, int timeoutMs);
    int (*close)(int fd);
    int (*fstat)(int fd, struct stat* info);
    int (*ioctl)(int fd, unsigned long request, void* arg);
    int (*flock)(int fd, int operation);
};

// The table in use; the real calls unless a test has replaced entries.
SysCalls& sys();

// The real calls, for a test that wraps one of them.
const SysCalls& RealSysCalls();
