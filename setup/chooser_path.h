// The folder that the directory chooser's list names, formed from the list's
// entries. The platform lays the list out in one of two ways:
// - as a chain: the drive root ("C:\"), then each folder down to the current
//   one, then the current folder's subfolders;
// - bracketed, relative to the current folder: "[..]" for the parent and
//   "[name]" for each subfolder.
#pragma once

#include <optional>
#include <string>
#include <vector>

// `entries` are the list's texts from the first on, `selected` the selected
// index (-1 for none) and `currentFolder` the folder the list shows.
// Chain: an entry on the chain gives the root joined with the names after it up
// to the selected one; a subfolder gives the current folder's path plus its
// name; no selection gives nothing (the path edit keeps its text).
// Bracketed: the current folder with the selected entry applied, or the current
// folder itself when none is selected.
// Apart from a bare drive root, the path never ends in a backslash.
std::optional<std::string> FormChooserPath(const std::vector<std::string>& entries, int selected,
                                           const std::string& currentFolder);

// Whether the text holds one of the characters that no path may hold:
// * ? | / < > "
bool HasForbiddenPathCharacter(const std::string& path);
