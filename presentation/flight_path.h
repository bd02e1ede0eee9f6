// The pure part of a card flight: the straight line a card walks one pixel at a time, the steps of
// one drawn frame, the cards of a group flight and the pacing by the speed setting. Nothing here
// paints, so the paths and the schedule can be checked without a window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <chrono>
#include <cstdint>
#include <vector>

namespace kesp {

inline constexpr int kSlowestFlight = 1;
inline constexpr int kFastestFlight = 6;

// The steps made per drawn frame: two at the fastest speed (the first of the pair is not drawn), one
// at every other speed.
int StepsPerFrame(int speed);

// One card's line from its start to its target. Each step moves one pixel along the longer axis;
// the other coordinate is put back on the line, rounded half to even.
class FlightPath {
  public:
    FlightPath(QPoint from, QPoint to);

    QPoint Position() const { return position_; }
    QPoint Target() const { return to_; }
    bool Arrived() const { return position_ == to_; }
    // One pixel toward the target; nothing once there.
    void Step();
    // The steps of one drawn frame at `speed`, stopping at the target.
    void Advance(int speed);

  private:
    QPoint from_;
    QPoint to_;
    QPoint position_;
};

// The positions a single flight draws, the start included, at a speed.
std::vector<QPoint> DrawnPositions(QPoint from, QPoint to, int speed);

// The cards of a group flight, each on its own line; a card stops being drawn once it arrives.
class GroupPaths {
  public:
    // `cell` is the size of every card; `margin` widens the boxes on every side.
    GroupPaths(QSize cell, int margin = 10) : cell_(cell), margin_(margin) {}

    // Adds a card that takes part; returns its index.
    int Add(QPoint from, QPoint to);
    int Count() const { return static_cast<int>(paths_.size()); }
    bool Flying(int index) const { return flying_[static_cast<std::size_t>(index)]; }
    bool AnyFlying() const;
    QPoint Position(int index) const { return paths_[static_cast<std::size_t>(index)].Position(); }
    // One drawn frame for every flying card; a card that reaches its target stops flying.
    void Advance(int speed);
    // The box around every flying card, widened by the margin; empty when none flies.
    QRect BoundingBox() const;

  private:
    QSize cell_;
    int margin_;
    std::vector<FlightPath> paths_;
    std::vector<bool> flying_;
};

// The rest after each drawn frame that the speed asks for: 2 ms at speed 1, 1 ms at speed 2, 1 ms
// after every second frame at speed 3 and every third at speed 4, none at 5 and 6. The frame count
// goes on from flight to flight, so short flights at speeds 3 and 4 keep the same rhythm.
class FlightPacer {
  public:
    // Counts a drawn frame and says how long to rest before the next one (zero: draw on).
    std::chrono::milliseconds AfterFrame(int speed);
    std::uint64_t Frames() const { return frames_; }

  private:
    std::uint64_t frames_ = 0;
};

}  // namespace kesp
