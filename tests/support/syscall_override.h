#pragma once

#include "ports/syscalls.h"

// Restores the real system calls when it goes out of scope; a test replaces entries of sys()
// in between with captureless lambdas.
class SysCallOverride {
public:
    SysCallOverride() : saved_(sys()) {}
    ~SysCallOverride() { sys() = saved_; }
    SysCallOverride(const SysCallOverride&) = delete;
    SysCallOverride& operator=(const SysCallOverride&) = delete;

private:
    SysCalls saved_;
};
