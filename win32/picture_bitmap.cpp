// Writes the window's picture as the bitmap lumivar.exe embeds
// (resources/images/portrait.bmp), decoded from the JPEG that stays its
// source (resources/images/portrait.jpg) by Windows' own picture decoder
// (OleLoadPicture), which the window used to load at start. Decoders round
// differently; made this way, the bitmap holds the very pixels the window
// showed before, and the program needs no decoder at run time.
//
//   picture_bitmap JPEG BMP           writes BMP
//   picture_bitmap --check JPEG BMP   exits 1 unless BMP is what it would write
//
// tools/make-picture-bitmap runs it under Wine.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

bool ReadFile(const char* path, Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.good() || in.eof();
}

IPicture* Decode(const Bytes& jpeg) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, jpeg.size());
  if (memory == nullptr) return nullptr;
  std::copy(jpeg.begin(), jpeg.end(), static_cast<std::uint8_t*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(jpeg.size()), FALSE, IID_IPicture,
                                        reinterpret_cast<void**>(&picture));
  stream->Release();
  return SUCCEEDED(loaded) ? picture : nullptr;
}

// The picture rendered at its own pixel size into a screen-compatible bitmap,
// as the window rendered it, then read back as a 24-bit bottom-up BMP file.
Bytes Render(IPicture* picture) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  // OLE gives the size in HIMETRIC (1/100 mm) as the image's pixels at the
  // screen's DPI: back to pixels with that same DPI.
  HDC screen = GetDC(nullptr);
  const SIZE size{MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), 2540),
                  MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
  HDC memory_dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory_dc, bitmap);
  picture->Render(memory_dc, 0, 0, size.cx, size.cy, 0, height, width, -height, nullptr);
  SelectObject(memory_dc, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = size.cx;
  info.biHeight = size.cy;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  // Lines of whole 32-bit words.
  const std::size_t stride = (static_cast<std::size_t>(size.cx) * 3 + 3) & ~std::size_t{3};
  const std::size_t pixels = stride * static_cast<std::size_t>(size.cy);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels);
  Bytes bmp(file.bfSize);
  std::memcpy(bmp.data(), &file, sizeof file);
  std::memcpy(bmp.data() + sizeof file, &info, sizeof info);
  const int lines =
      GetDIBits(memory_dc, bitmap, 0, static_cast<UINT>(size.cy), bmp.data() + file.bfOffBits,
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteDC(memory_dc);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return lines == size.cy ? bmp : Bytes{};
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 4 && std::string(argv[1]) == "--check";
  if (argc != 3 && !check) {
    std::fprintf(stderr, "usage: picture_bitmap [--check] JPEG BMP\n");
    return 2;
  }
  const char* jpeg_path = argv[check ? 2 : 1];
  const char* bmp_path = argv[check ? 3 : 2];
  Bytes jpeg;
  if (!ReadFile(jpeg_path, jpeg) || jpeg.empty()) {
    std::fprintf(stderr, "picture_bitmap: cannot read %s\n", jpeg_path);
    return 1;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IPicture* picture = Decode(jpeg);
  const Bytes bmp = picture != nullptr ? Render(picture) : Bytes{};
  if (picture != nullptr) picture->Release();
  CoUninitialize();
  if (bmp.empty()) {
    std::fprintf(stderr, "picture_bitmap: cannot decode %s\n", jpeg_path);
    return 1;
  }
  if (check) {
    Bytes committed;
    if (ReadFile(bmp_path, committed) && committed == bmp) return 0;
    std::fprintf(stderr, "picture_bitmap: %s is not %s as decoded (tools/make-picture-bitmap)\n",
                 bmp_path, jpeg_path);
    return 1;
  }
  std::ofstream out(bmp_path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  return out.good() ? 0 : 1;
}
