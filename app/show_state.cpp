#include "app/show_state.h"

ShowMemory ReadShowState(const CWinApp& app) {
    StoredMemory stored;
    stored.folder = app.GetProfileString(StateSection, StateFolderName, "");
    stored.subfolders =
        static_cast<int32_t>(app.GetProfileInt(StateSection, StateSubfoldersName, -1));
    stored.last = app.GetProfileString(StateSection, StateLastName, "");
    stored.seen = app.GetProfileBinary(StateSection, StateSeenName, StoredMemory::MostSeenBytes);
    return DecodeMemory(stored);
}

void StateKeeper::Keep(const ShowMemory& memory) {
    const StoredMemory stored = EncodeMemory(memory);
    app.WriteProfileString(StateSection, StateFolderName, stored.folder.c_str());
    app.WriteProfileInt(StateSection, StateSubfoldersName, stored.subfolders);
    app.WriteProfileString(StateSection, StateLastName, stored.last.c_str());
    app.WriteProfileBinary(StateSection, StateSeenName, stored.seen);
}
