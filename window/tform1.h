#pragma once

#include "commands/command_set.h"
#include "ports/com_port.h"
#include "ports/dispatch.h"
#include "ports/printer_file.h"

#include <QWidget>

#include <functional>
#include <optional>

class DeviceMap;
class MessageBoxes;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The program's one window. It lays out the controls, keeps the two enabling rules and wires
// each control to its action; the actions themselves live in CommandSet and the port classes.
class TForm1 : public QWidget, private OperatorInputs, private NoticeBox {
    Q_OBJECT

public:
    // `scale`: the layout scale; by default the measured window font height over 20.
    TForm1(const DeviceMap& devices, MessageBoxes& boxes,
           std::optional<double> scale = std::nullopt);
    ~TForm1() override;

    TComPort cp;
    QComboBox* dk;
    QLabel* Label1;
    QLabel* Label4;
    QComboBox* sd;
    QPushButton* QButton;
    QPushButton* Button1;
    QPushButton* Open;
    QPushButton* cut;
    QCheckBox* szt;
    QPushButton* ph;
    QPushButton* st;
    QLineEdit* cs;
    QCheckBox* szt0;
    QPushButton* pt;
    QPushButton* st0;
    QLineEdit* cst;
    QCheckBox* ad;
    QLabel* Label5;

    void FormCreate();
    void QButtonClick();
    void Button1Click();
    void OpenClick();
    void cutClick();
    void sdChange();
    void phClick();
    void stClick();
    void sztClick();
    void szt0Click();
    void st0Click();
    void ptClick();

    // Centres the window on its screen; the program calls it once before the first show.
    void CenterOnScreen();

private:
    std::string PortText() const override;
    std::string BaudText() const override;
    std::string csText() const override;
    std::string cstText() const override;
    bool adTicked() const override;
    void ShowNotice(const std::string& text) override;

    void CreateControls();
    void PlaceControls();
    void SetTabOrder();
    void ConnectHandlers();
    // Every handler runs through here: a busy cursor while it runs, and a failure that escapes
    // it is shown in the error box, after which the window goes on as before.
    void Run(void (TForm1::*handler)());

    MessageBoxes& boxes_;
    const DeviceMap& devices_;
    double scale_;
    PrinterFile printerFile_;
    PortDispatch dispatch_;
    CommandSet actions_;
};
