#include "windows/chat_window.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "network/chat_messages.h"
#include "network/field_checks.h"
#include "network/online_requests.h"
#include "network/service_form.h"
#include "network/service_queue.h"
#include "presentation/card_art.h"
#include "presentation/country_flags.h"
#include "presentation/message_window.h"
#include "windows/window_words.h"

namespace kesp {

// The ten rows: number, flag and sex icon, the head (nick " : " time stamp and city) and the text;
// "GNew" marks the messages newer than the ones seen before the window opened.
class ChatRows : public QWidget {
  public:
    ChatRows(const TFormChat& chat, const WindowWords& words, QWidget* parent)
        : QWidget(parent), chat_(chat), words_(words), fresh_(LoadOwnImage("GNew")) {
        setFixedSize(TFormChat::kRowWidth, TFormChat::kRows * TFormChat::kRowHeight);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.fillRect(rect(), QColor(250, 246, 232));
        if (!chat_.Connected()) {
            QFont f = font();
            f.setPixelSize(22);
            f.setBold(true);
            p.setFont(f);
            p.setPen(QColor(160, 0, 0));
            p.drawText(rect(), Qt::AlignCenter,
                       chat_.ReadDone() ? words_.Text(WordKey::NoConnect) : QString());
            return;
        }
        const auto& messages = chat_.Messages();
        for (int row = 0; row < TFormChat::kRows && row < static_cast<int>(messages.size()); ++row)
            DrawRow(p, row, messages[static_cast<std::size_t>(row)]);
    }

  private:
    void DrawRow(QPainter& p, int row, const TZunRecord& m) {
        const int top = row * TFormChat::kRowHeight;
        const QRect band(0, top, width(), TFormChat::kRowHeight);
        p.fillRect(band, row % 2 ? QColor(238, 232, 212) : QColor(250, 246, 232));
        p.setPen(QColor(200, 186, 150));
        p.drawLine(band.bottomLeft(), band.bottomRight());

        QFont number = font();
        number.setPixelSize(14);
        number.setBold(true);
        p.setFont(number);
        p.setPen(QColor(128, 0, 0));
        p.drawText(QRect(2, top, 44, TFormChat::kRowHeight), Qt::AlignCenter, QString::number(m.Score));

        p.drawPixmap(50, top + 5, CountryFlag(m.Country, 16));
        const QImage sex = LoadOwnImage(m.R07 == "W" ? "GSexW" : "GSexM");
        if (!sex.isNull()) p.drawImage(QRect(78, top + 3, 20, 20), sex);

        const bool fresh = m.Score > chat_.SeenBefore();
        const int textRight = width() - (fresh ? 46 : 6);
        if (fresh && !fresh_.isNull()) p.drawImage(QRect(width() - 44, top + 5, 40, 40), fresh_);

        QFont head = font();
        head.setPixelSize(13);
        head.setBold(true);
        const QString nick = QString::fromStdString(ChatShownText(m.Nick));
        const QString rest = QStringLiteral(" : ") + QString::fromStdString(ChatShownText(m.R10)) +
                             QStringLiteral("   ") + QString::fromStdString(ChatShownText(m.City));
        p.setFont(head);
        const QFontMetrics headMetrics(head);
        const QRect headBox(104, top + 3, textRight - 104, 20);
        const QString nickShown = headMetrics.elidedText(nick, Qt::ElideRight, headBox.width());
        p.setPen(QColor(0, 0, 140));
        p.drawText(headBox, Qt::AlignLeft | Qt::AlignVCenter, nickShown);
        const int nickWidth = headMetrics.horizontalAdvance(nickShown);
        QFont plain = head;
        plain.setBold(false);
        p.setFont(plain);
        p.setPen(QColor(90, 80, 60));
        p.drawText(headBox.adjusted(nickWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(plain).elidedText(rest, Qt::ElideRight, headBox.width() - nickWidth));

        QFont text = font();
        text.setPixelSize(14);
        p.setFont(text);
        p.setPen(Qt::black);
        const QRect textBox(50, top + 25, textRight - 50, 22);
        p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(text).elidedText(QString::fromStdString(ChatShownText(m.R09)), Qt::ElideRight,
                                                 textBox.width()));
    }

    const TFormChat& chat_;
    const WindowWords& words_;
    QImage fresh_;
};

TFormChat::TFormChat(const Settings& settings, std::string programDir, ServiceQueue& queue,
                     std::string worldAddress, int newestKnown, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      programDir_(std::move(programDir)),
      queue_(queue),
      worldAddress_(std::move(worldAddress)) {
    setObjectName(QStringLiteral("FormChat"));
    words_ = new WindowWords(settings_, *this);
    words_->BindTitle(WordKey::ZunGamesChat);

    rows_ = new ChatRows(*this, *words_, this);
    field_ = new QLineEdit(this);
    field_->setMaxLength(kChatTextLength);
    send_ = new QPushButton(this);
    refresh_ = new QPushButton(this);
    passport_ = new QPushButton(this);
    lastAtBottom_ = new QCheckBox(this);
    openOnNew_ = new QCheckBox(this);
    words_->Bind(send_, WordKey::Send);
    words_->Bind(refresh_, WordKey::Refresh);
    words_->Bind(passport_, WordKey::Passport);
    words_->Bind(lastAtBottom_, WordKey::LastMessageAtTheBottom);
    words_->Bind(openOnNew_, WordKey::OpenOnNewMessage);
    for (QPushButton* b : {send_, refresh_, passport_}) b->setAutoDefault(false);
    passport_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(rows_);
    auto* sendLine = new QHBoxLayout;
    sendLine->addWidget(field_, 1);
    sendLine->addWidget(send_);
    layout->addLayout(sendLine);
    auto* optionsLine = new QHBoxLayout;
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(lastAtBottom_);
    boxes->addWidget(openOnNew_);
    optionsLine->addLayout(boxes, 1);
    optionsLine->addWidget(refresh_);
    optionsLine->addWidget(passport_);
    layout->addLayout(optionsLine);

    connect(field_, &QLineEdit::returnPressed, this, &TFormChat::Send);
    connect(send_, &QPushButton::clicked, this, &TFormChat::Send);
    connect(refresh_, &QPushButton::clicked, this, [this] {
        refresh_->hide();  // until the next tick
        Refresh();
    });
    connect(lastAtBottom_, &QCheckBox::toggled, this, [this](bool on) {
        state_.LastAtBottom = on;
        WriteChatState(programDir_, state_);
        lastAtBottom_->setEnabled(false);  // until the next tick
        ShowMessages(newestFirst_);
    });
    connect(openOnNew_, &QCheckBox::toggled, this, [this](bool on) {
        state_.OpenOnNewMessage = on;
        WriteChatState(programDir_, state_);
    });
    connect(&tick_, &QTimer::timeout, this, &TFormChat::Tick);

    // Opening marks the newest message known as seen; the rows marked new are the ones after the
    // number seen before.
    state_ = ReadChatState(programDir_);
    seenBefore_ = state_.SeenNumber;
    state_.SeenNumber = std::max(state_.SeenNumber, newestKnown);
    WriteChatState(programDir_, state_);
    for (QCheckBox* box : {lastAtBottom_, openOnNew_}) box->blockSignals(true);
    lastAtBottom_->setChecked(state_.LastAtBottom);
    openOnNew_->setChecked(state_.OpenOnNewMessage);
    for (QCheckBox* box : {lastAtBottom_, openOnNew_}) box->blockSignals(false);
    EnableField();
    Refresh();
    tick_.start(kTickMs);
}

TFormChat::~TFormChat() = default;

void TFormChat::SetPassportOpener(PassportOpener opener) {
    passportOpener_ = std::move(opener);
    passport_->setEnabled(static_cast<bool>(passportOpener_));
    disconnect(passport_, &QPushButton::clicked, this, nullptr);
    if (passportOpener_)
        connect(passport_, &QPushButton::clicked, this, [this] {
            passportOpener_(this, [chat = QPointer<TFormChat>(this)] {
                if (chat) chat->EnableField();
            });
        });
}

bool TFormChat::PassportValid() const {
    return IsValidPassportText(settings_.WorldNick, kWorldNickLength) &&
           IsValidPassportText(settings_.WorldCity, kWorldCityLength);
}

void TFormChat::EnableField() {
    const bool on = PassportValid() && !sending_ && !sentThisTick_;
    field_->setEnabled(on);
    send_->setEnabled(on);
}

void TFormChat::Tick() {
    refresh_->show();
    lastAtBottom_->setEnabled(true);
    sentThisTick_ = false;
    EnableField();
}

void TFormChat::Refresh() {
    queue_.Run<std::optional<std::vector<TZunRecord>>>(
        this,
        [address = worldAddress_](ServiceClient& client) {
            return ReadWorldRecords(client, address, kChatList);
        },
        [this](std::optional<std::vector<TZunRecord>> list) {
            readDone_ = true;
            connected_ = list.has_value();
            if (list) {
                MarkSeen(NewestChatNumber(*list));
                ShowMessages(std::move(*list));
            } else {
                rows_->update();
            }
            emit ListDrawn(connected_);
        });
}

void TFormChat::ShowMessages(std::vector<TZunRecord> newestFirst) {
    std::stable_sort(newestFirst.begin(), newestFirst.end(),
                     [](const TZunRecord& a, const TZunRecord& b) { return a.Score > b.Score; });
    if (newestFirst.size() > kRows) newestFirst.resize(kRows);
    newestFirst_ = std::move(newestFirst);
    messages_ = newestFirst_;
    if (state_.LastAtBottom) std::reverse(messages_.begin(), messages_.end());
    rows_->update();
}

void TFormChat::MarkSeen(int number) {
    if (number <= state_.SeenNumber) return;
    state_.SeenNumber = number;
    WriteChatState(programDir_, state_);
    emit NewestSeen(number);
}

void TFormChat::Send() {
    if (sending_ || !field_->isEnabled()) return;
    const std::string text = field_->text().trimmed().toStdString();
    if (text.empty()) return;
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale local = QLocale::system();
    const TZunRecord message = MakeChatMessage(
        {settings_.WorldNick, settings_.WorldCity, settings_.WorldCountry, settings_.WorldSex}, text,
        local.toString(now.time(), QLocale::LongFormat).toStdString(),
        local.toString(now.date(), QLocale::ShortFormat).toStdString(), 0);
    sending_ = true;
    EnableField();
    queue_.Run<int>(
        this,
        [address = worldAddress_, message](ServiceClient& client) {
            // The newest number first; the service numbers the message itself and answers its number.
            const auto list = ReadWorldRecords(client, address, kChatList);
            if (!list) return -1;
            TZunRecord numbered = message;
            numbered.Score = NewestChatNumber(*list) + 1;
            return PostRecord(client, address, numbered);
        },
        [this](int number) {
            sending_ = false;
            const bool sent = number > 0;
            if (sent) {
                field_->clear();
                sentThisTick_ = true;  // one message a tick
                MarkSeen(number);
                Refresh();
            } else {
                const Localisation words(settings_.CurrentLanguage);
                OpenMessageWindow(words, words.WordText(WordKey::UnableToSendAMessage), {}, {}, this);
            }
            EnableField();
            emit MessageSent(sent);
        });
}

}  // namespace kesp
