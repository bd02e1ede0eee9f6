// Opens the main window on a program folder of its own and answers its modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "windows/welcome_dialog.h"

namespace kesp::test {

// Answers every modal window that opens: a message box with Yes where there is one (else OK), the
// club login with `name` and `password` typed twice, any other dialog with OK. It records the
// message boxes' texts and the class names of the windows it met.
class ModalAnswerer : public QObject {
  public:
    explicit ModalAnswerer(QString name = QStringLiteral("Tess"), QString password = QStringLiteral("pw")) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this, name, password] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            const QString className = QString::fromLatin1(modal->metaObject()->className());
            if (windows.isEmpty() || windows.back() != className) windows.push_back(className);
            if (auto* login = qobject_cast<WelcomeDialog*>(modal)) {
                login->NameEdit()->setText(name);
                login->PasswordEdit()->setText(password);
                login->RepeatEdit()->setText(password);
                login->OkButton()->click();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                texts.push_back(box->text());
                if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                    yes->click();
                else
                    box->accept();
            } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->accept();
            }
        });
        timer_.start();
    }
    std::vector<QString> texts;
    QStringList windows;

  private:
    QTimer timer_;
};

// Copies the supplied club files (or some of them) into `folder`.
inline void CopyClubFiles(const QString& folder, bool withNetworkClub = true) {
    const QString build = QStringLiteral(KESP_BUILD_DIR);
    QFile::copy(build + "/Kesp.clb", folder + "/Kesp.clb");
    if (withNetworkClub) QFile::copy(build + "/Kesp.net", folder + "/Kesp.net");
}

// A program folder with the supplied club files (or some of them).
inline QString ProgramFolder(QTemporaryDir& dir, bool withNetworkClub = true) {
    CopyClubFiles(dir.path(), withNetworkClub);
    return dir.path() + "/";
}

// A program folder "Kesp" inside `root`, with the club files, so that the saved login can lie in the
// folder above it; empty when it could not be made.
inline std::string ProgramFolderBelow(const QTemporaryDir& root) {
    const QString program = root.path() + "/Kesp";
    if (!QDir().mkpath(program)) return {};
    CopyClubFiles(program);
    return program.toStdString() + "/";
}

// The seed of a window test's shuffles, so that a failure comes back: KESP_TEST_SEED when it is set,
// else the test's own fixed seed. It is printed, and ctest shows it with a failure.
inline std::uint64_t TestSeed(std::uint64_t fixed = 1) {
    const QByteArray env = qgetenv("KESP_TEST_SEED");
    const std::uint64_t seed = env.isEmpty() ? fixed : env.toULongLong();
    std::cout << "shuffle seed " << seed << " (KESP_TEST_SEED=" << seed << " repeats it)" << std::endl;
    return seed;
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

// Shows the window and clicks its title screen away: the main menu shows.
inline void ToMenu(TForm1& window) {
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);
}

}  // namespace kesp::test
