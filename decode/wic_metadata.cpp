#include "decode/wic_metadata.h"

#include "decode/com_object.h"

#include <wincodecsdk.h>

#include <new>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {
// A block reader that holds the readers of another one's blocks that could be
// made, in their order.
class ReadableBlocks final : public ComObject<ReadableBlocks, IWICMetadataBlockReader> {
public:
    // Null when the frame has no block reader.
    static ComPtr<ReadableBlocks> Of(IUnknown& frame) {
        ComPtr<IWICMetadataBlockReader> blocks;
        UINT count = 0;
        if (FAILED(frame.QueryInterface(IID_PPV_ARGS(blocks.GetAddressOf()))) ||
            FAILED(blocks->GetCount(&count))) {
            return nullptr;
        }
        ComPtr<ReadableBlocks> readable;
        readable.Attach(new (std::nothrow) ReadableBlocks);
        if (!readable || FAILED(blocks->GetContainerFormat(&readable->container))) {
            return nullptr;
        }
        for (UINT i = 0; i < count; ++i) {
            ComPtr<IWICMetadataReader> reader;
            if (SUCCEEDED(blocks->GetReaderByIndex(i, reader.GetAddressOf())) && reader) {
                readable->readers.push_back(std::move(reader));
            }
        }
        return readable;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IWICMetadataBlockReader)) {
            *object = static_cast<IWICMetadataBlockReader*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE GetContainerFormat(GUID* format) override {
        if (format == nullptr) {
            return E_INVALIDARG;
        }
        *format = container;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCount(UINT* count) override {
        if (count == nullptr) {
            return E_INVALIDARG;
        }
        *count = UINT(readers.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetReaderByIndex(UINT index, IWICMetadataReader** reader) override {
        if (reader == nullptr || index >= readers.size()) {
            return E_INVALIDARG;
        }
        *reader = readers[index].Get();
        (*reader)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetEnumerator(IEnumUnknown** enumerator) override {
        if (enumerator != nullptr) {
            *enumerator = nullptr;
        }
        return E_NOTIMPL;
    }

private:
    friend ComObject; // deletes it
    ReadableBlocks() = default;
    ~ReadableBlocks() = default;

    GUID container{};
    std::vector<ComPtr<IWICMetadataReader>> readers;
};

// The query reader the frame or decoder gives itself, for one whose metadata
// comes in no blocks.
ComPtr<IWICMetadataQueryReader> OwnQueryReader(IUnknown& owner) {
    ComPtr<IWICMetadataQueryReader> query;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapDecoder> decoder;
    if (SUCCEEDED(owner.QueryInterface(IID_PPV_ARGS(frame.GetAddressOf())))) {
        frame->GetMetadataQueryReader(query.GetAddressOf());
    } else if (SUCCEEDED(owner.QueryInterface(IID_PPV_ARGS(decoder.GetAddressOf())))) {
        decoder->GetMetadataQueryReader(query.GetAddressOf());
    }
    return query;
}
} // namespace

ComPtr<IWICMetadataQueryReader> ReadableMetadata(IWICImagingFactory& factory, IUnknown& frame) {
    ComPtr<IWICMetadataBlockReader> own;
    if (FAILED(frame.QueryInterface(IID_PPV_ARGS(own.GetAddressOf())))) {
        return OwnQueryReader(frame);
    }
    ComPtr<IWICComponentFactory> components;
    const ComPtr<ReadableBlocks> blocks = ReadableBlocks::Of(frame);
    ComPtr<IWICMetadataQueryReader> query;
    if (!blocks || FAILED(factory.QueryInterface(IID_PPV_ARGS(components.GetAddressOf()))) ||
        FAILED(components->CreateQueryReaderFromBlockReader(blocks.Get(), query.GetAddressOf()))) {
        return nullptr;
    }
    return query;
}
