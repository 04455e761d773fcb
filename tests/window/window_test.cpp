#include "ports/device_map.h"
#include "tests/support/fake_operator.h"
#include "tests/support/pty_printer.h"
#include "window/layout.h"
#include "window/message_boxes.h"
#include "window/tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

struct RecordingBoxes : MessageBoxes {
    std::vector<std::string> notices, errors;
    std::vector<bool> busyWhileShown;
    void ShowNotice(const std::string& text) override {
        notices.push_back(text);
        busyWhileShown.push_back(QApplication::overrideCursor() != nullptr &&
                                 QApplication::overrideCursor()->shape() == Qt::WaitCursor);
    }
    void ShowError(const std::string& message) override { errors.push_back(message); }
};

class WindowTest : public testing::Test {
protected:
    DeviceMap devices;
    RecordingBoxes boxes;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>(devices, boxes, 1.0);

    QWidget* Control(const char* name) { return form->findChild<QWidget*>(name); }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

struct Place {
    const char* name;
    int left, top, width, height;
};

// The layout as designed, at scale 1.
constexpr Place kDesigned[] = {
    {"Label1", 29, 8, 157, 22},  {"Label4", 205, 8, 140, 22}, {"dk", 26, 36, 159, 30},
    {"sd", 207, 36, 146, 30},    {"szt", 16, 79, 153, 40},    {"ph", 160, 79, 153, 41},
    {"st", 312, 79, 97, 41},     {"cs", 408, 85, 49, 27},     {"Label5", 464, 80, 178, 16},
    {"ad", 464, 96, 169, 17},    {"szt0", 16, 128, 161, 25},  {"pt", 160, 120, 153, 41},
    {"st0", 312, 120, 97, 41},   {"cst", 408, 126, 49, 27},   {"Button1", 16, 216, 135, 45},
    {"Open", 168, 216, 135, 45}, {"cut", 320, 216, 135, 45},  {"QButton", 472, 216, 135, 45},
};

TEST_F(WindowTest, LayoutAtDesignScale) {
    EXPECT_EQ(form->size(), QSize(653, 286));
    for (const Place& place : kDesigned) {
        QWidget* control = Control(place.name);
        ASSERT_NE(control, nullptr) << place.name;
        EXPECT_EQ(control->geometry(), QRect(place.left, place.top, place.width, place.height))
            << place.name;
    }
}

TEST_F(WindowTest, LayoutScalesWithTheFont) {
    TForm1 big(devices, boxes, 1.5);
    EXPECT_EQ(big.size(), QSize(980, 429));
    EXPECT_EQ(big.dk->geometry(), QRect(39, 54, 239, 45));
    EXPECT_EQ(big.QButton->geometry(), QRect(708, 324, 203, 68));
    EXPECT_EQ(big.Button1->font().pixelSize(), 29); // 19 px scaled
    EXPECT_EQ(form->Button1->font().pixelSize(), 19);
    EXPECT_TRUE(form->ph->font().bold());
    EXPECT_EQ(form->Label5->font().pixelSize(), 13);
}

TEST_F(WindowTest, CaptionsTextsAndInitialStates) {
    EXPECT_EQ(form->windowTitle(), "Printer Test Program V1.01");
    EXPECT_EQ(form->objectName(), "Form1");
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(form->Label1->text(), "Select Printer port:");
    EXPECT_EQ(form->Label4->text(), "Select Baudrate:");
    EXPECT_EQ(form->Label5->text(), "00 H <=T<=0F H(Hexadicimal)");
    const std::pair<QAbstractButton*, const char*> captions[] = {
        {form->QButton, "&Exit"},  {form->Button1, "&Print"},       {form->Open, "Cash &Draweer"},
        {form->cut, "&Cut Paper"}, {form->szt, "Set T Parameter"},  {form->ph, "Print H"},
        {form->st, "Set  T ="},    {form->szt0, "Set Default t"},   {form->pt, "Print CodePage"},
        {form->st0, "Set  t ="},   {form->ad, "Additional Command"}};
    for (auto [button, caption] : captions) {
        EXPECT_EQ(button->text(), caption);
    }
    QStringList dkEntries, sdEntries;
    for (int i = 0; i < form->dk->count(); ++i) {
        dkEntries << form->dk->itemText(i);
    }
    for (int i = 0; i < form->sd->count(); ++i) {
        sdEntries << form->sd->itemText(i);
    }
    EXPECT_EQ(dkEntries, QStringList({"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4"}));
    EXPECT_EQ(sdEntries, QStringList({"4800", "9600", "19200", "38400", "115200", ""}));
    EXPECT_EQ(form->dk->currentText(), "");
    EXPECT_EQ(form->sd->currentText(), "19200");
    EXPECT_TRUE(form->dk->isEditable() && form->sd->isEditable());
    EXPECT_EQ(form->cs->text(), "5");
    EXPECT_EQ(form->cst->text(), "0");
    for (QCheckBox* box : {form->szt, form->szt0, form->ad}) {
        EXPECT_FALSE(box->isChecked());
        EXPECT_TRUE(box->isEnabled());
    }
    for (QWidget* off : std::initializer_list<QWidget*>{form->ph, form->st, form->cs, form->pt,
                                                        form->st0, form->cst}) {
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    }
    EXPECT_FALSE(form->cp.Connected());
}

// Where Tab goes from dk, by object name, until it comes back to dk.
QStringList TabCycle(TForm1& form) {
    form.show();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    form.dk->setFocus();
    QStringList visited;
    for (int i = 0; i < 20; ++i) {
        QWidget* focus = QApplication::focusWidget();
        while (focus != nullptr && focus->parentWidget() != &form) {
            focus = focus->parentWidget(); // the line edit inside a combo box
        }
        const QString name = focus ? focus->objectName() : QString("<none>");
        if (!visited.isEmpty() && name == visited.front()) {
            break;
        }
        visited << name;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return visited;
}

TEST_F(WindowTest, TabOrderFollowsTheEnabledControls) {
    const QStringList base{"dk", "sd", "QButton", "Button1", "Open", "cut", "szt", "szt0", "ad"};
    EXPECT_EQ(TabCycle(*form), base);
    form->szt->setChecked(true);
    EXPECT_EQ(TabCycle(*form), QStringList({"dk", "sd", "QButton", "Button1", "Open", "cut", "szt",
                                            "ph", "st", "cs", "szt0", "ad"}));
    form->szt->setChecked(false);
    form->szt0->setChecked(true);
    EXPECT_EQ(TabCycle(*form), QStringList({"dk", "sd", "QButton", "Button1", "Open", "cut", "szt",
                                            "szt0", "pt", "st0", "cst", "ad"}));
}

TEST_F(WindowTest, CheckBoxesGovernTheirRowsAndKeepTexts) {
    struct Row {
        QCheckBox* box;
        std::vector<QWidget*> governed;
        QLineEdit* edit;
    };
    for (const Row& row : {Row{form->szt, {form->ph, form->st, form->cs}, form->cs},
                           Row{form->szt0, {form->pt, form->st0, form->cst}, form->cst}}) {
        row.edit->setText("7");
        for (bool ticked : {true, false, true, false}) {
            Click(row.box);
            EXPECT_EQ(row.box->isChecked(), ticked);
            for (QWidget* control : row.governed) {
                EXPECT_EQ(control->isEnabled(), ticked) << control->objectName().toStdString();
            }
            EXPECT_EQ(row.edit->text(), "7");
        }
    }
    // ad is usable whatever the rows do.
    Click(form->ad);
    EXPECT_TRUE(form->ad->isChecked());
    EXPECT_TRUE(form->ad->isEnabled());
}

TEST_F(WindowTest, ActionsAtStartBringTheNoticeWithABusyCursor) {
    for (QPushButton* button : {form->Button1, form->Open, form->cut}) {
        Click(button);
    }
    ASSERT_EQ(boxes.notices.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(boxes.notices[i], "NOTICE:Please select the correct communication port!");
        EXPECT_TRUE(boxes.busyWhileShown[i]);
    }
    EXPECT_TRUE(boxes.errors.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "busy cursor left behind";
}

TEST_F(WindowTest, AFailureIsShownAndTheWindowGoesOn) {
    form->szt->setChecked(true);
    form->cs->setText("G");
    form->dk->setEditText("COM1");
    Click(form->st);
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(ErrorBoxText(boxes.errors[0]), "'$G' is not a valid integer value.");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // Every control keeps its state and the next action runs.
    EXPECT_EQ(form->cs->text(), "G");
    EXPECT_TRUE(form->st->isEnabled());
    EXPECT_EQ(form->dk->currentText(), "COM1");
    form->dk->setEditText("");
    Click(form->cut);
    EXPECT_EQ(boxes.notices.size(), 1u);
}

TEST(ErrorBoxTextTest, FullStopRule) {
    const std::pair<std::string, std::string> rows[] = {
        {"File not found", "File not found."},
        {"I/O error 21", "I/O error 21."},
        {"Unable to open com port (win error code: 2)",
         "Unable to open com port (win error code: 2)"},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"trailing ", "trailing "},
        {"what?", "what?."},
        {"", ""}};
    for (const auto& [message, shown] : rows) {
        EXPECT_EQ(ErrorBoxText(message), shown) << message;
    }
}

TEST(MessageBoxTest, NoticeAndErrorBoxes) {
    auto notice = MakeNoticeBox("NOTICE:Please select the correct communication port!", nullptr);
    EXPECT_EQ(notice->windowTitle(), "Printer Test Program  V1.01");
    EXPECT_EQ(notice->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(notice->text(), "NOTICE:Please select the correct communication port!");
    ASSERT_EQ(notice->buttons().size(), 1);
    EXPECT_EQ(notice->buttons()[0]->text().remove('&'), "OK");
    EXPECT_EQ(notice->defaultButton(), notice->buttons()[0]);
    EXPECT_EQ(notice->escapeButton(), notice->buttons()[0]);
    EXPECT_EQ(notice->windowModality(), Qt::ApplicationModal);

    auto error = MakeErrorBox("File not found", nullptr);
    EXPECT_EQ(error->windowTitle(), "Printer Test Program  V1.01");
    EXPECT_EQ(error->icon(), QMessageBox::Critical);
    EXPECT_EQ(error->text(), "File not found.");
    EXPECT_EQ(error->buttons().size(), 1);
}

TEST_F(WindowTest, CentredOnTheScreenAtFirstShow) {
    form->CenterOnScreen();
    form->show();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint offset = form->frameGeometry().center() - screenCentre;
    // Rounding of odd sizes on both sides may leave a pixel or two; off-centre is hundreds.
    EXPECT_LE(std::abs(offset.x()), 2);
    EXPECT_LE(std::abs(offset.y()), 2);
}

TEST_F(WindowTest, PortBoxTooltipNamesTheDevices) {
    devices.Set("COM1", "/dev/ttyUSB0");
    TForm1 mapped(devices, boxes, 1.0);
    const QString tip = mapped.dk->toolTip();
    EXPECT_TRUE(tip.contains("COM1 → /dev/ttyUSB0")) << tip.toStdString();
    EXPECT_TRUE(tip.contains("LPT1 → /dev/lp0")) << tip.toStdString();
}

// Through the real window: choose the port in dk, click, and read what the printer got.
TEST_F(WindowTest, EndToEndOverAPseudoTerminal) {
    PtyPrinter printer;
    devices.Set("COM1", printer.SlavePath());
    form->dk->setCurrentIndex(2);
    ASSERT_EQ(form->dk->currentText(), "COM1");
    Click(form->cut);
    EXPECT_EQ(ToHex(printer.Read(4)), "1D 56 42 18");
    EXPECT_EQ(printer.Settings().speed, 19200);

    Click(form->szt);
    Click(form->st);
    EXPECT_EQ(ToHex(printer.Read(11)), "02 04 80 05 1F 1B 1F F9 00 0A 0A");
    form->sd->setCurrentIndex(0);
    Click(form->Button1);
    EXPECT_EQ(printer.Read(259).size(), 259u);
    EXPECT_EQ(printer.Settings().speed, 4800);
    EXPECT_TRUE(boxes.errors.empty() && boxes.notices.empty());
    EXPECT_FALSE(form->cp.Connected());
}

TEST_F(WindowTest, ExitClosesAndDestroyingReleasesAPortLeftOpen) {
    PtyPrinter printer;
    devices.Set("COM2", printer.SlavePath());
    form->show();
    form->dk->setEditText("COM2");
    form->cp.SetPort("COM2");
    form->cp.SetBaudRate(TBaudRate::br19200);
    form->cp.Open();
    printer.Send("\x13"); // the write will time out and leave the port open
    Click(form->cut);
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_TRUE(form->cp.Connected());

    Click(form->QButton);
    EXPECT_FALSE(form->isVisible());
    form.reset();
    EXPECT_TRUE(printer.SlaveIsFree()) << "the port is still held";
}

} // namespace
