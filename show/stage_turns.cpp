#include "show/stage_turns.h"

StageTurns::StageTurns(std::size_t count) : stages(count) {
    for (std::size_t stage = 0; stage < count; ++stage) {
        turns.push_back(stage);
    }
}

bool StageTurns::DrawNow(std::size_t index) {
    State& stage = stages[index];
    if (stage.held == stage.next) {
        stage.drawDue = false;
        return true;
    }
    stage.drawDue = true;
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
    if (stage.history.At(stage.next) != nullptr) {
        if (shown) {
            stage.history.Shown(stage.next);
        }
        ++stage.next;
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

void StageTurns::StepForward(std::size_t index) {
    State& stage = stages[index];
    if (stage.history.OnScreen() != PictureHistory::None) {
        stage.next = stage.history.OnScreen() + 1;
    }
}

bool StageTurns::StepBack(std::size_t index) {
    State& stage = stages[index];
    const Position before = stage.history.Before();
    if (before == PictureHistory::None) {
        return false;
    }
    stage.next = before;
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
    for (State& stage : stages) {
        stage.drawDue = stage.drawDue && !paused;
    }
}

std::optional<std::size_t> StageTurns::Turn() const {
    if (loading || turns.empty()) {
        return std::nullopt;
    }
    return turns.front();
}

const std::string* StageTurns::Wanted() const {
    const State& stage = stages[turns.front()];
    return stage.history.At(stage.next);
}

void StageTurns::Asked(const std::string& name) {
    State& stage = stages[turns.front()];
    turns.pop_front();
    stage.queued = false;
    if (stage.next == stage.history.End()) {
        stage.history.Add(name);
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
    stage.held = stage.asked;
    stage.asked = PictureHistory::None;
    if (stage.held != stage.next) {
        return Arrival::Keep; // a step has wished for another since, and asks for it
    }
    if (stage.unseenDrawDue) {
        stage.unseenDrawDue = false;
        return Arrival::DrawUnseen;
    }
    if (stage.drawDue) {
        stage.drawDue = false;
        return Arrival::Draw;
    }
    return Arrival::Keep;
}
