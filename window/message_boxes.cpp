#include "window/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(icon, QString::fromUtf8(kApplicationTitle), text,
                                             QMessageBox::Ok, parent);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
    box->setWindowModality(Qt::ApplicationModal);
    box->setTextFormat(Qt::PlainText);
    return box;
}

} // namespace

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

std::unique_ptr<QMessageBox> MakeNoticeBox(const QString& text, QWidget* parent) {
    return MakeBox(QMessageBox::NoIcon, text, parent);
}

std::unique_ptr<QMessageBox> MakeErrorBox(const std::string& message, QWidget* parent) {
    return MakeBox(QMessageBox::Critical, QString::fromUtf8(ErrorBoxText(message)), parent);
}

void ModalMessageBoxes::ShowNotice(const std::string& text) {
    MakeNoticeBox(QString::fromUtf8(text), parent_)->exec();
}

void ModalMessageBoxes::ShowError(const std::string& message) {
    MakeErrorBox(message, parent_)->exec();
}
