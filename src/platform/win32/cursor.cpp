#include "platform/win32/cursor.h"

#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {
namespace {

constexpr int kSize = 32;
constexpr int kRadius = 3;
constexpr COLORREF kGrey = RGB(128, 128, 128);

// Paints the dot in `dot` on `background` into a new bitmap compatible with `dc`.
HBITMAP paintDot(HDC dc, HBITMAP bitmap, COLORREF background, COLORREF dot) {
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const RECT all{0, 0, kSize, kSize};
  HBRUSH backgroundBrush = CreateSolidBrush(background);
  FillRect(dc, &all, backgroundBrush);
  DeleteObject(backgroundBrush);
  HBRUSH dotBrush = CreateSolidBrush(dot);
  HGDIOBJ oldBrush = SelectObject(dc, dotBrush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  constexpr int c = kSize / 2;
  Ellipse(dc, c - kRadius, c - kRadius, c + kRadius + 1, c + kRadius + 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(dotBrush);
  SelectObject(dc, previous);
  return bitmap;
}

}  // namespace

HCURSOR createGreyDotCursor() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  // AND mask: 1 keeps the screen (transparent), 0 clears it where the dot goes. XOR colour:
  // black leaves the screen alone, grey paints the cleared dot.
  HBITMAP mask = paintDot(dc, CreateBitmap(kSize, kSize, 1, 1, nullptr), RGB(255, 255, 255), RGB(0, 0, 0));
  HBITMAP colour = paintDot(dc, CreateCompatibleBitmap(screen, kSize, kSize), RGB(0, 0, 0), kGrey);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);

  ICONINFO info{};
  info.fIcon = FALSE;
  info.xHotspot = kSize / 2;
  info.yHotspot = kSize / 2;
  info.hbmMask = mask;
  info.hbmColor = colour;
  HCURSOR cursor = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  if (!cursor) throwLastError("CreateIconIndirect");
  return cursor;
}

}  // namespace tessarin::platform::win32
