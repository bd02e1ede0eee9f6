#include "windows/profile_editor.h"

#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "presentation/message_window.h"
#include "windows/account_window.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {

namespace {

constexpr WordKey kLabels[14] = {
    WordKey::YourName,        WordKey::YourLastName, WordKey::BriefInformationAboutYou,
    WordKey::YourPhoneNumber, WordKey::YourEMail,    WordKey::YourWebSite,
    WordKey::YourSkype,       WordKey::YourOK,       WordKey::YourVK,
    WordKey::YourTelegram,    WordKey::YourFacebook, WordKey::YourTwitter,
    WordKey::YourInstagram,   WordKey::YourYouTube};
// The profile's texts in TInfo14's order (web site before Skype there, as the service sends them).
constexpr std::string TInfo14::*kFields[14] = {
    &TInfo14::Name1,    &TInfo14::Name2,   &TInfo14::About,      &TInfo14::Telephone, &TInfo14::EMailO,
    &TInfo14::WebSite,  &TInfo14::Skype,   &TInfo14::OK,         &TInfo14::VK,        &TInfo14::Telegram,
    &TInfo14::FaceBook, &TInfo14::Twitter, &TInfo14::Instagramm, &TInfo14::YouTube};
// A 200 x 250 JPEG is far smaller; a larger file is not read.
constexpr qint64 kMaxPictureBytes = 2 * 1024 * 1024;

}  // namespace

TFormProfile::TFormProfile(const Settings& settings, AccountSession& session, QWidget* parent)
    : QDialog(parent), settings_(settings), session_(session) {
    auto* words = new WindowWords(settings_, *this);
    words->BindTitle(WordKey::MyAccount);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(MakeDesignHeader(settings_, WordKey::MyAccount, {"MyAccount", "GFormAcc1"}, this));
    auto* note = new QLabel(this);
    words->Bind(note, WordKey::InfoVisibleToMembers);
    note->setAlignment(Qt::AlignCenter);
    layout->addWidget(note);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(14, 6, 14, 6);
    auto* left = new QVBoxLayout;
    picture_ = new QLabel(this);
    picture_->setFixedSize(200, 250);
    picture_->setCursor(Qt::PointingHandCursor);
    picture_->installEventFilter(this);
    words->Bind([this](const WindowWords& w) { picture_->setToolTip(w.Text(WordKey::PhotoFormat)); });
    left->addWidget(picture_);
    refreshPhoto_ = MakeWindowButton(QString(), settings_, this);
    words->Bind(refreshPhoto_, WordKey::RefreshPhoto);
    refreshPhoto_->setFixedWidth(200);
    refreshPhoto_->setEnabled(false);
    left->addWidget(refreshPhoto_);
    left->addStretch(1);
    body->addLayout(left);

    auto* grid = new QGridLayout;
    for (int i = 0; i < 14; ++i) {
        auto* label = new QLabel(this);
        words->Bind(label, kLabels[i]);
        auto* field = new QLineEdit(this);
        field->setMaxLength(kProfileLengths[static_cast<std::size_t>(i)]);
        field->setMinimumWidth(300);
        grid->addWidget(label, i, 0);
        grid->addWidget(field, i, 1);
        fields_[static_cast<std::size_t>(i)] = field;
        connect(field, &QLineEdit::textEdited, this, [this] { updateInfo_->setEnabled(true); });
    }
    body->addLayout(grid, 1);
    layout->addLayout(body);

    auto* buttons = new QHBoxLayout;
    updateInfo_ = MakeWindowButton(QString(), settings_, this);
    words->Bind(updateInfo_, WordKey::UpdateInfo);
    updateInfo_->setFixedWidth(180);
    updateInfo_->setEnabled(false);
    QPushButton* close = MakeWindowButton(QString(), settings_, this);
    words->Bind(close, WordKey::AccountClose);
    close->setFixedWidth(180);
    buttons->addStretch(1);
    buttons->addWidget(updateInfo_);
    buttons->addWidget(close);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(updateInfo_, &QPushButton::clicked, this, [this] {
        updateInfo_->setEnabled(false);
        session_.SaveProfile(EditedProfile());
    });
    connect(refreshPhoto_, &QPushButton::clicked, this, [this] {
        refreshPhoto_->setEnabled(false);
        session_.UploadPicture(chosen_);
    });
    connect(&session_, &AccountSession::PictureUploaded, this, [this](bool ok) {
        if (!ok) Message(WordText(WordKey::FailedToUploadPhotoToServer, settings_.CurrentLanguage));
        chosen_.clear();
        picture_->setPixmap(FramedPhoto(session_.OwnPicture()));
    });
    connect(&session_, &AccountSession::DataChanged, this, [this] {
        if (chosen_.isEmpty()) picture_->setPixmap(FramedPhoto(session_.OwnPicture()));
        if (!updateInfo_->isEnabled()) ShowProfile();
    });
    picture_->setPixmap(FramedPhoto(session_.OwnPicture()));
    ShowProfile();
}

void TFormProfile::ShowProfile() {
    const TInfo14& info = session_.User().Info;
    for (int i = 0; i < 14; ++i) {
        const std::string& text = info.*kFields[i];
        fields_[static_cast<std::size_t>(i)]->setText(text == "#" ? QString() : QString::fromStdString(text));
    }
}

TInfo14 TFormProfile::EditedProfile() const {
    TInfo14 info;
    for (int i = 0; i < 14; ++i) {
        // '$' and '~' separate the service's values.
        QString text = fields_[static_cast<std::size_t>(i)]->text();
        text.replace('$', ' ').replace('~', ' ');
        info.*kFields[i] = text.isEmpty() ? "#" : text.toStdString();
    }
    return info;
}

bool TFormProfile::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::MouseButtonRelease) {
        // Opened without a nested loop; the choice arrives through the signal.
        auto* dialog = new QFileDialog(this, QString(), QString(), "JPEG (*.jpg *.jpeg *.JPG *.JPEG)");
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFileMode(QFileDialog::ExistingFile);
        connect(dialog, &QFileDialog::fileSelected, this, &TFormProfile::ChoosePicture);
        dialog->open();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormProfile::ChoosePicture(const QString& fileName) {
    QFile file(fileName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxPictureBytes)
        bytes = file.read(kMaxPictureBytes);
    if (!AccountSession::IsJpegPicture(bytes)) {
        Message(WordText(WordKey::FailedToUploadPhotoToServer, settings_.CurrentLanguage));
        return;
    }
    chosen_ = bytes;
    picture_->setPixmap(FramedPhoto(QImage::fromData(bytes, "JPG")));
    refreshPhoto_->setEnabled(true);
}

void TFormProfile::Message(const QString& text) {
    lastMessage_ = text;
    OpenMessageWindow(Localisation(settings_.CurrentLanguage), text, {}, {}, this);
}

}  // namespace kesp
