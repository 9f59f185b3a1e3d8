// OLE drag and drop: what the data object offers, the automatic start from the selection, a
// whole drag over a text box of the same program, and a drag that only points.
#include <windowsx.h>

#include <functional>
#include <string>
#include <vector>

#include "fixture.h"
#include "platform/win32/data_object.h"

namespace tessarin::platform::win32 {
namespace {

FORMATETC textFormat(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The bytes a target gets for a format up to the terminating NUL character, or "refused".
std::string dataOf(IDataObject& data, CLIPFORMAT format) {
  FORMATETC wanted = textFormat(format);
  STGMEDIUM medium{};
  if (FAILED(data.GetData(&wanted, &medium))) return "refused";
  const std::size_t charSize = format == CF_UNICODETEXT ? 2 : 1;
  const auto* bytes = static_cast<const char*>(GlobalLock(medium.hGlobal));
  std::string copy;
  for (std::size_t at = 0; std::string(bytes + at, charSize) != std::string(charSize, '\0'); at += charSize) {
    copy.append(bytes + at, charSize);
  }
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  return copy;
}

TEST(DataObjectTest, OffersTheTextAsUnicodeAndAnsiOnly) {
  ComOwner<TextDataObject> data(new TextDataObject);
  static_cast<DragData&>(*data).setText(u"pa\u00DF");
  const std::string unicode = dataOf(*data, CF_UNICODETEXT);
  EXPECT_EQ(unicode, std::string("p\0a\0\xDF\0", 6));
  if (GetACP() == 1252) {
    EXPECT_EQ(dataOf(*data, CF_TEXT), "pa\xDF");
  }
  EXPECT_EQ(dataOf(*data, CF_HDROP), "refused");

  FORMATETC asked = textFormat(CF_TEXT);
  EXPECT_EQ(data->QueryGetData(&asked), S_OK);
  asked.tymed = TYMED_ISTREAM;
  EXPECT_EQ(data->QueryGetData(&asked), DV_E_FORMATETC);

  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
  FORMATETC listed[4];
  ULONG count = 0;
  formats->Next(4, listed, &count);
  formats->Release();
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(listed[0].cfFormat, CF_UNICODETEXT);
  EXPECT_EQ(listed[1].cfFormat, CF_TEXT);
}

TEST(DataObjectTest, ABlockATargetReleasesIsWipedBeforeItIsFreed) {
  ComOwner<TextDataObject> data(new TextDataObject);
  static_cast<DragData&>(*data).setText(u"wipe me, please");
  FORMATETC wanted = textFormat(CF_UNICODETEXT);
  STGMEDIUM medium{};
  ASSERT_EQ(data->GetData(&wanted, &medium), S_OK);
  ASSERT_NE(medium.pUnkForRelease, nullptr) << "the target's release must reach the data object";
  const SIZE_T size = GlobalSize(medium.hGlobal);
  void* const address = GlobalLock(medium.hGlobal);
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  // The freed block is read through the system, as another process reads it. The end of the
  // text is looked for: the heap may reuse a freed block's first bytes for its own lists.
  std::string after(size, '\0');
  ASSERT_TRUE(ReadProcessMemory(GetCurrentProcess(), address, after.data(), size, nullptr));
  EXPECT_EQ(after.find(std::string("p\0l\0e\0a\0s\0e\0", 12)), std::string::npos);
}

TEST(DataObjectTest, HeldBackTextIsGivenOnlyBetweenTheDropAndTheEndOfTheDrag) {
  ComOwner<TextDataObject> data(new TextDataObject);
  static_cast<DragData&>(*data).setText(u"only on drop", true);
  FORMATETC asked = textFormat(CF_UNICODETEXT);
  EXPECT_EQ(data->QueryGetData(&asked), S_OK) << "targets still see the format and accept the drag";
  EXPECT_EQ(dataOf(*data, CF_UNICODETEXT), "refused");
  EXPECT_EQ(dataOf(*data, CF_TEXT), "refused");
  EXPECT_FALSE(data->textTakenOnDrop());
  data->dropDecided();
  EXPECT_EQ(dataOf(*data, CF_TEXT), "only on drop");
  EXPECT_TRUE(data->textTakenOnDrop());
  data->dragEnded();
  EXPECT_EQ(dataOf(*data, CF_UNICODETEXT), "refused") << "a target that kept the data object gets nothing later";
}

TEST(DataObjectTest, TextThatIsNotHeldBackIsGivenUntilTheDragEnds) {
  ComOwner<TextDataObject> data(new TextDataObject);
  static_cast<DragData&>(*data).setText(u"abc");
  EXPECT_EQ(dataOf(*data, CF_TEXT), "abc");
  EXPECT_FALSE(data->textTakenOnDrop());
  data->dragEnded();
  EXPECT_EQ(dataOf(*data, CF_TEXT), "refused");
}

class DragTest : public Win32Test {
 protected:
  void SetUp() override {
    form = shownForm();
    source = &form->addTextBox({});
    source->setBounds({150, 150, 4500, 450});
    target = &form->addTextBox({});
    target->setBounds({150, 1500, 4500, 450});
  }
  // Puts the pointer over a control, so that a drag ends there at once: no button is held.
  static void pointAt(const Control& control) {
    const PixelRect rect = control.screenRect();
    SetCursorPos(static_cast<int>((rect.left + rect.right) / 2), static_cast<int>((rect.top + rect.bottom) / 2));
  }
  std::unique_ptr<Form> form;
  TextBox* source = nullptr;
  TextBox* target = nullptr;
};

TEST_F(DragTest, ADragOverAnotherTextBoxIsRefusedAndReportedAsReleased) {
  std::vector<DragOutcome> completed;
  source->onOleStartDrag = [&](DragData& data, long&) { data.setText(u"secret"); };
  source->onOleCompleteDrag = [&](const DragOutcome& outcome) { completed.push_back(outcome); };
  target->setText(u"kept");
  pointAt(*target);  // text boxes take no drops
  source->startDrag();
  ASSERT_EQ(completed.size(), 1u);
  EXPECT_TRUE(completed[0].released);
  EXPECT_EQ(completed[0].effect, 0);
  EXPECT_FALSE(completed[0].textTakenOnDrop);
  EXPECT_EQ(std::u16string(target->text().view()), u"kept");
}

// A drop target of this program that only counts what the drag does to it, and takes a copy.
class CountingDropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    ++entered;
    if (onEnter) onEnter();
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    ++left;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    ++dropped;
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  std::function<void()> onEnter;
  int entered = 0;
  int left = 0;
  int dropped = 0;
};

// The left button as this thread's keyboard state has it, which is what the drag loop reads.
void SetLeftButtonDown(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_LBUTTON] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

TEST_F(DragTest, ADragThatOnlyPointsPassesOverATargetAndDropsNothing) {
  ComOwner<CountingDropTarget> dropTarget(new CountingDropTarget);
  ASSERT_EQ(RegisterDragDrop(hwndOf(*target), dropTarget.get()), S_OK);
  std::vector<DragOutcome> completed;
  source->onOleStartDrag = [&](DragData& data, long&) { data.setPointingOnly(); };
  source->onOleCompleteDrag = [&](const DragOutcome& outcome) { completed.push_back(outcome); };
  // Held until the target has seen the drag come, then released over it.
  dropTarget->onEnter = [] { SetLeftButtonDown(false); };
  pointAt(*target);
  SetLeftButtonDown(true);
  source->startDrag();
  SetLeftButtonDown(false);
  RevokeDragDrop(hwndOf(*target));
  ASSERT_EQ(completed.size(), 1u);
  EXPECT_TRUE(completed[0].released) << "the release is what injection waits for";
  EXPECT_EQ(completed[0].effect, 0);
  EXPECT_GE(dropTarget->entered, 1) << "the target saw the drag come";
  EXPECT_EQ(dropTarget->left, dropTarget->entered) << "and leave";
  EXPECT_EQ(dropTarget->dropped, 0);
}

TEST_F(DragTest, AutomaticDragStartsFromAPressOnTheSelection) {
  source->setText(u"abcdef");
  source->setSelStart(1);
  source->setSelLength(3);
  int starts = 0;
  source->onOleStartDrag = [&](DragData&, long&) { ++starts; };
  const HWND window = hwndOf(*source);
  const LRESULT insideSelection = SendMessageW(window, EM_POSFROMCHAR, 2, 0);
  const int x = LOWORD(insideSelection) + 1;
  const int y = HIWORD(insideSelection) + 2;

  // Off: the edit takes the press and the selection goes.
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_EQ(source->selLength(), 0);

  source->setAutomaticDrag(true);
  source->setSelStart(1);
  source->setSelLength(3);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  EXPECT_EQ(source->selLength(), 3);  // held back from the edit
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_EQ(starts, 0);
  EXPECT_EQ(source->selStart(), 2);  // a click without a drag puts the caret there
  EXPECT_EQ(source->selLength(), 0);

  source->setSelStart(1);
  source->setSelLength(3);
  pointAt(*target);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 1, y));
  EXPECT_EQ(starts, 0);  // within the drag distance
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 20, y));
  EXPECT_EQ(starts, 1);
}

// A press is on the selection by its pixels, plain or masked: from the left edge of the first
// selected character to the right edge of the last, the last character of the text included
// (the edit gives no position after it).
TEST_F(DragTest, APressIsOnTheSelectionByThePixelsItsCharactersCover) {
  const HWND window = hwndOf(*source);
  const long tpp = form->twipsPerPixel();
  const auto xOf = [&](int index) { return static_cast<int>(static_cast<short>(LOWORD(SendMessageW(window, EM_POSFROMCHAR, index, 0)))); };
  for (const char16_t mask : {u'\0', u'*'}) {
    source->setPasswordChar(mask);
    source->setText(u"abcdee");
    const int y = HIWORD(SendMessageW(window, EM_POSFROMCHAR, 0, 0)) + 2;
    const auto on = [&](int start, int length, int x) {
      return source->isOnCharacters(start, length, static_cast<float>(x * tpp), static_cast<float>(y * tpp));
    };
    const int width = xOf(5) - xOf(4);  // "e", as wide as the last character
    ASSERT_GT(width, 2);
    EXPECT_TRUE(on(1, 3, xOf(1))) << "mask " << int(mask);
    EXPECT_TRUE(on(1, 3, xOf(3) + (xOf(4) - xOf(3)) * 3 / 4));
    EXPECT_FALSE(on(1, 3, xOf(1) - 1));
    EXPECT_FALSE(on(1, 3, xOf(4)));
    EXPECT_TRUE(on(4, 2, xOf(5) + width * 3 / 4)) << "the right quarter of the text's last character";
    EXPECT_TRUE(on(4, 2, xOf(5) + width - 1));
    EXPECT_FALSE(on(4, 2, xOf(5) + width));
    EXPECT_FALSE(on(1, 0, xOf(1))) << "nothing selected";
  }

  // A real press there starts the automatic drag.
  source->setPasswordChar(0);
  source->setAutomaticDrag(true);
  source->setSelStart(4);
  source->setSelLength(2);
  int starts = 0;
  source->onOleStartDrag = [&](DragData&, long&) { ++starts; };
  const int width = xOf(5) - xOf(4);
  const int x = xOf(5) + width * 3 / 4;
  const int y = HIWORD(SendMessageW(window, EM_POSFROMCHAR, 0, 0)) + 2;
  pointAt(*target);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  EXPECT_EQ(source->selLength(), 2) << "held back from the edit";
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x - 20, y));
  EXPECT_EQ(starts, 1);
}

}  // namespace
}  // namespace tessarin::platform::win32
