#pragma once

#include "commands/bytes.h"

#include <cstdint>
#include <string_view>

// The byte sequences of the single-shot printer commands.

// ESC @, ESC U 0, ESC 3 14, six lines of forty "H" each ended by LF, ESC @, ESC d 6: 259 bytes.
Bytes TestPrintBytes();

// ESC p m 50 50 CR, with m = 1 for the port name "LPT1" exactly and m = 0 for every other.
Bytes DrawerPulseBytes(std::string_view portText);

// GS V 66 24: feed to the cutting position plus 24 units, then a partial cut.
Bytes PaperCutBytes();

// The vendor's Print H sequence followed by ESC d 6.
Bytes PrintHBytes();

// The vendor's Set T sequence; the ninth byte is FF when `additional` is set, else 00.
Bytes SetTBytes(uint8_t t, bool additional);

// The vendor's Set t sequence.
Bytes SetDefaultTBytes(uint8_t t);
