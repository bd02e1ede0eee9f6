// The world passport ("Passport"): the nick, city, country and sex under which the player's results
// go to the world top ten and the statistics. OK stores them in the settings; the window does not
// close while the nick or the city is invalid.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "presentation/words.h"
#include "records/settings.h"

namespace kesp {

class TFormPassport : public QDialog {
    Q_OBJECT

  public:
    // Open it with open(); `finished` tells when it closed (Accepted: the settings hold the new
    // passport). `settings` must outlive the window.
    TFormPassport(Settings& settings, const Localisation& words, QWidget* parent = nullptr);

    QLineEdit* NickEdit() const { return nick_; }
    QLineEdit* CityEdit() const { return city_; }
    QPushButton* OkButton() const { return ok_; }
    QRadioButton* FemaleButton() const { return female_; }
    QComboBox* ContinentBox() const { return continent_; }
    QComboBox* CountryBox() const { return country_; }

    void done(int result) override;

  private:
    // The first field that is not valid, or none.
    QLineEdit* FirstInvalidField() const;
    void Store();
    void FillCountries();

    Settings& settings_;
    int language_;
    QLineEdit* nick_;
    QLineEdit* city_;
    QComboBox* continent_;
    QComboBox* country_;
    QRadioButton* male_;
    QRadioButton* female_;
    QPushButton* ok_;
};

}  // namespace kesp
