#include "platform/win32/toolbar_glyphs.h"

#include <initializer_list>

#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {
namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(32, 32, 32);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlue = RGB(0, 90, 170);
constexpr COLORREF kRed = RGB(200, 30, 30);
constexpr COLORREF kGold = RGB(225, 175, 0);
constexpr COLORREF kGreen = RGB(0, 130, 60);

// Pen and brush for the shapes drawn while it lives.
class Paint {
 public:
  Paint(HDC dc, COLORREF line, COLORREF fill, int width = 1)
      : dc_(dc), pen_(CreatePen(PS_SOLID, width, line)), brush_(CreateSolidBrush(fill)),
        oldPen_(SelectObject(dc, pen_)), oldBrush_(SelectObject(dc, brush_)) {}
  ~Paint() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  Paint(const Paint&) = delete;
  Paint& operator=(const Paint&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_;
  HGDIOBJ oldBrush_;
};

void polygon(HDC dc, std::initializer_list<POINT> points) {
  Polygon(dc, points.begin(), static_cast<int>(points.size()));
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void pointer(HDC dc) {
  Paint paint(dc, kInk, kPaper);
  polygon(dc, {{3, 1}, {3, 13}, {6, 10}, {8, 15}, {10, 14}, {8, 9}, {12, 9}});
}

void clock(HDC dc) {
  Paint paint(dc, kInk, kPaper);
  Ellipse(dc, 1, 1, 15, 15);
  line(dc, 8, 8, 8, 3);
  line(dc, 8, 8, 11, 10);
}

void greyDot(HDC dc) {
  Paint paint(dc, kInk, kGrey);
  Ellipse(dc, 4, 4, 12, 12);
}

void injectArrow(HDC dc) {
  {
    Paint box(dc, kInk, kPaper);
    Rectangle(dc, 2, 8, 14, 15);
  }
  Paint arrow(dc, kBlue, kBlue);
  Rectangle(dc, 7, 1, 9, 8);
  polygon(dc, {{4, 7}, {11, 7}, {8, 11}});
}

void eye(HDC dc) {
  {
    Paint white(dc, kInk, kPaper);
    Ellipse(dc, 1, 4, 15, 12);
  }
  Paint pupil(dc, kBlue, kBlue);
  Ellipse(dc, 6, 5, 10, 11);
}

void speaker(HDC dc) {
  {
    Paint body(dc, kInk, kInk);
    Rectangle(dc, 2, 6, 5, 10);
    polygon(dc, {{5, 6}, {9, 2}, {9, 13}, {5, 10}});
  }
  Paint waves(dc, kInk, kPaper);
  Arc(dc, 6, 4, 13, 12, 12, 4, 12, 12);
  Arc(dc, 6, 1, 16, 15, 15, 1, 15, 15);
}

void padlock(HDC dc) {
  {
    Paint shackle(dc, kInk, kPaper, 2);
    Arc(dc, 4, 1, 12, 12, 12, 6, 4, 6);
  }
  Paint body(dc, kInk, kGold);
  Rectangle(dc, 3, 7, 13, 15);
  Rectangle(dc, 8, 10, 9, 12);  // the keyhole
}

void circularArrows(HDC dc) {
  {
    Paint ring(dc, kGreen, kGreen, 2);
    Arc(dc, 2, 2, 14, 14, 14, 8, 2, 8);
    Arc(dc, 2, 2, 14, 14, 2, 8, 14, 8);
  }
  Paint heads(dc, kGreen, kGreen);
  polygon(dc, {{11, 7}, {15, 7}, {13, 10}});
  polygon(dc, {{1, 9}, {5, 9}, {3, 6}});
}

void cross(HDC dc) {
  Paint paint(dc, kRed, kRed, 3);
  line(dc, 3, 3, 13, 13);
  line(dc, 13, 3, 3, 13);
}

void pin(HDC dc) {
  Paint paint(dc, kInk, kBlue);
  Rectangle(dc, 2, 1, 14, 4);
  polygon(dc, {{8, 5}, {13, 10}, {10, 10}, {10, 15}, {6, 15}, {6, 10}, {3, 10}});
}

void scatteredStars(HDC dc) {
  Paint paint(dc, kInk, kInk);
  for (const POINT at : {POINT{2, 3}, POINT{9, 2}, POINT{5, 8}, POINT{12, 9}, POINT{3, 13}, POINT{10, 13}}) {
    Rectangle(dc, at.x, at.y, at.x + 3, at.y + 3);
  }
}

// Two arrows that cross, the usual picture of a shuffle.
void crossedArrows(HDC dc) {
  {
    Paint shafts(dc, kBlue, kBlue, 2);
    line(dc, 1, 12, 11, 4);
    line(dc, 1, 4, 11, 12);
  }
  Paint heads(dc, kBlue, kBlue);
  polygon(dc, {{10, 1}, {15, 3}, {12, 7}});
  polygon(dc, {{10, 15}, {15, 13}, {12, 9}});
}

// Three keys side by side above a straight arrow: the keys in their order.
void keysInOrder(HDC dc) {
  {
    Paint keys(dc, kInk, kPaper);
    for (const int left : {1, 6, 11}) Rectangle(dc, left, 1, left + 5, 7);
  }
  {
    Paint shaft(dc, kBlue, kBlue, 2);
    line(dc, 1, 11, 12, 11);
  }
  Paint head(dc, kBlue, kBlue);
  polygon(dc, {{11, 8}, {15, 11}, {11, 14}});
}

void letters(HDC dc, const wchar_t* text) {
  HFONT font = CreateFontW(-10, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBlue);
  RECT all{0, 0, kGlyphSize, kGlyphSize};
  DrawTextW(dc, text, -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

void frame(HDC dc) {
  Paint paint(dc, kInk, kPaper);
  Rectangle(dc, 3, 3, 13, 13);
}

void draw(HDC dc, std::u16string_view key) {
  if (key == u"Standard") return pointer(dc);
  if (key == u"Hover") return clock(dc);
  if (key == u"HideMouse") return greyDot(dc);
  if (key == u"Inject") return injectArrow(dc);
  if (key == u"ToggleMask") return eye(dc);
  if (key == u"Beep") return speaker(dc);
  if (key == u"KeepPassword") return padlock(dc);
  if (key == u"Refresh") return circularArrows(dc);
  if (key == u"Clear") return cross(dc);
  if (key == u"KeepOnTop") return pin(dc);
  if (key == u"Obsfucate") return scatteredStars(dc);
  if (key == u"ScrambleOnScreen") return crossedArrows(dc);
  if (key == u"ScrambleAll") return letters(dc, L"SA");
  if (key == u"Unscramble") return keysInOrder(dc);
  if (key == u"Dvorak") return letters(dc, L"D");
  frame(dc);
}

}  // namespace

int glyphPixels(UINT dpi) { return MulDiv(kGlyphSize, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

// All the pictures are drawn side by side into one bitmap and added to the list in one go: the
// system's device contexts, bitmaps and list insertions cost more than the drawing itself.
void addToolbarGlyphs(HIMAGELIST images, const std::vector<std::u16string_view>& keys, UINT dpi) {
  if (keys.empty()) return;
  const int pixels = glyphPixels(dpi);
  const int width = pixels * static_cast<int>(keys.size());
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, width, pixels);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, strip);
  const RECT all{0, 0, width, pixels};
  HBRUSH background = CreateSolidBrush(kTransparent);
  FillRect(dc, &all, background);
  DeleteObject(background);
  // The shapes are drawn on the 16-unit grid; the world transform scales lines, fills and text
  // and moves each picture to its place in the strip.
  SetGraphicsMode(dc, GM_ADVANCED);
  const float scale = static_cast<float>(pixels) / kGlyphSize;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const XFORM toPixels{scale, 0, 0, scale, static_cast<float>(pixels * static_cast<int>(i)), 0};
    SetWorldTransform(dc, &toPixels);
    // Each picture stays inside its own square, as it did in a bitmap of its own.
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, 0, 0, kGlyphSize, kGlyphSize);
    draw(dc, keys[i]);
  }
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  const int first = ImageList_AddMasked(images, strip, kTransparent);
  DeleteObject(strip);
  if (first < 0) throwLastError("ImageList_AddMasked");
}

}  // namespace tessarin::platform::win32
