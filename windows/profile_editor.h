// The profile editor of the account window: the fourteen texts of the public profile and the photo,
// which is picked in a file dialog, checked to be a JPEG picture and put into the picture store.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <array>

#include "network/account_session.h"
#include "records/settings.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kesp {

class TFormProfile : public QDialog {
    Q_OBJECT

  public:
    TFormProfile(const Settings& settings, AccountSession& session, QWidget* parent = nullptr);

    // Takes a picture file as if chosen in the file dialog: a JPEG is shown and waits for "Refresh
    // photo"; anything else shows "Failed to upload photo to server!".
    void ChoosePicture(const QString& fileName);

    QLineEdit* Field(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    QPushButton* RefreshPhotoButton() const { return refreshPhoto_; }
    QPushButton* UpdateInfoButton() const { return updateInfo_; }
    QString LastMessage() const { return lastMessage_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowProfile();
    TInfo14 EditedProfile() const;
    void Message(const QString& text);

    const Settings& settings_;
    AccountSession& session_;
    std::array<QLineEdit*, 14> fields_{};
    QLabel* picture_ = nullptr;
    QPushButton* refreshPhoto_ = nullptr;
    QPushButton* updateInfo_ = nullptr;
    QByteArray chosen_;  // the JPEG waiting for "Refresh photo"
    QString lastMessage_;
};

}  // namespace kesp
