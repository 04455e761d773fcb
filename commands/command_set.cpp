#include "commands/command_set.h"

#include "commands/command_bytes.h"
#include "commands/text_to_integer.h"

namespace {

constexpr int kChartPasses = 2;
constexpr unsigned kChartFirstCode = 0x80;
constexpr unsigned kChartLastCode = 0xFF;

// The upper half of the character table, one code per write.
void WriteCharacterRun(const PieceWriter& write) {
    for (unsigned code = kChartFirstCode; code <= kChartLastCode; ++code) {
        write(Bytes(1, static_cast<char>(code)));
    }
}

uint8_t LowestByte(int32_t value) {
    return static_cast<uint8_t>(static_cast<uint32_t>(value));
}

} // namespace

bool CommandSet::PortBoxEmpty() {
    if (!inputs_.PortText().empty()) {
        return false;
    }
    notice_.ShowNotice(PortNotice);
    return true;
}

void CommandSet::Button1Click() {
    if (PortBoxEmpty()) {
        return;
    }
    CommandText = TestPrintBytes();
    sender_.SendToSelectedPort(CommandText);
}

void CommandSet::OpenClick() {
    sender_.SendToSelectedPort(DrawerPulseBytes(inputs_.PortText()));
}

void CommandSet::cutClick() {
    sender_.SendToSelectedPort(PaperCutBytes());
}

void CommandSet::phClick() {
    CommandText = PrintHBytes();
    sender_.SendToSelectedPort(CommandText);
}

void CommandSet::stClick() {
    const bool additional = inputs_.adTicked();
    std::string hexText = "$"; // the T value is typed as hexadecimal digits alone
    hexText += inputs_.csText();
    const int32_t t = TextToInteger(hexText);
    CommandText = SetTBytes(LowestByte(t), additional);
    sender_.SendToSelectedPort(CommandText);
}

void CommandSet::st0Click() {
    if (PortBoxEmpty()) {
        return;
    }
    const int32_t t = TextToInteger(inputs_.cstText());
    CodePageText = SetDefaultTBytes(LowestByte(t));
    sender_.SendToSelectedPort(CodePageText);
}

void CommandSet::ptClick() {
    sender_.SendPiecesToSelectedPort([this](const PieceWriter& write) { WriteChart(write); });
}

// Pass 0 prints font A, normal then double; pass 1 font B, normal then double.
void CommandSet::WriteChart(const PieceWriter& write) {
    write({ESC, '@'});
    for (int pass = 0; pass < kChartPasses; ++pass) {
        CommandText = {ESC, '!', static_cast<char>(pass)};
        write(CommandText);
        WriteCharacterRun(write);
        write({LF, LF});
        CommandText = {ESC, '!', static_cast<char>('0' + pass)}; // double height and width
        write(CommandText);
        WriteCharacterRun(write);
        write({LF, ESC, '@'});
    }
    write({GS, 'V', 'A', 'H'}); // feed 72 units, full cut
}
