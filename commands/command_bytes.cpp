#include "commands/command_bytes.h"

namespace {

constexpr int kTestPrintLines = 6;
constexpr int kTestPrintLineLength = 40;

Bytes Of(std::initializer_list<uint8_t> values) {
    Bytes bytes;
    for (uint8_t value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

} // namespace

Bytes TestPrintBytes() {
    Bytes bytes = Of({ESC, '@', ESC, 'U', 0x00, ESC, '3', 14});
    for (int line = 0; line < kTestPrintLines; ++line) {
        bytes.append(kTestPrintLineLength, 'H');
        bytes.push_back(LF);
    }
    bytes += Of({ESC, '@', ESC, 'd', 6});
    return bytes;
}

Bytes DrawerPulseBytes(std::string_view portText) {
    const uint8_t pin = portText == "LPT1" ? 1 : 0;
    return Of({0x1B, 'p', pin, '2', '2', 0x0D});
}

Bytes PaperCutBytes() {
    return Of({0x1D, 'V', 0x42, 0x18});
}

Bytes PrintHBytes() {
    return Of({0x02, 0x03, 0x80, ESC, 'd', 6});
}

Bytes SetTBytes(uint8_t t, bool additional) {
    const uint8_t extra = additional ? 0xFF : 0x00;
    return Of({0x02, 0x04, 0x80, t, 0x1F, 0x1B, 0x1F, 0xF9, extra, LF, LF});
}

Bytes SetDefaultTBytes(uint8_t t) {
    return Of({0x1F, 0x1B, 0x1F, 0xFF, t, LF, LF});
}
