// Refuses, as they are typed or pasted, the characters an online text may not hold (nick, city,
// passport texts), and texts longer than the field's bound in characters.
#pragma once

#include <QValidator>

namespace kesp {

class FieldValidator : public QValidator {
  public:
    FieldValidator(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}
    State validate(QString& input, int& position) const override;

  private:
    int maxLength_;
};

}  // namespace kesp
