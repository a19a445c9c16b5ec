#include "show/stage_turns.h"

#include <utility>

StageTurns::StageTurns(std::size_t count) : stages(count) {
    for (std::size_t stage = 0; stage < count; ++stage) {
        turns.push_back(stage);
    }
}

bool StageTurns::DrawNow(std::size_t index) {
    State& stage = stages[index];
    if (stage.held == stage.next) {
        return true;
    }
    if (stage.waiting == Waiting::Creation) {
        stage.waiting = Waiting::CreationAndDraw;
    } else if (stage.waiting == Waiting::Nothing) {
        stage.waiting = Waiting::Draw;
    }
    Queue(index); // a step may wish for a picture not asked for yet
    return false;
}

bool StageTurns::NewToScreen(std::size_t index) const {
    const State& stage = stages[index];
    return !stage.history.ShownBefore(stage.next);
}

// A stage without pictures stays where it is.
void StageTurns::Drawn(std::size_t index, bool shown) {
    State& stage = stages[index];
    const Waiting was =
        std::exchange(stage.waiting,
                      stage.waiting == Waiting::CreationAndDraw ? Waiting::Draw : Waiting::Nothing);
    if (stage.history.At(stage.next) == nullptr) {
        return;
    }
    if (shown) {
        stage.history.Shown(stage.next);
        ++stage.next;
    } else {
        Failed(stage, was);
    }
}

// The failed picture leaves the history, so `next` is the one after it now. A
// step forward passes over as many as the history keeps, so that a show whose
// pictures all fail does not keep its worker decoding; a step back over those
// it keeps, and ends where it began when none before the failed one is left.
void StageTurns::Failed(State& stage, Waiting was) {
    const Position failed = stage.next;
    stage.history.Remove(failed);
    stage.held = PictureHistory::None;
    if (stage.asked != PictureHistory::None && stage.asked > failed) {
        --stage.asked;
    }
    if (was == Waiting::StepForward && stage.passedOver < PictureHistory::Kept) {
        ++stage.passedOver;
        stage.waiting = was;
    } else if (was == Waiting::StepBack) {
        const Position before = stage.history.Before(failed);
        stage.next = before != PictureHistory::None ? before : stage.history.OnScreen() + 1;
        stage.waiting = before != PictureHistory::None ? was : Waiting::Nothing;
    }
}

// Only a stage that needs a picture not on its way takes a turn, and once.
void StageTurns::Queue(std::size_t index) {
    State& stage = stages[index];
    if (!stage.queued && stage.held != stage.next && stage.asked != stage.next) {
        stage.queued = true;
        turns.push_back(index);
    }
}

void StageTurns::Step(State& stage, Position to, Waiting direction) {
    stage.next = to;
    stage.waiting = direction;
    stage.passedOver = 0;
}

void StageTurns::StepForward(std::size_t index) {
    State& stage = stages[index];
    if (stage.history.OnScreen() != PictureHistory::None) {
        Step(stage, stage.history.OnScreen() + 1, Waiting::StepForward);
    }
}

bool StageTurns::StepBack(std::size_t index) {
    State& stage = stages[index];
    const Position before = stage.history.Before(stage.history.OnScreen());
    if (before == PictureHistory::None) {
        return false;
    }
    Step(stage, before, Waiting::StepBack);
    return true;
}

// The picture on screen is decoded again: the window may have handed it to a
// fade.
void StageTurns::Again(std::size_t index) {
    State& stage = stages[index];
    if (stage.history.OnScreen() != PictureHistory::None) {
        stage.next = stage.history.OnScreen();
        stage.held = stage.held == stage.next ? PictureHistory::None : stage.held;
    }
}

void StageTurns::TogglePause() {
    paused = !paused;
    if (!paused) {
        return;
    }
    for (State& stage : stages) {
        if (stage.waiting == Waiting::CreationAndDraw) {
            stage.waiting = Waiting::Creation;
        } else if (stage.waiting != Waiting::Creation) {
            stage.waiting = Waiting::Nothing;
        }
    }
}

std::optional<std::size_t> StageTurns::Turn() const {
    if (loading || turns.empty()) {
        return std::nullopt;
    }
    return turns.front();
}

const ScreenNames* StageTurns::Wanted() const {
    const State& stage = stages[turns.front()];
    return stage.history.At(stage.next);
}

void StageTurns::Asked(const ScreenNames& screen) {
    State& stage = stages[turns.front()];
    turns.pop_front();
    stage.queued = false;
    if (stage.next == stage.history.End()) {
        stage.history.Add(screen);
    }
    stage.asked = stage.next;
    loading = true;
}

void StageTurns::NothingToAsk() {
    for (const std::size_t index : turns) {
        stages[index].held = stages[index].next;
        stages[index].queued = false;
    }
    turns.clear();
}

StageTurns::Arrival StageTurns::Arrived(std::size_t index) {
    loading = false;
    State& stage = stages[index];
    stage.held = std::exchange(stage.asked, PictureHistory::None);
    if (stage.held != stage.next) {
        return Arrival::Keep; // a step has wished for another since, and asks for it
    }
    switch (stage.waiting) {
    case Waiting::Creation:
    case Waiting::CreationAndDraw:
        return Arrival::DrawUnseen;
    case Waiting::Draw:
    case Waiting::StepForward:
    case Waiting::StepBack:
        return Arrival::Draw;
    case Waiting::Nothing:
        break;
    }
    return Arrival::Keep;
}
