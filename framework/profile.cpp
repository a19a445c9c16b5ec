// The profile functions of the application object, on the current user's
// registry: Software\<company>\<application>\<section>. Every call opens the
// chain afresh and creates the keys below Software that are missing, so even a
// read leaves the empty chain behind. A value that cannot be read as what is
// asked for (an integer: REG_DWORD of four bytes; a string: REG_SZ; bytes:
// REG_BINARY) reads as the default.
#include "framework/win_app.h"

#include "framework/reg_key.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace {
RegKey OpenSectionKey(const CWinApp& app, const char* section) {
    RegKey software = RegKey::Open(HKEY_CURRENT_USER, "Software");
    RegKey company = RegKey::Create(software.get(), app.RegistryKey().c_str());
    RegKey application = RegKey::Create(company.get(), app.AppName().c_str());
    return RegKey::Create(application.get(), section);
}

// The data of a value of the given type, with `spare` zero bytes after it;
// nothing when there is no such value, or when it holds more than `limit` bytes.
std::optional<std::vector<uint8_t>> ReadValue(const RegKey& key, const char* entry, DWORD wanted,
                                              DWORD spare, std::size_t limit = SIZE_MAX) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key ||
        ::RegQueryValueExA(key.get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != wanted || size > limit) {
        return std::nullopt;
    }
    std::vector<uint8_t> data(size + spare, 0);
    if (::RegQueryValueExA(key.get(), entry, nullptr, &type, data.data(), &size) != ERROR_SUCCESS ||
        type != wanted) {
        return std::nullopt;
    }
    data.resize(size + spare);
    return data;
}
} // namespace

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
    RegKey key = OpenSectionKey(*this, section);
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!key ||
        ::RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                           &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return static_cast<UINT>(defaultValue);
    }
    return value;
}

std::string CWinApp::GetProfileString(const char* section, const char* entry,
                                      const char* defaultValue) const {
    // One byte more than stored, so that a value saved without its terminating
    // zero still ends inside the data.
    const std::optional<std::vector<uint8_t>> text =
        ReadValue(OpenSectionKey(*this, section), entry, REG_SZ, 1);
    return text ? reinterpret_cast<const char*>(text->data()) : defaultValue;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const {
    RegKey key = OpenSectionKey(*this, section);
    const DWORD data = static_cast<DWORD>(value);
    return key &&
           ::RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                            sizeof data) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) const {
    RegKey key = OpenSectionKey(*this, section);
    return key &&
           ::RegSetValueExA(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            static_cast<DWORD>(lstrlenA(value) + 1)) == ERROR_SUCCESS;
}

std::vector<uint8_t> CWinApp::GetProfileBinary(const char* section, const char* entry,
                                               std::size_t limit) const {
    return ReadValue(OpenSectionKey(*this, section), entry, REG_BINARY, 0, limit)
        .value_or(std::vector<uint8_t>());
}

BOOL CWinApp::WriteProfileBinary(const char* section, const char* entry,
                                 const std::vector<uint8_t>& bytes) const {
    RegKey key = OpenSectionKey(*this, section);
    return key && ::RegSetValueExA(key.get(), entry, 0, REG_BINARY, bytes.data(),
                                   static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}
