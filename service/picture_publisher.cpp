#include "service/picture_publisher.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cstdio>
#include <fstream>

#include "service/validation.h"

namespace kesp::service {
namespace fs = std::filesystem;
namespace {

constexpr std::uintmax_t kLargestUpload = 200 * 1024;
constexpr int kLargestSide = 1000;
constexpr int kAvatarWidth = 200;
constexpr int kAvatarHeight = 250;

}  // namespace

std::string PublishPicture(Store& store, const fs::path& upload, const fs::path& avatarFolder) {
    const std::string name = upload.filename().string();
    if (name.size() < 5 || name.substr(name.size() - 4) != ".jpg") return "not a .jpg name";
    const std::string stem = name.substr(0, name.size() - 4);
    // The game names the file in Windows-1251; other FTP clients may send UTF-8.
    auto nick = ValidNickUtf8(stem);
    if (!nick) nick = ValidNick(stem);
    if (!nick) return "not a nick";
    std::optional<Rows> account;
    store.Use([&](QSqlDatabase& db) {
        account = Select(db, "SELECT COUNT(*) FROM accounts WHERE nick = ?", {QString::fromStdString(*nick)});
    });
    if (!account || (*account)[0][0].toLongLong() == 0) return "no account " + *nick;
    std::error_code failure;
    if (fs::file_size(upload, failure) > kLargestUpload || failure) return "larger than 200 KB";
    // Read from memory: the file's name is in whatever encoding the FTP client used.
    std::ifstream in(upload, std::ios::binary);
    QByteArray bytes(static_cast<qsizetype>(kLargestUpload) + 1, '\0');
    in.read(bytes.data(), bytes.size());
    bytes.resize(static_cast<qsizetype>(in.gcount()));
    if (!bytes.startsWith("\xFF\xD8\xFF")) return "not a JPEG";
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "jpeg");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kLargestSide || size.height() > kLargestSide)
        return "not a JPEG of at most 1000 x 1000";
    const QImage picture = reader.read();
    if (picture.isNull()) return "damaged JPEG";
    const QImage avatar =
        picture.scaled(kAvatarWidth, kAvatarHeight, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)
            .copy(0, 0, kAvatarWidth, kAvatarHeight);
    const fs::path target = avatarFolder / (*nick + ".jpg");
    const fs::path partial = avatarFolder / ("." + *nick + ".jpg.new");
    QByteArray encoded;
    QBuffer output(&encoded);
    if (!avatar.save(&output, "JPEG", 90)) return "cannot encode the avatar";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(encoded.constData(), encoded.size());
    if (!out.flush()) return "cannot write the avatar";
    out.close();
    fs::rename(partial, target, failure);
    if (failure) {
        fs::remove(partial, failure);
        return "cannot publish the avatar";
    }
    return {};
}

PicturePublisher::PicturePublisher(Store& store, fs::path dataFolder)
    : store_(store), dataFolder_(std::move(dataFolder)), thread_([this] { Run(); }) {}

PicturePublisher::~PicturePublisher() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void PicturePublisher::Run() {
    const fs::path complete = dataFolder_ / "incoming" / "complete";
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_; })) {
        std::error_code failure;
        for (const auto& entry : fs::directory_iterator(complete, failure)) {
            if (!entry.is_regular_file()) continue;
            const std::string refusal = PublishPicture(store_, entry.path(), dataFolder_ / "avatars");
            if (refusal.empty())
                std::fprintf(stderr, "picture published: %s\n", entry.path().filename().c_str());
            else
                std::fprintf(stderr, "picture refused (%s)\n", refusal.c_str());
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

}  // namespace kesp::service
