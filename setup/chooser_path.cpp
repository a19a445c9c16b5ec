#include "setup/chooser_path.h"

#include <algorithm>

namespace {
bool IsBracketed(const std::string& entry) {
    return entry.size() >= 2 && entry.front() == '[' && entry.back() == ']';
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\') {
        return folder + name;
    }
    return folder + '\\' + name;
}

// The folder above `folder`; a drive root is its own parent.
std::string Parent(const std::string& folder) {
    std::string path = folder;
    if (path.size() > 1 && path.back() == '\\') {
        path.pop_back();
    }
    const auto slash = path.rfind('\\');
    if (slash == std::string::npos) {
        return folder;
    }
    if (slash == 2 && path[1] == ':') {
        return path.substr(0, 3); // "C:\" keeps its backslash
    }
    return path.substr(0, slash);
}

// How many entries the chain to `folder` has: the root, then one per name.
int ChainLength(const std::string& folder) {
    int length = 1;
    size_t start = folder.find('\\');
    while (start != std::string::npos) {
        const size_t end = folder.find('\\', start + 1);
        const size_t nameLength = (end == std::string::npos ? folder.size() : end) - start - 1;
        if (nameLength > 0) {
            ++length;
        }
        start = end;
    }
    return length;
}

// The chain's entries from the root through `last`: no backslash goes after the
// root, which already ends in one.
std::string JoinChain(const std::vector<std::string>& entries, int last) {
    std::string path;
    for (int i = 0; i <= last; ++i) {
        if (i >= 2) {
            path += '\\';
        }
        path += entries[static_cast<size_t>(i)];
    }
    return path;
}

std::optional<std::string> FromChain(const std::vector<std::string>& entries, int selected,
                                     const std::string& currentFolder) {
    if (selected < 0 || static_cast<size_t>(selected) >= entries.size()) {
        return std::nullopt;
    }
    const int chain = std::min(ChainLength(currentFolder), static_cast<int>(entries.size()));
    if (selected < chain) {
        return JoinChain(entries, selected);
    }
    return Join(JoinChain(entries, chain - 1), entries[static_cast<size_t>(selected)]);
}

std::string FromBracketed(const std::vector<std::string>& entries, int selected,
                          const std::string& currentFolder) {
    if (selected < 0 || static_cast<size_t>(selected) >= entries.size()) {
        return currentFolder;
    }
    const std::string& entry = entries[static_cast<size_t>(selected)];
    const std::string name = IsBracketed(entry) ? entry.substr(1, entry.size() - 2) : entry;
    return name == ".." ? Parent(currentFolder) : Join(currentFolder, name);
}
} // namespace

std::optional<std::string> FormChooserPath(const std::vector<std::string>& entries, int selected,
                                           const std::string& currentFolder) {
    // The chain always starts with the drive root; the bracketed list starts
    // with "[..]" or a subfolder, or is empty at a root without subfolders.
    if (!entries.empty() && !IsBracketed(entries.front())) {
        return FromChain(entries, selected, currentFolder);
    }
    return FromBracketed(entries, selected, currentFolder);
}

bool HasForbiddenPathCharacter(const std::string& path) {
    return path.find_first_of("*?|/<>\"") != std::string::npos;
}
