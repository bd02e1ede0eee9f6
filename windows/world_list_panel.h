// The drawn part of the world top ten window: the list's title, its lines, the record count and the
// player's own entries, or "No Connect". Draws itself to whatever size the window gives it.
#pragma once

#include <QWidget>

#include "records/settings.h"
#include "windows/world_lists.h"

namespace kesp {

class WorldListPanel : public QWidget {
  public:
    WorldListPanel(const Settings& settings, QWidget* parent = nullptr);

    // Shows the list's title over an empty list until its content comes.
    void ShowReading(int list);
    void ShowContent(WorldListContent content);
    const WorldListContent& Content() const { return content_; }
    bool Reading() const { return reading_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void DrawLine(QPainter& p, const WorldListLine& line, const QRect& box) const;

    const Settings& settings_;
    WorldListContent content_;
    bool reading_ = false;
};

}  // namespace kesp
