#include "window/tform1.h"

#include "commands/errors.h"
#include "ports/device_map.h"
#include "window/layout.h"
#include "window/message_boxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

// Restores the cursor however the handler ends.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

template <typename T> T* Make(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TForm1::TForm1(const DeviceMap& devices, MessageBoxes& boxes, std::optional<double> scale)
    : cp(devices), boxes_(boxes), devices_(devices), scale_(scale.value_or(MeasuredLayoutScale())),
      dispatch_(*this, *this, devices, printerFile_, cp), actions_(*this, *this, dispatch_) {
    setObjectName("Form1");
    setWindowTitle(Text(kWindowCaption));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(MakeFont(kWindowFont, scale_));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    CreateControls();
    PlaceControls();
    SetTabOrder();
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls() {
    dk = Make<QComboBox>(this, "dk");
    Label1 = Make<QLabel>(this, "Label1");
    Label4 = Make<QLabel>(this, "Label4");
    sd = Make<QComboBox>(this, "sd");
    QButton = Make<QPushButton>(this, "QButton");
    Button1 = Make<QPushButton>(this, "Button1");
    Open = Make<QPushButton>(this, "Open");
    cut = Make<QPushButton>(this, "cut");
    szt = Make<QCheckBox>(this, "szt");
    ph = Make<QPushButton>(this, "ph");
    st = Make<QPushButton>(this, "st");
    cs = Make<QLineEdit>(this, "cs");
    szt0 = Make<QCheckBox>(this, "szt0");
    pt = Make<QPushButton>(this, "pt");
    st0 = Make<QPushButton>(this, "st0");
    cst = Make<QLineEdit>(this, "cst");
    ad = Make<QCheckBox>(this, "ad");
    Label5 = Make<QLabel>(this, "Label5");

    Label1->setText(Text("Select Printer port:"));
    Label4->setText(Text("Select Baudrate:"));
    Label5->setText(Text("00 H <=T<=0F H(Hexadicimal)"));
    dk->setEditable(true);
    dk->addItems({"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4"});
    dk->setCurrentIndex(-1);
    dk->setEditText(QString());
    sd->setEditable(true);
    sd->addItems({"4800", "9600", "19200", "38400", "115200", ""});
    sd->setCurrentIndex(2);
    for (QComboBox* box : {dk, sd}) {
        box->setInsertPolicy(QComboBox::NoInsert); // typing never adds entries
    }
    QButton->setText(Text("&Exit"));
    Button1->setText(Text("&Print"));
    Open->setText(Text("Cash &Draweer"));
    cut->setText(Text("&Cut Paper"));
    szt->setText(Text("Set T Parameter"));
    ph->setText(Text("Print H"));
    st->setText(Text("Set  T ="));
    cs->setText(Text("5"));
    szt0->setText(Text("Set Default t"));
    pt->setText(Text("Print CodePage"));
    st0->setText(Text("Set  t ="));
    cst->setText(Text("0"));
    ad->setText(Text("Additional Command"));
    sztClick(); // neither box is ticked: the rules start both rows disabled
    szt0Click();
    QStringList mapping;
    for (const PortName& port : kPortNames) {
        mapping << QString("%1 → %2").arg(port.name,
                                          QString::fromStdString(devices_.DeviceFor(port.name)));
    }
    dk->setToolTip(mapping.join('\n'));
}

void TForm1::PlaceControls() {
    for (const ControlPlace& place : kLayout) {
        auto* control = findChild<QWidget*>(place.name, Qt::FindDirectChildrenOnly);
        control->setGeometry(Scaled(place.rect, scale_));
        control->setFont(MakeFont(place.font, scale_));
    }
    resize(Scaled(kClientArea, scale_));
}

void TForm1::SetTabOrder() {
    QWidget* order[] = {dk, sd, QButton, Button1, Open, cut, szt, ph,
                        st, cs, szt0,    pt,      st0,  cst, ad};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    for (QLabel* label : {Label1, Label4, Label5}) {
        label->setFocusPolicy(Qt::NoFocus);
    }
}

void TForm1::ConnectHandlers() {
    const auto on = [this](auto* control, auto signal, void (TForm1::*handler)()) {
        connect(control, signal, this, [this, handler] { Run(handler); });
    };
    on(QButton, &QPushButton::clicked, &TForm1::QButtonClick);
    on(Button1, &QPushButton::clicked, &TForm1::Button1Click);
    on(Open, &QPushButton::clicked, &TForm1::OpenClick);
    on(cut, &QPushButton::clicked, &TForm1::cutClick);
    on(sd, &QComboBox::editTextChanged, &TForm1::sdChange);
    on(ph, &QPushButton::clicked, &TForm1::phClick);
    on(st, &QPushButton::clicked, &TForm1::stClick);
    on(szt, &QCheckBox::toggled, &TForm1::sztClick);
    on(szt0, &QCheckBox::toggled, &TForm1::szt0Click);
    on(st0, &QPushButton::clicked, &TForm1::st0Click);
    on(pt, &QPushButton::clicked, &TForm1::ptClick);
}

void TForm1::Run(void (TForm1::*handler)()) {
    try {
        BusyCursor busy;
        (this->*handler)();
    } catch (const Exception& failure) {
        boxes_.ShowError(failure.Message());
    } catch (const std::exception& failure) {
        boxes_.ShowError(failure.what());
    }
}

void TForm1::CenterOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// The control bytes and PortNotice are constants of the command set; nothing is left to set.
void TForm1::FormCreate() {}

void TForm1::QButtonClick() {
    close();
}
void TForm1::Button1Click() {
    actions_.Button1Click();
}
void TForm1::OpenClick() {
    actions_.OpenClick();
}
void TForm1::cutClick() {
    actions_.cutClick();
}
void TForm1::sdChange() {
    ::sdChange(cp, BaudText());
}
void TForm1::phClick() {
    actions_.phClick();
}
void TForm1::stClick() {
    actions_.stClick();
}
void TForm1::st0Click() {
    actions_.st0Click();
}
void TForm1::ptClick() {
    actions_.ptClick();
}

namespace {

// A check box's row: its button(s) and edit box are usable exactly while it is ticked.
void EnableRow(const QCheckBox* box, std::initializer_list<QWidget*> governed) {
    for (QWidget* control : governed) {
        control->setEnabled(box->isChecked());
    }
}

} // namespace

void TForm1::sztClick() {
    EnableRow(szt, {ph, st, cs});
}
void TForm1::szt0Click() {
    EnableRow(szt0, {pt, st0, cst});
}

std::string TForm1::PortText() const {
    return dk->currentText().toStdString();
}
std::string TForm1::BaudText() const {
    return sd->currentText().toStdString();
}
std::string TForm1::csText() const {
    return cs->text().toStdString();
}
std::string TForm1::cstText() const {
    return cst->text().toStdString();
}
bool TForm1::adTicked() const {
    return ad->isChecked();
}
void TForm1::ShowNotice(const std::string& text) {
    boxes_.ShowNotice(text);
}
