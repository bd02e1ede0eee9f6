// The menu tune's file in the temporary folder: there while the program runs, gone after it, and
// a folder that cannot take it reported with the localised word.
#include <QFileInfo>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

namespace {

// Points the temporary folder at `folder` while it lives.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(const QString& folder) : old_(qgetenv("TMPDIR")) {
        qputenv("TMPDIR", folder.toLocal8Bit());
    }
    ~TemporaryFolder() { qputenv("TMPDIR", old_); }

  private:
    QByteArray old_;
};

}  // namespace

TEST(MenuMusic, TheTuneIsWrittenAtStartUpAndDeletedAtExit) {
    QTemporaryDir dir, temp;
    const QString folder = ProgramFolder(dir);
    const QString tune = temp.filePath("temp36_25.mid");
    TemporaryFolder useTemp(temp.path());
    ModalAnswerer answerer;
    {
        TForm1 window(folder.toStdString());
        window.show();
        ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
        EXPECT_TRUE(QFileInfo(tune).size() > 0);
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));  // the menu, the tune goes on
        EXPECT_TRUE(QFile::exists(tune));
        window.close();
        EXPECT_FALSE(QFile::exists(tune));
    }
    EXPECT_TRUE(answerer.texts.empty());
}

TEST(MenuMusic, AFolderThatCannotTakeTheTuneIsReported) {
    QTemporaryDir dir, temp;
    const QString folder = ProgramFolder(dir);
    ASSERT_TRUE(QDir(temp.path()).mkdir("temp36_25.mid"));  // a folder where the file should go
    TemporaryFolder useTemp(temp.path());
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return !answerer.texts.empty(); }));
    EXPECT_EQ(answerer.texts[0], "Can`t create music file!");
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    window.close();
}

}  // namespace kesp
