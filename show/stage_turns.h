// The pacing of a show's stages (one per monitor, or the preview's one): each
// stage shows its next picture at every draw and asks for the one after right
// then; one picture is on its way at a time, and the stages take their turns in
// the order in which they drew, so that the playing order is dealt across them.
// Each stage keeps the screens it showed (a picture, or a pair), so that the
// keys can step back over them and forward again; whatever the keys wish while
// a picture is on its way replaces the wish before, and asks for nothing more. A picture that fails
// leaves the stage's pictures, and a step passes over it.
#pragma once

#include "show/picture_history.h"

#include <cstddef>
#include <deque>
#include <optional>
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
    // it is on screen now. One that failed leaves the one before there, which
    // the keys then step from, and the stage's pictures, and the next draw
    // shows the one after it. A step under way draws that one as soon as it
    // comes (the one before it for a step back), so that one step passes over
    // the pictures that fail in a row, as many as the history keeps.
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
    // The screen to ask for at that turn: one the stage has had before, or
    // null for the next of the playing order.
    const ScreenNames* Wanted() const;
    // The screen of the stage whose turn it was has been asked for.
    void Asked(const ScreenNames& screen);
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

    // How many pictures the stage keeps to step over.
    std::size_t Kept(std::size_t stage) const { return stages[stage].history.Size(); }

private:
    using Position = PictureHistory::Position;
    // What waits for the picture the stage's next draw shows.
    enum class Waiting {
        Creation,        // the creation's draw
        CreationAndDraw, // that, and a draw that came meanwhile, for the picture after
        Nothing,         // no draw: the next shows it
        Draw,            // a draw (a tick, a repaint): it is drawn when it comes
        StepForward,     // a step: it is drawn when it comes, and one that fails is
        StepBack,        // passed over in the step's direction
    };
    struct State {
        PictureHistory history;
        Position next = 0;                     // the picture the next draw shows
        Position held = PictureHistory::None;  // the picture that has come
        Position asked = PictureHistory::None; // the picture on its way
        bool queued = true;                    // among the turns
        Waiting waiting = Waiting::Creation;
        std::size_t passedOver = 0; // the pictures that failed the step forward under way
    };
    static void Step(State& stage, Position to, Waiting direction);
    static void Failed(State& stage, Waiting was);
    std::vector<State> stages;
    std::deque<std::size_t> turns; // the stages whose pictures are to be asked for
    bool loading = false;
    bool paused = false;
};
