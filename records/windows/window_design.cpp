#include "records/windows/window_design.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "presentation/cards_button.h"
#include "presentation/words.h"
#include "records/windows/window_art.h"

namespace kesp {
namespace {

class DesignHeader : public QWidget {
public:
    DesignHeader(QPixmap picture, QString caption, int height, QString fontFamily, QWidget* parent)
        : QWidget(parent), picture_(std::move(picture)), caption_(std::move(caption)), fontFamily_(std::move(fontFamily)) {
        setFixedHeight(height);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
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
        QFont font(fontFamily_);
        font.setBold(true);
        font.setPixelSize(height() / 2);
        p.setFont(font);
        p.setPen(Qt::yellow);
        p.drawText(rect(), Qt::AlignCenter, caption_.toUpper());
    }

private:
    QPixmap picture_;
    QString caption_;
    QString fontFamily_;
};

QString WithSuffix(const QString& name, const Settings& settings) {
    return name + QString::fromLatin1(LanguageSuffix(settings.CurrentLanguage));
}

}  // namespace

int DialogDesign(const Settings& settings) {
    if (settings.LibraryDesign) return 4;
    return settings.WindowDesign >= 1 && settings.WindowDesign <= 3 ? settings.WindowDesign : 2;
}

QWidget* MakeDesignHeader(const Settings& settings, const QString& caption, const DesignPictures& pictures,
                          QWidget* parent) {
    const QString font = QString::fromStdString(settings.FontSmall);
    QPixmap picture;
    int height = 64;
    switch (DialogDesign(settings)) {
        case 1:
            if (!pictures.Title.isEmpty()) picture = RecordWindowPicture(WithSuffix(pictures.Title, settings));
            if (!picture.isNull()) height = 48;
            break;
        case 3:
            if (!pictures.Ribbon.isEmpty()) picture = RecordWindowPicture(WithSuffix(pictures.Ribbon, settings));
            if (!picture.isNull()) height = 90;
            break;
        case 4:
            if (!pictures.Ribbon.isEmpty()) picture = RecordWindowPicture(WithSuffix(pictures.Ribbon, settings));
            break;
        default:
            break;
    }
    return new DesignHeader(picture, caption, height, font, parent);
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

}  // namespace kesp
