#include "presentation/card_flight.h"

#include <vector>

namespace kesp {

namespace {

QSize CellSize(const CardCell& cell) {
    return QSize(cell.width, cell.height);
}

// Clears the flight flag however the flight ends.
struct FlightScope {
    std::unique_ptr<FlightSurface>& surface;
    ~FlightScope() { surface.reset(); }
};

}  // namespace

CardFlights::CardFlights(FlightScreen& screen, const TableArt& art, FlightPacer::Sleep sleep)
    : screen_(screen), art_(art), pacer_(std::move(sleep)) {}

const QImage& CardFlights::WorkingCopy() const {
    static const QImage none;
    return surface_ ? surface_->Working() : none;
}

void CardFlights::FlyCard(QPoint from, QPoint to, SpriteFace face, bool eraseAtEnd, const CardCell& cell,
                          int speed) {
    if (!face.TakesPart() || surface_) return;
    surface_ = std::make_unique<FlightSurface>(screen_, screen_.Capture());
    const FlightScope scope{surface_};
    TSprite sprite(QRect(from, CellSize(cell)), face, art_, cell.sizeClass);
    // The first frame shows the whole table, so what the caller drew just before the flight is
    // on the screen under the card from the start.
    sprite.Draw(surface_->Working(), from);
    surface_->Show(surface_->Window());
    FlightPath path(from, to);
    while (!path.Arrived()) {
        path.Advance(speed);
        sprite.MoveSprite(path.Position(), *surface_);
        pacer_.AfterFrame(speed);
    }
    if (eraseAtEnd) sprite.EraseSprite(*surface_);
}

void CardFlights::FlyGroup(const QImage& cleanTable, std::span<const GroupCard> cards, const CardCell& cell,
                           int speed) {
    if (surface_) return;
    GroupPaths paths(CellSize(cell));
    std::vector<TSprite> sprites;
    for (const GroupCard& card : cards.first(std::min<std::size_t>(cards.size(), kMaxGroupCards))) {
        if (!card.face.TakesPart()) continue;
        paths.Add(card.from, card.to);
        sprites.emplace_back(QRect(card.from, CellSize(cell)), card.face, art_, cell.sizeClass);
    }
    if (!paths.AnyFlying()) return;
    surface_ = std::make_unique<FlightSurface>(screen_, cleanTable);
    const FlightScope scope{surface_};
    bool first = true;
    while (paths.AnyFlying()) {
        const QRect before = paths.BoundingBox();
        surface_->Restore(before);
        paths.Advance(speed);
        for (int i = 0; i < paths.Count(); ++i)
            if (paths.Flying(i))
                sprites[static_cast<std::size_t>(i)].Draw(surface_->Working(), paths.Position(i));
        // The old box too: a card that has just stopped must leave the screen with its place.
        surface_->Show(first ? surface_->Window() : before | paths.BoundingBox());
        first = false;
        pacer_.AfterFrame(speed);
    }
}

}  // namespace kesp
