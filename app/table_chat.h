// The chat of a network table: the strip with the players' last lines, the one-line field and its
// send button, laid out with the table. What is typed goes to whoever owns the running game (a
// local-network or an online session); lines from the other players come back through ShowLine.
#pragma once

#include <QObject>
#include <QString>

#include "presentation/chat_memo.h"
#include "presentation/font_roles.h"
#include "presentation/table_layout.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace kesp {

class TableChat : public QObject {
    Q_OBJECT
  public:
    TableChat(QWidget& window, const TableArt& art, const FontRoles& fonts);

    // Places the strip, the field and the button for the table's layout.
    void Layout(const TableGeometry& geometry, const Placement& placement, bool small);
    void Show(bool shown);
    void Clear();
    void Enable(bool enabled);
    // A line of the network seat `seat` (1..4), the own ones included.
    void ShowLine(int seat, const QString& text);

    ChatStrip* Strip() const { return strip_; }
    QLineEdit* Field() const { return field_; }
    QPushButton* SendButton() const { return send_; }

  signals:
    // The user sent a line; the field is empty again.
    void Typed(const QString& text);
    // The hidden code typed on the send button: seats 1..3 are shown face up or face down.
    void RevealToggled();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Send();

    const FontRoles& fonts_;
    ChatStrip* strip_;
    QLineEdit* field_;
    QPushButton* send_;
    QString typedOnSend_;  // the keys collected while the send button has the focus
};

// Code page 1251 bytes of a name or chat text; a character the code page lacks becomes '?'.
std::string WireText(const QString& text);

}  // namespace kesp
