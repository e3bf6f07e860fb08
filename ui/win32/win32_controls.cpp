#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include "ui/win32/gdi.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/win32_util.h"

namespace tavrel {
namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK ChildSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR data) noexcept {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &ChildSubclassProc, id);
  try {
    if (auto handled = reinterpret_cast<Win32Child*>(data)->Subclassed(window, message, wParam, lParam)) {
      return *handled;
    }
  } catch (...) {
    // The event is lost; the default handling still runs.
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void Win32Child::Create(Win32Form& form) { Attach(form.CreateChild(placement_, L"")); }

void Win32Child::Subclass(HWND window) {
  SetWindowSubclass(window, &ChildSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void Win32Label::Create(Win32Form& form) {
  HWND window = form.CreateChild(Layout(), text_);
  // A label lies under every other control, as a text painted on the form
  // would: "Scan Type:" reaches under the combo box beside it.
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Attach(window);
}

void Win32Label::SetText(const std::wstring& text) {
  if (!Alive()) return;
  text_ = text;
  if (HasWindow()) SetWindowTextW(Window(), text.c_str());
}

std::wstring Win32Label::Text() const {
  if (!Alive()) return {};
  return HasWindow() ? win32::WindowText(Window()) : text_;
}

Win32Combo::Win32Combo(ChildLayout placement, const bool& alive, const ComboSpec& layout)
    : Win32Child(std::move(placement), alive), text_(layout.text), items_(layout.items) {}

void Win32Combo::Create(Win32Form& form) {
  HWND window = form.CreateChild(Layout(), L"");
  Attach(window);
  if (!window) return;
  for (const auto& item : items_) SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SetWindowTextW(window, text_.c_str());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(window, &info)) edit_ = info.hwndItem;
  Subclass(window);
  if (edit_) Subclass(edit_);
  if (locked_) ApplyLock();
}

std::wstring Win32Combo::Text() const {
  if (!Alive()) return {};
  return HasWindow() ? win32::WindowText(Window()) : text_;
}

void Win32Combo::SetLocked(bool locked) {
  locked_ = locked;
  if (HasWindow()) ApplyLock();
}

void Win32Combo::ApplyLock() const {
  if (edit_) SendMessageW(edit_, EM_SETREADONLY, locked_ ? TRUE : FALSE, 0);
  if (locked_) SendMessageW(Window(), CB_SHOWDROPDOWN, FALSE, 0);
}

void Win32Combo::Command(WORD notification) {
  if (locked_ && notification == CBN_DROPDOWN) PostMessageW(Window(), CB_SHOWDROPDOWN, FALSE, 0);
}

std::optional<LRESULT> Win32Combo::Subclassed(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (!locked_) return std::nullopt;
  // A locked combo keeps its text: no picking by keys, wheel or mouse.
  switch (message) {
    case WM_MOUSEWHEEL:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_CHAR:
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (wParam != VK_TAB) return 0;
      break;
    default:
      break;
  }
  return std::nullopt;
}

void Win32Progress::Create(Win32Form& form) {
  Win32Child::Create(form);
  if (!Window()) return;
  SendMessageW(Window(), PBM_SETRANGE32, 0, maximum_);
  SendMessageW(Window(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void Win32Progress::SetMaximum(int maximum) {
  if (!Alive()) return;
  maximum_ = maximum;
  if (HasWindow()) SendMessageW(Window(), PBM_SETRANGE32, 0, maximum);
}

void Win32Progress::SetPosition(int position) {
  if (!Alive()) return;
  position_ = position;
  if (!HasWindow()) return;
  SendMessageW(Window(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
  // The scan pumps no messages: paint the bar now so that it moves.
  UpdateWindow(Window());
}

void Win32PushButton::Create(Win32Form& form) {
  Attach(form.CreateChild(Layout(), caption_));
  if (Window()) Subclass(Window());
}

void Win32PushButton::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  if (HasWindow()) SetWindowTextW(Window(), caption.c_str());
}

std::wstring Win32PushButton::Caption() const { return caption_; }

void Win32PushButton::Command(WORD notification) {
  if (notification == BN_CLICKED && OnClick) OnClick();
}

std::optional<LRESULT> Win32PushButton::Subclassed(HWND, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (OnMouseDown) OnMouseDown();
      break;
    default:
      break;
  }
  return std::nullopt;
}

void Win32CheckBox::Create(Win32Form& form) { Attach(form.CreateChild(Layout(), caption_)); }

bool Win32CheckBox::IsChecked() const {
  return HasWindow() && SendMessageW(Window(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32CheckBox::Command(WORD notification) {
  if (notification == BN_CLICKED && OnClick) OnClick();
}

void Win32Timer::Attach(HWND form) {
  form_ = form;
  if (alive_ && enabled_ && form_) SetTimer(form_, id_, interval_, nullptr);
}

void Win32Timer::SetEnabled(bool enabled) {
  if (!alive_) return;
  if (form_ && enabled && !enabled_) SetTimer(form_, id_, interval_, nullptr);
  if (form_ && !enabled && enabled_) KillTimer(form_, id_);
  enabled_ = enabled;
}

void Win32Timer::Tick() {
  if (enabled_ && OnTick) OnTick();
}

void Win32CheckedList::Create(Win32Form& form) {
  font_ = form.Font(Layout().font);
  HWND window = form.CreateChild(Layout(), L"");
  Attach(window);
  if (!window) return;
  const WindowDc dc(window);
  if (dc.Get()) {
    const ScopedSelectObject select(dc.Get(), font_);
    // The list box's own measure of a dialog unit: a quarter of the font's
    // average character width.
    SIZE size{};
    constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextExtentPoint32W(dc.Get(), kAlphabet, 52, &size)) averageCharWidth_ = (size.cx / 26 + 1) / 2;
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc.Get(), &metrics)) itemHeight_ = metrics.tmHeight + 2;
  }
  SendMessageW(window, LB_SETITEMHEIGHT, 0, itemHeight_);
  Subclass(window);
  ApplyTabStops();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!Insert(rows_[i])) {
      rows_.resize(i);
      break;
    }
  }
}

int Win32CheckedList::CheckBoxSize() const noexcept { return itemHeight_ - 2; }

void Win32CheckedList::SetTabStops(const std::vector<int>& dialogUnits) {
  tabStopUnits_ = dialogUnits;
  if (HasWindow()) ApplyTabStops();
}

void Win32CheckedList::ApplyTabStops() {
  tabStopPixels_.clear();
  for (const int units : tabStopUnits_) tabStopPixels_.push_back(MulDiv(units, averageCharWidth_, 4));
  std::vector<INT> stops(tabStopUnits_.begin(), tabStopUnits_.end());
  SendMessageW(Window(), LB_SETTABSTOPS, stops.size(), stops.empty() ? 0 : reinterpret_cast<LPARAM>(stops.data()));
}

void Win32CheckedList::Redraw() {
  if (HasWindow()) InvalidateRect(Window(), nullptr, TRUE);
}

void Win32CheckedList::AddRow(const ListRow& row) {
  if (!Alive() || (HasWindow() && !Insert(row))) return;
  rows_.push_back(row);
}

bool Win32CheckedList::Insert(const ListRow& row) {
  const LRESULT index = SendMessageW(Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
  if (index < 0) return false;
  WidenScrollExtent(row.text);
  return true;
}

void Win32CheckedList::Clear() {
  rows_.clear();
  widestRow_ = 0;
  if (HasWindow()) SendMessageW(Window(), LB_RESETCONTENT, 0, 0);
}

ListRow Win32CheckedList::Row(std::size_t index) const {
  if (index >= rows_.size() || !Alive()) return {};
  return rows_[index];
}

void Win32CheckedList::WidenScrollExtent(const std::wstring& text) {
  const WindowDc dc(Window());
  if (!dc.Get()) return;
  const ScopedSelectObject select(dc.Get(), font_);
  const DWORD extent = GetTabbedTextExtentW(dc.Get(), text.c_str(), static_cast<int>(text.size()),
                                            static_cast<int>(tabStopPixels_.size()), tabStopPixels_.data());
  const int width = static_cast<int>(win32::LowWord(extent)) + CheckBoxSize() + 12;
  if (width > widestRow_) {
    widestRow_ = width;
    SendMessageW(Window(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestRow_), 0);
  }
}

void Win32CheckedList::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const std::size_t index = item.itemID;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

  const int box = CheckBoxSize();
  RECT boxRect{item.rcItem.left + 2, item.rcItem.top + 1, item.rcItem.left + 2 + box, item.rcItem.top + 1 + box};
  UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (index < rows_.size() && rows_[index].checked) state |= DFCS_CHECKED;
  DrawFrameControl(dc, &boxRect, DFC_BUTTON, state);

  const ListRow row = Row(index);
  const ScopedSelectObject select(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const int textLeft = boxRect.right + 4;
  TabbedTextOutW(dc, textLeft, item.rcItem.top + 1, row.text.c_str(), static_cast<int>(row.text.size()),
                 static_cast<int>(tabStopPixels_.size()), tabStopPixels_.empty() ? nullptr : tabStopPixels_.data(),
                 textLeft);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

void Win32CheckedList::Toggle(std::size_t index) {
  if (index >= rows_.size()) return;
  rows_[index].checked = !rows_[index].checked;
  RECT rect{};
  if (SendMessageW(Window(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
    InvalidateRect(Window(), &rect, FALSE);
  }
  if (OnCheckChanged) OnCheckChanged(index, rows_[index].checked);
}

std::optional<std::size_t> Win32CheckedList::RowAt(int x, int y) const {
  // LB_ITEMFROMPOINT answers in 16 bits, too few for a long list; every row has
  // the same height, so the row follows from the top row.
  RECT client{};
  if (!GetClientRect(Window(), &client) || !PtInRect(&client, POINT{x, y})) return std::nullopt;
  const LRESULT top = SendMessageW(Window(), LB_GETTOPINDEX, 0, 0);
  const LRESULT height = SendMessageW(Window(), LB_GETITEMHEIGHT, 0, 0);
  if (top < 0 || height <= 0) return std::nullopt;
  const std::size_t row = static_cast<std::size_t>(top) + static_cast<std::size_t>(y / height);
  return row < rows_.size() ? std::optional(row) : std::nullopt;
}

std::optional<LRESULT> Win32CheckedList::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      const std::optional<std::size_t> row = RowAt(win32::PointX(lParam), win32::PointY(lParam));
      // A press on a row's check box flips it; anywhere in the list it is a click.
      const int x = win32::PointX(lParam) + GetScrollPos(window, SB_HORZ);
      if (row && x < CheckBoxSize() + 4) Toggle(*row);
      if (OnClick) OnClick();
      return result;
    }
    case WM_VSCROLL: {
      // The thumb's position comes in 16 bits; the scroll bar keeps all 32.
      if (win32::LowWord(wParam) != SB_THUMBTRACK && win32::LowWord(wParam) != SB_THUMBPOSITION) return std::nullopt;
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(window, SB_VERT, &info)) {
        SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(info.nTrackPos), 0);
      }
      return 0;
    }
    case WM_KEYDOWN: {
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      const LRESULT current = SendMessageW(window, LB_GETCURSEL, 0, 0);
      if (wParam == VK_SPACE && current >= 0) Toggle(static_cast<std::size_t>(current));
      const bool moves = wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT ||
                         wParam == VK_HOME || wParam == VK_END || wParam == VK_SPACE;
      if (moves && OnClick) OnClick();
      return result;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace tavrel
