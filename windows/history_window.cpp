#include "windows/history_window.h"

#include <QDateTime>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "presentation/cursors.h"
#include "presentation/words.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

constexpr int kMargin = 8;
constexpr int kKindRole = Qt::UserRole + 1;  // the row's HistoryKind as an int, absent when unknown
const QColor kLibraryColour(96, 0, 0);

constexpr int kDateLength = 10;  // characters of a record's date

std::string ShortDate(std::time_t when) {
    return HistoryShortDate(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(when)).date(),
                            QLocale::system())
        .toStdString();
}

// Draws the cells: the player left-aligned two pixels in, the rest centred, the text coloured by
// the row's kind, the current row on light yellow while the grid holds more than one game.
class HistoryCellDelegate : public QStyledItemDelegate {
  public:
    explicit HistoryCellDelegate(QTableWidget* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const bool current = index.row() == grid_->currentRow() && grid_->rowCount() > 1;
        painter->fillRect(option.rect,
                          current ? TFHistory::CurrentRowColour() : option.palette.color(QPalette::Base));
        std::optional<HistoryKind> kind;
        const QVariant stored = index.data(kKindRole);
        if (stored.isValid()) kind = static_cast<HistoryKind>(stored.toInt());
        painter->setPen(TFHistory::KindColour(kind, option.palette.color(QPalette::Text)));
        painter->setFont(option.font);
        const bool player = index.column() == 2;
        const QRect box = player ? option.rect.adjusted(2, 0, -1, 0) : option.rect.adjusted(1, 0, -1, 0);
        const QString text = painter->fontMetrics().elidedText(index.data(Qt::DisplayRole).toString(),
                                                               Qt::ElideRight, box.width());
        painter->drawText(box, Qt::AlignVCenter | (player ? Qt::AlignLeft : Qt::AlignHCenter), text);
        painter->restore();
    }

  private:
    QTableWidget* grid_;
};

}  // namespace

HistoryViewerState& HistoryRunState() {
    static HistoryViewerState state;
    return state;
}

QString HistoryShortDate(QDate date, const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    format.replace(QStringLiteral("yyyy"), QStringLiteral("yy"));
    const QString text = locale.toString(date, format);
    return text.size() <= kDateLength ? text : date.toString(QStringLiteral("dd.MM.yy"));
}

int HistoryWindowHeight(int design) {
    switch (design) {
        case 1:
            return 475;
        case 3:
            return 516;  // the ribbon is 26 pixels taller than the caption band
        default:
            return 490;
    }
}

QColor TFHistory::KindColour(const std::optional<HistoryKind>& kind, const QColor& normal) {
    if (!kind) return normal;
    switch (*kind) {
        case HistoryKind::Network:
            return QColor(0, 128, 0);
        case HistoryKind::Account:
            return QColor(255, 0, 0);
        case HistoryKind::Tournament:
            return QColor(0, 0, 255);
        case HistoryKind::Local:
            break;
    }
    return normal;
}

const QColor& TFHistory::CurrentRowColour() {
    static const QColor colour(255, 255, 200);
    return colour;
}

TFHistory::TFHistory(const Settings& settings, const std::string& programDir, HistoryViewerState& state,
                     QWidget* parent)
    : QDialog(parent), settings_(settings), programDir_(programDir), state_(state) {
    auto* words = new WindowWords(settings_, *this);
    words->BindTitle(WordKey::HistoryOfGames);
    setModal(true);

    // Variant 1 and the library design draw from the graphics library; without it the caption band.
    design_ = DialogDesign(settings_);
    if ((design_ == 1 || design_ == 4) && FindGraphicsLibrary(programDir_).empty()) design_ = 2;
    DesignPictures pictures;
    pictures.Title = QStringLiteral("History");
    pictures.Ribbon = QStringLiteral("GFormHistory");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, kMargin);
    layout->setSpacing(kMargin);
    layout->addWidget(MakeDesignHeader(settings_, WordKey::HistoryOfGames, pictures, this, design_));

    files_ = ListHistoryFiles(programDir_, ShortDate);
    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(kMargin, 0, kMargin, 0);
    middle->setSpacing(kMargin);
    list_ = new QListWidget(this);
    list_->setFixedWidth(HistoryListWidth(files_.size()));
    if (files_.empty()) {
        list_->addItem(
            QString::fromUtf8(NoHistoryFiles.data(), static_cast<qsizetype>(NoHistoryFiles.size())));
        list_->setEnabled(false);
    } else {
        for (const HistoryFileItem& item : files_) list_->addItem(QString::fromStdString(item.Text));
    }
    if (design_ == 4) {
        QPalette palette = list_->palette();
        palette.setColor(QPalette::Base, kLibraryColour);
        palette.setColor(QPalette::Text, Qt::yellow);
        palette.setColor(QPalette::Highlight, QColor(160, 40, 40));
        palette.setColor(QPalette::HighlightedText, Qt::yellow);
        list_->setPalette(palette);
    }
    middle->addWidget(list_);

    grid_ = new QTableWidget(0, static_cast<int>(HistoryHeadings.size()), this);
    const WordKey headings[] = {WordKey::Time,         WordKey::Date,          WordKey::HistoryPlayer,
                                WordKey::HistoryGames, WordKey::HistoryResult, WordKey::HistoryRating,
                                WordKey::Type};
    words->Bind([this, headings](const WindowWords& w) {
        QStringList labels;
        for (WordKey key : headings) labels << w.Text(key);
        grid_->setHorizontalHeaderLabels(labels);
    });
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    int gridWidth = 0;
    for (int column = 0; column < grid_->columnCount(); ++column) {
        grid_->setColumnWidth(column, HistoryColumnWidths[static_cast<std::size_t>(column)]);
        gridWidth += HistoryColumnWidths[static_cast<std::size_t>(column)];
    }
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);  // the delegate marks the current row
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setItemDelegate(new HistoryCellDelegate(grid_));
    grid_->verticalHeader()->setDefaultSectionSize(20);
    QFont cells(QString::fromStdString(settings_.FontSmall));
    cells.setPixelSize(11);  // a date with a two-digit year fits the 65 pixels of the date column
    grid_->setFont(cells);
    QFont headingFont = cells;  // the headings share the narrow columns of the cells
    headingFont.setBold(true);
    grid_->horizontalHeader()->setFont(headingFont);
    const int scrollBar = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    grid_->setFixedWidth(gridWidth + scrollBar + 2 * grid_->frameWidth());
    middle->addWidget(grid_);
    layout->addLayout(middle, 1);

    buttonOk_ = AddOkRow(*layout, *this, settings_, *words);  // Esc closes through reject

    // The file of the last opening while it is still listed, otherwise the newest; then the row.
    const int rememberedRow = state_.LastRow;
    ShowFile(ChooseHistoryFile(files_, state_.LastFile));
    if (rememberedRow >= 0 && rememberedRow < grid_->rowCount()) {
        grid_->setCurrentCell(rememberedRow, 0);
        RememberRow(rememberedRow);
    }
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        RememberRow(row);
        grid_->viewport()->update();
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < files_.size())
            ShowFile(files_[static_cast<std::size_t>(index)].Number);
    });

    const int width = kMargin + list_->width() + kMargin + grid_->width() + kMargin;
    setFixedSize(width, HistoryWindowHeight(design_));
}

void TFHistory::ShowFile(int number) {
    int index = -1;
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (files_[i].Number == number) index = static_cast<int>(i);
    const std::vector<HistoryRow> rows =
        index >= 0 ? ReadHistoryRows(programDir_, number) : std::vector<HistoryRow>{};
    shownFile_ = index >= 0 ? number : 0;
    if (index >= 0) {
        state_.LastFile = number;
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(index);
    }

    const int keptRow = grid_->currentRow();
    const QSignalBlocker quiet(grid_);
    grid_->clearContents();
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const HistoryRow& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < grid_->columnCount(); ++c) {
            auto* cell = new QTableWidgetItem(QString::fromStdString(row.Cells[static_cast<std::size_t>(c)]));
            if (row.Kind) cell->setData(kKindRole, static_cast<int>(*row.Kind));
            grid_->setItem(r, c, cell);
        }
    }
    if (grid_->rowCount() > 0) {
        const int row = keptRow >= 0 && keptRow < grid_->rowCount() ? keptRow : 0;
        grid_->setCurrentCell(row, 0);
        RememberRow(row);
    }
    grid_->viewport()->update();
}

void TFHistory::RememberRow(int row) {
    if (row >= 0) state_.LastRow = row;
}

void ShowHistory(QWidget* parent, Settings& settings, const std::string& programDir) {
    TFHistory window(settings, programDir, HistoryRunState(), parent);
    window.exec();
}

}  // namespace kesp
