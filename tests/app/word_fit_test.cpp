// Every caption the menu's and the table's buttons can show fits its button at the smallest
// window size, in every language.
#include <QFontMetrics>
#include <QPushButton>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "records/club.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

TEST(WordsFit, ButtonCaptionsFitTheirButtonsInEveryLanguage) {
    QTemporaryDir dir;
    ModalAnswerer answerer;
    TForm1 window(ProgramFolder(dir).toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    for (int language = 0; language < kLanguageCount; ++language) {
        window.SetLanguage(language);
        for (const char* name : {"Button6", "Button9", "Button11", "BMode", "BHistory"}) {
            auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
            ASSERT_NE(button, nullptr) << name;
            EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 8)
                << "language " << language << ": \"" << button->text().toStdString() << "\"";
        }
    }
    window.SetLanguage(kEnglish);
    window.StartGame(member::NewPlayer, ClubMember{"Fit", 0, 0, 0, EncodePassword("f")});

    auto* action = window.findChild<QPushButton*>(QStringLiteral("Button7"));
    const WordId tableCaptions[] = {WordId::ToBegin,         WordId::ExitToMenu,     WordId::Ok,
                                    WordId::ToPlay,          WordId::Pass,           WordId::ToCommunicateCards,
                                    WordId::IsReady,         WordId::ToTakeFromAPack, WordId::Game,
                                    WordId::ToSumUpOfRound,  WordId::NextRound,      WordId::ToSumUpOfGame};
    const QFontMetrics tableMetrics(action->font());
    const int tableRoom = action->width() - 8;  // the rounded ends
    for (int language = 0; language < kLanguageCount; ++language)
        for (WordId id : tableCaptions) {
            const QString text = WordText(WordFor(id), language);
            EXPECT_LE(tableMetrics.horizontalAdvance(text), tableRoom)
                << "language " << language << ": \"" << text.toStdString() << "\"";
        }
    window.close();
}

}  // namespace kesp
