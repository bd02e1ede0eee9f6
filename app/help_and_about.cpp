#include "app/help_and_about.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>
#include <QVBoxLayout>

#include "presentation/card_art.h"
#include "presentation/cards_button.h"

namespace kesp {

void ShowHelp(QWidget* parent, const Localisation& words, const std::string& programDir) {
    if (words.CurrentLanguage() == kEnglish)
        QMessageBox::information(
            parent, GameName(kEnglish),
            QStringLiteral("Excuse!\n\rThe file of the help is not translated to the English "
                           "language."));
    const QString page = QString::fromStdString(programDir) + QStringLiteral("Help/index.html");
    if (QFileInfo::exists(page))
        QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    else
        QMessageBox::warning(
            parent, GameName(words.CurrentLanguage()),
            words.WordText(WordKey::CantFindTheFile) + QStringLiteral(" \"") + page + QStringLiteral("\"!"));
}

void ShowAbout(QWidget* parent, const Localisation& words) {
    QDialog dialog(parent);
    dialog.setWindowTitle(words.WordText(WordKey::About));
    auto* layout = new QVBoxLayout(&dialog);
    auto* picture = new QLabel(&dialog);
    picture->setPixmap(QPixmap::fromImage(LoadOwnImage("LOGO")));
    picture->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(&dialog);
    text->setAlignment(Qt::AlignCenter);
    text->setText(
        QStringLiteral("<h2>%1</h2><p>V 5.7f<br>%2</p><p>A trick-taking card game for four seats.</p>"
                       "<p>Made by the Kesp team: engine, records, table art and windows.<br>"
                       "Built with Qt 6.</p>")
            .arg(GameName(words.CurrentLanguage()), ReleaseDate(words.CurrentLanguage())));
    auto* ok = new TZunCardsButton(QStringLiteral("OK"), &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    dialog.exec();
}

}  // namespace kesp
