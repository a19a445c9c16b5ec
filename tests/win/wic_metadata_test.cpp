// The metadata of a frame whose block reader hands back no reader, with
// success, for a block it cannot read, as Wine's does for a block of a file
// that changed since it was opened: the queries fail, and nothing reads
// through the missing reader.
#include "decode/wic_metadata.h"

#include <gtest/gtest.h>

#include <wincodecsdk.h>

using Microsoft::WRL::ComPtr;

namespace {
// Two blocks, neither of which can be read.
class UnreadableBlocks final : public IWICMetadataBlockReader {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == __uuidof(IUnknown) || iid == __uuidof(IWICMetadataBlockReader)
                      ? static_cast<IWICMetadataBlockReader*>(this)
                      : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    // Lives on the test's stack.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetContainerFormat(GUID* format) override {
        *format = GUID_ContainerFormatPng;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCount(UINT* count) override {
        *count = 2;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetReaderByIndex(UINT, IWICMetadataReader** reader) override {
        *reader = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetEnumerator(IEnumUnknown**) override { return E_NOTIMPL; }
};
} // namespace

TEST(WicMetadataTest, BlocksWithoutReadersAreLeftOut) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    {
        ComPtr<IWICImagingFactory> factory;
        ASSERT_TRUE(
            SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(factory.GetAddressOf()))));
        UnreadableBlocks blocks;
        const ComPtr<IWICMetadataQueryReader> metadata = ReadableMetadata(*factory.Get(), blocks);
        ASSERT_TRUE(metadata);
        for (const wchar_t* query : {L"/ifd/{ushort=274}", L"/app1/ifd/exif/{ushort=36867}"}) {
            PROPVARIANT value;
            ::PropVariantInit(&value);
            EXPECT_TRUE(FAILED(metadata->GetMetadataByName(query, &value)));
            ::PropVariantClear(&value);
        }
    }
    ::CoUninitialize();
}
