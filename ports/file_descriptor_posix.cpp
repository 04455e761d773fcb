#include "ports/file_descriptor.h"

#include "ports/syscalls.h"

#include <cerrno>

int FileDescriptor::Close() noexcept {
    if (fd_ < 0) {
        return 0;
    }
    // The descriptor is gone after close() whatever it returns, so EINTR is not retried.
    const int result = sys().close(std::exchange(fd_, -1));
    return result == 0 ? 0 : errno;
}
