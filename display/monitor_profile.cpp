#include "display/monitor_profile.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {
struct DcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Whether Windows colour-manages what the display device (such as
// "\\.\DISPLAY1") shows, through the display configuration's paths.
bool AdvancedColourOn(const wchar_t* device) {
    UINT32 pathCount = 0, modeCount = 0;
    if (::GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::vector<DISPLAYCONFIG_PATH_INFO> paths(pathCount);
    std::vector<DISPLAYCONFIG_MODE_INFO> modes(modeCount);
    if (::QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount,
                             modes.data(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    for (UINT32 i = 0; i < pathCount; ++i) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
        source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        source.header.size = sizeof source;
        source.header.adapterId = paths[i].sourceInfo.adapterId;
        source.header.id = paths[i].sourceInfo.id;
        if (::DisplayConfigGetDeviceInfo(&source.header) != ERROR_SUCCESS ||
            std::wstring(source.viewGdiDeviceName) != device) {
            continue;
        }
        DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO colour{};
        colour.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_ADVANCED_COLOR_INFO;
        colour.header.size = sizeof colour;
        colour.header.adapterId = paths[i].targetInfo.adapterId;
        colour.header.id = paths[i].targetInfo.id;
        return ::DisplayConfigGetDeviceInfo(&colour.header) == ERROR_SUCCESS &&
               colour.advancedColorEnabled;
    }
    return false;
}

// The whole file, when it is no larger than a profile may be.
std::vector<uint8_t> ReadProfileFile(const wchar_t* name) {
    const std::unique_ptr<std::FILE, FileCloser> file(::_wfopen(name, L"rb"));
    std::vector<uint8_t> bytes;
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
        return bytes;
    }
    const long size = std::ftell(file.get());
    if (size <= 0 || size_t(size) > ColourProfile::MostIccBytes ||
        std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return bytes;
    }
    bytes.resize(size_t(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        bytes.clear();
    }
    return bytes;
}

ColourProfile ProfileOf(HMONITOR monitor) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info) ||
        AdvancedColourOn(info.szDevice)) {
        return {};
    }
    const std::unique_ptr<HDC__, DcDeleter> dc(
        ::CreateDCW(L"DISPLAY", info.szDevice, nullptr, nullptr));
    wchar_t name[MAX_PATH + 1] = {};
    DWORD length = MAX_PATH;
    if (!dc || !::GetICMProfileW(dc.get(), &length, name)) {
        return {};
    }
    return ColourProfile::Icc(ReadProfileFile(name));
}
} // namespace

ColourProfile MonitorColourProfile(const RECT& area) {
    return ProfileOf(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST));
}

ColourProfile PrimaryMonitorColourProfile() {
    return ProfileOf(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}
