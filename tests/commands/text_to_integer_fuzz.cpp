// Checks TextToInteger against a model of its rules built from other means: a POSIX extended
// regular expression for the accepted forms and strtoll/strtoull for the values. (std::regex
// recurses per character and overflows the stack on long inputs; regexec does not.)
#include "commands/errors.h"
#include "commands/text_to_integer.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex.h>
#include <string>

namespace {

const regex_t& Forms() {
    static regex_t forms = [] {
        regex_t compiled;
        if (regcomp(&compiled, "^ *(([+-]?[0-9]+)|(\\$|0x|0X|x|X)([0-9A-Fa-f]+))$", REG_EXTENDED) !=
            0) {
            std::abort();
        }
        return compiled;
    }();
    return forms;
}

std::string Group(const std::string& text, const regmatch_t& group) {
    return text.substr(static_cast<size_t>(group.rm_so),
                       static_cast<size_t>(group.rm_eo - group.rm_so));
}

std::optional<int32_t> Model(const std::string& text) {
    regmatch_t groups[5];
    // A NUL would end the text for regexec; no form holds one anyway.
    if (text.find('\0') != std::string::npos ||
        regexec(&Forms(), text.c_str(), 5, groups, 0) != 0) {
        return std::nullopt;
    }
    errno = 0;
    if (groups[2].rm_so >= 0) {
        long long value = std::strtoll(Group(text, groups[2]).c_str(), nullptr, 10);
        if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
            return std::nullopt;
        }
        return static_cast<int32_t>(value);
    }
    unsigned long long value = std::strtoull(Group(text, groups[4]).c_str(), nullptr, 16);
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
