// Texts of a window that follow the interface language. A window binds each of its texts to a word;
// the texts are set at once and set again whenever the window (or its top-level window) receives a
// language change, so an open dialog reads in the new language as soon as the language is switched.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "presentation/words.h"
#include "records/settings.h"

class QAbstractButton;
class QLabel;
class QWidget;

namespace kesp {

class WindowWords : public QObject {
  public:
    // `settings` must outlive the window; its `CurrentLanguage` is the language read at each change.
    WindowWords(const Settings& settings, QWidget& window);

    QString Text(WordKey key) const { return WordText(key, settings_.CurrentLanguage); }

    // Calls `apply` now and after every language change, with the texts of the new language at hand.
    void Bind(std::function<void(const WindowWords&)> apply);
    void Bind(QLabel* label, WordKey key);
    void Bind(QAbstractButton* button, WordKey key);
    void BindTitle(WordKey key);

    void Apply() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const Settings& settings_;
    QWidget& window_;
    std::vector<std::function<void(const WindowWords&)>> bindings_;
};

// Tells every top-level window that the interface language changed (after the settings hold it).
void AnnounceLanguageChange();

}  // namespace kesp
