// SPDX-License-Identifier: MIT
// The pictures are the desktop's own progressive JPEGs, kept in the program's resources and
// decoded by the Windows Imaging Component, which every Windows has: no decoder of our own ships.
#include "windows/pictures.h"

#include <wincodec.h>

#include <algorithm>
#include <string>
#include <vector>

#include "windows/com.h"
#include "windows/dpi.h"

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

// The scales to look for, best first: the smallest that is large enough, then larger ones, then
// smaller ones, for a program whose resources lack some.
std::vector<int> ScalesFor(UINT dpi) {
  const int needed = std::clamp(
      (static_cast<int>(dpi) + static_cast<int>(kFormDpi) - 1) / static_cast<int>(kFormDpi), 1,
      kLargestPictureScale);
  std::vector<int> scales;
  for (int scale = needed; scale <= kLargestPictureScale; ++scale) scales.push_back(scale);
  for (int scale = needed - 1; scale >= 1; --scale) scales.push_back(scale);
  return scales;
}

struct PictureBytes {
  BYTE* bytes = nullptr;
  DWORD size = 0;
  int scale = 0;
};

PictureBytes FindPictureBytes(std::string_view name, UINT dpi) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  for (const int scale : ScalesFor(dpi)) {
    std::wstring resourceName(name.begin(), name.end());
    if (scale != 1) resourceName += L"_" + std::to_wstring(scale) + L"X";
    HRSRC resource = ::FindResourceW(module, resourceName.c_str(), MAKEINTRESOURCEW(10));  // RCDATA
    if (resource == nullptr) continue;
    auto* bytes = static_cast<BYTE*>(::LockResource(::LoadResource(module, resource)));
    const DWORD size = ::SizeofResource(module, resource);
    if (bytes != nullptr && size != 0) return {bytes, size, scale};
  }
  return {};
}

}  // namespace

LoadedPicture LoadPicture(std::string_view name, UINT dpi) {
  const PictureBytes source = FindPictureBytes(name, dpi);
  if (source.bytes == nullptr) return {};

  ComRef<IWICImagingFactory> factory;
  if (!StartCom() ||
      FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))))
    return {};
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromMemory(source.bytes, source.size)) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out())) ||
      FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return {};
  UINT sourceWidth = 0;
  UINT sourceHeight = 0;
  if (FAILED(converter->GetSize(&sourceWidth, &sourceHeight)) || sourceWidth == 0 ||
      sourceHeight == 0)
    return {};
  // The size the form's picture has at `dpi`, from the source's size at its scale.
  const auto atDpi = [&](UINT length) {
    const auto perScale = static_cast<unsigned long long>(kFormDpi) * source.scale;
    return static_cast<UINT>((length * static_cast<unsigned long long>(dpi) + perScale / 2) /
                             perScale);
  };
  const UINT width = std::max(1U, atDpi(sourceWidth));
  const UINT height = std::max(1U, atDpi(sourceHeight));
  IWICBitmapSource* pixelsFrom = converter.get();
  ComRef<IWICBitmapScaler> scaler;
  if (width != sourceWidth || height != sourceHeight) {
    if (FAILED(factory->CreateBitmapScaler(scaler.out())) ||
        FAILED(scaler->Initialize(converter.get(), width, height, WICBitmapInterpolationModeFant)))
      return {};
    pixelsFrom = scaler.get();
  }

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap == nullptr) return {};
  const UINT stride = width * 4;
  if (FAILED(
          pixelsFrom->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) {
    ::DeleteObject(bitmap);
    return {};
  }
  return {bitmap, source.scale};
}

}  // namespace qzd::windows
