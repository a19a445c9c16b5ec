#include "decode/jpeg_decoder.h"

#include "decode/exif_colour_space.h"
#include "decode/exif_date.h"
#include "decode/exif_orientation.h"
#include "decode/jpeg_markers.h"
#include "decode/jpeg_memory_limit.h"
#include "decode/jpeg_source.h"
#include "decode/row_conversion.h"
#include "picture/fit_size.h"
#include "picture/jpeg_scale.h"
#include "picture/pixel_buffer.h"
#include "picture/resampler.h"
#include "picture/zoom_headroom.h"

#include <algorithm>
#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include <jerror.h>

namespace {
// Far more scans than any encoder writes (a progressive file has about ten), yet
// few enough that a file made of endless scans cannot hold the show for long.
constexpr int MaxScans = 500;

// A picture decoded as its data comes gets a first pixel buffer of this size
// (or less, for a small one), and the whole picture's only once it has filled
// it: a file that claims a huge picture on a few bytes ends long before.
constexpr size_t FirstBufferBytes = size_t{4} << 20;

// libjpeg's standard error manager, with a way back to the decoder, and what
// its warnings told.
struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf recovery;
    bool dataEnded;
};

// Fatal errors return straight to the decoder's recovery point, silently.
[[noreturn]] void ReturnToRecovery(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->recovery, 1);
}

// Warnings are noted, never printed. The data has ended, and nothing more can
// come, when the coded data ran into an end-of-image marker (the file's, or
// the one the source hands out where the file ends) while more was needed;
// libjpeg then decodes empty blocks for the rest of the picture. Reading
// ahead into the marker is no end: a file that lacks only its end marker is
// whole. Nor is a restart marker met early: the next interval goes on.
// (Arithmetic-coded data gives no such warning, and decodes as before.)
void NoteMessage(j_common_ptr info, int level) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (level >= 0) {
        return;
    }
    const int code = errors->standard.msg_code;
    const int marker = reinterpret_cast<j_decompress_ptr>(info)->unread_marker;
    if (code == JWRN_HIT_MARKER && marker == JPEG_EOI) {
        errors->dataEnded = true;
    }
    ++errors->standard.num_warnings;
}

void PrintNothing(j_common_ptr) {}

// libjpeg's progress monitor, with what the decoder watches.
struct ProgressWatch {
    jpeg_progress_mgr standard;
    const std::atomic_bool* abandon;
};

// Called by libjpeg for every row it reads and, in a multi-scan file, for every
// row of every scan it takes in, and by the data source for every block it
// reads: it ends a decode that is to be abandoned, and
// one of more scans than an encoder writes, as a fatal error.
void WatchProgress(j_common_ptr info) {
    const auto* watch = reinterpret_cast<const ProgressWatch*>(info->progress);
    if ((watch->abandon != nullptr && watch->abandon->load(std::memory_order_relaxed)) ||
        reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans) {
        info->err->error_exit(info);
    }
}

using RowConversion = void (*)(const uint8_t*, uint32_t*, int32_t);

// How rows of libjpeg's output colours become pixels: grey, RGB, and CMYK (as
// which libjpeg delivers CMYK and YCCK files). Other colours are not decoded.
RowConversion ConversionFor(J_COLOR_SPACE colours) {
    switch (colours) {
    case JCS_GRAYSCALE:
        return ConvertGreyRow;
    case JCS_RGB:
        return ConvertRgbRow;
    case JCS_CMYK:
        return ConvertCmykRow;
    default:
        return nullptr;
    }
}

// Everything one decode owns; its destructor is the cleanup after success and
// after a fatal error alike.
struct JpegSession {
    JpegSession(std::FILE* source, const std::atomic_bool* abandon) : file(source) {
        info.err = jpeg_std_error(&errors.standard);
        errors.standard.error_exit = ReturnToRecovery;
        errors.standard.emit_message = NoteMessage;
        errors.standard.output_message = PrintNothing;
        progress.standard.progress_monitor = WatchProgress;
        progress.abandon = abandon;
    }
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;
    ~JpegSession() { jpeg_destroy_decompress(&info); }

    // The whole picture's buffer, with the rows decoded so far.
    bool GrowPixels(int32_t width, int32_t height, int32_t rows) {
        std::unique_ptr<uint32_t[]> whole = AllocatePixels(width, height);
        if (!whole) {
            return false;
        }
        std::memcpy(whole.get(), pixels.get(), size_t(rows) * size_t(width) * sizeof(uint32_t));
        pixels = std::move(whole);
        return true;
    }

    // The row libjpeg wrote, converted into pixels.
    void ConvertRow(RowConversion convert, uint32_t* to, int32_t width) const {
        if (cmykTransform != nullptr) {
            cmykTransform->Apply(row.get(), to, size_t(width));
        } else {
            convert(row.get(), to, width);
        }
    }

    std::FILE* file;
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    ProgressWatch progress{};
    std::unique_ptr<JSAMPROW[]> rowPointer;
    std::unique_ptr<JSAMPLE[]> row;
    std::unique_ptr<uint32_t[]> pixels;
    HeaderMarkers markers;
    // A CMYK file's conversion through its profile, when it has a usable one.
    const ColourTransform* cmykTransform = nullptr;
    // A fitted picture is made by the resampler as the rows come.
    std::optional<Resampler> fit;
    // What the decode found, the pixels' size among it.
    DecodedPicture decoded;
};

// The decompressor made and its header read, with the session's source, the
// markers it keeps (Exif, ICC) and its progress monitor; called where the
// session's way back from a fatal error has been set.
void ReadHeader(JpegSession& session) {
    jpeg_decompress_struct& info = session.info;
    jpeg_create_decompress(&info);
    info.progress = &session.progress.standard;
    AttachFileSource(info, session.file);
    KeepHeaderMarkers(info, session.markers);
    jpeg_read_header(&info, TRUE);
}

// The file's embedded profile, else Adobe RGB where its Exif data says so, else sRGB.
ColourProfile SourceColours(const HeaderMarkers& markers) {
    std::vector<uint8_t> icc = markers.icc.Assemble();
    if (!icc.empty()) {
        return ColourProfile::Icc(std::move(icc));
    }
    return ExifMarksAdobeRgb(markers.exif.data, markers.exif.size) ? ColourProfile::AdobeRgb()
                                                                   : ColourProfile();
}

// CMYK values mean nothing without a profile: with a usable one they go
// through it into the target, and the pixels are then in the target's
// colours; without, the plain conversion makes them sRGB. Adobe's files store
// their inks inverted.
void ChooseCmykConversion(JpegSession& session, ColourConversion* colour) {
    DecodedPicture& decoded = session.decoded;
    if (colour != nullptr && decoded.colour.IccBytes() != nullptr) {
        const PixelColours inks =
            session.info.saw_Adobe_marker ? PixelColours::InvertedCmyk : PixelColours::Cmyk;
        session.cmykTransform =
            colour->transforms.Find(decoded.colour, inks, colour->target,
                                    size_t(session.info.output_width) * session.info.output_height);
    }
    decoded.colour = session.cmykTransform != nullptr ? colour->target : ColourProfile();
}

// The libjpeg calls themselves. A fatal error inside any of them comes back
// through longjmp to the setjmp below and makes this return false; nothing in
// this function needs destroying, so jumping over its frame is sound. What
// lives across setjmp is in the session, and stays as it was.
bool ReadJpeg(JpegSession& session, int32_t maxWidth, int32_t maxHeight, Picture::Sizing sizing,
              bool headroom, ColourConversion* colour) {
    jpeg_decompress_struct& info = session.info;
    DecodedPicture& decoded = session.decoded;
    int32_t& width = decoded.size.width;
    int32_t& height = decoded.size.height;
    if (setjmp(session.errors.recovery) != 0) {
        return false;
    }
    ReadHeader(session);
    const int32_t sourceHeight = static_cast<int32_t>(info.image_height);
    const int32_t sourceWidth = static_cast<int32_t>(info.image_width);
    decoded.source = {sourceWidth, sourceHeight};
    const RowConversion convert = ConversionFor(info.out_color_space);
    if (convert == nullptr) {
        return false;
    }

    const KeptMarker& exif = session.markers.exif;
    decoded.orientation = ExifOrientation(exif.data, exif.size);
    decoded.taken = ExifTakenDate(exif.data, exif.size);
    decoded.colour = SourceColours(session.markers);
    // A picture turned on its side meets its box turned with it.
    int32_t boxWidth = maxWidth, boxHeight = maxHeight;
    TurnBox(decoded.orientation, boxWidth, boxHeight);
    if (boxWidth <= 0 || boxHeight <= 0) { // an empty box: an empty picture
        width = height = 0;
        session.pixels = AllocatePixels(0, 0);
        return session.pixels != nullptr;
    }
    // A moving picture is fitted to its frame's headroom, whichever rule sizes
    // the frame; from here on it is decoded as any fitted picture.
    const bool fitting = headroom || sizing == Picture::Sizing::Fit;
    PictureSize fitted;
    if (headroom) {
        fitted =
            HeadroomSize(decoded.source, FrameSize(decoded.source, boxWidth, boxHeight, sizing));
    } else if (fitting) {
        fitted = FitSize(sourceWidth, sourceHeight, boxWidth, boxHeight);
    }
    if (fitting) {
        info.scale_num = static_cast<unsigned int>(
            FitScaleEighths(sourceWidth, sourceHeight, fitted.width, fitted.height));
        info.scale_denom = 8;
    } else {
        info.scale_num = 1;
        info.scale_denom = static_cast<unsigned int>(
            ScaleDenominator(sourceWidth, sourceHeight, boxWidth, boxHeight));
    }
    if (WholeImageTooLarge(info)) {
        return false;
    }
    info.mem->max_memory_to_use = JpegMemoryLimit(info);
    // Fitted, the rows of colour and grey files come from libjpeg as pixels
    // (blue, green, red and a fourth byte, which the filter leaves out),
    // straight into the resampler's row.
    const bool direct = fitting && info.out_color_space != JCS_CMYK;
    if (direct) {
        info.out_color_space = JCS_EXT_BGRX;
    }
    // A file of one scan is decoded as its data is read; one of several has
    // been read whole by jpeg_start_decompress.
    const bool streamed = !jpeg_has_multiple_scans(&info);
    jpeg_start_decompress(&info);
    height = static_cast<int32_t>(info.output_height);
    width = static_cast<int32_t>(info.output_width);
    const int32_t components = direct ? info.num_components : info.output_components;
    decoded.components = components;
    if (info.out_color_space == JCS_CMYK) {
        ChooseCmykConversion(session, colour);
    }

    // Rows that are converted first come through a row of their own.
    session.rowPointer.reset(new (std::nothrow) JSAMPROW[1]);
    if (!direct) {
        session.row.reset(new (std::nothrow) JSAMPLE[size_t{info.output_width} * components]);
    }
    if (!session.rowPointer || (!direct && !session.row)) {
        return false;
    }
    session.rowPointer[0] = session.row.get();
    int32_t capacity = height;
    if (fitting) {
        session.fit.emplace();
        if (!session.fit->Start(width, height, fitted.width, fitted.height)) {
            return false;
        }
        if (direct) {
            session.rowPointer[0] = reinterpret_cast<JSAMPROW>(session.fit->SourceRow());
        }
    } else {
        const size_t rowBytes = std::max<size_t>(1, size_t(width) * sizeof(uint32_t));
        if (streamed) {
            capacity = int32_t(std::min<size_t>(size_t(height), FirstBufferBytes / rowBytes));
        }
        session.pixels = AllocatePixels(width, capacity);
        if (!session.pixels) {
            return false;
        }
    }
    for (int32_t r = 0; r < height; ++r) {
        if (r == capacity) {
            if (!session.GrowPixels(width, height, r)) {
                return false;
            }
            capacity = height;
        }
        jpeg_read_scanlines(&info, session.rowPointer.get(), 1);
        // The rows before this one came from the file; this and the rest
        // would be empty blocks. They are left off (a fitted picture keeps the
        // rows those before covered, at the whole picture's scale), or the
        // picture fails when nothing came before.
        if (streamed && session.errors.dataEnded) {
            width = session.fit ? fitted.width : width;
            height = session.fit ? session.fit->RowsDone() : r;
            return height > 0;
        }
        if (session.fit) {
            if (!direct) {
                session.ConvertRow(convert, session.fit->SourceRow(), width);
            }
            session.fit->AddRow();
        } else {
            session.ConvertRow(convert, session.pixels.get() + size_t(r) * size_t(width), width);
        }
    }
    jpeg_finish_decompress(&info);
    if (session.fit) {
        width = fitted.width;
        height = fitted.height;
    }
    return true;
}

// The header alone, with the same way back from a fatal error as ReadJpeg.
bool ReadJpegHeader(JpegSession& session, PictureSize& shape) {
    jpeg_decompress_struct& info = session.info;
    if (setjmp(session.errors.recovery) != 0) {
        return false;
    }
    ReadHeader(session);
    shape = {static_cast<int32_t>(info.image_width), static_cast<int32_t>(info.image_height)};
    const KeptMarker& exif = session.markers.exif;
    TurnBox(ExifOrientation(exif.data, exif.size), shape.width, shape.height);
    return true;
}
} // namespace

bool ReadJpegShape(std::FILE* file, const std::atomic_bool* abandon, PictureSize& shape) {
    JpegSession session(file, abandon);
    return ReadJpegHeader(session, shape);
}

bool DecodeJpeg(std::FILE* file, int32_t maxWidth, int32_t maxHeight, Picture::Sizing sizing,
                bool headroom, const std::atomic_bool* abandon, ColourConversion* colour,
                DecodedPicture& decoded) {
    JpegSession session(file, abandon);
    if (!ReadJpeg(session, maxWidth, maxHeight, sizing, headroom, colour)) {
        return false;
    }
    decoded = std::move(session.decoded);
    decoded.pixels = session.fit ? session.fit->TakePixels() : std::move(session.pixels);
    return true;
}
