// Pictures of the other shape than their stage's shown in pairs: on a stage
// wider than tall a portrait picture is shown beside the next portrait picture
// of the playing order, brought forward for it; on one taller than wide a
// landscape picture above the next landscape one. A picture's shape is known
// only once the worker has read its file's header, ahead of its turn: the
// search reads no file, and a picture whose shape is not known yet (the first
// of a show, say) is shown alone rather than waited for.
#pragma once

#include "library/play_order.h"
#include "picture/fit_size.h"
#include "picture/picture.h"
#include "show/screen_names.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// How a stage of this size pairs its pictures: none when it is square.
Pairing PairingOf(int32_t stageWidth, int32_t stageHeight);
// Whether a picture of this shape (as shown) is paired on such a stage: a
// square one never is.
bool Pairs(Pairing pairing, PictureSize shape);
// The gap between a pair's pictures on the stage: about 1 % of its side
// along the pairing, at least a pixel.
int32_t PairGap(Pairing pairing, int32_t stageWidth, int32_t stageHeight);
// The box each picture of a pair is fitted to: its half of the picture box,
// less the gap.
PictureSize HalfBox(Pairing pairing, PictureSize box, int32_t gap);

// A screen's pictures as they have come: a pair whose first picture failed
// is its partner alone, and a failed partner leaves the first alone (its name
// cleared, so that it does not count as drawn).
void LeaveFailedAlone(Picture& picture, std::string& name, Picture& partner,
                      std::string& partnerName);

class PartnerSearch {
public:
    // How many of the pictures after one the search looks at for its partner.
    static constexpr std::size_t Reach = 10;

    // The pictures whose headers the worker is to read: those among the
    // order's next Reach + 1 whose shape is neither known nor being read. They
    // are being read from now.
    std::vector<std::string> ToRead(PlayOrder& order);
    // What the worker read: the picture's shape, or none when it has none.
    void Read(const std::string& name, std::optional<PictureSize> shape);

    // The screen of `first`, which the order has just handed out, on a stage
    // of this pairing: with the first picture among the order's next Reach
    // that pairs as it does and whose shape is known, brought forward, or
    // alone.
    ScreenNames Choose(Pairing pairing, std::string first, PlayOrder& order);

private:
    // By name, the pictures the order has yet to hand out whose headers have
    // been asked for: their shapes, none while being read or when unreadable.
    std::unordered_map<std::string, std::optional<PictureSize>> shapes;
};
