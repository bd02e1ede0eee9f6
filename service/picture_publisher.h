// Checks the pictures that players upload to the picture store and publishes the good ones as
// avatars/NICK.jpg; everything else is deleted.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "service/store.h"

namespace kesp::service {

// Why an upload was refused, or empty when it was published.
std::string PublishPicture(Store& store, const std::filesystem::path& upload,
                           const std::filesystem::path& avatarFolder);

// Looks into incoming/complete/ of the data folder once a second, on a thread of its own.
class PicturePublisher {
  public:
    PicturePublisher(Store& store, std::filesystem::path dataFolder);
    ~PicturePublisher();

  private:
    void Run();
    Store& store_;
    std::filesystem::path dataFolder_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace kesp::service
