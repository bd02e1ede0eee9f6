// The main window's deals recorded as animated GIFs: the sampling timer, the capture of the window
// (its client area, or its outer bounds from the screen), the plain felt the table is drawn on
// while a deal is recorded, the "Creating a GIF..." panel and the file in the "GIFGame" folder
// beside the program.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <string>

#include "presentation/card_art.h"
#include "presentation/font_roles.h"
#include "presentation/gif_recorder.h"
#include "presentation/table_art.h"
#include "presentation/words.h"
#include "records/settings.h"

class QWidget;

namespace kesp {

// The recording's file name for a moment: "yyyy.mm.dd-hh.nn.ss.gif".
QString RecordingFileName(const QDateTime& when);
// `name` in `folder`, or, when that file exists already, the name with "-2", "-3", ... before its
// extension, so that a recording never replaces an earlier one.
QString UnusedRecordingPath(const QString& folder, const QString& name);

class DealRecording : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSamplingMs = 100;
    static constexpr const char* kFolder = "GIFGame";

    // Everything given must outlive the recording. `redrawTable` repaints the whole table from the
    // game after the background changed.
    DealRecording(QWidget& window, const Settings& settings, CardArt& art, const TableArt& pictures,
                  const FontRoles& fonts, const Localisation& words, std::string programDir,
                  std::function<void()> redrawTable);

    bool Recording() const { return recorder_.Recording(); }
    const GifRecorder& Recorder() const { return recorder_; }
    const QTimer& SamplingTimer() const { return timer_; }
    // The file the last recording was saved in; empty before the first one and after a failure.
    const QString& LastFile() const { return lastFile_; }

    // At the end of a deal's setup, with SaveGamesAsGif on: the table is redrawn on the recording
    // felt, sampling starts and the first frame is taken. A recording still running is saved first.
    void StartRecording();
    // One sample of the window: kept when it differs from the frame before (at most 250 frames).
    void TakeFrame();
    // Takes a last frame and saves the recording while the panel shows; then the chosen background
    // returns. Does nothing when no recording runs. A folder or file that cannot be written is
    // reported in the message window; the game goes on.
    void FinishRecording();

  private:
    QImage Capture() const;
    QImage Panel(const QRect& place) const;
    bool Save(const std::string& bytes);
    void ReportFailure(const QString& what) const;

    QWidget& window_;
    const Settings& settings_;
    CardArt& art_;
    const TableArt& pictures_;
    const FontRoles& fonts_;
    const Localisation& words_;
    std::string programDir_;
    std::function<void()> redrawTable_;
    GifRecorder recorder_;
    QTimer timer_;
    QString lastFile_;
};

}  // namespace kesp
