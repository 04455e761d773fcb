#pragma once

#include "commands/command_set.h"

#include <string>
#include <vector>

// Operator inputs as plain fields, so a test sets exactly what the window would hold.
struct FakeInputs : OperatorInputs {
    std::string port;
    std::string baud = "19200";
    std::string cs = "5";
    std::string cst = "0";
    bool ad = false;
    mutable int cstReads = 0;

    std::string PortText() const override { return port; }
    std::string BaudText() const override { return baud; }
    std::string csText() const override { return cs; }
    std::string cstText() const override {
        ++cstReads;
        return cst;
    }
    bool adTicked() const override { return ad; }
};

struct RecordingNotice : NoticeBox {
    std::vector<std::string> shown;
    void ShowNotice(const std::string& text) override { shown.push_back(text); }
};

struct RecordingSender : PortSender {
    std::vector<Bytes> sent;   // one entry per single-shot send
    std::vector<Bytes> pieces; // the writes of streamed sends
    void SendToSelectedPort(const Bytes& bytes) override { sent.push_back(bytes); }
    void SendPiecesToSelectedPort(const PieceProducer& produce) override {
        produce([this](const Bytes& piece) { pieces.push_back(piece); });
    }
    // Everything sent, in order, as one stream (single sends first, then the streamed pieces).
    Bytes Stream() const {
        Bytes stream;
        for (const Bytes& bytes : sent) {
            stream += bytes;
        }
        for (const Bytes& piece : pieces) {
            stream += piece;
        }
        return stream;
    }
};

// What one action sends with otherwise initial inputs, from the program's own code.
inline Bytes StreamOf(void (CommandSet::*action)(), const std::string& port = "COM1") {
    FakeInputs inputs;
    inputs.port = port;
    RecordingNotice notice;
    RecordingSender sender;
    CommandSet actions(inputs, notice, sender);
    (actions.*action)();
    return sender.Stream();
}

// Bytes from hex pairs separated by blanks, e.g. "1D 56 42 18".
inline Bytes Hex(const std::string& text) {
    Bytes bytes;
    for (size_t i = 0; i + 1 < text.size() + 1; i += 3) {
        bytes.push_back(static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

// Printable hex of bytes, for failure messages.
inline std::string ToHex(const Bytes& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) {
            out += ' ';
        }
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}
