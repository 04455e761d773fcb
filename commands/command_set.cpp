#include "commands/command_set.h"

#include "commands/command_bytes.h"
#include "commands/text_to_integer.h"

namespace {

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
