#include "windows/passport_window.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "network/countries.h"
#include "network/field_checks.h"
#include "presentation/country_flags.h"
#include "windows/field_validator.h"
#include "windows/window_design.h"

namespace kesp {
namespace {

constexpr WordKey kContinents[kContinentCount] = {WordKey::Europe,       WordKey::Asia,
                                                  WordKey::NorthAmerica, WordKey::SouthAmerica,
                                                  WordKey::Oceania,      WordKey::Africa};

QLineEdit* MakeField(const std::string& text, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new FieldValidator(maxLength, edit));
    // A stored text with characters outside the set is shown as it will be sent.
    edit->setText(QString::fromStdString(WithFieldCharactersOnly(text)));
    edit->setMinimumWidth(220);
    return edit;
}

}  // namespace

TFormPassport::TFormPassport(Settings& settings, const Localisation& words, QWidget* parent)
    : QDialog(parent), settings_(settings), language_(words.CurrentLanguage()) {
    setWindowTitle(words.WordText(WordKey::Passport));
    QFont font(QString::fromStdString(settings_.FontSmall));
    font.setPixelSize(16);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(MakeDesignHeader(settings_, WordKey::Passport, {"Passport", "GFormPassport"}, this));
    auto* form = new QFormLayout;
    form->setContentsMargins(20, 12, 20, 6);
    nick_ = MakeField(settings_.WorldNick, kWorldNickLength, this);
    city_ = MakeField(settings_.WorldCity, kWorldCityLength, this);
    form->addRow(words.WordText(WordKey::AccountNick), nick_);
    form->addRow(words.WordText(WordKey::AccountCity), city_);

    continent_ = new QComboBox(this);
    for (WordKey key : kContinents) continent_->addItem(words.WordText(key));
    country_ = new QComboBox(this);
    country_->setIconSize(QSize(22, 15));
    country_->setMaxVisibleItems(16);
    const CountryCode stored = ParseCountryCode(settings_.WorldCountry).value_or(CountryCode{});
    continent_->setCurrentIndex(stored.continent - 1);
    FillCountries();
    country_->setCurrentIndex(stored.index);
    connect(continent_, &QComboBox::currentIndexChanged, this, [this] {
        FillCountries();
        country_->setCurrentIndex(country_->count() > 1 ? 1 : 0);
    });
    auto* countryRow = new QHBoxLayout;
    countryRow->addWidget(continent_);
    countryRow->addWidget(country_, 1);
    form->addRow(words.WordText(WordKey::AccountCountry), countryRow);

    auto* sexRow = new QHBoxLayout;
    male_ = new QRadioButton(words.WordText(WordKey::Male), this);
    female_ = new QRadioButton(words.WordText(WordKey::Female), this);
    auto* sex = new QButtonGroup(this);
    sex->addButton(male_);
    sex->addButton(female_);
    (settings_.WorldSex == "W" ? female_ : male_)->setChecked(true);
    sexRow->addWidget(male_);
    sexRow->addWidget(female_);
    sexRow->addStretch();
    form->addRow(words.WordText(WordKey::AccountSex), sexRow);
    layout->addLayout(form);

    ok_ = MakeWindowButton(words.WordText(WordKey::OK), settings_, this);
    ok_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto updateOk = [this] { ok_->setEnabled(FirstInvalidField() == nullptr); };
    connect(nick_, &QLineEdit::textChanged, this, updateOk);
    connect(city_, &QLineEdit::textChanged, this, updateOk);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    updateOk();
}

QLineEdit* TFormPassport::FirstInvalidField() const {
    if (!IsValidPassportText(nick_->text().toStdString(), kWorldNickLength)) return nick_;
    if (!IsValidPassportText(city_->text().toStdString(), kWorldCityLength)) return city_;
    return nullptr;
}

void TFormPassport::done(int result) {
    if (QLineEdit* invalid = FirstInvalidField()) {
        invalid->setFocus();
        return;
    }
    if (result == Accepted) Store();
    QDialog::done(result);
}

void TFormPassport::FillCountries() {
    const int continent = continent_->currentIndex() + 1;
    const QSignalBlocker block(country_);
    country_->clear();
    for (int index = 0; index <= CountryCount(continent); ++index) {
        const std::string code = CountryCodeText({continent, index}).value_or("1-000");
        country_->addItem(QIcon(CountryFlag(code, 15)), CountryName(code, language_));
    }
}

void TFormPassport::Store() {
    settings_.WorldNick = nick_->text().toStdString();
    settings_.WorldCity = city_->text().toStdString();
    settings_.WorldSex = female_->isChecked() ? "W" : "M";
    if (auto code = CountryCodeText({continent_->currentIndex() + 1, country_->currentIndex()}))
        settings_.WorldCountry = *code;
}

}  // namespace kesp
