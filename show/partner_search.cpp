#include "show/partner_search.h"

#include <algorithm>
#include <utility>

Pairing PairingOf(int32_t stageWidth, int32_t stageHeight) {
    if (stageWidth == stageHeight) {
        return Pairing::None;
    }
    return stageWidth > stageHeight ? Pairing::SideBySide : Pairing::TopAndBottom;
}

bool Pairs(Pairing pairing, PictureSize shape) {
    switch (pairing) {
    case Pairing::SideBySide:
        return shape.height > shape.width;
    case Pairing::TopAndBottom:
        return shape.width > shape.height;
    case Pairing::None:
        break;
    }
    return false;
}

int32_t PairGap(Pairing pairing, int32_t stageWidth, int32_t stageHeight) {
    const int32_t side = pairing == Pairing::TopAndBottom ? stageHeight : stageWidth;
    return std::max<int32_t>(1, (side + 50) / 100);
}

PictureSize HalfBox(Pairing pairing, PictureSize box, int32_t gap) {
    if (pairing == Pairing::SideBySide) {
        box.width = std::max<int32_t>(0, (box.width - gap) / 2);
    } else if (pairing == Pairing::TopAndBottom) {
        box.height = std::max<int32_t>(0, (box.height - gap) / 2);
    }
    return box;
}

void LeaveFailedAlone(Picture& picture, std::string& name, Picture& partner,
                      std::string& partnerName) {
    if (!picture.IsDrawable() && partner.IsDrawable()) {
        picture = std::exchange(partner, Picture());
        name = std::exchange(partnerName, std::string());
    }
    if (!partner.IsDrawable()) {
        partner = Picture();
        partnerName.clear();
    }
}

std::vector<std::string> PartnerSearch::ToRead(PlayOrder& order) {
    std::vector<std::string> names;
    for (const PictureEntry* entry : order.Peek(Reach + 1)) {
        if (shapes.emplace(entry->name, std::nullopt).second) {
            names.push_back(entry->name);
        }
    }
    return names;
}

// A picture handed out meanwhile is read again when its turn comes round.
void PartnerSearch::Read(const std::string& name, std::optional<PictureSize> shape) {
    const auto asked = shapes.find(name);
    if (asked != shapes.end()) {
        asked->second = shape;
    }
}

// A picture that comes again within the reach (an order of few) is no partner
// of itself.
ScreenNames PartnerSearch::Choose(Pairing pairing, std::string first, PlayOrder& order) {
    ScreenNames screen{std::move(first), {}};
    const auto own = shapes.find(screen.name);
    if (own == shapes.end()) {
        return screen;
    }
    const std::optional<PictureSize> shape = own->second;
    shapes.erase(own);
    if (!shape || !Pairs(pairing, *shape)) {
        return screen;
    }
    const std::vector<const PictureEntry*> next = order.Peek(Reach);
    for (std::size_t place = 0; place < next.size(); ++place) {
        const auto known = shapes.find(next[place]->name);
        if (next[place]->name != screen.name && known != shapes.end() && known->second &&
            Pairs(pairing, *known->second)) {
            shapes.erase(known);
            screen.partner = order.BringForward(place)->name;
            break;
        }
    }
    return screen;
}
