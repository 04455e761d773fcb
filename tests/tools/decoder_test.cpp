#include "commands/command_set.h"
#include "tests/support/fake_operator.h"
#include "tools/virtual_printer/cp437.h"
#include "tools/virtual_printer/escpos_decoder.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {

std::vector<std::string> TraceOf(const Bytes& stream) {
    std::vector<std::string> lines;
    for (const Event& event : DecodeStream(stream)) {
        lines.push_back(TraceLine(event));
    }
    return lines;
}

struct CommandCase {
    std::string hex;
    std::string line; // the trace line after the offset and the hex column
};

class TraceLineTest : public testing::TestWithParam<CommandCase> {};

TEST_P(TraceLineTest, OneCommandOneLine) {
    const std::vector<std::string> lines = TraceOf(Hex(GetParam().hex));
    ASSERT_EQ(lines.size(), 1u) << GetParam().hex;
    EXPECT_EQ(lines[0].substr(0, 8 + GetParam().hex.size()), "000000  " + GetParam().hex);
    EXPECT_EQ(lines[0].substr(50), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TraceLineTest,
    testing::Values(
        CommandCase{"1B 40", "ESC @           initialise printer"},
        CommandCase{"1B 55 00", "ESC U 0         unidirectional printing off"},
        CommandCase{"1B 55 01", "ESC U 1         unidirectional printing on"},
        CommandCase{"1B 33 0E", "ESC 3 14        line spacing 14 dots"},
        CommandCase{"1B 64 06", "ESC d 6         print and feed 6 lines"},
        CommandCase{"1B 70 01 32 32",
                    "ESC p 1 50 50   drawer pulse on pin 5, on 100 ms, off 100 ms"},
        CommandCase{"1B 21 00", "ESC ! 0         print mode: font A"},
        CommandCase{"1B 21 31", "ESC ! 49        print mode: font B, double height, double width"},
        CommandCase{"1B 21 88", "ESC ! 136       print mode: font A, bold, underline"},
        CommandCase{"1D 56 42 18", "GS V 66 24      feed to the cutter plus 24 dots, partial cut"},
        CommandCase{"1D 56 41 48", "GS V 65 72      feed to the cutter plus 72 dots, full cut"},
        CommandCase{"1D 56 00", "GS V 0          full cut"},
        CommandCase{"1D 56 31", "GS V 49         partial cut"},
        CommandCase{"0A", "LF              print and line feed"},
        CommandCase{"0D", "CR              carriage return"},
        CommandCase{"48 69", "text            \"Hi\" (2 chars)"},
        CommandCase{"80 B0 E1 FF", "text            \"Ç░ß\u00a0\" (4 chars)"},
        CommandCase{"02 03 80", "vendor          vendor-specific: Print H"},
        CommandCase{"02 04 80 0F 1F 1B 1F F9 FF",
                    "vendor          vendor-specific: Set T = 0F, additional byte FF"},
        CommandCase{"1F 1B 1F FF 13", "vendor          vendor-specific: Set t = 13"},
        CommandCase{"1B 45", "?               unknown command"},
        CommandCase{"07", "?               unknown command"},
        CommandCase{"1B 70 00 32", "truncated       command cut short by the end of the stream"},
        CommandCase{"1D", "truncated       command cut short by the end of the stream"},
        CommandCase{"02 04 80 05 1F",
                    "truncated       command cut short by the end of the stream"}));

// The mnemonics of a whole stream, one per trace line.
std::vector<std::string> Mnemonics(const Bytes& stream) {
    std::vector<std::string> mnemonics;
    for (const std::string& line : TraceOf(stream)) {
        std::string mnemonic = line.substr(50, 14);
        mnemonic.erase(mnemonic.find_last_not_of(' ') + 1);
        mnemonics.push_back(mnemonic);
    }
    return mnemonics;
}

struct StreamCase {
    std::string name;
    void (CommandSet::*action)();
    std::vector<std::string> mnemonics;
};

class ActionTraceTest : public testing::TestWithParam<StreamCase> {};

// Every stream the program sends, produced by its own code, to its trace.
TEST_P(ActionTraceTest, StreamToMnemonics) {
    EXPECT_EQ(Mnemonics(StreamOf(GetParam().action)), GetParam().mnemonics);
}

std::vector<std::string> TestPrintMnemonics() {
    std::vector<std::string> m{"ESC @", "ESC U 0", "ESC 3 14"};
    for (int i = 0; i < 6; ++i) {
        m.insert(m.end(), {"text", "LF"});
    }
    m.insert(m.end(), {"ESC @", "ESC d 6"});
    return m;
}

std::vector<std::string> ChartMnemonics() {
    std::vector<std::string> m{"ESC @"};
    for (const char* pass : {"0", "1"}) {
        m.insert(m.end(),
                 {std::string("ESC ! ") + pass, "text", "LF", "LF",
                  std::string("ESC ! ") + (pass[0] == '0' ? "48" : "49"), "text", "LF", "ESC @"});
    }
    m.push_back("GS V 65 72");
    return m;
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ActionTraceTest,
    testing::Values(StreamCase{"TestPrint", &CommandSet::Button1Click, TestPrintMnemonics()},
                    StreamCase{"Drawer", &CommandSet::OpenClick, {"ESC p 0 50 50", "CR"}},
                    StreamCase{"Cut", &CommandSet::cutClick, {"GS V 66 24"}},
                    StreamCase{"PrintH", &CommandSet::phClick, {"vendor", "ESC d 6"}},
                    StreamCase{"SetT", &CommandSet::stClick, {"vendor", "LF", "LF"}},
                    StreamCase{"SetSmallT", &CommandSet::st0Click, {"vendor", "LF", "LF"}},
                    StreamCase{"Chart", &CommandSet::ptClick, ChartMnemonics()}),
    [](const auto& info) { return info.param.name; });

TEST(DecoderTest, PiecesOfAnySizeGiveTheSameEvents) {
    const Bytes stream = StreamOf(&CommandSet::Button1Click) + StreamOf(&CommandSet::ptClick);
    const std::vector<std::string> whole = TraceOf(stream);
    EscPosDecoder decoder;
    std::vector<std::string> byByte;
    for (char c : stream) {
        for (const Event& event : decoder.Feed(std::string_view(&c, 1))) {
            byByte.push_back(TraceLine(event));
        }
    }
    for (const Event& event : decoder.Finish()) {
        byByte.push_back(TraceLine(event));
    }
    EXPECT_EQ(byByte, whole);
    EXPECT_EQ(whole.at(3).substr(0, 8), "000008  ") << "offsets count the whole stream";
}

// The code page table against the C library's own converter.
TEST(Cp437Test, AgreesWithIconv) {
    iconv_t converter = iconv_open("UTF-8", "CP437");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    for (int code = 0x80; code <= 0xFF; ++code) {
        char in[1] = {static_cast<char>(code)};
        char out[8] = {};
        char* inPtr = in;
        char* outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        ASSERT_NE(iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1));
        EXPECT_EQ(Cp437ToUtf8(static_cast<unsigned char>(code)), std::string(out)) << code;
    }
    iconv_close(converter);
}

} // namespace
