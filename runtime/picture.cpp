#include "picture.h"

#include <wincodec.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

#include "app.h"
#include "failure.h"
#include "memory_surface.h"

namespace rt {
namespace {

// Owns one COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    T** put() { return &p_; }

private:
    T* p_ = nullptr;
};

void Check(HRESULT hr, const char* what) {
    if (FAILED(hr)) throw Failure(what);
}

// A function of ole32, which is loaded with the first picture rather than
// imported: a program that shows no picture uses no COM, and an import would
// have the loader map ole32 and its own DLLs at every start.
HMODULE Ole32Module() {
    // Never freed before the program ends: the imaging component needs it.
    static const UniqueModule ole32(::LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    return ole32.get();
}

template <class F>
F Ole32(const char* name) {
    const FARPROC found = Ole32Module() ? ::GetProcAddress(Ole32Module(), name) : nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(found));
}

// An object of the imaging component; COM starts on this thread with the first.
// The program's one user-interface thread is the only one that decodes.
HRESULT CreateInstance(REFCLSID type, REFIID iid, void** object) {
    static const auto create = [] {
        const auto initialize = Ole32<decltype(&::CoInitializeEx)>("CoInitializeEx");
        if (initialize) initialize(nullptr, COINIT_APARTMENTTHREADED);
        return Ole32<decltype(&::CoCreateInstance)>("CoCreateInstance");
    }();
    if (!create) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    return create(type, nullptr, CLSCTX_INPROC_SERVER, iid, object);
}

IWICImagingFactory& Factory() {
    static ComPtr<IWICImagingFactory> factory = [] {
        ComPtr<IWICImagingFactory> f;
        Check(CreateInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory, reinterpret_cast<void**>(f.put())),
              "the imaging component is not available");
        return f;
    }();
    return *factory.get();
}

// The program's pictures are GIFs: their decoder is made directly, rather
// than the imaging component asking each decoder it knows whether it reads the
// bytes, which under Wine costs more than the decoding itself.
ComPtr<IWICBitmapDecoder> Decoder(IWICStream* stream, const void* bytes, std::size_t size) {
    ComPtr<IWICBitmapDecoder> decoder;
    if (size >= 4 && std::memcmp(bytes, "GIF8", 4) == 0) {
        Check(CreateInstance(CLSID_WICGifDecoder, IID_IWICBitmapDecoder, reinterpret_cast<void**>(decoder.put())),
              "the picture cannot be decoded");
        Check(decoder->Initialize(stream, WICDecodeMetadataCacheOnDemand), "the picture cannot be decoded");
    } else {
        Check(Factory().CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder.put()),
              "the picture cannot be decoded");
    }
    return decoder;
}

}  // namespace

Picture Picture::FromMemory(const void* bytes, std::size_t size) {
    if (size > MAXDWORD) throw Failure("the picture is too large");  // a stream takes a 32-bit size
    ComPtr<IWICStream> stream;
    Check(Factory().CreateStream(stream.put()), "no picture stream");
    Check(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), static_cast<DWORD>(size)),
          "no picture stream");
    const ComPtr<IWICBitmapDecoder> decoder = Decoder(stream.get(), bytes, size);
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.put()), "the picture has no image");
    ComPtr<IWICFormatConverter> converter;
    Check(Factory().CreateFormatConverter(converter.put()), "no picture converter");
    Check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                WICBitmapPaletteTypeCustom),
          "the picture cannot be converted");
    UINT width = 0, height = 0;
    Check(converter->GetSize(&width, &height), "the picture has no size");
    // The pixels are copied in one call that counts their bytes in 32 bits.
    const std::uint64_t pixelBytes = std::uint64_t{width} * height * 4;
    if (pixelBytes > UINT_MAX) throw Failure("the picture is too large");

    // Not make_shared, whose one allocation brings a library module and its locks into the programs.
    std::shared_ptr<Data> data(new Data);
    data->bitmap = CreateTopDownDib(static_cast<int>(width), static_cast<int>(height), &data->bits);
    if (!data->bitmap) throw Failure("no memory for the picture");
    Check(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixelBytes), reinterpret_cast<BYTE*>(data->bits)),
          "the picture cannot be read");
    data->width = static_cast<int>(width);
    data->height = static_cast<int>(height);
    // GDI ignores the alpha byte of a plain 32-bit DIB; clear it so pixels compare as colours.
    for (std::size_t i = 0, n = std::size_t{width} * height; i < n; ++i) data->bits[i] &= 0x00FFFFFFu;

    Picture picture;
    picture.data_ = std::move(data);
    return picture;
}

Picture Picture::FromResource(int id) {
    const std::span<const std::byte> bytes = ProgramResource(static_cast<WORD>(id), RT_RCDATA);
    if (bytes.empty()) throw Failure("the picture resource is missing");
    return FromMemory(bytes.data(), bytes.size());
}

void Picture::Draw(HDC dc, int x, int y) const {
    if (!data_) return;
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectObjectScope select(source.get(), data_->bitmap.get());
    ::BitBlt(dc, x, y, data_->width, data_->height, source.get(), 0, 0, SRCCOPY);
}

}  // namespace rt
