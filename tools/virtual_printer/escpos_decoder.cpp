#include "tools/virtual_printer/escpos_decoder.h"

#include "tools/virtual_printer/cp437.h"

#include <cstdio>
#include <optional>

namespace {

constexpr int kAny = -1;

struct Pattern {
    std::vector<int> bytes; // kAny matches any byte
    Kind kind;
};

const std::vector<Pattern>& Patterns() {
    static const std::vector<Pattern> patterns{
        {{0x1B, '@'}, Kind::Initialise},
        {{0x1B, 'U', kAny}, Kind::Unidirectional},
        {{0x1B, '3', kAny}, Kind::LineSpacing},
        {{0x1B, 'd', kAny}, Kind::FeedLines},
        {{0x1B, 'p', kAny, kAny, kAny}, Kind::DrawerPulse},
        {{0x1B, '!', kAny}, Kind::PrintMode},
        {{0x1D, 'V', 0}, Kind::Cut},
        {{0x1D, 'V', 1}, Kind::Cut},
        {{0x1D, 'V', '0'}, Kind::Cut},
        {{0x1D, 'V', '1'}, Kind::Cut},
        {{0x1D, 'V', 'A', kAny}, Kind::Cut},
        {{0x1D, 'V', 'B', kAny}, Kind::Cut},
        {{0x0A}, Kind::LineFeed},
        {{0x0D}, Kind::CarriageReturn},
        {{0x02, 0x03, 0x80}, Kind::VendorPrintH},
        {{0x02, 0x04, 0x80, kAny, 0x1F, 0x1B, 0x1F, 0xF9, kAny}, Kind::VendorSetT},
        {{0x1F, 0x1B, 0x1F, 0xFF, kAny}, Kind::VendorSetSmallT},
    };
    return patterns;
}

bool IsText(unsigned char byte) {
    return (byte >= 0x20 && byte != 0x7F);
}

struct Match {
    size_t length = 0; // 0: more bytes are needed to tell
    Kind kind = Kind::Unknown;
};

// The command at the start of `data` (which starts with a control byte).
Match MatchCommand(std::string_view data) {
    bool couldGrow = false;
    for (const Pattern& pattern : Patterns()) {
        size_t i = 0;
        while (
            i < pattern.bytes.size() && i < data.size() &&
            (pattern.bytes[i] == kAny || pattern.bytes[i] == static_cast<unsigned char>(data[i]))) {
            ++i;
        }
        if (i == pattern.bytes.size()) {
            return {i, pattern.kind};
        }
        couldGrow = couldGrow || i == data.size();
    }
    if (couldGrow) {
        return {};
    }
    const auto first = static_cast<unsigned char>(data[0]);
    // ESC and GS always carry a function byte; an unknown one is skipped with it.
    const bool withFunction = (first == 0x1B || first == 0x1D) && data.size() >= 2;
    return {withFunction ? 2u : 1u, Kind::Unknown};
}

} // namespace

std::vector<Event> EscPosDecoder::Feed(std::string_view data) {
    pending_.append(data);
    return Decode(false);
}

std::vector<Event> EscPosDecoder::Finish() {
    return Decode(true);
}

std::vector<Event> DecodeStream(std::string_view data) {
    EscPosDecoder decoder;
    std::vector<Event> events = decoder.Feed(data);
    for (Event& event : decoder.Finish()) {
        events.push_back(std::move(event));
    }
    return events;
}

std::vector<Event> EscPosDecoder::Decode(bool atEnd) {
    std::vector<Event> events;
    size_t pos = 0;
    while (pos < pending_.size()) {
        const std::string_view rest = std::string_view(pending_).substr(pos);
        Match match;
        if (IsText(static_cast<unsigned char>(rest[0]))) {
            size_t end = 0;
            while (end < rest.size() && IsText(static_cast<unsigned char>(rest[end]))) {
                ++end;
            }
            match = {end == rest.size() && !atEnd ? 0 : end, Kind::Text};
        } else {
            match = MatchCommand(rest);
            if (match.length == 0 && atEnd) {
                match = {rest.size(), Kind::Truncated};
            }
        }
        if (match.length == 0) {
            break;
        }
        events.push_back({pendingOffset_ + pos, Bytes(rest.substr(0, match.length)), match.kind});
        pos += match.length;
    }
    pending_.erase(0, pos);
    pendingOffset_ += pos;
    return events;
}

namespace {

std::string Hex(const Bytes& bytes, size_t limit) {
    std::string out;
    char buffer[4];
    for (size_t i = 0; i < bytes.size() && i < limit; ++i) {
        std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned char>(bytes[i]));
        out += (i ? " " : "") + std::string(buffer);
    }
    if (bytes.size() > limit) {
        out += " ...";
    }
    return out;
}

unsigned Byte(const Bytes& bytes, size_t index) {
    return static_cast<unsigned char>(bytes.at(index));
}

std::string PrintModeMeaning(unsigned n) {
    std::string meaning = (n & 0x01) ? "font B" : "font A";
    const std::pair<unsigned, const char*> flags[] = {
        {0x08, "bold"}, {0x10, "double height"}, {0x20, "double width"}, {0x80, "underline"}};
    for (auto [bit, name] : flags) {
        if (n & bit) {
            meaning += std::string(", ") + name;
        }
    }
    return meaning;
}

std::string CutMeaning(const Bytes& bytes) {
    const unsigned m = Byte(bytes, 2);
    if (m == 'A' || m == 'B') {
        return "feed to the cutter plus " + std::to_string(Byte(bytes, 3)) + " dots, " +
               (m == 'A' ? "full cut" : "partial cut");
    }
    return (m == 0 || m == '0') ? "full cut" : "partial cut";
}

std::string QuotedText(const Bytes& bytes) {
    std::string text = "\"";
    for (unsigned char c : bytes) {
        text += Cp437ToUtf8(c);
    }
    return text + "\" (" + std::to_string(bytes.size()) + " chars)";
}

struct Described {
    std::string mnemonic;
    std::string meaning;
};

Described Describe(const Event& e) {
    const Bytes& b = e.bytes;
    switch (e.kind) {
    case Kind::Text:
        return {"text", QuotedText(b)};
    case Kind::Initialise:
        return {"ESC @", "initialise printer"};
    case Kind::Unidirectional:
        return {"ESC U " + std::to_string(Byte(b, 2)),
                (Byte(b, 2) & 1) ? "unidirectional printing on" : "unidirectional printing off"};
    case Kind::LineSpacing:
        return {"ESC 3 " + std::to_string(Byte(b, 2)),
                "line spacing " + std::to_string(Byte(b, 2)) + " dots"};
    case Kind::FeedLines:
        return {"ESC d " + std::to_string(Byte(b, 2)),
                "print and feed " + std::to_string(Byte(b, 2)) + " lines"};
    case Kind::DrawerPulse:
        return {"ESC p " + std::to_string(Byte(b, 2)) + " " + std::to_string(Byte(b, 3)) + " " +
                    std::to_string(Byte(b, 4)),
                std::string("drawer pulse on pin ") + ((Byte(b, 2) & 1) ? "5" : "2") + ", on " +
                    std::to_string(Byte(b, 3) * 2) + " ms, off " + std::to_string(Byte(b, 4) * 2) +
                    " ms"};
    case Kind::PrintMode:
        return {"ESC ! " + std::to_string(Byte(b, 2)),
                "print mode: " + PrintModeMeaning(Byte(b, 2))};
    case Kind::Cut:
        return {"GS V " + std::to_string(Byte(b, 2)) +
                    (b.size() > 3 ? " " + std::to_string(Byte(b, 3)) : std::string()),
                CutMeaning(b)};
    case Kind::LineFeed:
        return {"LF", "print and line feed"};
    case Kind::CarriageReturn:
        return {"CR", "carriage return"};
    case Kind::VendorPrintH:
        return {"vendor", "vendor-specific: Print H"};
    case Kind::VendorSetT:
        return {"vendor", "vendor-specific: Set T = " + Hex(b.substr(3, 1), 1) +
                              ", additional byte " + Hex(b.substr(8, 1), 1)};
    case Kind::VendorSetSmallT:
        return {"vendor", "vendor-specific: Set t = " + Hex(b.substr(4, 1), 1)};
    case Kind::Unknown:
        return {"?", "unknown command"};
    case Kind::Truncated:
        return {"truncated", "command cut short by the end of the stream"};
    }
    return {"?", "?"};
}

} // namespace

std::string TraceLine(const Event& event) {
    const Described d = Describe(event);
    char offset[16];
    std::snprintf(offset, sizeof offset, "%06zu", event.offset);
    std::string hex = Hex(event.bytes, 12);
    hex.resize(std::max<size_t>(hex.size(), 40), ' ');
    std::string mnemonic = d.mnemonic;
    mnemonic.resize(std::max<size_t>(mnemonic.size(), 14), ' ');
    return std::string(offset) + "  " + hex + "  " + mnemonic + "  " + d.meaning;
}

std::string Cp437ToUtf8(unsigned char byte) {
    const char32_t cp = byte < 0x80 ? byte : kCp437High[byte - 0x80];
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}
