#include "app/help_and_about.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "presentation/card_art.h"
#include "presentation/cursors.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

constexpr int kBannerWidth = 400;
constexpr int kBannerHeight = 70;
constexpr int kMargin = 16;
constexpr char kVersion[] = "V 5.7f";

QLabel* CentredLabel(QWidget* parent, int pixelSize, bool bold, QColor colour, const Settings& settings) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    QFont font(QString::fromStdString(settings.FontSmall));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

}  // namespace

void ShowHelp(QWidget* parent, const Localisation& words, const std::string& programDir) {
    if (words.CurrentLanguage() == kEnglish)
        QMessageBox::information(
            parent, GameName(kEnglish),
            QStringLiteral("Excuse!\n\rThe file of the help is not translated to the English "
                           "language."));
    const QString page = QString::fromStdString(programDir) + QStringLiteral("Help/index.html");
    if (QFileInfo::exists(page))
        QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    else
        QMessageBox::warning(
            parent, GameName(words.CurrentLanguage()),
            words.WordText(WordKey::CantFindTheFile) + QStringLiteral(" \"") + page + QStringLiteral("\"!"));
}

TFormAbout::TFormAbout(const Settings& settings, std::function<void()> openHelp, QWidget* parent)
    : QDialog(parent), settings_(settings), openHelp_(std::move(openHelp)) {
    setObjectName(QStringLiteral("FormAbout"));
    auto* words = new WindowWords(settings_, *this);
    words->BindTitle(WordKey::About);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(6);
    bannerLabel_ = new QLabel(this);
    bannerLabel_->setFixedSize(kBannerWidth, kBannerHeight);
    layout->addWidget(bannerLabel_, 0, Qt::AlignHCenter);

    auto* version = CentredLabel(this, 18, true, QColor(0, 100, 100), settings_);
    auto* date = CentredLabel(this, 16, false, QColor(200, 0, 0), settings_);
    auto* gameLine = CentredLabel(this, 16, false, QColor(0, 0, 0), settings_);
    auto* team = CentredLabel(this, 16, false, QColor(0, 0, 200), settings_);
    auto* thanksHeading = CentredLabel(this, 18, true, QColor(128, 0, 0), settings_);
    auto* thanks = CentredLabel(this, 15, false, palette().color(QPalette::WindowText), settings_);
    helpLink_ = CentredLabel(this, 15, false, QColor(0, 0, 255), settings_);
    QFont linkFont = helpLink_->font();
    linkFont.setUnderline(true);
    helpLink_->setFont(linkFont);
    helpLink_->setCursor(Qt::PointingHandCursor);
    MarkClickable(helpLink_);
    helpLink_->installEventFilter(this);
    for (QLabel* label : {version, gameLine, date, team}) layout->addWidget(label);
    layout->addSpacing(10);
    for (QLabel* label : {thanksHeading, thanks, helpLink_}) layout->addWidget(label);
    layout->addSpacing(6);

    words->Bind([this, version, gameLine, date, team, thanksHeading, thanks](const WindowWords& w) {
        const int language = settings_.CurrentLanguage;
        version->setText(GameName(language) + QStringLiteral("  ") + QString::fromLatin1(kVersion));
        gameLine->setText(w.Text(WordKey::AboutGameLine));
        date->setText(ReleaseDate(language));
        team->setText(w.Text(WordKey::AboutTeam));
        thanksHeading->setText(w.Text(WordKey::SeparateThankYou));
        thanks->setText(w.Text(WordKey::AboutCredits));
        helpLink_->setText(w.Text(WordKey::MoreInDetailInTheHelp));
        LoadBanner();
    });
    ok_ = AddOkRow(*layout, *this, settings_, *words);
    setFixedWidth(kBannerWidth + 2 * kMargin);
}

// The banner of the main menu, in the language's picture and the banner colour the menu has.
void TFormAbout::LoadBanner() {
    banner_ = LoadOwnImage(LocalisedResourceName(u"Cap", settings_.CurrentLanguage).toStdString());
    if (!banner_.isNull()) {
        RecolorBanner(banner_, settings_.CaptionColour);
        bannerLabel_->setPixmap(QPixmap::fromImage(
            banner_.scaled(kBannerWidth, kBannerHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    bannerLabel_->setVisible(!banner_.isNull());
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == helpLink_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && openHelp_) {
        openHelp_();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

TFormAbout* ShowAbout(QWidget* parent, const Settings& settings, std::function<void()> openHelp) {
    auto* window = new TFormAbout(settings, std::move(openHelp), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    window->open();
    return window;
}

}  // namespace kesp
