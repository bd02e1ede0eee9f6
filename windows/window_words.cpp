#include "windows/window_words.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace kesp {

WindowWords::WindowWords(const Settings& settings, QWidget& window)
    : QObject(&window), settings_(settings), window_(window) {
    window_.installEventFilter(this);
}

void WindowWords::Bind(std::function<void(const WindowWords&)> apply) {
    apply(*this);
    bindings_.push_back(std::move(apply));
}

void WindowWords::Bind(QLabel* label, WordKey key) {
    Bind([label, key](const WindowWords& words) { label->setText(words.Text(key)); });
}

void WindowWords::Bind(QAbstractButton* button, WordKey key) {
    Bind([button, key](const WindowWords& words) { button->setText(words.Text(key)); });
}

void WindowWords::BindTitle(WordKey key) {
    Bind([this, key](const WindowWords& words) { window_.setWindowTitle(words.Text(key)); });
}

void WindowWords::Apply() const {
    for (const auto& apply : bindings_) apply(*this);
}

bool WindowWords::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::LanguageChange) Apply();
    return QObject::eventFilter(watched, event);
}

void AnnounceLanguageChange() {
    // A widget hands a language change on to its children, so the top-level windows are enough.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

}  // namespace kesp
