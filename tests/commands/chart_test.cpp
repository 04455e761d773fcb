#include "commands/command_set.h"
#include "tests/support/fake_operator.h"

#include <gtest/gtest.h>

namespace {

// The stream as a printer manual would list it, built here without the production loop.
std::vector<Bytes> ExpectedPieces() {
    std::vector<Bytes> pieces{Hex("1B 40")};
    const char* modes[2][2] = {{"1B 21 00", "1B 21 30"}, {"1B 21 01", "1B 21 31"}};
    for (auto& pass : modes) {
        pieces.push_back(Hex(pass[0]));
        for (int code = 0x80; code <= 0xFF; ++code) {
            pieces.push_back(Bytes(1, static_cast<char>(code)));
        }
        pieces.push_back(Hex("0A 0A"));
        pieces.push_back(Hex(pass[1]));
        for (int code = 0x80; code <= 0xFF; ++code) {
            pieces.push_back(Bytes(1, static_cast<char>(code)));
        }
        pieces.push_back(Hex("0A 1B 40"));
    }
    pieces.push_back(Hex("1D 56 41 48"));
    return pieces;
}

Bytes Joined(const std::vector<Bytes>& pieces) {
    Bytes all;
    for (const Bytes& piece : pieces) {
        all += piece;
    }
    return all;
}

class ChartTest : public testing::Test {
protected:
    FakeInputs inputs;
    RecordingNotice notice;
    RecordingSender sender;
    CommandSet actions{inputs, notice, sender};
};

TEST_F(ChartTest, StreamPiecesAndPositions) {
    inputs.port = "COM3";
    actions.ptClick();
    const std::vector<Bytes>& pieces = sender.pieces;
    ASSERT_EQ(pieces.size(), 522u);
    EXPECT_EQ(pieces, ExpectedPieces());
    const Bytes all = Joined(pieces);
    ASSERT_EQ(all.size(), 540u);
    EXPECT_EQ(ToHex(all.substr(0, 2)), "1B 40");
    EXPECT_EQ(ToHex(all.substr(2, 3)), "1B 21 00") << "the 0x00 parameter must be sent";
    EXPECT_EQ(ToHex(all.substr(266, 3)), "0A 1B 40") << "pass 0 ends at position 268";
    EXPECT_EQ(ToHex(all.substr(269, 3)), "1B 21 01") << "pass 1 starts at position 269";
    EXPECT_EQ(ToHex(all.substr(536)), "1D 56 41 48");
    EXPECT_EQ(ToHex(actions.CommandText), "1B 21 31");
    EXPECT_TRUE(sender.sent.empty());
}

TEST_F(ChartTest, TwoChartsAreIdenticalWhateverTheOtherInputs) {
    inputs.port = "LPT2";
    actions.ptClick();
    const std::vector<Bytes> first = sender.pieces;
    sender.pieces.clear();
    inputs.cs = "G";
    inputs.cst = "-1";
    inputs.ad = true;
    actions.CommandText = Hex("AA");
    actions.ptClick();
    EXPECT_EQ(sender.pieces, first);
}

} // namespace
