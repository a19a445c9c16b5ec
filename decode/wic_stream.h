// The stream a picture file reaches the Imaging Component's decoders through,
// which ends their decode when the show stops it: once the stop flag is up,
// every read fails, and the decoder with it. Wine's PNG decoder decodes the
// whole picture while it is opened, out of reach of the flag between strips,
// and reads the file 8 KB at a time as it goes; so a decode that is stopped
// ends at its next read, as a JPEG file's decode ends at its data source's.
#pragma once

#include <windows.h>

#include <objidl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <atomic>

// The file, opened for reading by the factory's stream, its reads failing
// from the time `abandon` (if given) goes up; null when it cannot be opened.
Microsoft::WRL::ComPtr<IStream> OpenStoppableStream(IWICImagingFactory& factory,
                                                    const wchar_t* name,
                                                    const std::atomic_bool* abandon);
