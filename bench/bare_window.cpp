// The yardstick for start-up: a bare Qt window holding one captioned button.
#include <QApplication>
#include <QPushButton>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QPushButton button("Exit");
    button.setWindowTitle("Bare Qt Window");
    QObject::connect(&button, &QPushButton::clicked, &application, &QApplication::quit);
    button.show();
    return QApplication::exec();
}
