#pragma once

#include <string>

// The line settings of a pseudo-terminal slave, as its master reads them back.
struct LineSettings {
    int speed = 0; // output speed in bits per second
    int dataBits = 0;
    bool cs8 = false, parenb = false, parodd = false, cstopb = false, crtscts = false;
    bool ixon = false, ixoff = false, ixany = false;
    bool clocal = false, cread = false, opost = false, icanon = false;
    unsigned char vstart = 0, vstop = 0;

    bool operator==(const LineSettings&) const = default;
};

// Reads the slave's settings through its master (a master's TCGETS2 returns its slave's).
// Throws std::runtime_error if the master refuses.
LineSettings ReadLineSettings(int masterFd);

// "19200 baud, 8 data bits, no parity, 1 stop bit, XON/XOFF output on, input on"
std::string DescribeLineSettings(const LineSettings& line);
