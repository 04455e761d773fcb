// Kept in a file of its own: termios2 (asm/termbits.h) cannot share a file with termios.h.
#include "tools/virtual_printer/line_settings.h"

#include <asm/termbits.h>
#include <stdexcept>
#include <sys/ioctl.h>

namespace {

int SpeedOf(const termios2& settings) {
    struct Code {
        unsigned code;
        int speed;
    };
    static constexpr Code kCodes[] = {
        {B110, 110},     {B300, 300},     {B600, 600},       {B1200, 1200},
        {B2400, 2400},   {B4800, 4800},   {B9600, 9600},     {B19200, 19200},
        {B38400, 38400}, {B57600, 57600}, {B115200, 115200}, {B230400, 230400},
    };
    const unsigned code = settings.c_cflag & CBAUD;
    if (code == BOTHER) {
        return static_cast<int>(settings.c_ospeed);
    }
    for (const Code& entry : kCodes) {
        if (entry.code == code) {
            return entry.speed;
        }
    }
    return -1;
}

} // namespace

LineSettings ReadLineSettings(int masterFd) {
    termios2 settings{};
    if (ioctl(masterFd, TCGETS2, &settings) != 0) {
        throw std::runtime_error("TCGETS2 on the pty master failed");
    }
    LineSettings line;
    line.speed = SpeedOf(settings);
    line.cs8 = (settings.c_cflag & CSIZE) == CS8;
    line.dataBits = 5 + static_cast<int>((settings.c_cflag & CSIZE) >> 4);
    line.parenb = settings.c_cflag & PARENB;
    line.parodd = settings.c_cflag & PARODD;
    line.cstopb = settings.c_cflag & CSTOPB;
    line.crtscts = settings.c_cflag & CRTSCTS;
    line.clocal = settings.c_cflag & CLOCAL;
    line.cread = settings.c_cflag & CREAD;
    line.ixon = settings.c_iflag & IXON;
    line.ixoff = settings.c_iflag & IXOFF;
    line.ixany = settings.c_iflag & IXANY;
    line.opost = settings.c_oflag & OPOST;
    line.icanon = settings.c_lflag & ICANON;
    line.vstart = settings.c_cc[VSTART];
    line.vstop = settings.c_cc[VSTOP];
    return line;
}

std::string DescribeLineSettings(const LineSettings& line) {
    const char* parity = !line.parenb ? "no parity" : (line.parodd ? "odd parity" : "even parity");
    return std::to_string(line.speed) + " baud, " + std::to_string(line.dataBits) + " data bits, " +
           parity + ", " + (line.cstopb ? "2 stop bits" : "1 stop bit") + ", XON/XOFF output " +
           (line.ixon ? "on" : "off") + ", input " + (line.ixoff ? "on" : "off");
}
