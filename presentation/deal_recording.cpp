#include "presentation/deal_recording.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <memory>

#include "presentation/message_window.h"
#include "presentation/table_layout.h"
#include "records/atomic_file.h"

namespace kesp {
namespace {

constexpr QSize kPanelSize{175, 40};

}  // namespace

QString RecordingFileName(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy.MM.dd-hh.mm.ss")) + QStringLiteral(".gif");
}

QString UnusedRecordingPath(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QFileInfo info(name);
    QString path = dir.filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(info.completeBaseName() + QStringLiteral("-%1.").arg(n) + info.suffix());
    return path;
}

DealRecording::DealRecording(QWidget& window, const Settings& settings, CardArt& art,
                             const TableArt& pictures, const FontRoles& fonts, const Localisation& words,
                             std::string programDir, std::function<void()> redrawTable)
    : window_(window),
      settings_(settings),
      art_(art),
      pictures_(pictures),
      fonts_(fonts),
      words_(words),
      programDir_(std::move(programDir)),
      redrawTable_(std::move(redrawTable)) {
    timer_.setInterval(kSamplingMs);
    connect(&timer_, &QTimer::timeout, this, &DealRecording::TakeFrame);
}

void DealRecording::StartRecording() {
    if (!settings_.SaveGamesAsGif || settings_.WindowSize != window_size::Small) return;
    FinishRecording();
    // A plain felt of few colours keeps the frames small.
    if (art_.UseRecordingBackground()) redrawTable_();
    recorder_.Start(settings_.GifDelay);
    timer_.start();
    TakeFrame();
}

void DealRecording::TakeFrame() {
    if (recorder_.Recording()) recorder_.AddFrame(Capture());
}

QImage DealRecording::Capture() const {
    if (settings_.GifSource == 2) {
        if (QScreen* screen = window_.screen()) {
            const QRect outer = window_.frameGeometry().translated(-screen->geometry().topLeft());
            const QPixmap shot = screen->grabWindow(0, outer.x(), outer.y(), outer.width(), outer.height());
            if (!shot.isNull()) return shot.toImage();
        }
    }
    // The window's own pixels: also where the screen cannot be read.
    return window_.grab().toImage();
}

void DealRecording::FinishRecording() {
    if (!recorder_.Recording()) return;
    TakeFrame();
    timer_.stop();

    const QRect place(RoundHalfEven(window_.width() / 2.0 - 87.5), RoundHalfEven(window_.height() / 2.0 - 20),
                      kPanelSize.width(), kPanelSize.height());
    auto panel = std::make_unique<QLabel>(&window_);
    panel->setPixmap(QPixmap::fromImage(Panel(place)));
    panel->setGeometry(place);
    panel->show();
    panel->raise();
    panel->repaint();

    const std::string bytes = recorder_.Finish();
    panel.reset();
    lastFile_.clear();
    if (bytes.empty())
        ReportFailure(QString());
    else
        Save(bytes);

    // Back to the table's own background, the design's purple included.
    art_.LoadScreenBackground(true, true);
    redrawTable_();
}

bool DealRecording::Save(const std::string& bytes) {
    const QString folder = QString::fromStdString(programDir_) + QLatin1String(kFolder);
    if (!QDir().mkpath(folder)) {
        ReportFailure(folder);
        return false;
    }
    const QString path = UnusedRecordingPath(folder, RecordingFileName(QDateTime::currentDateTime()));
    if (!WriteFileAtomically(path.toStdString(), bytes)) {
        ReportFailure(path);
        return false;
    }
    lastFile_ = path;
    return true;
}

void DealRecording::ReportFailure(const QString& what) const {
    ShowMessageWindow(words_, words_.WordText(WordKey::ErrorOfDiskWriting), what, {}, &window_);
}

// The background under the panel, the bar picture resampled to the panel and the word in red.
QImage DealRecording::Panel(const QRect& place) const {
    QImage image(kPanelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(art_.WindowColour());
    QPainter p(&image);
    const QImage background = art_.Background();
    if (!background.isNull()) p.drawImage(QPoint(0, 0), background, place);
    QImage bar = pictures_.Picture("AdvBar3");
    if (bar.isNull()) bar = StandInPicture("AdvBar3", kPanelSize);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(image.rect(), bar);
    p.setFont(FontOfHeight(fonts_.Family(FontRole::Decor), fonts_.FontSize(20, FontRole::Serif)));
    p.setPen(QColor(255, 0, 0));
    p.drawText(QRect(0, 10, image.width(), image.height() - 10), Qt::AlignHCenter | Qt::AlignTop,
               words_.WordText(WordKey::CreatingAGIF));
    return image;
}

}  // namespace kesp
