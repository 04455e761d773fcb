#include "ports/syscalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const SysCalls kReal{
    [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
    [](int fd, const void* data, size_t size) { return ::write(fd, data, size); },
    [](pollfd* fds, nfds_t count, int timeoutMs) { return ::poll(fds, count, timeoutMs); },
    [](int fd) { return ::close(fd); },
    [](int fd, struct stat* info) { return ::fstat(fd, info); },
    [](int fd, unsigned long request, void* arg) { return ::ioctl(fd, request, arg); },
    [](int fd, int operation) { return ::flock(fd, operation); },
};

SysCalls current = kReal;

} // namespace

SysCalls& sys() {
    return current;
}

const SysCalls& RealSysCalls() {
    return kReal;
}
