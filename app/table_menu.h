// The table's pop-up menu: general score, exit to menu, change of name, speed, help, about, chat.
#pragma once

#include <QObject>
#include <QPoint>

#include "engine/table_view.h"
#include "presentation/words.h"

class QAction;
class QMenu;
class QWidget;

namespace kesp {

class TableMenu : public QObject {
    Q_OBJECT
  public:
    TableMenu(QWidget& window, const Localisation& words);

    void ApplyWords();
    // Items that only make sense during a game follow the table's view.
    void Follow(const TableView& view);
    void Exec(QPoint globalPos);
    QMenu* Menu() const { return menu_; }

  signals:
    void GenCountChosen();
    void QuitChosen();
    void ChangeNameChosen();
    void SpeedChosen();
    void HelpChosen();
    void AboutChosen();
    void ChatChosen();

  private:
    const Localisation& words_;
    QMenu* menu_;
    QAction* genCount_;
    QAction* quit_;
    QAction* changeName_;
    QAction* speed_;
    QAction* help_;
    QAction* about_;
    QAction* chat_;
};

}  // namespace kesp
