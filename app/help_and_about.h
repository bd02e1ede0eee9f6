// The program's help (a small HTML book beside the program, opened in the desktop's browser) and
// the about window.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <string>

#include "presentation/words.h"
#include "records/settings.h"

class QLabel;
class QPushButton;

namespace kesp {

// In English a notice comes first that the help is not translated; then the help opens.
void ShowHelp(QWidget* parent, const Localisation& words, const std::string& programDir);

// The about window: the menu's caption banner in the interface language and colour, the game's
// name, version and release date, the thanks, and a link to the help. Its texts follow the
// interface language while it is open.
class TFormAbout : public QDialog {
    Q_OBJECT
  public:
    TFormAbout(const Settings& settings, std::function<void()> openHelp, QWidget* parent = nullptr);

    const QImage& Banner() const { return banner_; }
    QLabel* HelpLink() const { return helpLink_; }
    QPushButton* OkButton() const { return ok_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void LoadBanner();

    const Settings& settings_;
    std::function<void()> openHelp_;
    QImage banner_;
    QLabel* bannerLabel_ = nullptr;
    QLabel* helpLink_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Opens the about window over `parent`, window-modal; it frees itself when closed.
TFormAbout* ShowAbout(QWidget* parent, const Settings& settings, std::function<void()> openHelp);

}  // namespace kesp
