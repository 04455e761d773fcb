#include "commands/text_to_integer.h"

#include "commands/errors.h"

#include <optional>
#include <string>

namespace {

std::optional<unsigned> DigitValue(char c, unsigned base) {
    unsigned value;
    if (c >= '0' && c <= '9') {
        value = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
        value = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
        value = static_cast<unsigned>(c - 'A' + 10);
    } else {
        return std::nullopt;
    }
    if (value >= base) {
        return std::nullopt;
    }
    return value;
}

// One or more digits of `base` making up all of `digits`, with a value of at most `limit`.
std::optional<uint64_t> ParseDigits(std::string_view digits, unsigned base, uint64_t limit) {
    if (digits.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char c : digits) {
        auto digit = DigitValue(c, base);
        if (!digit) {
            return std::nullopt;
        }
        value = value * base + *digit;
        if (value > limit) { // leading zeros never get here, so they do not count
            return std::nullopt;
        }
    }
    return value;
}

std::string_view HexDigitsAfterPrefix(std::string_view text, bool& isHex) {
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix)) {
            isHex = true;
            return text.substr(prefix.size());
        }
    }
    isHex = false;
    return text;
}

std::optional<int32_t> ParseNumber(std::string_view text) {
    bool isHex = false;
    std::string_view hexDigits = HexDigitsAfterPrefix(text, isHex);
    if (isHex) {
        auto value = ParseDigits(hexDigits, 16, 0xFFFFFFFFu);
        if (!value) {
            return std::nullopt;
        }
        return static_cast<int32_t>(static_cast<uint32_t>(*value));
    }
    bool negative = false;
    if (text.starts_with('-') || text.starts_with('+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    auto magnitude = ParseDigits(text, 10, negative ? 2147483648u : 2147483647u);
    if (!magnitude) {
        return std::nullopt;
    }
    int64_t value = negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude);
    return static_cast<int32_t>(value);
}

} // namespace

int32_t TextToInteger(std::string_view text) {
    std::string_view rest = text;
    while (rest.starts_with(' ')) {
        rest.remove_prefix(1);
    }
    if (auto value = ParseNumber(rest)) {
        return *value;
    }
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}
