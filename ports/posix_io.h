#pragma once

#include <chrono>
#include <string_view>

// How long a write may wait for the device to take bytes.
struct WriteLimit {
    std::chrono::milliseconds wait;
    // true: `wait` is the longest time without progress; false: for the whole write.
    bool restartOnProgress;
};

struct WriteResult {
    size_t written = 0;
    int error = 0; // 0 when everything was written; ETIMEDOUT when the limit was reached
};

// Writes all of `data` to the non-blocking descriptor `fd`, waiting for room with poll().
// Retries on EINTR and loops over partial writes; stops at the first other error.
WriteResult WriteAllWithin(int fd, std::string_view data, WriteLimit limit);
