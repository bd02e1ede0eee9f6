#include "presentation/message_window.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <algorithm>

#include "presentation/cards_button.h"
#include "presentation/cursors.h"
#include "presentation/font_roles.h"

namespace kesp {

namespace {
constexpr int kTopMargin = 12;
constexpr int kLineGap = 4;
constexpr int kButtonGap = 12;
constexpr int kBottomMargin = 8;
}  // namespace

TMessageWindow::TMessageWindow(const Localisation& words, const QString& line1, const QString& line2,
                               const QString& line3, QWidget* parent)
    : QDialog(parent),
      opener_([](const QString& link) { QDesktopServices::openUrl(QUrl::fromUserInput(link)); }) {
    setWindowTitle(words.WordText(WordKey::Attention));
    setModal(true);

    QFont font(InstalledFamily(QStringLiteral("Comic Sans MS")));
    font.setPointSize(20);
    font.setBold(true);
    QFont linkFont = font;
    linkFont.setUnderline(true);

    const std::array<QString, 3> texts = {line1, line2, line3};
    int widest = 0;
    int y = kTopMargin;
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(texts[i], this);
        label->setTextFormat(Qt::PlainText);
        label->setFont(i == 2 ? linkFont : font);
        if (i == 2) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
            label->setPalette(palette);
            label->setCursor(Qt::PointingHandCursor);
            MarkClickable(label);
            label->installEventFilter(this);
        }
        lines_[i] = label;
        if (texts[i].isEmpty()) {
            label->hide();
            continue;
        }
        const QFontMetrics metrics(label->font());
        const int width = metrics.horizontalAdvance(texts[i]);
        label->setGeometry(kLeftMargin, y, width + 2, metrics.height());
        widest = std::max(widest, width);
        y += metrics.height() + kLineGap;
    }

    int clientWidth = widest + kLeftMargin;
    clientWidth = clientWidth >= 350 ? clientWidth + 50 : 400;

    ok_ = new TZunCardsButton(words.WordText(WordKey::Ok), this);
    // The button's caption in white on its red, large enough to read across a wide window.
    QFont buttonFont(font.family());
    buttonFont.setPixelSize(20);
    buttonFont.setBold(true);
    ok_->setFont(buttonFont);
    ok_->SetLightFont(true);
    QPalette palette = ok_->palette();
    palette.setColor(QPalette::ButtonText, Qt::white);
    ok_->setPalette(palette);
    ok_->setGeometry(5, y + kButtonGap, clientWidth - 10, 30);
    ok_->setDefault(true);
    connect(ok_, &QAbstractButton::clicked, this, &QDialog::accept);
    setFixedSize(clientWidth, ok_->geometry().bottom() + 1 + kBottomMargin);
}

QLabel* TMessageWindow::LineLabel(int line) const {
    return line >= 1 && line <= 3 ? lines_[line - 1] : nullptr;
}

bool TMessageWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lines_[2] && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QString link = lines_[2]->text();
        emit LinkClicked(link);
        if (opener_) opener_(link);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

TMessageWindow* OpenMessageWindow(const Localisation& words, const QString& line1, const QString& line2,
                                  const QString& line3, QWidget* parent) {
    auto* window = new TMessageWindow(words, line1, line2, line3, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    window->open();
    return window;
}

void ShowMessageWindow(const Localisation& words, const QString& line1, const QString& line2,
                       const QString& line3, QWidget* parent) {
    TMessageWindow window(words, line1, line2, line3, parent);
    window.exec();
}

}  // namespace kesp
