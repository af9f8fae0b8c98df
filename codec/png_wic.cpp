// The PNG back end of the Windows build: the Windows Imaging Component (the platform's codec
// library, which Wine provides too) decodes and encodes. Each call starts COM for its own length
// and leaves it as it found it.
#include <windows.h>
#include <wincodec.h>

#include <new>

#include "codec/png_codec.h"
#include "codec/png_common.h"

namespace {

// Holds one COM interface and releases it.
template <class T>
class Com {
public:
    Com() = default;
    ~Com()
    {
        if (p_ != nullptr) p_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

private:
    T* p_ = nullptr;
};

// COM for this thread while the object lives. A thread that already runs COM keeps its own
// apartment (RPC_E_CHANGED_MODE), which serves as well.
class ComSession {
public:
    ComSession() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComSession()
    {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;
    bool Ready() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

std::string HresultText(const char* what, HRESULT result)
{
    char text[96];
    wsprintfA(text, "%s failed (HRESULT 0x%08lX)", what, static_cast<unsigned long>(result));
    return text;
}

bool MakeFactory(IWICImagingFactory** factory)
{
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory)));
}

PngStatus Fail(PngStatus status, const std::string& text, DecodedPng* picture, std::string* detail)
{
    *picture = DecodedPng{};
    if (detail != nullptr) *detail = text;
    return status;
}

PngStatus Damaged(const char* what, HRESULT result, DecodedPng* picture, std::string* detail)
{
    const PngStatus status = result == E_OUTOFMEMORY ? PngStatus::kNoMemory : PngStatus::kDamaged;
    return Fail(status, HresultText(what, result), picture, detail);
}

// Bits of an index in the indexed pixel formats; 0 for every other format.
int IndexBits(const WICPixelFormatGUID& format)
{
    if (IsEqualGUID(format, GUID_WICPixelFormat1bppIndexed)) return 1;
    if (IsEqualGUID(format, GUID_WICPixelFormat2bppIndexed)) return 2;
    if (IsEqualGUID(format, GUID_WICPixelFormat4bppIndexed)) return 4;
    if (IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed)) return 8;
    return 0;
}

PngStatus DecodeIndexed(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, int bits, DecodedPng* picture,
                        std::string* detail)
{
    const int width = picture->width, height = picture->height;
    const UINT rowBytes = UINT((int64_t(width) * bits + 7) / 8);
    std::vector<uint8_t> packed(size_t(rowBytes) * size_t(height));
    HRESULT result = frame->CopyPixels(nullptr, rowBytes, UINT(packed.size()), packed.data());
    if (FAILED(result)) return Damaged("CopyPixels", result, picture, detail);
    picture->pixels.resize(size_t(width) * size_t(height));
    WidenIndices(packed.data(), rowBytes, width, height, bits, picture->pixels.data());

    Com<IWICPalette> palette;
    result = factory->CreatePalette(palette.Out());
    if (SUCCEEDED(result)) result = frame->CopyPalette(palette.Get());
    WICColor colors[kPaletteEntries] = {};
    UINT count = 0;
    if (SUCCEEDED(result)) result = palette->GetColors(kPaletteEntries, colors, &count);
    if (FAILED(result)) return Damaged("CopyPalette", result, picture, detail);
    picture->palette = Palette{};
    picture->paletteCount = int(count);
    for (UINT i = 0; i < count && i < kPaletteEntries; ++i) {
        RGBQUAD& entry = picture->palette.entries[i];  // WICColor is 0xAARRGGBB
        entry.rgbRed = BYTE(colors[i] >> 16);
        entry.rgbGreen = BYTE(colors[i] >> 8);
        entry.rgbBlue = BYTE(colors[i]);
        entry.rgbReserved = 0;
    }
    picture->indexed = true;
    return PngStatus::kOk;
}

PngStatus DecodeTrueColor(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, DecodedPng* picture,
                          std::string* detail)
{
    Com<IWICFormatConverter> converter;
    HRESULT result = factory->CreateFormatConverter(converter.Out());
    if (SUCCEEDED(result))
        result = converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
    if (FAILED(result)) return Damaged("the conversion to 32-bit BGRA", result, picture, detail);
    const UINT rowBytes = UINT(picture->width) * 4;
    picture->pixels.resize(size_t(rowBytes) * size_t(picture->height));
    result = converter->CopyPixels(nullptr, rowBytes, UINT(picture->pixels.size()), picture->pixels.data());
    if (FAILED(result)) return Damaged("CopyPixels", result, picture, detail);
    picture->blue = 0;
    picture->green = 1;
    picture->red = 2;
    picture->alpha = 3;
    picture->indexed = false;
    return PngStatus::kOk;
}

}  // namespace

PngStatus DecodePng(const uint8_t* data, size_t size, DecodedPng* picture, std::string* detail)
{
    *picture = DecodedPng{};
    if (!HasPngSignature(data, size)) return Fail(PngStatus::kNotPng, "", picture, detail);
    if (size > MAXDWORD) return Fail(PngStatus::kTooLarge, "", picture, detail);
    ComSession com;
    Com<IWICImagingFactory> factory;
    if (!com.Ready() || !MakeFactory(factory.Out()))
        return Fail(PngStatus::kNoCodec, "the Windows Imaging Component cannot be started", picture, detail);

    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    HRESULT result = factory->CreateStream(stream.Out());
    if (SUCCEEDED(result)) result = stream->InitializeFromMemory(const_cast<BYTE*>(data), DWORD(size));
    if (FAILED(result)) return Damaged("reading from memory", result, picture, detail);
    result = factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.Out());
    if (FAILED(result)) return Fail(PngStatus::kNoCodec, HresultText("the PNG decoder", result), picture, detail);
    result = decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand);
    if (SUCCEEDED(result)) result = decoder->GetFrame(0, frame.Out());
    if (FAILED(result)) return Damaged("decoding", result, picture, detail);

    UINT width = 0, height = 0;
    WICPixelFormatGUID format;
    result = frame->GetSize(&width, &height);
    if (SUCCEEDED(result)) result = frame->GetPixelFormat(&format);
    if (FAILED(result)) return Damaged("decoding", result, picture, detail);
    const int bits = IndexBits(format);
    const PngStatus sized = CheckDecodedSize(width, height, bits != 0);
    if (sized != PngStatus::kOk) return Fail(sized, "", picture, detail);
    picture->width = int(width);
    picture->height = int(height);

    try {
        const PngStatus status = bits != 0 ? DecodeIndexed(factory.Get(), frame.Get(), bits, picture, detail)
                                           : DecodeTrueColor(factory.Get(), frame.Get(), picture, detail);
        if (status != PngStatus::kOk) return status;
    } catch (const std::bad_alloc&) {
        return Fail(PngStatus::kNoMemory, "out of memory", picture, detail);
    }
    return PngStatus::kOk;
}

bool EncodeIndexedPng(const uint8_t* pixels, int width, int height, const Palette& palette,
                      std::vector<uint8_t>* png, std::string* error)
{
    if (width <= 0 || height <= 0) {
        *error = "a PNG cannot be empty";
        return false;
    }
    const int64_t bytes = int64_t(width) * height;
    if (bytes > MAXDWORD) {
        *error = "the picture is too large";
        return false;
    }
    ComSession com;
    Com<IWICImagingFactory> factory;
    if (!com.Ready() || !MakeFactory(factory.Out())) {
        *error = "the Windows Imaging Component cannot be started";
        return false;
    }
    Com<IStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    Com<IWICPalette> colors;
    const char* step = "creating the memory stream";
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, stream.Out());
    if (SUCCEEDED(result)) {
        step = "the PNG encoder";
        result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
    }
    if (SUCCEEDED(result)) result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(result)) result = encoder->CreateNewFrame(frame.Out(), options.Out());
    if (SUCCEEDED(result)) result = frame->Initialize(options.Get());
    if (SUCCEEDED(result)) result = frame->SetSize(UINT(width), UINT(height));
    WICPixelFormatGUID format = GUID_WICPixelFormat8bppIndexed;
    if (SUCCEEDED(result)) result = frame->SetPixelFormat(&format);
    if (SUCCEEDED(result) && !IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed)) result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(result)) {
        step = "the palette";
        WICColor table[kPaletteEntries];
        for (int i = 0; i < kPaletteEntries; ++i) {
            const RGBQUAD& c = palette.entries[i];
            const WICColor alpha = i == 0 ? 0u : 0xFF000000u;  // index 0 is the transparent color
            table[i] = alpha | (WICColor(c.rgbRed) << 16) | (WICColor(c.rgbGreen) << 8) | c.rgbBlue;
        }
        result = factory->CreatePalette(colors.Out());
        if (SUCCEEDED(result)) result = colors->InitializeCustom(table, kPaletteEntries);
        if (SUCCEEDED(result)) result = frame->SetPalette(colors.Get());
    }
    if (SUCCEEDED(result)) {
        step = "encoding";
        result = frame->WritePixels(UINT(height), UINT(width), UINT(bytes), const_cast<BYTE*>(pixels));
    }
    if (SUCCEEDED(result)) result = frame->Commit();
    if (SUCCEEDED(result)) result = encoder->Commit();
    STATSTG stat = {};
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(result)) result = stream->Stat(&stat, STATFLAG_NONAME);
    if (SUCCEEDED(result)) result = GetHGlobalFromStream(stream.Get(), &memory);
    if (FAILED(result)) {
        *error = HresultText(step, result);
        return false;
    }
    const void* start = GlobalLock(memory);
    if (start == nullptr) {
        *error = "out of memory";
        return false;
    }
    try {
        png->assign(static_cast<const uint8_t*>(start), static_cast<const uint8_t*>(start) + size_t(stat.cbSize.QuadPart));
    } catch (const std::bad_alloc&) {
        GlobalUnlock(memory);
        *error = "out of memory";
        return false;
    }
    GlobalUnlock(memory);
    return true;
}
