#include "presentation/flight_path.h"

#include <algorithm>
#include <cstdlib>

#include "presentation/table_layout.h"

namespace kesp {

int StepsPerFrame(int speed) {
    return speed >= kFastestFlight ? 2 : 1;
}

FlightPath::FlightPath(QPoint from, QPoint to) : from_(from), to_(to), position_(from) {}

void FlightPath::Step() {
    if (Arrived()) return;
    const int dx = to_.x() - from_.x();
    const int dy = to_.y() - from_.y();
    if (std::abs(dx) >= std::abs(dy)) {
        const int x = position_.x() + (dx > 0 ? 1 : -1);
        const double y = static_cast<double>(dy) * (x - from_.x()) / dx + from_.y();
        position_ = QPoint(x, RoundHalfEven(y));
    } else {
        const int y = position_.y() + (dy > 0 ? 1 : -1);
        const double x = static_cast<double>(dx) * (y - from_.y()) / dy + from_.x();
        position_ = QPoint(RoundHalfEven(x), y);
    }
}

void FlightPath::Advance(int speed) {
    for (int i = StepsPerFrame(speed); i > 0; --i) Step();
}

std::vector<QPoint> DrawnPositions(QPoint from, QPoint to, int speed) {
    FlightPath path(from, to);
    std::vector<QPoint> drawn{path.Position()};
    while (!path.Arrived()) {
        path.Advance(speed);
        drawn.push_back(path.Position());
    }
    return drawn;
}

int GroupPaths::Add(QPoint from, QPoint to) {
    paths_.emplace_back(from, to);
    flying_.push_back(true);
    return Count() - 1;
}

bool GroupPaths::AnyFlying() const {
    return std::find(flying_.begin(), flying_.end(), true) != flying_.end();
}

void GroupPaths::Advance(int speed) {
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        if (!flying_[i]) continue;
        paths_[i].Advance(speed);
        if (paths_[i].Arrived()) flying_[i] = false;
    }
}

QRect GroupPaths::BoundingBox() const {
    QRect box;
    for (std::size_t i = 0; i < paths_.size(); ++i)
        if (flying_[i]) box |= QRect(paths_[i].Position(), cell_);
    return box.isEmpty() ? box : box.adjusted(-margin_, -margin_, margin_, margin_);
}

std::chrono::milliseconds FlightPacer::AfterFrame(int speed) {
    ++frames_;
    using std::chrono::milliseconds;
    switch (std::clamp(speed, kSlowestFlight, kFastestFlight)) {
        case 1:
            return milliseconds(2);
        case 2:
            return milliseconds(1);
        case 3:
            return milliseconds(frames_ % 2 == 0 ? 1 : 0);
        case 4:
            return milliseconds(frames_ % 3 == 0 ? 1 : 0);
        default:
            return milliseconds(0);  // 5 and 6 run as fast as the drawing goes
    }
}

}  // namespace kesp
