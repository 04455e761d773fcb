#include "commands/errors.h"
#include "commands/text_to_integer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Accepted {
    std::string text;
    int32_t value;
};

class TextToIntegerAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(TextToIntegerAccepts, GivesTheValue) {
    EXPECT_EQ(TextToInteger(GetParam().text), GetParam().value) << "[" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, TextToIntegerAccepts,
    testing::Values(Accepted{"0", 0}, Accepted{"7", 7}, Accepted{"+7", 7}, Accepted{"-7", -7},
                    Accepted{" 7", 7}, Accepted{"   -7", -7}, Accepted{"007", 7}, Accepted{"-0", 0},
                    Accepted{"2147483647", 2147483647}, Accepted{"-2147483648", INT32_MIN},
                    Accepted{"00000000002147483647", INT32_MAX}, Accepted{"$41", 0x41},
                    Accepted{"x41", 0x41}, Accepted{"X41", 0x41}, Accepted{"0x41", 0x41},
                    Accepted{"0X41", 0x41}, Accepted{"$aBcD", 0xABCD}, Accepted{" $1f", 0x1F},
                    Accepted{"$7FFFFFFF", INT32_MAX}, Accepted{"$80000000", INT32_MIN},
                    Accepted{"$FFFFFFFF", -1}, Accepted{"$000000001F", 0x1F},
                    Accepted{"0x0000000FFFFFFFF", -1}));

class TextToIntegerRejects : public testing::TestWithParam<std::string> {};

TEST_P(TextToIntegerRejects, QuotingTheWholeText) {
    const std::string& text = GetParam();
    try {
        TextToInteger(text);
        FAIL() << "accepted [" << text << "]";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'" + text + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, TextToIntegerRejects,
                         testing::Values("", " ", "-", "+", "$", "x", "X", "0x", "0X", "$ 5", "$-5",
                                         "$5 ", "7 ", "1 2", "- 7", "+-7", "--7", "-$41", "+$41",
                                         "-0x41", "$G", "0x41g", "7a", "\t7", "\n7", "1.0", "1e3",
                                         "2147483648", "-2147483649", "99999999999999999999",
                                         "$100000000", "$FFFFFFFFF", std::string("7\0", 2), "$$1",
                                         "0xx1", "x0x1"));

TEST(TextToIntegerMessage, IsExact) {
    try {
        TextToInteger("$");
        FAIL();
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "'$' is not a valid integer value");
    }
}

} // namespace
