// File names between the program and the system's wide functions. The program
// holds a name as text of the process's code page (UTF-8 under the manifest);
// the wide functions take and give UTF-16, and names of any length.
#pragma once

#include <cstddef>
#include <string>

// The UTF-16 form of the program's text; empty when it is not valid text of
// the code page.
std::wstring WideText(const std::string& text);

// The name for the wide functions: a full name ("C:\...", "\\server\share\...")
// in the "\\?\" form, which is not bound to MAX_PATH and is taken as it stands;
// any other name as it is. Empty when it cannot be converted.
std::wstring SystemPath(const std::string& name);

// The program's text of a wide name; empty when the code page cannot carry it
// exactly (such a name could not be opened again through the program's text).
std::string ProgramText(const wchar_t* text, std::size_t length);
