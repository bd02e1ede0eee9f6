// The table chat of a network game: the four-line strip (`ChatMemo`) with the last lines of the
// players, each in the colour of its sender's seat, drawn over its frame picture.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "presentation/table_art.h"
#include "presentation/table_layout.h"

namespace kesp {

// The colour of a network seat's lines (1..4); other seats are drawn black.
QColor ChatSeatColour(int seat);

// A line as the strip shows it: the leading 's' dropped, then, while it does not fit, one character
// cut from its end (at most twelve times), and "..." added when anything was cut.
QString FitChatLine(QString text, const std::function<bool(const QString&)>& fits);

struct ChatMemoLine {
    QString text;
    int seat = 0;
};

// New lines fill the first empty line; with all four used the lines move up and the new line
// becomes the fourth.
class ChatMemo {
  public:
    static constexpr int kLines = 4;
    void Add(int seat, const QString& fittedText);
    void Clear() { count_ = 0; }
    int Count() const { return count_; }
    const ChatMemoLine& Line(int j) const { return lines_[static_cast<std::size_t>(j - 1)]; }  // 1..Count()

  private:
    std::array<ChatMemoLine, kLines> lines_{};
    int count_ = 0;
};

class ChatStrip : public QWidget {
  public:
    ChatStrip(const TableArt& art, QWidget* parent = nullptr);

    // Places the strip for a window size: the box of the table layout and the large font family.
    void Layout(const TableGeometry& geometry, const Placement& placement, bool small,
                const QString& fontFamily);
    // Shows a line "s" + text from a seat.
    void ShowLine(int seat, const QString& text);
    void Clear();
    const ChatMemo& Memo() const { return memo_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const TableArt& art_;
    ChatMemo memo_;
    Placement placement_;
    bool small_ = true;
    QFont font_;
};

}  // namespace kesp
