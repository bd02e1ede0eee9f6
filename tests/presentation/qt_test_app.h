// The one QApplication of a presentation test program, made on first use, and the folder that
// the tests' screenshots go to.
#pragma once

#include <QApplication>
#include <QDir>
#include <QString>

namespace kesp::test {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "kesp_presentation_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

inline QString ScreenshotDir() {
    const QString dir = QStringLiteral(QT_TESTCASE_BUILDDIR) + "/screenshots";
    QDir().mkpath(dir);
    return dir;
}

}  // namespace kesp::test
