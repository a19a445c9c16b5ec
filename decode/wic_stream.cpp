#include "decode/wic_stream.h"

#include "decode/com_object.h"

#include <new>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace {
// Hands every call on to the file's stream but a read once the flag is up;
// a copy of it made for a decoder (Clone) watches the same flag. It lives as
// long as a decoder holds it, and the flag, the show worker's, longer.
class StoppableStream final : public ComObject<StoppableStream, IStream> {
public:
    StoppableStream(ComPtr<IStream> file, const std::atomic_bool& abandon)
        : file(std::move(file)), abandon(abandon) {}
    StoppableStream(const StoppableStream&) = delete;
    StoppableStream& operator=(const StoppableStream&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid != __uuidof(IUnknown) && iid != __uuidof(ISequentialStream) &&
            iid != __uuidof(IStream)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Read(void* to, ULONG count, ULONG* read) override {
        if (abandon.load(std::memory_order_relaxed)) {
            if (read != nullptr) {
                *read = 0;
            }
            return E_ABORT;
        }
        return file->Read(to, count, read);
    }
    HRESULT STDMETHODCALLTYPE Write(const void* from, ULONG count, ULONG* written) override {
        return file->Write(from, count, written);
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                   ULARGE_INTEGER* position) override {
        return file->Seek(move, origin, position);
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override { return file->SetSize(size); }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* to, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override {
        return file->CopyTo(to, count, read, written);
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override { return file->Commit(flags); }
    HRESULT STDMETHODCALLTYPE Revert() override { return file->Revert(); }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                         DWORD type) override {
        return file->LockRegion(offset, count, type);
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                           DWORD type) override {
        return file->UnlockRegion(offset, count, type);
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override {
        return file->Stat(stat, flags);
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = nullptr;
        ComPtr<IStream> other;
        const HRESULT cloned = file->Clone(other.GetAddressOf());
        if (FAILED(cloned)) {
            return cloned;
        }
        *copy = new (std::nothrow) StoppableStream(std::move(other), abandon);
        return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
    }

private:
    friend ComObject; // deletes it
    ~StoppableStream() = default;

    const ComPtr<IStream> file;
    const std::atomic_bool& abandon;
};
} // namespace

ComPtr<IStream> OpenStoppableStream(IWICImagingFactory& factory, const wchar_t* name,
                                    const std::atomic_bool* abandon) {
    ComPtr<IWICStream> file;
    if (FAILED(factory.CreateStream(file.GetAddressOf())) ||
        FAILED(file->InitializeFromFilename(name, GENERIC_READ))) {
        return nullptr;
    }
    if (abandon == nullptr) {
        return file;
    }
    ComPtr<IStream> stream;
    stream.Attach(new (std::nothrow) StoppableStream(std::move(file), *abandon));
    return stream;
}
