// What the window does with the files of its program folder at start and at close.
#include <QDir>

#include "app/main_window.h"
#include "presentation/words.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

namespace {

bool ReachesTheTitle(TForm1& window) {
    window.show();
    return WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; });
}

}  // namespace

TEST(ProgramFolder, StaleWriteTemporariesGoAtStartUnlessAnotherCopyRuns) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    QDir(folder).mkdir(QStringLiteral("History"));
    const QStringList stale = {QStringLiteral("Kesp.clb.tmpAb12Z9"), QStringLiteral("Kesp.ini.tmp0a0a0a"),
                               QStringLiteral("History/Kesp_I0001.hst.tmpXyZ123")};
    for (const QString& name : stale) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ModalAnswerer answerer;
    {
        // Another copy already runs on the folder: this one starts all the same and keeps them.
        ProgramFolderLock other(folder.toStdString());
        ASSERT_TRUE(other.Held());
        TForm1 second(folder.toStdString());
        ASSERT_TRUE(ReachesTheTitle(second));
        for (const QString& name : stale) EXPECT_TRUE(QFile::exists(folder + name)) << name.toStdString();
        second.close();
    }
    TForm1 window(folder.toStdString());
    ASSERT_TRUE(ReachesTheTitle(window));
    for (const QString& name : stale) EXPECT_FALSE(QFile::exists(folder + name)) << name.toStdString();
    EXPECT_TRUE(QFile::exists(folder + "Kesp.clb"));
    EXPECT_FALSE(ProgramFolderLock(folder.toStdString()).Held());  // held while the window lives
    window.close();
    EXPECT_TRUE(answerer.texts.empty());
}

TEST(ProgramFolder, AFailedSettingsSaveIsReportedAtCloseInTheInterfaceLanguage) {
    for (const int language : {0, 2}) {
        SCOPED_TRACE(language);
        QTemporaryDir dir;
        const QString folder = ProgramFolder(dir);
        // A folder in the settings file's place: no write can replace it, whoever runs the program.
        ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("Kesp.ini/kept")));
        ModalAnswerer answerer;
        TForm1 window(folder.toStdString());
        ASSERT_TRUE(ReachesTheTitle(window));
        window.SetLanguage(language);
        window.close();
        ASSERT_EQ(answerer.texts.size(), 1u);
        EXPECT_EQ(answerer.texts[0], WordText(WordKey::CantSaveOptions, language));
        EXPECT_EQ(answerer.texts[0] == "Can`t save options!", language == 0);
        EXPECT_EQ(answerer.windows.back(), QStringLiteral("QMessageBox"));
        EXPECT_TRUE(QDir(folder + "Kesp.ini/kept").exists());
    }
}

}  // namespace kesp
