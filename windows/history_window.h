// The history window: the list of valid history files on the left and the games of the chosen
// file in a grid of seven columns, each row coloured by the kind of game. The window remembers,
// for the run, the file it showed last and the grid row drawn last.
#pragma once

#include <QColor>
#include <QDate>
#include <QDialog>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <optional>
#include <string>
#include <vector>

#include "records/history_list.h"
#include "records/settings.h"

namespace kesp {

// What the viewer keeps between openings during one run.
struct HistoryViewerState {
    int LastFile = 0;  // 0: the window has not shown a file yet
    int LastRow = -1;  // -1: no row drawn yet
};

// The process-wide state used by ShowHistory.
HistoryViewerState& HistoryRunState();

class TFHistory : public QDialog {
    Q_OBJECT

  public:
    // Lists the files of "<programDir>History/" and shows the chosen one. `state` is read for the
    // file and row to show again and updated while the window is open.
    TFHistory(const Settings& settings, const std::string& programDir, HistoryViewerState& state,
              QWidget* parent = nullptr);

    // The design actually used: 1..3, 4 for the library design; 1 and 4 fall back to 2 while the
    // graphics library is missing.
    int Design() const { return design_; }
    const std::vector<HistoryFileItem>& Files() const { return files_; }
    int ShownFile() const { return shownFile_; }
    QListWidget* FileList() const { return list_; }
    QTableWidget* Grid() const { return grid_; }
    QPushButton* OkButton() const { return buttonOk_; }

    // Shows the games of a listed file; an unlisted number empties the grid.
    void ShowFile(int number);

    // The colour of a row's text for its kind of game (nothing: the normal text colour).
    static QColor KindColour(const std::optional<HistoryKind>& kind, const QColor& normal);
    static const QColor& CurrentRowColour();

  private:
    void RememberRow(int row);

    const Settings& settings_;
    std::string programDir_;
    HistoryViewerState& state_;
    int design_ = 2;
    std::vector<HistoryFileItem> files_;
    int shownFile_ = 0;
    QListWidget* list_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
};

// A date as the history writes and lists it: the locale's short date format with a two-digit year,
// so that it fits the record's 10 characters and the grid's date column ("10 Dec 26", "10.12.26");
// "dd.MM.yy" where even that is longer.
QString HistoryShortDate(QDate date, const QLocale& locale);

// The client height of the window in a design (1..4).
int HistoryWindowHeight(int design);

// Opens the history window of `programDir` modally, keeping the file and row for the run.
void ShowHistory(QWidget* parent, Settings& settings, const std::string& programDir);

}  // namespace kesp
