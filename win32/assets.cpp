#include "win32/assets.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "win32/resource_ids.h"
#include "win32/text.h"

namespace lumivar::win32 {
namespace {

// The resource that holds the bundled face of each design face.
constexpr std::array<int, 2> kFaceResources = {IDR_FONT_SONG, IDR_FONT_HEI};

int CALLBACK StopAtFirst(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metric*/, DWORD /*type*/,
                         LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Whether Windows has a font family of that name (installed fonts only:
// fonts registered from memory are never listed).
bool HasFamily(const std::wstring& family) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  if (family.size() >= LF_FACESIZE) return false;
  std::memcpy(query.lfFaceName, family.c_str(), (family.size() + 1) * sizeof(wchar_t));
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, StopAtFirst, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

std::uint32_t ReadU32(const std::byte* at) {
  return (std::to_integer<std::uint32_t>(at[0]) << 24) |
         (std::to_integer<std::uint32_t>(at[1]) << 16) |
         (std::to_integer<std::uint32_t>(at[2]) << 8) | std::to_integer<std::uint32_t>(at[3]);
}

std::uint16_t ReadU16(const std::byte* at) {
  return static_cast<std::uint16_t>((std::to_integer<unsigned>(at[0]) << 8) |
                                    std::to_integer<unsigned>(at[1]));
}

void WriteU16(std::byte* at, std::uint16_t value) {
  at[0] = static_cast<std::byte>(value >> 8);
  at[1] = static_cast<std::byte>(value & 0xFF);
}

void WriteU32(std::byte* at, std::uint32_t value) {
  WriteU16(at, static_cast<std::uint16_t>(value >> 16));
  WriteU16(at + 2, static_cast<std::uint16_t>(value & 0xFFFF));
}

// The OpenType checksum: the sum of the big-endian 32-bit words, the last
// one padded with zeros.
std::uint32_t Checksum(std::span<const std::byte> bytes) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 4) {
    std::array<std::byte, 4> word{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                std::min<std::size_t>(4, bytes.size() - i), word.begin());
    sum += ReadU32(word.data());
  }
  return sum;
}

// Gives an embedded subset the line height of the face it stands in for.
// GDI makes a line usWinAscent + usWinDescent high; in the Noto-derived
// subsets that is about 1.44 em, while SimSun's and SimHei's lines are one em
// high, and the design's boxes are sized for those: the taller line would
// start at the box's top and cut the glyphs off at its bottom. The ideographic
// em box (the typographic ascender and descender) becomes the line, and the
// checksums are brought up to date.
void UseEmBoxLines(std::span<std::byte> font) {
  if (font.size() < 12) return;
  const std::size_t tables = ReadU16(font.data() + 4);
  std::byte* os2 = nullptr;
  std::size_t os2_length = 0;
  std::byte* os2_record = nullptr;
  std::byte* head = nullptr;
  for (std::size_t i = 0; i < tables && 12 + 16 * (i + 1) <= font.size(); ++i) {
    std::byte* record = font.data() + 12 + 16 * i;
    const std::uint32_t offset = ReadU32(record + 8);
    const std::uint32_t length = ReadU32(record + 12);
    if (offset > font.size() || length > font.size() - offset) return;
    if (std::memcmp(record, "OS/2", 4) == 0 && length >= 78) {
      os2 = font.data() + offset;
      os2_length = length;
      os2_record = record;
    } else if (std::memcmp(record, "head", 4) == 0 && length >= 12) {
      head = font.data() + offset;
    }
  }
  if (os2 == nullptr || head == nullptr) return;
  const auto typo_ascender = static_cast<std::int16_t>(ReadU16(os2 + 68));
  const auto typo_descender = static_cast<std::int16_t>(ReadU16(os2 + 70));
  if (typo_ascender <= 0 || typo_descender > 0) return;
  WriteU16(os2 + 74, static_cast<std::uint16_t>(typo_ascender));    // usWinAscent
  WriteU16(os2 + 76, static_cast<std::uint16_t>(-typo_descender));  // usWinDescent
  WriteU32(os2_record + 4, Checksum({os2, os2_length}));
  WriteU32(head + 8, 0);
  WriteU32(head + 8, 0xB1B0AFBAU - Checksum(font));
}

}  // namespace

std::span<const std::byte> ResourceBytes(HINSTANCE instance, int id) {
  HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (info == nullptr) return {};
  HGLOBAL loaded = LoadResource(instance, info);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  return {static_cast<const std::byte*>(data), SizeofResource(instance, info)};
}

DesignFaces::~DesignFaces() {
  for (const Face& face : faces_) {
    if (face.embedded != nullptr) RemoveFontMemResourceEx(face.embedded);
  }
}

void DesignFaces::Load(HINSTANCE instance, std::initializer_list<ui::FontFace> designs) {
  for (const ui::FontFace design : designs) {
    Face& face = faces_.at(Index(design));
    const std::wstring chinese = Wide(ui::FamilyName(design));
    if (HasFamily(chinese) || HasFamily(Wide(ui::EnglishFamilyName(design)))) {
      face.family = chinese;
      face.charset = GB2312_CHARSET;
      continue;
    }
    const std::span<const std::byte> bytes =
        ResourceBytes(instance, kFaceResources.at(Index(design)));
    DWORD count = 0;
    // The embedded data is read-only; the line height is set in a copy.
    std::vector<std::byte> copy(bytes.begin(), bytes.end());
    UseEmBoxLines(copy);
    face.embedded =
        AddFontMemResourceEx(copy.data(), static_cast<DWORD>(copy.size()), nullptr, &count);
    // A subset is asked for by its own family name with the default character
    // set, so that finding it rests on that name alone, not on the code pages
    // it claims (Latin 1 and GB2312, which tools/make_assets.py sets).
    face.family = face.embedded != nullptr ? Wide(ui::Bundled(design).family) : chinese;
    face.charset = face.embedded != nullptr ? DEFAULT_CHARSET : GB2312_CHARSET;
  }
}

HFONT DesignFaces::Create(const ui::FontStyle& style, UINT dpi) const {
  const Face& face = faces_.at(Index(style.face));
  LOGFONTW font{};
  // Negative: the character height (the em), as a point size means it.
  font.lfHeight = -static_cast<LONG>(std::lround(style.point_size * dpi / 72.0));
  font.lfWeight = FW_BOLD;
  font.lfCharSet = face.charset;
  font.lfOutPrecision = OUT_TT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  const std::size_t units = std::min<std::size_t>(face.family.size(), LF_FACESIZE - 1);
  std::memcpy(font.lfFaceName, face.family.c_str(), units * sizeof(wchar_t));
  return CreateFontIndirectW(&font);
}

Picture::~Picture() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

bool Picture::Load(HINSTANCE instance, int id) {
  // A bitmap in the screen's format, stored uncompressed: no picture decoder
  // to load.
  bitmap_ = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
  BITMAP info{};
  if (bitmap_ == nullptr || GetObjectW(bitmap_, sizeof info, &info) == 0) return false;
  size_ = {info.bmWidth, info.bmHeight};
  return true;
}

void Picture::Draw(HDC dc, const RECT& target) const {
  if (bitmap_ == nullptr) return;
  HDC memory_dc = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory_dc, bitmap_);
  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  if (width == size_.cx && height == size_.cy) {
    BitBlt(dc, target.left, target.top, width, height, memory_dc, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, target.left, target.top, width, height, memory_dc, 0, 0, size_.cx, size_.cy,
               SRCCOPY);
  }
  SelectObject(memory_dc, old);
  DeleteDC(memory_dc);
}

}  // namespace lumivar::win32
