#include "windows/window_design.h"

#include <QEvent>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "presentation/cards_button.h"
#include "presentation/words.h"
#include "windows/window_art.h"

namespace kesp {
namespace {

QString WithSuffix(const QString& name, const Settings& settings) {
    return name + QString::fromLatin1(LanguageSuffix(settings.CurrentLanguage));
}

// The header band: the design's picture in the current language, or the caption band. Both are
// chosen again when the language changes.
class DesignHeader : public QWidget {
  public:
    DesignHeader(const Settings& settings, WordKey caption, DesignPictures pictures, int design,
                 QWidget* parent)
        : QWidget(parent),
          settings_(settings),
          caption_(caption),
          pictures_(std::move(pictures)),
          design_(design) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        ChoosePicture();
    }

  protected:
    void changeEvent(QEvent* event) override {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::LanguageChange) {
            ChoosePicture();
            update();
        }
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (!picture_.isNull()) {
            p.drawPixmap(rect(), picture_);
            return;
        }
        QLinearGradient band(0, 0, 0, height());
        band.setColorAt(0.0, QColor(150, 20, 20));
        band.setColorAt(0.5, QColor(110, 0, 0));
        band.setColorAt(1.0, QColor(70, 0, 0));
        p.fillRect(rect(), band);
        p.setPen(QColor(255, 215, 120));
        p.drawLine(0, height() - 2, width(), height() - 2);
        QFont font(QString::fromStdString(settings_.FontSmall));
        font.setBold(true);
        font.setPixelSize(height() / 2);
        p.setFont(font);
        p.setPen(Qt::yellow);
        p.drawText(rect(), Qt::AlignCenter, WordText(caption_, settings_.CurrentLanguage).toUpper());
    }

  private:
    void ChoosePicture() {
        picture_ = QPixmap();
        int height = 64;
        switch (design_) {
            case 1:
                if (!pictures_.Title.isEmpty())
                    picture_ = RecordWindowPicture(WithSuffix(pictures_.Title, settings_));
                if (!picture_.isNull()) height = 48;
                break;
            case 3:
                if (!pictures_.Ribbon.isEmpty())
                    picture_ = RecordWindowPicture(WithSuffix(pictures_.Ribbon, settings_));
                if (!picture_.isNull()) height = 90;
                break;
            case 4:
                if (!pictures_.Ribbon.isEmpty())
                    picture_ = RecordWindowPicture(WithSuffix(pictures_.Ribbon, settings_));
                break;
            default:
                break;
        }
        setFixedHeight(height);
    }

    const Settings& settings_;
    WordKey caption_;
    DesignPictures pictures_;
    int design_;
    QPixmap picture_;
};

}  // namespace

int DialogDesign(const Settings& settings) {
    if (settings.LibraryDesign) return 4;
    return settings.WindowDesign >= 1 && settings.WindowDesign <= 3 ? settings.WindowDesign : 2;
}

QWidget* MakeDesignHeader(const Settings& settings, WordKey caption, const DesignPictures& pictures,
                          QWidget* parent, int design) {
    return new DesignHeader(settings, caption, pictures, design > 0 ? design : DialogDesign(settings),
                            parent);
}

QPushButton* MakeWindowButton(const QString& text, const Settings& settings, QWidget* parent) {
    auto* button = new TZunCardsButton(text, parent);
    button->SetNewStyle(settings.NewButtons);
    button->SetLightFont(true);
    button->SetGrayDis(true);
    QFont font(QString::fromStdString(settings.FontSmall));
    font.setPixelSize(16);
    font.setBold(true);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, Qt::white);
    button->setPalette(palette);
    button->setFixedSize(110, 30);
    return button;
}

void SetWindowButtonEnabled(QPushButton* button, bool enabled) {
    button->setEnabled(enabled);
    if (auto* drawn = qobject_cast<TZunCardsButton*>(button)) drawn->SetKLightSB(enabled ? 0 : 50);
}

QPushButton* AddOkRow(QBoxLayout& layout, QDialog& window, const Settings& settings, WindowWords& words) {
    auto* row = new QHBoxLayout;
    QPushButton* ok = MakeWindowButton(QString(), settings, &window);
    words.Bind(ok, WordKey::OK);
    ok->setDefault(true);
    row->addStretch(1);
    row->addWidget(ok);
    row->addStretch(1);
    layout.addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
    return ok;
}

}  // namespace kesp
