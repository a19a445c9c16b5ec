#include "show/stage_turns.h"

StageTurns::StageTurns(std::size_t count) : stages(count) {
    for (std::size_t stage = 0; stage < count; ++stage) {
        turns.push_back(stage);
    }
}

bool StageTurns::DrawNow(std::size_t stage) {
    if (stages[stage].waiting) {
        stages[stage].drawDue = true;
        return false;
    }
    return true;
}

void StageTurns::Drawn(std::size_t stage) {
    stages[stage].waiting = true;
}

void StageTurns::Queue(std::size_t stage) {
    turns.push_back(stage);
}

std::optional<std::size_t> StageTurns::Turn() const {
    if (loading || turns.empty()) {
        return std::nullopt;
    }
    return turns.front();
}

void StageTurns::Asked() {
    turns.pop_front();
    loading = true;
}

void StageTurns::NothingToAsk() {
    for (const std::size_t stage : turns) {
        stages[stage].waiting = false;
    }
    turns.clear();
}

StageTurns::Arrival StageTurns::Arrived(std::size_t stage) {
    loading = false;
    State& state = stages[stage];
    state.waiting = false;
    if (state.unseenDrawDue) {
        state.unseenDrawDue = false;
        return Arrival::DrawUnseen;
    }
    if (state.drawDue) {
        state.drawDue = false;
        return Arrival::Draw;
    }
    return Arrival::Keep;
}
