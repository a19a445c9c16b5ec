// The metadata of a frame of the Windows Imaging Component, as a query reader
// over the frame's blocks that can be read.
#pragma once

#include <windows.h>

#include <wincodec.h>
#include <wrl/client.h>

// A query reader over the blocks of the frame whose readers could be made,
// each made once, here; null when the frame has no metadata to query. Wine's
// own query reader asks the frame for a block's reader at every query, gets
// null back with success for a block it cannot read (a PNG text chunk whose
// keyword has no end, or one of a file that changed since it was opened), and
// then reads through that null: the program would crash on such a file.
// `frame` is the frame, or the decoder; one without blocks answers through
// its own query reader.
Microsoft::WRL::ComPtr<IWICMetadataQueryReader> ReadableMetadata(IWICImagingFactory& factory,
                                                                 IUnknown& frame);
