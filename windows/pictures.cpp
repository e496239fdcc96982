// SPDX-License-Identifier: MIT
// The pictures are the desktop's own progressive JPEGs, kept in the program's resources and
// decoded by the Windows Imaging Component, which every Windows has: no decoder of our own ships.
#include "windows/pictures.h"

#include <wincodec.h>

#include <string>

namespace qzd::windows {
namespace {

// Releases a COM object on every way out.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** out() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

}  // namespace

HBITMAP LoadPicture(std::string_view name) {
  const std::wstring resourceName(name.begin(), name.end());
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC resource = ::FindResourceW(module, resourceName.c_str(), MAKEINTRESOURCEW(10));  // RCDATA
  if (resource == nullptr) return nullptr;
  HGLOBAL loaded = ::LoadResource(module, resource);
  const DWORD size = ::SizeofResource(module, resource);
  auto* bytes = static_cast<BYTE*>(::LockResource(loaded));
  if (bytes == nullptr || size == 0) return nullptr;

  ComRef<IWICImagingFactory> factory;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))))
    return nullptr;
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromMemory(bytes, size)) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out())) ||
      FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return nullptr;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) return nullptr;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) {
    ::DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

}  // namespace qzd::windows
