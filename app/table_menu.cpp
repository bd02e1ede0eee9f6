#include "app/table_menu.h"

#include <QMenu>
#include <QWidget>

namespace kesp {

TableMenu::TableMenu(QWidget& window, const Localisation& words) : words_(words), menu_(new QMenu(&window)) {
    genCount_ = menu_->addAction(QString(), this, &TableMenu::GenCountChosen);
    quit_ = menu_->addAction(QString(), this, &TableMenu::QuitChosen);
    changeName_ = menu_->addAction(QString(), this, &TableMenu::ChangeNameChosen);
    menu_->addSeparator();
    speed_ = menu_->addAction(QString(), this, &TableMenu::SpeedChosen);
    menu_->addSeparator();
    help_ = menu_->addAction(QString(), this, &TableMenu::HelpChosen);
    about_ = menu_->addAction(QString(), this, &TableMenu::AboutChosen);
    menu_->addSeparator();
    chat_ = menu_->addAction(QString(), this, &TableMenu::ChatChosen);
    genCount_->setObjectName(QStringLiteral("GenCount"));
    quit_->setObjectName(QStringLiteral("Quit"));
    changeName_->setObjectName(QStringLiteral("ChangeName"));
    speed_->setObjectName(QStringLiteral("MSpeed"));
    help_->setObjectName(QStringLiteral("Help"));
    about_->setObjectName(QStringLiteral("About"));
    chat_->setObjectName(QStringLiteral("MChat"));
    ApplyWords();
    Follow(TableView{});
}

void TableMenu::ApplyWords() {
    genCount_->setText(words_.WordText(WordKey::GeneralScore));
    quit_->setText(words_.WordText(WordKey::ExitToMenu));
    changeName_->setText(words_.WordText(WordKey::ToChangeAName));
    speed_->setText(words_.WordText(WordKey::Speed));
    help_->setText(words_.WordText(WordKey::Help));
    about_->setText(words_.WordText(WordKey::About));
    chat_->setText(words_.WordText(WordKey::Chat));
}

void TableMenu::Follow(const TableView& view) {
    genCount_->setEnabled(view.menuGenCount);
    quit_->setEnabled(view.menuQuit);
    changeName_->setEnabled(view.menuChangeName);
}

void TableMenu::Exec(QPoint globalPos) {
    menu_->exec(globalPos);
}

}  // namespace kesp
