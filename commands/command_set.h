#pragma once

#include "commands/bytes.h"

#include <functional>
#include <string>

// What the actions read from the window at the moment they run.
class OperatorInputs {
public:
    virtual ~OperatorInputs() = default;
    virtual std::string PortText() const = 0; // the port box `dk`
    virtual std::string BaudText() const = 0; // the baud box `sd`
    virtual std::string csText() const = 0;   // the T value, typed in hexadecimal
    virtual std::string cstText() const = 0;  // the t value
    virtual bool adTicked() const = 0;        // "Additional Command"
};

// Shows a text to the operator and returns once the operator has closed it.
class NoticeBox {
public:
    virtual ~NoticeBox() = default;
    virtual void ShowNotice(const std::string& text) = 0;
};

// Hands one piece of a stream to the open port as one write; throws on failure.
using PieceWriter = std::function<void(const Bytes& piece)>;
// Produces a stream piece by piece through the writer it is given.
using PieceProducer = std::function<void(const PieceWriter& write)>;

// Takes command bytes to the port named in the port box.
class PortSender {
public:
    virtual ~PortSender() = default;
    // One string of bytes in one write.
    virtual void SendToSelectedPort(const Bytes& bytes) = 0;
    // A stream of many writes within one opening of the port; `produce` runs only once the
    // port is open, and a failed write ends it.
    virtual void SendPiecesToSelectedPort(const PieceProducer& produce) = 0;
};

// The six single-shot actions. Each reads its inputs when it runs, builds its bytes and hands
// them to the sender; every failure (EConvertError, EInOutError, EComPort) passes out unchanged.
class CommandSet {
public:
    CommandSet(const OperatorInputs& inputs, NoticeBox& notice, PortSender& sender)
        : inputs_(inputs), notice_(notice), sender_(sender) {}

    void Button1Click(); // test print; an empty port box brings the notice before building
    void OpenClick();    // cash-drawer pulse
    void cutClick();     // paper cut
    void phClick();      // Print H; builds even when the port box is empty
    void stClick();      // Set T; converts `cs` before the port box is looked at
    void st0Click();     // Set t; looks at the port box before `cst` is read
    // The character chart: codes 0x80-0xFF in four print modes, then a cut; 540 bytes in 522
    // writes within one opening of the port. The mode pieces are built in CommandText.
    void ptClick();

    // Each action that fills a buffer replaces its whole content before it sends; an action
    // that fails before filling it leaves the earlier content.
    Bytes CommandText;
    Bytes CodePageText;

private:
    bool PortBoxEmpty();
    void WriteChart(const PieceWriter& write);

    const OperatorInputs& inputs_;
    NoticeBox& notice_;
    PortSender& sender_;
};
