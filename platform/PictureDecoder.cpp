#include "platform/PictureDecoder.h"

#include "collection/FileKinds.h"
#include "collection/FileOpen.h"
#include "picture/Orientation.h"
#include "picture/PictureHeader.h"
#include "platform/ComPtr.h"
#include "platform/Text.h"

#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr UINT kLongSideWhenReduced = 4096;
constexpr UINT kBandRows = 256;
// Bytes enough for every header but a JPEG's that follows a large EXIF block.
constexpr std::size_t kHeaderBytes = 256 * 1024;
// The largest JPEG worth opening to ask whether its decoder reduces while decoding: Wine's
// decodes the whole frame on opening (3 bytes a pixel) and never offers to reduce.
constexpr long long kMaxJpegPixelsToAsk = 130'000'000;

// MinGW's wincodec.h lacks the interface through which a decoder scales while it decodes.
const IID kIidSourceTransform = {
    0x3B16811B, 0x6A43, 0x4EC9, {0xB7, 0x13, 0x3D, 0x5A, 0x0C, 0x13, 0xB9, 0x40}};
struct ISourceTransform : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                                 WICPixelFormatGUID* format,
                                                 WICBitmapTransformOptions transform, UINT stride,
                                                 UINT bufferSize, BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform,
                                                           BOOL* supported) = 0;
};

std::vector<std::uint8_t> FileHead(const std::string& path, std::size_t bytes) {
    std::vector<std::uint8_t> head(bytes);
    std::FILE* file = OpenFile(path, "rb");
    std::size_t read = file != nullptr ? std::fread(head.data(), 1, head.size(), file) : 0;
    if (file != nullptr) {
        std::fclose(file);
    }
    head.resize(read);
    return head;
}

// The frame decoded at a reduced size by the decoder itself, where it offers that.
std::optional<picture::Picture> DecodeReduced(IWICBitmapFrameDecode* frame) {
    CComPtr<ISourceTransform> transform;
    if (FAILED(frame->QueryInterface(kIidSourceTransform, reinterpret_cast<void**>(&transform)))) {
        return std::nullopt;
    }
    UINT width = 0, height = 0;
    frame->GetSize(&width, &height);
    double factor = static_cast<double>(kLongSideWhenReduced) / std::max(width, height);
    width = std::max(1u, static_cast<UINT>(width * factor));
    height = std::max(1u, static_cast<UINT>(height * factor));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(transform->GetClosestSize(&width, &height)) ||
        static_cast<long long>(width) * height > picture::kMaxPixels ||
        FAILED(transform->GetClosestPixelFormat(&format)) ||
        format != GUID_WICPixelFormat32bppBGRA) {
        return std::nullopt;
    }
    picture::Picture reduced{static_cast<int>(width), static_cast<int>(height), {}};
    reduced.bgra.resize(static_cast<std::size_t>(width) * height * 4);
    if (FAILED(transform->CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0,
                                     width * 4, static_cast<UINT>(reduced.bgra.size()),
                                     reduced.bgra.data()))) {
        return std::nullopt;
    }
    return reduced;
}

// The orientation that the frame's metadata records; Wine exposes no JPEG metadata, so the
// file's own EXIF block, in its first bytes, is read when the query finds nothing.
int OrientationOf(IWICBitmapDecoder* decoder, IWICBitmapFrameDecode* frame,
                  const std::vector<std::uint8_t>& head) {
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
    return picture::JpegExifOrientation(head.data(), std::min<std::size_t>(head.size(), 65536));
}

using OpenDecoder = std::function<HRESULT(IWICImagingFactory*, IWICBitmapDecoder**)>;

// The frame as the picture source to read, reduced first when it has more pixels than brelt
// takes (width and height then the reduced ones); nullptr when it can't be.
CComPtr<IWICBitmapSource> SourceToRead(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame,
                                       UINT& width, UINT& height) {
    CComPtr<IWICBitmapSource> source;
    if (static_cast<long long>(width) * height <= picture::kMaxPixels) {
        frame->QueryInterface(IID_PPV_ARGS(&source));
        return source;
    }
    double factor = static_cast<double>(kLongSideWhenReduced) / std::max(width, height);
    UINT reducedWidth = std::max(1u, static_cast<UINT>(width * factor));
    UINT reducedHeight = std::max(1u, static_cast<UINT>(height * factor));
    CComPtr<IWICBitmapScaler> scaler;
    if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(frame, reducedWidth, reducedHeight,
                                  WICBitmapInterpolationModeFant)) ||
        FAILED(scaler->QueryInterface(IID_PPV_ARGS(&source)))) {
        return {};
    }
    width = reducedWidth;
    height = reducedHeight;
    return source;
}

// The source's pixels as 32-bit BGRA, band by band: the converter then needs a band's worth of
// memory, not a picture's.
std::optional<picture::Picture> ReadBgra(IWICImagingFactory* factory, IWICBitmapSource* source,
                                         UINT width, UINT height) {
    CComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom))) {
        return std::nullopt;
    }
    picture::Picture decoded{static_cast<int>(width), static_cast<int>(height), {}};
    decoded.bgra.resize(static_cast<std::size_t>(width) * height * 4);
    const UINT stride = width * 4;
    for (UINT top = 0; top < height; top += kBandRows) {
        WICRect band{0, static_cast<INT>(top), static_cast<INT>(width),
                     static_cast<INT>(std::min(kBandRows, height - top))};
        if (FAILED(converter->CopyPixels(&band, stride, stride * band.Height,
                                         decoded.bgra.data() + std::size_t{stride} * top))) {
            return std::nullopt;
        }
    }
    return decoded;
}

// A picture too large to decode whole, read reduced from the start where its codec can.
void DecodeTooBig(IWICBitmapDecoder* decoder, IWICBitmapFrameDecode* frame,
                  const std::vector<std::uint8_t>& head, DecodedPicture& result) {
    result.picture = DecodeReduced(frame);
    result.tooBig = !result.picture;
    if (result.picture) {
        picture::ApplyOrientation(*result.picture, OrientationOf(decoder, frame, head));
    }
}

// A picture decoded by the decoder open gives, its first bytes head: decided on from the size
// head declares before any decoder sees it.
DecodedPicture Decode(const std::vector<std::uint8_t>& head, const OpenDecoder& open) {
    std::optional<picture::PictureHeader> header =
        picture::ReadPictureHeader(head.data(), head.size());
    bool tooBig = header && picture::IsTooBigToDecode(*header);
    bool bitmap = header && header->format == picture::PictureHeader::Format::Bmp;
    if (tooBig && (header->format != picture::PictureHeader::Format::Jpeg ||
                   static_cast<long long>(header->width) * header->height > kMaxJpegPixelsToAsk)) {
        return {std::nullopt, true, bitmap, header->width, header->height, std::nullopt};
    }
    DecodedPicture result;
    result.bitmap = bitmap;
    CComPtr<IWICImagingFactory> factory;
    CComPtr<IWICBitmapDecoder> decoder;
    CComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory))) ||
        FAILED(open(factory.Get(), &decoder)) || FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > picture::kMaxSide || height > picture::kMaxSide) {
        return result;
    }
    picture::PictureHeader declared{picture::PictureHeader::Format::Png, width, height, 32};
    if (tooBig || picture::IsTooBigToDecode(declared)) {
        result.width = width;
        result.height = height;
        DecodeTooBig(decoder.Get(), frame.Get(), head, result);
        return result;
    }
    // The size is known before any pixel is asked for: a large picture is reduced first.
    CComPtr<IWICBitmapSource> source = SourceToRead(factory.Get(), frame.Get(), width, height);
    std::optional<picture::Picture> decoded =
        source ? ReadBgra(factory.Get(), source.Get(), width, height) : std::nullopt;
    if (decoded) {
        picture::ApplyOrientation(*decoded, OrientationOf(decoder.Get(), frame.Get(), head));
        result.picture = std::move(decoded);
    }
    return result;
}

} // namespace

DecodedPicture DecodePicture(const std::string& path) {
    std::vector<std::uint8_t> head = FileHead(path, kHeaderBytes);
    DecodedPicture decoded =
        Decode(head, [&](IWICImagingFactory* factory, IWICBitmapDecoder** decoder) {
            return factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                      WICDecodeMetadataCacheOnDemand, decoder);
        });
    if (!decoded.picture) {
        decoded.kind = RecogniseFileKind(head.data(), head.size());
    }
    return decoded;
}

DecodedPicture DecodePictureData(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> head(
        data.begin(), data.begin() + static_cast<long>(std::min(data.size(), kHeaderBytes)));
    CComPtr<IWICStream> stream;
    return Decode(head, [&](IWICImagingFactory* factory, IWICBitmapDecoder** decoder) {
        HRESULT made = factory->CreateStream(&stream);
        if (SUCCEEDED(made)) {
            made = stream->InitializeFromMemory(const_cast<BYTE*>(data.data()),
                                                static_cast<DWORD>(data.size()));
        }
        return SUCCEEDED(made) ? factory->CreateDecoderFromStream(
                                     stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder)
                               : made;
    });
}
