#include "ports/device_map.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct NameCase {
    std::string text;
    const char* matched; // nullptr: no port name
};

class FindPortNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(FindPortNameTest, WholeTextExactCase) {
    const PortName* port = FindPortName(GetParam().text);
    if (GetParam().matched == nullptr) {
        EXPECT_EQ(port, nullptr) << "[" << GetParam().text << "]";
    } else {
        ASSERT_NE(port, nullptr) << "[" << GetParam().text << "]";
        EXPECT_STREQ(port->name, GetParam().matched);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, FindPortNameTest,
                         testing::Values(NameCase{"LPT1", "LPT1"}, NameCase{"LPT2", "LPT2"},
                                         NameCase{"COM1", "COM1"}, NameCase{"COM4", "COM4"},
                                         NameCase{"lpt1", nullptr}, NameCase{" LPT1", nullptr},
                                         NameCase{"LPT1 ", nullptr}, NameCase{"COM5", nullptr},
                                         NameCase{"", nullptr}, NameCase{"   ", nullptr}));

TEST(DeviceMapTest, DefaultsAndEnvironmentOverrides) {
    setenv("PRINTER_TEST_LPT1", "/dev/usb/lp0", 1);
    setenv("PRINTER_TEST_COM1", "/dev/ttyUSB0", 1);
    setenv("PRINTER_TEST_COM2", "", 1); // empty: the default stays
    const DeviceMap map = DeviceMap::FromEnvironment();
    unsetenv("PRINTER_TEST_LPT1");
    unsetenv("PRINTER_TEST_COM1");
    unsetenv("PRINTER_TEST_COM2");

    EXPECT_EQ(map.DeviceFor("LPT1"), "/dev/usb/lp0");
    EXPECT_EQ(map.DeviceFor("LPT2"), "/dev/lp1");
    EXPECT_EQ(map.DeviceFor("COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(map.DeviceFor("COM2"), "/dev/ttyS1");
    EXPECT_EQ(map.DeviceFor("COM4"), "/dev/ttyS3");
    EXPECT_EQ(map.DeviceFor("COM5"), "");
}

} // namespace
