#include "framework/reg_key.h"

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        key = other.key;
        other.key = nullptr;
    }
    return *this;
}

RegKey RegKey::Open(HKEY parent, const char* name) {
    RegKey result;
    if (parent == nullptr ||
        ::RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, &result.key) != ERROR_SUCCESS) {
        result.key = nullptr;
    }
    return result;
}

RegKey RegKey::Create(HKEY parent, const char* name) {
    RegKey result;
    DWORD disposition = 0;
    if (parent == nullptr ||
        ::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &result.key, &disposition) != ERROR_SUCCESS) {
        result.key = nullptr;
    }
    return result;
}

void RegKey::Close() {
    if (key != nullptr) {
        ::RegCloseKey(key);
        key = nullptr;
    }
}
