#pragma once

#include <cstdint>
#include <string_view>

// Reads a signed 32-bit integer from the whole of `text`.
//
// Accepted, after any number of leading blanks (0x20 only):
//   - "+" or "-" followed by decimal digits, or decimal digits alone, within
//     -2147483648 .. 2147483647;
//   - "$", "x", "X", "0x" or "0X" followed by hexadecimal digits (no sign), up to FFFFFFFF;
//     80000000 and above give the negative number with the same 32-bit pattern.
// Nothing may follow the number, not even blanks.
//
// Throws EConvertError "'<text>' is not a valid integer value", quoting the whole text.
int32_t TextToInteger(std::string_view text);
