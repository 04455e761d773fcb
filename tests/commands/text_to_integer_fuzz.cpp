// Checks TextToInteger against a model of its rules built from other means: a regular
// expression for the accepted forms and strtoll/strtoull for the values.
#include "commands/errors.h"
#include "commands/text_to_integer.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>

namespace {

std::optional<int32_t> Model(const std::string& text) {
    static const std::regex forms("^ *(?:([+-]?[0-9]+)|(?:\\$|x|X|0x|0X)([0-9A-Fa-f]+))$");
    std::smatch match;
    if (text.find('\0') != std::string::npos || !std::regex_match(text, match, forms)) {
        return std::nullopt;
    }
    errno = 0;
    if (match[1].matched) {
        long long value = std::strtoll(match[1].str().c_str(), nullptr, 10);
        if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
            return std::nullopt;
        }
        return static_cast<int32_t>(value);
    }
    unsigned long long value = std::strtoull(match[2].str().c_str(), nullptr, 16);
    if (errno == ERANGE || value > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

[[noreturn]] void Mismatch(const std::string& text, const char* what) {
    std::fprintf(stderr, "TextToInteger disagrees with the model on [%s]: %s\n", text.c_str(),
                 what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<int32_t> expected = Model(text);
    try {
        const int32_t value = TextToInteger(text);
        if (!expected) {
            Mismatch(text, "accepted, model rejects");
        }
        if (value != *expected) {
            Mismatch(text, "accepted with another value");
        }
    } catch (const EConvertError& error) {
        if (expected) {
            Mismatch(text, "rejected, model accepts");
        }
        if (error.Message() != "'" + text + "' is not a valid integer value") {
            Mismatch(text, "wrong message");
        }
    }
    return 0;
}
