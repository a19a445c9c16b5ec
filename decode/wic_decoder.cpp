// On Windows the platform's decoders are those of the Windows Imaging Component.
// COM is joined for each call on the calling thread (the show's worker), and
// every object of the component is released before the call returns.
#include "decode/platform_decoder.h"

#include "common/windows_path.h"
#include "decode/com_scope.h"
#include "decode/exif_date.h"
#include "decode/wic_metadata.h"
#include "decode/wic_stream.h"
#include "picture/pixel_buffer.h"
#include "picture/resampler.h"

#include <windows.h>

#include <propidl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <optional>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace {
// Rows are copied from the decoder in strips of at most this many pixels (a
// megabyte), or one row where a row is longer. The stop flag is looked at
// between strips; a decoder that decodes as it is copied from (Windows' PNG
// decoder) decodes one strip in a few milliseconds.
constexpr size_t StripPixels = size_t{1} << 18;

// Formats a decoder is installed for that hold no photos.
constexpr const char* NotPhotos[] = {"ico", "icon", "cur", "dds", "tga", "tpic"};

ComPtr<IWICImagingFactory> CreateFactory() {
    ComPtr<IWICImagingFactory> factory;
    ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                       IID_PPV_ARGS(factory.GetAddressOf()));
    return factory;
}

// ".png" or " .PNG" as "png"; empty for anything but ASCII letters and digits.
std::string ExtensionOf(const std::wstring& listed) {
    std::string extension;
    for (const wchar_t c : listed) {
        if (c == L'.' || c == L' ') {
            continue;
        }
        if (!((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'))) {
            return {};
        }
        extension += static_cast<char>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c);
    }
    return extension;
}

// The decoder's extensions (".tif,.tiff"; Wine separates them with ";"), but
// those of no photos, once each.
void AddExtensions(IWICBitmapDecoderInfo& decoder, std::vector<std::string>& extensions) {
    UINT length = 0;
    if (FAILED(decoder.GetFileExtensions(0, nullptr, &length)) || length == 0) {
        return;
    }
    std::wstring listed(length, L'\0');
    if (FAILED(decoder.GetFileExtensions(length, listed.data(), &length))) {
        return;
    }
    listed.resize(std::wcslen(listed.c_str()));
    std::size_t start = 0;
    while (start <= listed.size()) {
        std::size_t end = listed.find_first_of(L",;", start);
        end = end == std::wstring::npos ? listed.size() : end;
        const std::string extension = ExtensionOf(listed.substr(start, end - start));
        const bool photo = std::none_of(std::begin(NotPhotos), std::end(NotPhotos),
                                        [&](const char* other) { return extension == other; });
        if (!extension.empty() && photo &&
            std::find(extensions.begin(), extensions.end(), extension) == extensions.end()) {
            extensions.push_back(extension);
        }
        start = end + 1;
    }
}

// A metadata value, cleared when it goes.
class MetadataValue {
public:
    MetadataValue() { ::PropVariantInit(&value); }
    ~MetadataValue() { ::PropVariantClear(&value); }
    MetadataValue(const MetadataValue&) = delete;
    MetadataValue& operator=(const MetadataValue&) = delete;

    // The value of the name (a query path or a property's name), when the
    // frame has one of the type.
    bool Read(IWICMetadataQueryReader& reader, const wchar_t* name, VARTYPE type) {
        return SUCCEEDED(reader.GetMetadataByName(name, &value)) && value.vt == type;
    }

    PROPVARIANT value;
};

// The orientation a camera recorded: the name WIC gives it in every format,
// or where a TIFF file keeps it.
Orientation ReadOrientation(IWICMetadataQueryReader& reader) {
    for (const wchar_t* name : {L"System.Photo.Orientation", L"/ifd/{ushort=274}"}) {
        MetadataValue tag;
        if (tag.Read(reader, name, VT_UI2) && tag.value.uiVal >= 1 && tag.value.uiVal <= 8) {
            return static_cast<Orientation>(tag.value.uiVal);
        }
    }
    return Orientation::Upright;
}

// The day a camera recorded the photo was taken: the Exif DateTimeOriginal
// text (tag 36867 of the Exif directory) where TIFF-like files (TIFF, JPEG XR,
// HEIF, raw files) and JPEG files keep it, else the time WIC names the date
// taken by (which formats with their own metadata, such as HEIF, may fill from
// the same tag): UTC made from the camera's local time, turned back into the
// local time of that day, under that day's daylight saving rule.
std::optional<TakenDate> ReadTakenDate(IWICMetadataQueryReader& reader) {
    for (const wchar_t* name : {L"/ifd/exif/{ushort=36867}", L"/app1/ifd/exif/{ushort=36867}"}) {
        MetadataValue text;
        if (text.Read(reader, name, VT_LPSTR) && text.value.pszVal != nullptr) {
            if (const std::optional<TakenDate> date = ParseExifDate(text.value.pszVal)) {
                return date;
            }
        }
    }
    MetadataValue time;
    SYSTEMTIME utc{};
    SYSTEMTIME day{};
    if (!time.Read(reader, L"System.Photo.DateTaken", VT_FILETIME) ||
        !::FileTimeToSystemTime(&time.value.filetime, &utc) ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &day)) {
        return std::nullopt;
    }
    return CalendarDate(day.wYear, day.wMonth, day.wDay);
}

// The colours of the frame: the first ICC profile among the colour contexts
// its decoder gives (PNG's iCCP, TIFF's, HEIF's, WebP's and AVIF's profiles),
// else Adobe RGB where the context is Exif's colour space 2, which the
// component reads from ColorSpace and the interoperability index; else sRGB.
ColourProfile ReadColours(IWICImagingFactory& factory, IWICBitmapFrameDecode& frame) {
    constexpr UINT MostContexts = 8; // a frame has one or two
    constexpr UINT ExifAdobeRgb = 2;
    UINT count = 0;
    if (FAILED(frame.GetColorContexts(0, nullptr, &count)) || count == 0) {
        return {};
    }
    count = std::min(count, MostContexts);
    ComPtr<IWICColorContext> contexts[MostContexts];
    IWICColorContext* handed[MostContexts] = {};
    for (UINT i = 0; i < count; ++i) {
        if (FAILED(factory.CreateColorContext(contexts[i].GetAddressOf()))) {
            return {};
        }
        handed[i] = contexts[i].Get();
    }
    UINT given = 0;
    if (FAILED(frame.GetColorContexts(count, handed, &given))) {
        return {};
    }
    ColourProfile found;
    for (UINT i = 0; i < std::min(given, count); ++i) {
        WICColorContextType type{};
        UINT size = 0;
        UINT space = 0;
        if (FAILED(handed[i]->GetType(&type))) {
            continue;
        }
        if (type == WICColorContextProfile &&
            SUCCEEDED(handed[i]->GetProfileBytes(0, nullptr, &size)) && size > 0 &&
            size <= ColourProfile::MostIccBytes) {
            std::vector<uint8_t> bytes(size);
            if (SUCCEEDED(handed[i]->GetProfileBytes(size, bytes.data(), &size)) &&
                size == bytes.size()) {
                return ColourProfile::Icc(std::move(bytes));
            }
        } else if (type == WICColorContextExifColorSpace &&
                   SUCCEEDED(handed[i]->GetExifColorSpace(&space)) && space == ExifAdobeRgb) {
            found = ColourProfile::AdobeRgb();
        }
    }
    return found;
}

// A 16-bit number of the metadata (a GIF's sides and offsets); 0 without one.
int32_t ReadSide(IWICMetadataQueryReader* reader, const wchar_t* name) {
    MetadataValue number;
    return reader != nullptr && number.Read(*reader, name, VT_UI2) ? number.value.uiVal : 0;
}

// Where the first frame lies on the picture.
struct FramePlace {
    PictureSize picture;
    PictureSize frame;
    int32_t left = 0;
    int32_t top = 0;
};

// An animated GIF's frame may cover part of its logical screen, whose size the
// container's metadata gives and on which the frame has its offset; the
// picture is the screen, grown where it is too small to hold the frame there.
// Any other frame is the whole picture.
FramePlace PlaceFrame(IWICImagingFactory& factory, IWICBitmapDecoder& decoder,
                      IWICMetadataQueryReader* frameMetadata, PictureSize frame) {
    FramePlace place;
    place.frame = frame;
    place.picture = frame;
    GUID format{};
    if (FAILED(decoder.GetContainerFormat(&format)) || format != GUID_ContainerFormatGif) {
        return place;
    }
    const ComPtr<IWICMetadataQueryReader> container = ReadableMetadata(factory, decoder);
    place.left = ReadSide(frameMetadata, L"/imgdesc/Left");
    place.top = ReadSide(frameMetadata, L"/imgdesc/Top");
    place.picture = {
        std::max(ReadSide(container.Get(), L"/logscrdesc/Width"), place.left + frame.width),
        std::max(ReadSide(container.Get(), L"/logscrdesc/Height"), place.top + frame.height)};
    return place;
}

// Copies the converted pixels of the frame in strips of whole rows of the
// picture into the resampler, the frame at its place, black around it.
bool CopyRows(IWICBitmapSource& pixels, const FramePlace& place, Resampler& fit,
              const std::atomic_bool* abandon) {
    const int32_t width = place.picture.width, height = place.picture.height;
    const int32_t frameWidth = place.frame.width;
    const std::size_t frameRowBytes = std::size_t(frameWidth) * sizeof(uint32_t);
    const int32_t stripRows =
        int32_t(std::clamp<std::size_t>(StripPixels / std::size_t(width), 1, std::size_t(height)));
    const std::unique_ptr<uint32_t[]> strip = AllocatePixels(frameWidth, stripRows);
    if (!strip) {
        return false;
    }
    for (int32_t top = 0; top < height; top += stripRows) {
        if (abandon != nullptr && abandon->load(std::memory_order_relaxed)) {
            return false;
        }
        const int32_t end = std::min(height, top + stripRows);
        // The frame's rows in this strip: [first, last) of the picture.
        const int32_t first = std::clamp(place.top, top, end);
        const int32_t last = std::clamp(place.top + place.frame.height, top, end);
        const WICRect rect{0, first - place.top, frameWidth, last - first};
        if (last > first &&
            FAILED(pixels.CopyPixels(&rect, UINT(frameRowBytes),
                                     UINT(frameRowBytes * std::size_t(last - first)),
                                     reinterpret_cast<BYTE*>(strip.get())))) {
            return false;
        }
        // Premultiplied, the colour is the colour over black; the resampler
        // leaves the fourth byte out.
        for (int32_t y = top; y < end; ++y) {
            uint32_t* row = fit.SourceRow();
            if (y < first || y >= last) {
                std::fill_n(row, width, 0u);
            } else {
                std::fill_n(row, place.left, 0u);
                std::memcpy(row + place.left, strip.get() + std::size_t(y - first) * frameWidth,
                            frameRowBytes);
                std::fill(row + place.left + frameWidth, row + width, 0u);
            }
            fit.AddRow();
        }
    }
    return true;
}
} // namespace

std::vector<std::string> PlatformPictureExtensions() {
    std::vector<std::string> extensions;
    const ComScope com;
    const ComPtr<IWICImagingFactory> factory = com.Usable() ? CreateFactory() : nullptr;
    ComPtr<IEnumUnknown> decoders;
    if (!factory || FAILED(factory->CreateComponentEnumerator(
                        WICDecoder, WICComponentEnumerateDefault, decoders.GetAddressOf()))) {
        return extensions;
    }
    ComPtr<IUnknown> item;
    while (decoders->Next(1, item.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        ComPtr<IWICBitmapDecoderInfo> decoder;
        GUID container{};
        // JPEG files are libjpeg's.
        if (SUCCEEDED(item.As(&decoder)) && SUCCEEDED(decoder->GetContainerFormat(&container)) &&
            container != GUID_ContainerFormatJpeg) {
            AddExtensions(*decoder.Get(), extensions);
        }
    }
    return extensions;
}

namespace {
// The first frame of a file the component reads, with what the show takes from
// its metadata. COM stays joined, and every object held, while it lives.
struct FirstFrame {
    // False when no decoder reads the file, its sides are out of bounds, or
    // `abandon` (if given) went up while it was read.
    bool Open(const char* path, const std::atomic_bool* abandon);

    const ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    FramePlace place;
    Orientation orientation = Orientation::Upright;
    std::optional<TakenDate> taken;
};

bool FirstFrame::Open(const char* path, const std::atomic_bool* abandon) {
    const std::wstring name = SystemPath(path);
    factory = !name.empty() && com.Usable() ? CreateFactory() : nullptr;
    const ComPtr<IStream> file =
        factory ? OpenStoppableStream(*factory.Get(), name.c_str(), abandon) : nullptr;
    UINT width = 0, height = 0;
    if (!file ||
        FAILED(factory->CreateDecoderFromStream(file.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.GetAddressOf())) ||
        FAILED(decoder->GetFrame(0, frame.GetAddressOf())) ||
        FAILED(frame->GetSize(&width, &height))) {
        return false;
    }
    if (width == 0 || height == 0 || width > MaxPlatformSide || height > MaxPlatformSide) {
        return false;
    }
    const ComPtr<IWICMetadataQueryReader> metadata = ReadableMetadata(*factory.Get(), *frame.Get());
    place = PlaceFrame(*factory.Get(), *decoder.Get(), metadata.Get(),
                       {int32_t(width), int32_t(height)});
    if (uint32_t(place.picture.width) > MaxPlatformSide ||
        uint32_t(place.picture.height) > MaxPlatformSide ||
        uint64_t(place.picture.width) * uint64_t(place.picture.height) > MaxPlatformPixels) {
        return false;
    }
    if (metadata) {
        orientation = ReadOrientation(*metadata.Get());
        taken = ReadTakenDate(*metadata.Get());
    }
    return true;
}
} // namespace

std::optional<PictureSize> ReadPlatformShape(const char* path, const std::atomic_bool* abandon) {
    FirstFrame first;
    if (!first.Open(path, abandon)) {
        return std::nullopt;
    }
    PictureSize shape = first.place.picture;
    TurnBox(first.orientation, shape.width, shape.height);
    return shape;
}

bool DecodeWithPlatform(const char* path, const PlatformSizeChoice& choose,
                        const std::atomic_bool* abandon, DecodedPicture& decoded) {
    FirstFrame first;
    if (!first.Open(path, abandon)) {
        return false;
    }
    const FramePlace& place = first.place;
    IWICImagingFactory* const factory = first.factory.Get();
    decoded.source = place.picture;
    decoded.orientation = first.orientation;
    decoded.taken = first.taken;
    decoded.colour = ReadColours(*factory, *first.frame.Get());
    decoded.size = choose(decoded.source, decoded.orientation);
    if (decoded.size.width <= 0 || decoded.size.height <= 0) {
        return false;
    }
    // Every format and depth as 32-bit pixels, transparency premultiplied.
    ComPtr<IWICFormatConverter> converter;
    Resampler fit;
    if (FAILED(factory->CreateFormatConverter(converter.GetAddressOf())) ||
        FAILED(converter->Initialize(first.frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        !fit.Start(decoded.source.width, decoded.source.height, decoded.size.width,
                   decoded.size.height) ||
        !CopyRows(*converter.Get(), place, fit, abandon)) {
        return false;
    }
    decoded.pixels = fit.TakePixels();
    return decoded.pixels != nullptr;
}
