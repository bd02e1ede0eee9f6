#include "windows/welcome_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "presentation/words.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

constexpr int kNameLimit = static_cast<int>(NameLength);          // characters of a club name
constexpr int kPasswordLimit = static_cast<int>(PasswordLength);  // characters of a password
constexpr int kLocalFormHeight = 295;
constexpr int kNetworkFormHeight = 455;
constexpr int kNetworkNameLimit = 4;  // the name other players see at the table
constexpr int kFormWidth = 420;

// Password fields show every character as '#'.
class HashPasswordStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '#';
        if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The name field of a new player starts with the name typed last, blanks trimmed, unless that
// name is too long for the field.
QString StartingName(const Settings& settings) {
    const QString last = QString::fromStdString(settings.LastPlayerName);
    if (last.size() > kNameLimit) return WordText(WordKey::MrX, settings.CurrentLanguage);
    return last.trimmed();
}

}  // namespace

WelcomeDialog::WelcomeDialog(Settings& settings, int currentMember, std::optional<ClubMember> memberRecord,
                             QWidget* parent, const std::string& programDir, LanStart lanStart)
    : QDialog(parent),
      settings_(settings),
      currentMember_(currentMember),
      member_(std::move(memberRecord)),
      lanStart_(std::move(lanStart)) {
    auto* words = new WindowWords(settings_, *this);
    words->BindTitle(WordKey::Welcome);
    setModal(true);

    passwordStyle_ = new HashPasswordStyle;
    passwordStyle_->setParent(this);

    QFont labelFont(QString::fromStdString(settings_.FontSmall));
    labelFont.setPixelSize(16);
    QFont editFont(QString::fromStdString(settings_.FontSpecial2));
    editFont.setPixelSize(16);
    editFont.setBold(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(MakeDesignHeader(settings_, WordKey::Welcome, {QString(), "GFormPass"}, this));

    auto* fields = new QGridLayout;
    fields->setContentsMargins(16, 8, 16, 0);
    fields->setVerticalSpacing(6);
    auto addField = [&](int row, WordKey label, int limit) {
        auto* caption = new QLabel(this);
        words->Bind(caption, label);
        caption->setFont(labelFont);
        auto* edit = new QLineEdit(this);
        edit->setFont(editFont);
        edit->setMaxLength(limit);
        fields->addWidget(caption, row, 0);
        fields->addWidget(edit, row, 1);
        return edit;
    };
    editName_ = addField(0, WordKey::EnterYourName, kNameLimit);
    editPassword_ = addField(1, WordKey::EnterYourPassword, kPasswordLimit);
    editRepeat_ = addField(2, WordKey::AndOnceAgainForCheck, kPasswordLimit);
    for (QLineEdit* edit : {editPassword_, editRepeat_}) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyle(passwordStyle_);
    }
    layout->addLayout(fields);

    // The message line: the last refusal, in a colour that stands out.
    labelMessage_ = new QLabel(this);
    QFont messageFont(labelFont);
    messageFont.setBold(true);
    labelMessage_->setFont(messageFont);
    labelMessage_->setAlignment(Qt::AlignCenter);
    QPalette messagePalette = labelMessage_->palette();
    messagePalette.setColor(QPalette::WindowText, QColor(200, 0, 0));
    labelMessage_->setPalette(messagePalette);
    labelMessage_->hide();
    if (settings_.NetworkMode) {
        lanForm_ = new LanForm(settings_, programDir, this);
        layout->addWidget(lanForm_);
        connect(lanForm_, &LanForm::AddressChanged, labelMessage_, &QLabel::hide);
        editName_->setMaxLength(kNetworkNameLimit);
    }
    layout->addWidget(labelMessage_);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttonOk_ = MakeWindowButton(QString(), settings_, this);
    buttonCancel_ = MakeWindowButton(QString(), settings_, this);
    words->Bind(buttonOk_, WordKey::OK);
    words->Bind(buttonCancel_, WordKey::Cancel);
    buttonOk_->setDefault(true);
    buttons->addWidget(buttonOk_);
    buttons->addStretch(1);
    buttons->addWidget(buttonCancel_);
    layout->addLayout(buttons);
    connect(buttonOk_, &QPushButton::clicked, this, &WelcomeDialog::ButtonOkClick);
    connect(buttonCancel_, &QPushButton::clicked, this, &QDialog::reject);

    if (member_) {
        editName_->setText(QString::fromStdString(member_->Name).leftJustified(kNameLimit, ' ', true));
        editName_->setEnabled(false);
        editRepeat_->setEnabled(false);
        editPassword_->setFocus();
    } else {
        editName_->setText(StartingName(settings_));
        editName_->setFocus();
    }
    setFixedSize(kFormWidth, lanForm_ ? kNetworkFormHeight : kLocalFormHeight);
}

std::optional<ClubLogin> WelcomeDialog::Run(QWidget* parent, Settings& settings,
                                            const std::string& programDir, int currentMember,
                                            LanStart lanStart) {
    std::optional<ClubMember> record;
    if (currentMember >= 1 && currentMember <= ClubMemberCount) {
        record = ReadMember(ClubFilePath(programDir, settings.NetworkMode), currentMember);
        if (!record) return std::nullopt;  // an empty slot (or no readable club): nobody to log in
    } else if (currentMember != member::NewPlayer) {
        return std::nullopt;
    }
    WelcomeDialog dialog(settings, currentMember, std::move(record), parent, programDir, std::move(lanStart));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Login();
}

QString WelcomeDialog::Message() const {
    return labelMessage_->isHidden() ? QString() : labelMessage_->text();
}

void WelcomeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (member_ ? editPassword_ : editName_)->setFocus();
}

void WelcomeDialog::ShowMessage(const QString& text, QLineEdit* focus) {
    labelMessage_->setText(text);
    labelMessage_->show();
    focus->setFocus();
}

void WelcomeDialog::ButtonOkClick() {
    const int language = settings_.CurrentLanguage;
    const QString name = editName_->text();
    // A new player's name of blanks only would be an invisible club member: it counts as empty.
    if (member_ ? name.isEmpty() : name.trimmed().isEmpty()) {
        ShowMessage(WordText(WordKey::IncorrectName, language), editName_);
        return;
    }
    settings_.LastPlayerName = name.toStdString();

    const std::string password = editPassword_->text().toStdString();
    if (member_) {
        if (!PasswordMatches(password, member_->PasswordCode)) {
            ShowMessage(WordText(WordKey::TheIncorrectPassword, language), editPassword_);
            return;
        }
        login_ = ClubLogin{currentMember_, *member_, std::nullopt};
    } else {
        if (editPassword_->text() != editRepeat_->text()) {
            ShowMessage(WordText(WordKey::ThePasswordsDoNotCoincide, language), editPassword_);
            return;
        }
        ClubMember record;
        record.Name = name.leftJustified(kNameLimit, ' ', true).toStdString();
        record.PasswordCode = EncodePassword(password);
        login_ = ClubLogin{member::NewPlayer, std::move(record), std::nullopt};
    }
    labelMessage_->hide();
    if (lanForm_) {
        LanChoice choice;
        if (const auto refusal = lanForm_->Check(choice)) {
            ShowMessage(refusal->message, refusal->field);
            return;
        }
        login_->Lan = choice;
        // The dialog closes only when the wait for the other players ends with the start.
        if (lanStart_ && !lanStart_(choice, *login_)) {
            login_.reset();
            return;
        }
    }
    accept();
}

}  // namespace kesp
