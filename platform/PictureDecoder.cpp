#include "platform/PictureDecoder.h"

#include "collection/FileOpen.h"
#include "picture/Orientation.h"
#include "platform/ComPtr.h"
#include "platform/Text.h"

#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <vector>

namespace {

constexpr UINT kLongSideWhenReduced = 4096;
constexpr UINT kBandRows = 256;

// The orientation that the frame's metadata records; Wine exposes no JPEG metadata, so the
// file's own EXIF block is read when the query finds nothing.
int OrientationOf(IWICBitmapDecoder* decoder, IWICBitmapFrameDecode* frame,
                  const std::string& path) {
    GUID container{};
    if (FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatJpeg) {
        return 1;
    }
    CComPtr<IWICMetadataQueryReader> metadata;
    if (SUCCEEDED(frame->GetMetadataQueryReader(&metadata))) {
        PROPVARIANT value;
        PropVariantInit(&value);
        HRESULT found = metadata->GetMetadataByName(L"/app1/ifd/{ushort=274}", &value);
        int orientation = SUCCEEDED(found) && value.vt == VT_UI2 ? value.uiVal : 0;
        PropVariantClear(&value);
        if (orientation >= 1 && orientation <= 8) {
            return orientation;
        }
    }
    std::vector<std::uint8_t> head(65536);
    std::FILE* file = OpenFile(path, "rb");
    std::size_t read = file != nullptr ? std::fread(head.data(), 1, head.size(), file) : 0;
    if (file != nullptr) {
        std::fclose(file);
    }
    return picture::JpegExifOrientation(head.data(), read);
}

} // namespace

std::optional<picture::Picture> DecodePicture(const std::string& path) {
    CComPtr<IWICImagingFactory> factory;
    CComPtr<IWICBitmapDecoder> decoder;
    CComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        width == 0 || height == 0 || width > picture::kMaxSide || height > picture::kMaxSide) {
        return std::nullopt;
    }
    // The size is known before any pixel is asked for: a decompression bomb is reduced first.
    IWICBitmapSource* source = frame.Get();
    CComPtr<IWICBitmapScaler> scaler;
    if (static_cast<long long>(width) * height > picture::kMaxPixels) {
        double factor = static_cast<double>(kLongSideWhenReduced) / std::max(width, height);
        UINT reducedWidth = std::max(1u, static_cast<UINT>(width * factor));
        UINT reducedHeight = std::max(1u, static_cast<UINT>(height * factor));
        if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(frame.Get(), reducedWidth, reducedHeight,
                                      WICBitmapInterpolationModeFant))) {
            return std::nullopt;
        }
        source = scaler.Get();
        width = reducedWidth;
        height = reducedHeight;
    }
    CComPtr<IWICFormatConverter> converter;
    picture::Picture decoded{static_cast<int>(width), static_cast<int>(height), {}};
    decoded.bgra.resize(static_cast<std::size_t>(width) * height * 4);
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom))) {
        return std::nullopt;
    }
    // Band by band: the converter then needs a band's worth of memory, not a picture's.
    const UINT stride = width * 4;
    for (UINT top = 0; top < height; top += kBandRows) {
        WICRect band{0, static_cast<INT>(top), static_cast<INT>(width),
                     static_cast<INT>(std::min(kBandRows, height - top))};
        if (FAILED(converter->CopyPixels(&band, stride, stride * band.Height,
                                         decoded.bgra.data() + std::size_t{stride} * top))) {
            return std::nullopt;
        }
    }
    picture::ApplyOrientation(decoded, OrientationOf(decoder.Get(), frame.Get(), path));
    return decoded;
}
