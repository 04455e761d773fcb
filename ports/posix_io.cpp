#include "ports/posix_io.h"

#include "ports/syscalls.h"

#include <cerrno>

using Clock = std::chrono::steady_clock;

namespace {

// Waits until `fd` can take bytes or `deadline` passes. Returns 0, ETIMEDOUT or an errno.
int WaitWritable(int fd, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return ETIMEDOUT;
        }
        pollfd entry{fd, POLLOUT, 0};
        const int ready = sys().poll(&entry, 1, static_cast<int>(left.count()));
        if (ready > 0) {
            return 0; // writable, or an error that the next write reports
        }
        if (ready < 0 && errno != EINTR) {
            return errno;
        }
    }
}

} // namespace

WriteResult WriteAllWithin(int fd, std::string_view data, WriteLimit limit) {
    WriteResult result;
    auto deadline = Clock::now() + limit.wait;
    while (result.written < data.size()) {
        const ssize_t n =
            sys().write(fd, data.data() + result.written, data.size() - result.written);
        if (n > 0) {
            result.written += static_cast<size_t>(n);
            if (limit.restartOnProgress) {
                deadline = Clock::now() + limit.wait;
            }
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            result.error = errno;
            return result;
        }
        if (const int waitError = WaitWritable(fd, deadline)) {
            result.error = waitError;
            return result;
        }
    }
    return result;
}
