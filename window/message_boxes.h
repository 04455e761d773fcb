#pragma once

#include <QString>

#include <memory>
#include <string>

class QMessageBox;
class QWidget;

// The application title: the caption of both boxes (two blanks before "V1.01").
inline constexpr const char* kApplicationTitle = "Printer Test Program  V1.01";
// The main window's caption (one blank).
inline constexpr const char* kWindowCaption = "Printer Test Program V1.01";

// The error box's text: the message, with "." appended when its last byte is above "." (a
// letter, a digit, "?"); a message ending in ".", "!", ")" or a blank is shown as it is.
std::string ErrorBoxText(const std::string& message);

// The notice box: the title, the text, no icon, one "OK" that Enter and Esc close; modal.
std::unique_ptr<QMessageBox> MakeNoticeBox(const QString& text, QWidget* parent);
// The error box: the title, a stop icon, the text of ErrorBoxText, one "OK"; modal.
std::unique_ptr<QMessageBox> MakeErrorBox(const std::string& message, QWidget* parent);

// How the window shows its boxes; a test puts a recorder in its place.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void ShowNotice(const std::string& text) = 0;
    virtual void ShowError(const std::string& message) = 0;
};

// Shows the real boxes, modal, and returns when the operator has closed them.
class ModalMessageBoxes : public MessageBoxes {
public:
    explicit ModalMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void ShowNotice(const std::string& text) override;
    void ShowError(const std::string& message) override;

private:
    QWidget* parent_;
};
