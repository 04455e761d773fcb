#include "commands/command_set.h"
#include "commands/errors.h"
#include "tests/support/fake_operator.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class CommandSetTest : public testing::Test {
protected:
    FakeInputs inputs;
    RecordingNotice notice;
    RecordingSender sender;
    CommandSet actions{inputs, notice, sender};

    Bytes OnlySent() {
        EXPECT_EQ(sender.sent.size(), 1u);
        return sender.sent.empty() ? Bytes() : sender.sent.front();
    }
};

Bytes TestPrint() {
    Bytes line(40, 'H');
    line += '\n';
    Bytes bytes = Hex("1B 40 1B 55 00 1B 33 0E");
    for (int i = 0; i < 6; ++i) {
        bytes += line;
    }
    return bytes + Hex("1B 40 1B 64 06");
}

TEST_F(CommandSetTest, TestPrintIs259BytesWithItsNulSent) {
    inputs.port = "COM1";
    actions.Button1Click();
    const Bytes sent = OnlySent();
    ASSERT_EQ(sent.size(), 259u);
    EXPECT_EQ(sent[4], '\0');
    EXPECT_EQ(ToHex(sent), ToHex(TestPrint()));
    EXPECT_EQ(actions.CommandText, sent);
    actions.Button1Click();
    EXPECT_EQ(sender.sent.at(1), sent) << "two test prints differ";
}

struct DrawerCase {
    std::string port;
    std::string bytes;
};

class DrawerTest : public CommandSetTest, public testing::WithParamInterface<DrawerCase> {};

TEST_P(DrawerTest, PulseDependsOnPort) {
    inputs.port = GetParam().port;
    actions.OpenClick();
    EXPECT_EQ(ToHex(OnlySent()), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Ports, DrawerTest,
                         testing::Values(DrawerCase{"LPT1", "1B 70 01 32 32 0D"},
                                         DrawerCase{"LPT2", "1B 70 00 32 32 0D"},
                                         DrawerCase{"COM1", "1B 70 00 32 32 0D"},
                                         DrawerCase{"COM2", "1B 70 00 32 32 0D"},
                                         DrawerCase{"COM3", "1B 70 00 32 32 0D"},
                                         DrawerCase{"COM4", "1B 70 00 32 32 0D"},
                                         DrawerCase{"lpt1", "1B 70 00 32 32 0D"},
                                         DrawerCase{"", "1B 70 00 32 32 0D"}));

TEST_F(CommandSetTest, CutAndPrintH) {
    inputs.port = "LPT1";
    actions.cutClick();
    actions.phClick();
    ASSERT_EQ(sender.sent.size(), 2u);
    EXPECT_EQ(ToHex(sender.sent[0]), "1D 56 42 18");
    EXPECT_EQ(ToHex(sender.sent[1]), "02 03 80 1B 64 06");
    EXPECT_EQ(ToHex(actions.CommandText), "02 03 80 1B 64 06");
}

struct SetTCase {
    std::string cs;
    bool ad;
    std::string bytes;
};

class SetTTest : public CommandSetTest, public testing::WithParamInterface<SetTCase> {};

TEST_P(SetTTest, TByteFromHex) {
    inputs.port = "COM2";
    inputs.cs = GetParam().cs;
    inputs.ad = GetParam().ad;
    actions.stClick();
    EXPECT_EQ(ToHex(OnlySent()), GetParam().bytes);
    EXPECT_EQ(ToHex(actions.CommandText), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SetTTest,
    testing::Values(SetTCase{"5", false, "02 04 80 05 1F 1B 1F F9 00 0A 0A"},
                    SetTCase{"5", true, "02 04 80 05 1F 1B 1F F9 FF 0A 0A"},
                    SetTCase{"0F", false, "02 04 80 0F 1F 1B 1F F9 00 0A 0A"},
                    SetTCase{"f", false, "02 04 80 0F 1F 1B 1F F9 00 0A 0A"},
                    SetTCase{"1f", true, "02 04 80 1F 1F 1B 1F F9 FF 0A 0A"},
                    SetTCase{"123", false, "02 04 80 23 1F 1B 1F F9 00 0A 0A"},
                    SetTCase{"FFFFFFFF", false, "02 04 80 FF 1F 1B 1F F9 00 0A 0A"},
                    SetTCase{"000000001F", false, "02 04 80 1F 1F 1B 1F F9 00 0A 0A"}));

struct SetSmallTCase {
    std::string cst;
    std::string bytes;
};

class SetSmallTTest : public CommandSetTest, public testing::WithParamInterface<SetSmallTCase> {};

TEST_P(SetSmallTTest, TByteInTwosComplement) {
    inputs.port = "COM3";
    inputs.cst = GetParam().cst;
    actions.st0Click();
    EXPECT_EQ(ToHex(OnlySent()), GetParam().bytes);
    EXPECT_EQ(ToHex(actions.CodePageText), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Values, SetSmallTTest,
                         testing::Values(SetSmallTCase{"0", "1F 1B 1F FF 00 0A 0A"},
                                         SetSmallTCase{"255", "1F 1B 1F FF FF 0A 0A"},
                                         SetSmallTCase{"256", "1F 1B 1F FF 00 0A 0A"},
                                         SetSmallTCase{"-1", "1F 1B 1F FF FF 0A 0A"},
                                         SetSmallTCase{"-128", "1F 1B 1F FF 80 0A 0A"},
                                         SetSmallTCase{" 7", "1F 1B 1F FF 07 0A 0A"},
                                         SetSmallTCase{"+7", "1F 1B 1F FF 07 0A 0A"},
                                         SetSmallTCase{"$41", "1F 1B 1F FF 41 0A 0A"},
                                         SetSmallTCase{"x41", "1F 1B 1F FF 41 0A 0A"},
                                         SetSmallTCase{"0x41", "1F 1B 1F FF 41 0A 0A"}));

struct InvalidValueCase {
    std::function<void(CommandSet&)> action;
    std::string field; // "cs" or "cst"
    std::string typed;
    std::string message;
};

class InvalidValueTest : public CommandSetTest,
                         public testing::WithParamInterface<InvalidValueCase> {};

// A failed conversion sends nothing and leaves the buffer's earlier content.
TEST_P(InvalidValueTest, FailsWithQuotedTextAndKeepsBuffer) {
    const auto& param = GetParam();
    inputs.port = "COM1";
    actions.CommandText = Hex("AA BB");
    actions.CodePageText = Hex("CC DD");
    (param.field == "cs" ? inputs.cs : inputs.cst) = param.typed;
    try {
        param.action(actions);
        FAIL() << "no failure for [" << param.typed << "]";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), param.message);
    }
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_EQ(ToHex(actions.CommandText), "AA BB");
    EXPECT_EQ(ToHex(actions.CodePageText), "CC DD");
}

void SetT(CommandSet& a) {
    a.stClick();
}
void SetSmallT(CommandSet& a) {
    a.st0Click();
}

INSTANTIATE_TEST_SUITE_P(
    Values, InvalidValueTest,
    testing::Values(
        InvalidValueCase{SetT, "cs", " 5", "'$ 5' is not a valid integer value"},
        InvalidValueCase{SetT, "cs", "-5", "'$-5' is not a valid integer value"},
        InvalidValueCase{SetT, "cs", "5 ", "'$5 ' is not a valid integer value"},
        InvalidValueCase{SetT, "cs", "G", "'$G' is not a valid integer value"},
        InvalidValueCase{SetT, "cs", "100000000", "'$100000000' is not a valid integer value"},
        InvalidValueCase{SetT, "cs", "", "'$' is not a valid integer value"},
        InvalidValueCase{SetT, "cs", "0x5", "'$0x5' is not a valid integer value"},
        InvalidValueCase{SetSmallT, "cst", "7 ", "'7 ' is not a valid integer value"},
        InvalidValueCase{SetSmallT, "cst", "-$41", "'-$41' is not a valid integer value"},
        InvalidValueCase{SetSmallT, "cst", "", "'' is not a valid integer value"}));

// With an empty port box the actions differ in whether they build or convert first.
TEST_F(CommandSetTest, EmptyPortBoxOrderOfSteps) {
    inputs.port = "";
    inputs.cs = "G";
    EXPECT_THROW(actions.stClick(), EConvertError) << "Set T must convert before the notice";
    EXPECT_TRUE(notice.shown.empty());

    inputs.cst = "not a number";
    actions.st0Click();
    EXPECT_EQ(inputs.cstReads, 0) << "Set t must not read cst with an empty port box";
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0], "NOTICE:Please select the correct communication port!");

    actions.Button1Click();
    EXPECT_EQ(notice.shown.size(), 2u);
    EXPECT_TRUE(actions.CommandText.empty()) << "test print must not build before the notice";

    actions.phClick(); // the notice of this one comes from the sender
    EXPECT_EQ(ToHex(actions.CommandText), "02 03 80 1B 64 06");
    EXPECT_EQ(notice.shown.size(), 2u);
    EXPECT_TRUE(actions.CodePageText.empty());
}

} // namespace
