#pragma once

#include "commands/bytes.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What a receipt printer makes of a stretch of the byte stream it receives.
enum class Kind {
    Text,            // printable bytes, 0x20-0x7E and 0x80-0xFF
    Initialise,      // ESC @
    Unidirectional,  // ESC U n
    LineSpacing,     // ESC 3 n
    FeedLines,       // ESC d n
    DrawerPulse,     // ESC p m t1 t2
    PrintMode,       // ESC ! n
    Cut,             // GS V m [n]
    LineFeed,        // LF
    CarriageReturn,  // CR
    VendorPrintH,    // 02 03 80
    VendorSetT,      // 02 04 80 T 1F 1B 1F F9 x
    VendorSetSmallT, // 1F 1B 1F FF t
    Unknown,         // a control byte, or ESC/GS with a function byte that is not known here
    Truncated,       // a command cut short by the end of the stream
};

struct Event {
    size_t offset; // of the first byte in the whole stream
    Bytes bytes;
    Kind kind;
};

// Splits a byte stream into printer commands and text runs. Bytes may arrive in pieces of any
// size; an event is given out once it is complete (a text run once a non-text byte follows it).
class EscPosDecoder {
public:
    std::vector<Event> Feed(std::string_view data);
    // The end of the stream: a pending text run, and a command cut short as Truncated.
    std::vector<Event> Finish();
    bool HasPending() const { return !pending_.empty(); }

private:
    std::vector<Event> Decode(bool atEnd);

    Bytes pending_;
    size_t pendingOffset_ = 0;
};

// The events of a whole stream, ended: Feed() then Finish().
std::vector<Event> DecodeStream(std::string_view data);

// One trace line: offset, the bytes in hex, the mnemonic and its meaning.
std::string TraceLine(const Event& event);
