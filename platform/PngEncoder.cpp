#include "platform/PngEncoder.h"

#include "platform/ComPtr.h"
#include "platform/Text.h"

#include <windows.h>

#include <wincodec.h>

namespace {

// Encodes the pixels as a PNG into stream.
bool EncodePng(IWICImagingFactory* factory, IStream* stream, const std::uint8_t* bgr, int width,
               int height) {
    CComPtr<IWICBitmapEncoder> encoder;
    CComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const UINT stride = static_cast<UINT>(width) * 3;
    return SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride, stride * height,
                                        const_cast<BYTE*>(bgr))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

} // namespace

bool SavePng(const std::string& path, const std::uint8_t* bgr, int width, int height) {
    if (bgr == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    CComPtr<IWICImagingFactory> factory;
    CComPtr<IWICStream> stream;
    return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_PPV_ARGS(&factory))) &&
           SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(Widen(path).c_str(), GENERIC_WRITE)) &&
           EncodePng(factory.Get(), stream.Get(), bgr, width, height);
}

std::vector<std::uint8_t> PngBytes(const std::uint8_t* bgr, int width, int height) {
    CComPtr<IWICImagingFactory> factory;
    CComPtr<IStream> stream;
    STATSTG status{};
    if (bgr == nullptr || width <= 0 || height <= 0 ||
        FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory))) ||
        FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        !EncodePng(factory.Get(), stream.Get(), bgr, width, height) ||
        FAILED(stream->Stat(&status, STATFLAG_NONAME))) {
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.cbSize.QuadPart));
    LARGE_INTEGER start{};
    ULONG read = 0;
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
        FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) ||
        read != bytes.size()) {
        return {};
    }
    return bytes;
}
