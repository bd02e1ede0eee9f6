// The game's entry: the main window on Qt's event loop; its folder holds the club files.
// `kesp --service URL` plays against another online service than the built-in one.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "app/main_window.h"
#include "records/settings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kesp"));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption service(QStringLiteral("service"),
                                     QStringLiteral("The online service's base address (else KESP_SERVICE)."),
                                     QStringLiteral("URL"));
    parser.addOption(service);
    parser.process(app);
    kesp::TForm1 window(kesp::ExecutableProgramDir());
    if (parser.isSet(service) && !window.Online().UseService(parser.value(service).toStdString())) {
        std::fprintf(stderr, "kesp: --service needs an http:// or https:// address\n");
        return 2;
    }
    window.show();
    return QApplication::exec();
}
