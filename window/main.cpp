#include "ports/device_map.h"
#include "window/message_boxes.h"
#include "window/tform1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("printer-test");
    // The mapping of port names to devices is read once, here.
    const DeviceMap devices = DeviceMap::FromEnvironment();
    ModalMessageBoxes boxes;
    TForm1 Form1(devices, boxes);
    boxes.SetParent(&Form1);
    Form1.CenterOnScreen();
    Form1.show();
    return QApplication::exec();
}
