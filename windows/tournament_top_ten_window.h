// The tournament top ten ("Tournament Top Ten"): the ten best players of the online tournament by
// score, rating or games, on a scroll, and the player's own place by that measure. Both are read on
// the service queue each time the measure changes; an answer for an earlier measure is dropped.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <optional>
#include <string>
#include <vector>

#include "network/online_records.h"
#include "network/online_tables.h"
#include "network/service_queue.h"
#include "records/settings.h"

class QButtonGroup;

namespace kesp {

struct TournamentTopTenSources {
    std::string tablesAddress;
    TZunClient own;   // the own tournament record: its score, rating and games
    int measure = 0;  // 0 score, 1 rating, 2 games: the measure chosen last in this run
};

// What the scroll shows: the list (nothing: no answer) and the own place (nothing: none read).
struct TournamentTopTenContent {
    std::optional<std::vector<TZunRecord>> records;
    std::optional<int> ownPlace;
};

class TournamentTopTenPanel : public QWidget {
  public:
    static constexpr int kWidth = 632;
    static constexpr int kHeight = 502;

    explicit TournamentTopTenPanel(const Settings& settings, QWidget* parent = nullptr);
    void Show(const TournamentTopTenContent& content);
    const TournamentTopTenContent& Content() const { return content_; }
    // The rows drawn (empty records are skipped).
    int RowsDrawn() const;
    // "GPlace01".."GPlace10" over the medal, or empty when the place is drawn as a number.
    QString PlacePicture() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Settings& settings_;
    TournamentTopTenContent content_;
    QPixmap scroll_;
};

class TFormTourTop10 : public QDialog {
    Q_OBJECT

  public:
    TFormTourTop10(const Settings& settings, ServiceQueue& queue, TournamentTopTenSources sources,
                   QWidget* parent = nullptr);

    int Measure() const { return sources_.measure; }
    void ChooseMeasure(int measure);
    const TournamentTopTenPanel& Panel() const { return *panel_; }

  signals:
    // The measure chosen, for the next opening in this run.
    void MeasureChosen(int measure);
    // The list and the own place have been read and drawn.
    void Shown();

  private:
    void Read();

    const Settings& settings_;
    ServiceQueue& queue_;
    TournamentTopTenSources sources_;
    int readSerial_ = 0;
    QButtonGroup* measures_;
    TournamentTopTenPanel* panel_;
};

}  // namespace kesp
