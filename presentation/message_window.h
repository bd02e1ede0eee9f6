// The "Attention" message window: up to three lines and an "Ok" button, modal.
//
// The lines are drawn large and bold; the third line is a link (blue, underlined) that opens with the
// desktop's default handler when clicked. Empty lines are hidden and take no space.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

#include "presentation/words.h"

class QLabel;

namespace kesp {

class TZunCardsButton;

class TMessageWindow : public QDialog {
    Q_OBJECT
  public:
    // The lines' left margin inside the window.
    static constexpr int kLeftMargin = 16;

    TMessageWindow(const Localisation& words, const QString& line1, const QString& line2,
                   const QString& line3, QWidget* parent = nullptr);

    // Line 1..3 as shown (null for other numbers).
    QLabel* LineLabel(int line) const;
    TZunCardsButton* OkButton() const { return ok_; }
    // Replaces the opening of the link line (the desktop's handler by default).
    void SetLinkOpener(std::function<void(const QString&)> opener) { opener_ = std::move(opener); }

  signals:
    void LinkClicked(const QString& link);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<QLabel*, 3> lines_{};
    TZunCardsButton* ok_ = nullptr;
    std::function<void(const QString&)> opener_;
};

// Opens the message window over `parent` (modal to it) and returns at once; it closes itself with
// "Ok" or Escape. For messages inside the game, which must not wait.
TMessageWindow* OpenMessageWindow(const Localisation& words, const QString& line1, const QString& line2,
                                  const QString& line3, QWidget* parent);

// Shows the message window and waits until it is closed with "Ok" or Escape.
void ShowMessageWindow(const Localisation& words, const QString& line1, const QString& line2 = {},
                       const QString& line3 = {}, QWidget* parent = nullptr);

}  // namespace kesp
