#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("daylark");
    QApplication::setApplicationDisplayName("Daylark");
    daylark::MainWindow window;
    window.show();
    return QApplication::exec();
}
