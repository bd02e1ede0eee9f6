// Opens the main window on a program folder of its own and answers its modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <vector>

namespace kesp::test {

// Each modal message box that opens is recorded and answered (Yes where there is one, else OK).
class ModalAnswerer : public QObject {
public:
    ModalAnswerer() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            texts.push_back(box->text());
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->accept();
        });
        timer_.start();
    }
    std::vector<QString> texts;

private:
    QTimer timer_;
};

// A program folder with the supplied club files (or some of them).
inline QString ProgramFolder(QTemporaryDir& dir, bool withNetworkClub = true) {
    const QString build = QStringLiteral(KESP_BUILD_DIR);
    QFile::copy(build + "/Kesp.clb", dir.path() + "/Kesp.clb");
    if (withNetworkClub) QFile::copy(build + "/Kesp.net", dir.path() + "/Kesp.net");
    return dir.path() + "/";
}

// Runs the event loop until `done` holds or the time is up.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}  // namespace kesp::test
