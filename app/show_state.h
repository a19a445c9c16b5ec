// The full-screen show's memory in the registry: the section "State" of the
// program's key, beside the settings' "Configuration" and never in it. Only
// the full-screen show reads and writes it.
#pragma once

#include "framework/win_app.h"
#include "library/show_memory.h"

inline constexpr char StateSection[] = "State";
inline constexpr char StateFolderName[] = "Folder";         // REG_SZ, the folder in full
inline constexpr char StateSubfoldersName[] = "Subfolders"; // REG_DWORD, 0 or 1
inline constexpr char StateLastName[] = "Last";             // REG_SZ, relative to the folder
inline constexpr char StateSeenName[] = "Seen";             // REG_BINARY, 64-bit hashes

// What the last full-screen show left; a missing or unreadable state is a
// first show's.
ShowMemory ReadShowState(const CWinApp& app);

// Writes the memory through the application's profile functions; a failed
// write is silent.
class StateKeeper : public MemoryKeeper {
public:
    explicit StateKeeper(const CWinApp& app) : app(app) {}
    void Keep(const ShowMemory& memory) override;

private:
    const CWinApp& app;
};
