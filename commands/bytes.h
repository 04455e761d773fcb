#pragma once

#include <string>

// Command bytes: an 8-bit byte string of counted length. It may hold NUL bytes and is
// sent exactly as stored, with no line-end or character-set translation of any kind.
using Bytes = std::string;

// The control bytes of the printer commands.
inline constexpr char ESC = 0x1B;
inline constexpr char GS = 0x1D;
inline constexpr char LF = 0x0A;

// Shown instead of sending when no usable port is named in the port box.
inline constexpr const char* PortNotice = "NOTICE:Please select the correct communication port!";
