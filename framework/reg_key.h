// An owned registry key handle, closed when it goes.
#pragma once

#include <windows.h>

class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : key(other.key) { other.key = nullptr; }
    RegKey& operator=(RegKey&& other) noexcept;
    ~RegKey() { Close(); }

    // Opens an existing subkey for reading and writing.
    static RegKey Open(HKEY parent, const char* name);
    // Opens a subkey, creating it when it does not exist.
    static RegKey Create(HKEY parent, const char* name);

    HKEY get() const { return key; }
    explicit operator bool() const { return key != nullptr; }

private:
    void Close();
    HKEY key = nullptr;
};
