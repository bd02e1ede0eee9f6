// The game's entry: the main window on Qt's event loop; its folder holds the club files.
#include <QApplication>

#include "app/main_window.h"
#include "records/settings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kesp"));
    kesp::TForm1 window(kesp::ExecutableProgramDir());
    window.show();
    return QApplication::exec();
}
