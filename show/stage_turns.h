// The pacing of a show's stages (one per monitor, or the preview's one): each
// stage shows its next picture at every draw and asks for the one after right
// then; one picture is on its way at a time, and the stages take their turns in
// the order in which they drew, so that the playing order is dealt across them.
// Each stage keeps the pictures it showed, so that the keys can step back over
// them and forward again; whatever the keys wish while a picture is on its way
// replaces the wish before, and asks for nothing more.
#pragma once

#include "show/picture_history.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class StageTurns {
public:
    // Every stage waits for its first picture, which the draw of the window's
    // creation takes before the window is on screen; their turns come in order.
    explicit StageTurns(std::size_t stages);

    // A draw of the stage (a tick, a step or a repaint): true when its picture
    // has come and is to be drawn now; false when it is on its way, and then it
    // is drawn when it comes.
    bool DrawNow(std::size_t stage);
    // Whether the picture the stage draws now has never been on screen: not
    // one the keys step back or forward to again, however it was asked for.
    bool NewToScreen(std::size_t stage) const;
    // The stage's picture has been drawn (or there was nothing to draw): the
    // next one is on its way from now on, and is asked for at Queue. `shown`:
    // it is on screen now; one that failed leaves the one before there, which
    // the keys then step from.
    void Drawn(std::size_t stage, bool shown);
    void Queue(std::size_t stage);

    // What the stage's next draw shows: the picture after the one on screen,
    // the one before it (false when none is kept), or the one on screen again.
    void StepForward(std::size_t stage);
    bool StepBack(std::size_t stage);
    void Again(std::size_t stage);
    // While paused the window's ticks draw nothing, and a draw that waited for
    // its picture when the pause began waits no more.
    void TogglePause();
    bool Paused() const { return paused; }

    // The stage whose picture is to be asked for now, unless one is on its way.
    std::optional<std::size_t> Turn() const;
    // The picture to ask for at that turn: one the stage has had before, or
    // null for the next of the playing order.
    const std::string* Wanted() const;
    // The picture of the stage whose turn it was has been asked for.
    void Asked(const std::string& name);
    // There are no pictures: the stages waiting for one wait no more.
    void NothingToAsk();

    // What to do with a picture that has come for its stage.
    enum class Arrival {
        Keep,       // keep it for the stage's next draw
        Draw,       // draw it now: a draw has waited for it
        DrawUnseen, // the creation's draw: place it, show nothing, then Drawn
    };
    Arrival Arrived(std::size_t stage);
    bool Loading() const { return loading; }

private:
    using Position = PictureHistory::Position;
    struct State {
        PictureHistory history;
        Position next = 0;                     // the picture the next draw shows
        Position held = PictureHistory::None;  // the picture that has come
        Position asked = PictureHistory::None; // the picture on its way
        bool queued = true;                    // among the turns
        bool unseenDrawDue = true;             // the creation's draw is the first picture's
        bool drawDue = false;                  // a draw came while it waited
    };
    std::vector<State> stages;
    std::deque<std::size_t> turns; // the stages whose pictures are to be asked for
    bool loading = false;
    bool paused = false;
};
