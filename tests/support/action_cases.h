#pragma once

#include "commands/command_set.h"
#include "tests/support/fake_operator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every single-shot action with inputs that put 0x00, 0x11 and 0x13 into its bytes where it
// can, and the bytes that must reach the printer.
struct ActionCase {
    std::string name;
    void (CommandSet::*action)();
    std::string cs, cst;
    bool ad;
    std::string bytes;     // hex, on every port but LPT1
    std::string lpt1Bytes; // hex on LPT1 where it differs, else empty
};

inline std::vector<ActionCase> AllActionCases() {
    std::string testPrint = "1B 40 1B 55 00 1B 33 0E";
    for (int line = 0; line < 6; ++line) {
        for (int i = 0; i < 40; ++i) {
            testPrint += " 48";
        }
        testPrint += " 0A";
    }
    testPrint += " 1B 40 1B 64 06";
    return {
        {"TestPrint", &CommandSet::Button1Click, "5", "0", false, testPrint, ""},
        {"Drawer", &CommandSet::OpenClick, "5", "0", false, "1B 70 00 32 32 0D",
         "1B 70 01 32 32 0D"},
        {"Cut", &CommandSet::cutClick, "5", "0", false, "1D 56 42 18", ""},
        {"PrintH", &CommandSet::phClick, "5", "0", false, "02 03 80 1B 64 06", ""},
        {"SetTXon", &CommandSet::stClick, "11", "0", true, "02 04 80 11 1F 1B 1F F9 FF 0A 0A", ""},
        {"SetTNul", &CommandSet::stClick, "100", "0", false, "02 04 80 00 1F 1B 1F F9 00 0A 0A",
         ""},
        {"SetSmallTXoff", &CommandSet::st0Click, "5", "19", false, "1F 1B 1F FF 13 0A 0A", ""},
        {"SetSmallTNul", &CommandSet::st0Click, "5", "$100", false, "1F 1B 1F FF 00 0A 0A", ""},
    };
}

inline std::string ActionCaseName(const testing::TestParamInfo<ActionCase>& info) {
    return info.param.name;
}

inline void ApplyInputs(const ActionCase& c, FakeInputs& inputs) {
    inputs.cs = c.cs;
    inputs.cst = c.cst;
    inputs.ad = c.ad;
}
