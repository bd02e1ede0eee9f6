#include "windows/world_top_ten_window.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

// The chosen list's button cycles through these schemes; the others stay navy.
constexpr std::array<TColorSB, 4> kPulseSchemes = {TColorSB::DRed, TColorSB::DOrang, TColorSB::DYellow,
                                                   TColorSB::DOrang};
constexpr int kPulseMs = 300;

int ListInRange(int list) {
    return list >= 1 && list <= kWorldListCount ? list : kWindowsCycleList;
}

}  // namespace

TFormWorldTopTen::TFormWorldTopTen(const Settings& settings, ServiceQueue& queue, WorldListSources sources,
                                   int list, QWidget* parent)
    : QDialog(parent), settings_(settings), queue_(queue), sources_(std::move(sources)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(MakeDesignHeader(settings_, WordKey::WorldTopTen, {}, this));

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(12, 4, 12, 0);
    buttonRow->addStretch(1);
    auto* words = new WindowWords(settings_, *this);
    for (int i = 1; i <= kWorldListCount; ++i) {
        auto* button = static_cast<TZunCardsButton*>(MakeWindowButton(QString::number(i), settings_, this));
        button->setFixedSize(56, 30);
        button->setObjectName(QStringLiteral("WorldList%1").arg(i));
        words->Bind([button, i](const WindowWords& w) { button->setToolTip(w.Text(WorldListTitle(i))); });
        connect(button, &QPushButton::clicked, this, [this, i] { ShowList(i); });
        buttonRow->addWidget(button);
        buttons_[static_cast<std::size_t>(i - 1)] = button;
    }
    buttonRow->addStretch(1);
    layout->addLayout(buttonRow);

    panel_ = new WorldListPanel(settings_, this);
    auto* panelRow = new QHBoxLayout;
    panelRow->setContentsMargins(12, 0, 12, 0);
    panelRow->addWidget(panel_);
    layout->addLayout(panelRow, 1);

    auto* closeRow = new QHBoxLayout;
    QPushButton* close = MakeWindowButton(QString(), settings_, this);
    words->Bind(close, WordKey::AccountClose);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    closeRow->addStretch(1);
    closeRow->addWidget(close);
    closeRow->addStretch(1);
    layout->addLayout(closeRow);
    words->BindTitle(WordKey::WorldTopTen);
    words->Bind([this](const WindowWords&) { panel_->update(); });

    connect(&pulseTimer_, &QTimer::timeout, this, &TFormWorldTopTen::Pulse);
    if (settings_.GifAnimation) pulseTimer_.start(kPulseMs);
    ShowList(list);
}

void TFormWorldTopTen::ShowList(int list) {
    list_ = ListInRange(list);
    const int serial = ++readSerial_;
    pulse_ = 0;
    Pulse();
    emit ListShown(list_);
    if (list_ == kLocalClubList || list_ == kNetClubList) {
        panel_->ShowContent(ReadLocalClubList(sources_.ProgramDir, list_));
        return;
    }
    panel_->ShowReading(list_);
    const WorldIdentity own = list_ == kAccountCycleList ? sources_.Account : sources_.World;
    queue_.Run<WorldListContent>(
        this,
        [addresses = sources_.Addresses, list = list_, own, language = settings_.CurrentLanguage](
            ServiceClient& client) { return ReadServiceWorldList(client, addresses, list, own, language); },
        [this, serial](WorldListContent content) {
            if (serial == readSerial_) panel_->ShowContent(std::move(content));
        });
}

void TFormWorldTopTen::Pulse() {
    for (int i = 1; i <= kWorldListCount; ++i)
        ListButton(i)->SetColorSB(i == list_ ? kPulseSchemes[static_cast<std::size_t>(pulse_)]
                                             : TColorSB::DNavy);
    pulse_ = (pulse_ + 1) % static_cast<int>(kPulseSchemes.size());
}

}  // namespace kesp
