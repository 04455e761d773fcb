// Writes every stream the program sends (from its own action code) as NAME.bin, and the
// boundaries our decoder finds in it as NAME.events ("offset length kind" a line), for the
// cross-check against an independent ESC/POS parser.
#include "commands/command_set.h"
#include "tests/support/fake_operator.h"
#include "tools/virtual_printer/escpos_decoder.h"

#include <filesystem>
#include <fstream>

namespace {

const char* KindName(Kind kind) {
    switch (kind) {
    case Kind::Text:
    case Kind::LineFeed:
    case Kind::CarriageReturn:
        return "data";
    case Kind::VendorPrintH:
    case Kind::VendorSetT:
    case Kind::VendorSetSmallT:
        return "vendor";
    case Kind::Unknown:
    case Kind::Truncated:
        return "bad";
    default:
        return "command";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const std::pair<const char*, void (CommandSet::*)()> actions[] = {
        {"test-print", &CommandSet::Button1Click},
        {"drawer", &CommandSet::OpenClick},
        {"cut", &CommandSet::cutClick},
        {"print-h", &CommandSet::phClick},
        {"set-t", &CommandSet::stClick},
        {"set-small-t", &CommandSet::st0Click},
        {"chart", &CommandSet::ptClick}};
    for (const auto& [name, action] : actions) {
        const Bytes stream = StreamOf(action);
        std::ofstream(dir / (std::string(name) + ".bin"), std::ios::binary) << stream;
        const std::vector<Event> events = DecodeStream(stream);
        std::ofstream out(dir / (std::string(name) + ".events"));
        for (const Event& event : events) {
            out << event.offset << ' ' << event.bytes.size() << ' ' << KindName(event.kind) << '\n';
        }
    }
    return 0;
}
