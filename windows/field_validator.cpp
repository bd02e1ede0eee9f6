#include "windows/field_validator.h"

#include "network/field_checks.h"

namespace kesp {

QValidator::State FieldValidator::validate(QString& input, int&) const {
    const std::string text = input.toStdString();
    if (static_cast<int>(CharacterCount(text)) > maxLength_) return Invalid;
    for (const char32_t c : input.toUcs4())
        if (!IsFieldCharacter(c)) return Invalid;
    return IsValidPassportText(text, maxLength_) ? Acceptable : Intermediate;
}

}  // namespace kesp
