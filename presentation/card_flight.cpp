#include "presentation/card_flight.h"

#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <vector>

namespace kesp {

using std::chrono::milliseconds;

namespace {

// Frames are drawn back to back for at most this long before the event loop gets its turn.
constexpr qint64 kDrawingSliceNs = 4'000'000;

QSize CellSize(const CardCell& cell) {
    return QSize(cell.width, cell.height);
}

}  // namespace

class CardFlights::Flight {
  public:
    virtual ~Flight() = default;
    // Draws the first picture and shows the whole window; true when that was already a frame of
    // the flight, counted and paced like the others.
    virtual bool Open(FlightSurface& surface, int speed) = 0;
    virtual bool Arrived() const = 0;
    // Moves the cards on by one frame and shows what changed.
    virtual void Frame(FlightSurface& surface, int speed) = 0;
    // Once the last frame's rest is over.
    virtual void Close(FlightSurface& /*surface*/) {}
};

namespace {

class SingleFlight final : public CardFlights::Flight {
  public:
    SingleFlight(QPoint from, QPoint to, SpriteFace face, bool eraseAtEnd, const CardCell& cell,
                 const TableArt& art)
        : sprite_(QRect(from, CellSize(cell)), face, art, cell.sizeClass),
          path_(from, to),
          eraseAtEnd_(eraseAtEnd) {}

    bool Open(FlightSurface& surface, int /*speed*/) override {
        // The first picture shows the whole table, so what the caller drew just before the flight
        // is on the screen under the card from the start.
        sprite_.Draw(surface.Working(), path_.Position());
        surface.Show(surface.Window());
        return false;
    }
    bool Arrived() const override { return path_.Arrived(); }
    void Frame(FlightSurface& surface, int speed) override {
        path_.Advance(speed);
        sprite_.MoveSprite(path_.Position(), surface);
    }
    void Close(FlightSurface& surface) override {
        if (eraseAtEnd_) sprite_.EraseSprite(surface);
    }

  private:
    TSprite sprite_;
    FlightPath path_;
    bool eraseAtEnd_;
};

class GroupFlight final : public CardFlights::Flight {
  public:
    GroupFlight(std::span<const GroupCard> cards, const CardCell& cell, const TableArt& art)
        : paths_(CellSize(cell)) {
        for (const GroupCard& card : cards.first(std::min<std::size_t>(cards.size(), kMaxGroupCards))) {
            if (!card.face.TakesPart()) continue;
            paths_.Add(card.from, card.to);
            sprites_.emplace_back(QRect(card.from, CellSize(cell)), card.face, art, cell.sizeClass);
        }
    }

    // The first frame shows the whole window.
    bool Open(FlightSurface& surface, int speed) override {
        Frame(surface, speed);
        return true;
    }
    bool Arrived() const override { return !paths_.AnyFlying(); }
    void Frame(FlightSurface& surface, int speed) override {
        const QRect before = paths_.BoundingBox();
        surface.Restore(before);
        paths_.Advance(speed);
        for (int i = 0; i < paths_.Count(); ++i)
            if (paths_.Flying(i))
                sprites_[static_cast<std::size_t>(i)].Draw(surface.Working(), paths_.Position(i));
        // The old box too: a card that has just stopped must leave the screen with its place.
        surface.Show(opened_ ? before | paths_.BoundingBox() : surface.Window());
        opened_ = true;
    }

  private:
    GroupPaths paths_;
    std::vector<TSprite> sprites_;
    bool opened_ = false;
};

}  // namespace

CardFlights::CardFlights(FlightScreen& screen, const TableArt& art) : screen_(screen), art_(art) {
    frameTimer_.setSingleShot(true);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&frameTimer_, &QTimer::timeout, [this] { DrawFrames(); });
}

CardFlights::~CardFlights() = default;

const QImage& CardFlights::WorkingCopy() const {
    static const QImage none;
    return surface_ ? surface_->Working() : none;
}

bool CardFlights::FlyCard(QPoint from, QPoint to, SpriteFace face, bool eraseAtEnd, const CardCell& cell,
                          int speed, Landed landed) {
    if (!face.TakesPart() || Running()) return false;
    Start(std::make_unique<SingleFlight>(from, to, face, eraseAtEnd, cell, art_), screen_.Capture(), speed,
          std::move(landed));
    return true;
}

bool CardFlights::FlyGroup(const QImage& cleanTable, std::span<const GroupCard> cards, const CardCell& cell,
                           int speed, Landed landed) {
    if (Running()) return false;
    auto group = std::make_unique<GroupFlight>(cards, cell, art_);
    if (group->Arrived()) return false;
    Start(std::move(group), cleanTable, speed, std::move(landed));
    return true;
}

void CardFlights::Start(std::unique_ptr<Flight> flight, QImage clean, int speed, Landed landed) {
    surface_ = std::make_unique<FlightSurface>(screen_, std::move(clean));
    flight_ = std::move(flight);
    speed_ = speed;
    landed_ = std::move(landed);
    // Even a flight that is over after its first picture lands from the event loop, never from here.
    const milliseconds rest = flight_->Open(*surface_, speed_) ? pacer_.AfterFrame(speed_) : milliseconds(0);
    frameTimer_.start(rest);
}

void CardFlights::DrawFrames() {
    QElapsedTimer drawing;
    drawing.start();
    while (!flight_->Arrived()) {
        flight_->Frame(*surface_, speed_);
        const milliseconds rest = pacer_.AfterFrame(speed_);
        if (rest > milliseconds(0) || drawing.nsecsElapsed() >= kDrawingSliceNs) {
            frameTimer_.start(rest);
            return;
        }
    }
    flight_->Close(*surface_);
    Land();
}

void CardFlights::Land() {
    Landed landed = std::move(landed_);
    landed_ = nullptr;
    flight_.reset();
    surface_.reset();
    // Last of all: `landed` may start the next flight.
    if (landed) landed();
}

void CardFlights::Cancel() {
    if (!Running()) return;
    frameTimer_.stop();
    const QRect window = surface_->Window();
    landed_ = nullptr;
    flight_.reset();
    surface_.reset();
    screen_.Refresh(window);
}

}  // namespace kesp
