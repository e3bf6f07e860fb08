#include "ui/win32/win32_toolkit.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/dpi.h"
#include "ui/win32/win32_util.h"

namespace tavrel {
namespace {

// Resource numbers of the program's icon and logo, when the executable has them.
constexpr WORD kProgramIconId = 1;
constexpr WORD kLogoBitmapId = 101;
constexpr WORD kStockApplicationIcon = 32512;  // IDI_APPLICATION

constexpr COLORREF Rgb(BYTE red, BYTE green, BYTE blue) noexcept {
  return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) | (static_cast<COLORREF>(blue) << 16);
}

// DM_GETDEFID's answer: a control number and DC_HASDEFID.
LRESULT DefaultButton(int id) noexcept {
  return static_cast<LRESULT>((static_cast<DWORD>(DC_HASDEFID) << 16) | static_cast<WORD>(id));
}

HICON ProgramIcon() noexcept {
  if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), win32::ResourceId(kProgramIconId))) return icon;
  return LoadIconW(nullptr, win32::ResourceId(kStockApplicationIcon));
}

}  // namespace

void Win32Form::CustomizeClass(WNDCLASSEXW& windowClass) noexcept {
  windowClass.hIcon = ProgramIcon();
  windowClass.hIconSm = ProgramIcon();
}

Win32Form::Win32Form(Win32Toolkit& toolkit, const FormSpec& layout) : toolkit_(toolkit) {
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  if (!CreateHandle(WS_EX_CONTROLPARENT, kStyle, layout.caption.c_str(), nullptr)) return;
  alive_ = true;
  toolkit_.FormOpened();
  dpi_ = ReadWindowDpi(Handle());
  // Centred on the screen, with the client area the layout asks for.
  RECT rect{0, 0, Px(layout.clientWidth), Px(layout.clientHeight)};
  AdjustWindowRectEx(&rect, kStyle, FALSE, WS_EX_CONTROLPARENT);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(Handle(), nullptr, std::max(left, 0), std::max(top, 0), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Form::~Win32Form() {
  // While this object is whole: the window's last messages still reach it.
  DestroyHandle();
}

int Win32Form::Px(int twips) const noexcept { return TwipsToPixels(twips, dpi_); }

HFONT Win32Form::Font(const FontSpec& layout) {
  for (auto& [known, font] : fonts_) {
    if (known == layout) return static_cast<HFONT>(font.Get());
  }
  const std::wstring face(layout.face ? layout.face : L"Arial");
  HFONT font = CreateFontW(FontHeight(layout.hundredthsOfPoint, dpi_), 0, 0, 0, layout.bold ? FW_BOLD : FW_NORMAL,
                           FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
  fonts_.emplace_back(layout, UniqueGdiObject(font));
  return font;
}

HWND Win32Form::CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                            const TwipsRect& rect, const FontSpec& font, int extraHeight) {
  HWND child = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                               Px(rect.left), Px(rect.top), Px(rect.width), Px(rect.height) + extraHeight, Handle(),
                               win32::ChildId(nextId_++), GetModuleHandleW(nullptr), nullptr);
  if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(font)), FALSE);
  return child;
}

template <typename C>
C& Win32Form::Keep(std::unique_ptr<C> control) {
  C& kept = *control;
  children_.push_back(std::move(control));
  return kept;
}

void Win32Form::Show() {
  if (!alive_) return;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  // The first control in tab order holds the focus when the window opens.
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);
  UpdateWindow(Handle());
}

void Win32Form::Hide() {
  if (alive_) ShowWindow(Handle(), SW_HIDE);
}

void Win32Form::Unload() { DestroyHandle(); }

bool Win32Form::IsVisible() const { return alive_ && IsWindowVisible(Handle()); }

void Win32Form::SetOuterHeight(int twips) {
  if (!alive_) return;
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, Px(twips), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(Handle());
}

LabelControl& Win32Form::AddLabel(const TwipsRect& rect, const FontSpec& font, const std::wstring& text) {
  HWND child = CreateChild(L"STATIC", text, SS_LEFT | SS_NOPREFIX, 0, rect, font);
  // A label lies under every other control, as a text painted on the form
  // would: "Scan Type:" reaches under the combo box beside it.
  SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return Keep(std::make_unique<Win32Label>(child, alive_));
}

void Win32Form::AddDecoration(const TwipsRect& rect, Decoration kind) {
  decorations_.push_back({{Px(rect.left), Px(rect.top), Px(rect.left + rect.width), Px(rect.top + rect.height)}, kind});
  if (kind == Decoration::Logo && !logo_) {
    logo_.Reset(LoadImageW(GetModuleHandleW(nullptr), win32::ResourceId(kLogoBitmapId), IMAGE_BITMAP, 0, 0,
                           LR_CREATEDIBSECTION));
  }
}

ComboControl& Win32Form::AddCombo(const ComboSpec& layout) {
  // A combo box's window height includes its drop-down list.
  HWND child = CreateChild(L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, layout.rect,
                           layout.font, Px(layout.rect.height) * 4);
  return Keep(std::make_unique<Win32Combo>(child, alive_, layout));
}

ProgressControl& Win32Form::AddProgressBar(const TwipsRect& rect) {
  HWND child = CreateChild(PROGRESS_CLASSW, L"", 0, 0, rect, kArial825);
  return Keep(std::make_unique<Win32Progress>(child, alive_));
}

ButtonControl& Win32Form::AddPushButton(const ButtonSpec& layout) {
  HWND child = CreateChild(L"BUTTON", layout.caption, BS_PUSHBUTTON | WS_TABSTOP, 0, layout.rect, layout.font);
  return Keep(std::make_unique<Win32PushButton>(child, alive_));
}

ButtonControl& Win32Form::AddGradientButton(const GradientButtonSpec& layout) {
  const int id = nextId_++;
  auto button = toolkit_.gradientButtons_ ? toolkit_.gradientButtons_(Handle(), id, layout) : nullptr;
  // Without a window for it, a standard push button stands in: same caption,
  // click and mouse-press events.
  if (!button) return AddPushButton(layout.button);
  ButtonControl& control = button->Control();
  gradientButtons_.push_back(std::move(button));
  return control;
}

CheckedListControl& Win32Form::AddCheckedList(const TwipsRect& rect, const FontSpec& font) {
  constexpr DWORD kStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_USETABSTOPS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                           WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
  HWND child = CreateChild(L"LISTBOX", L"", kStyle, WS_EX_CLIENTEDGE, rect, font);
  return Keep(std::make_unique<Win32CheckedList>(child, alive_, Font(font)));
}

CheckBoxControl& Win32Form::AddCheckBox(const TwipsRect& rect, const FontSpec& font, const std::wstring& caption) {
  HWND child = CreateChild(L"BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, rect, font);
  return Keep(std::make_unique<Win32CheckBox>(child, alive_));
}

TimerControl& Win32Form::AddTimer(int intervalMilliseconds) {
  const auto id = static_cast<UINT_PTR>(nextId_++);
  timers_.push_back(
      std::make_unique<Win32Timer>(Handle(), alive_, id, static_cast<UINT>(std::max(intervalMilliseconds, 1))));
  return *timers_.back();
}

HWND Win32Form::FocusedChild() const {
  HWND focus = GetFocus();
  return focus && IsChild(Handle(), focus) ? focus : nullptr;
}

void Win32Form::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(Handle(), &paint);
  if (dc) {
    for (const auto& item : decorations_) DrawDecoration(dc, item);
  }
  EndPaint(Handle(), &paint);
}

void Win32Form::DrawDecoration(HDC dc, const DecorationItem& item) {
  const RECT& r = item.rect;
  switch (item.kind) {
    case Decoration::ProgramIcon:
      DrawIconEx(dc, r.left, r.top, ProgramIcon(), r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
      break;
    case Decoration::LogoBackdrop: {
      const UniqueGdiObject brush(CreateSolidBrush(Rgb(255, 255, 255)));
      FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
      break;
    }
    case Decoration::Logo: {
      BITMAP bitmap{};
      if (logo_ && GetObjectW(logo_.Get(), sizeof(bitmap), &bitmap)) {
        const MemoryDc memory(dc);
        const ScopedSelectObject select(memory.Get(), logo_.Get());
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.Get(), 0, 0, bitmap.bmWidth,
                   bitmap.bmHeight, SRCCOPY);
        break;
      }
      // No logo in the executable: a drawn stand-in, a shield-blue tile with the name.
      const UniqueGdiObject brush(CreateSolidBrush(Rgb(0x1f, 0x4e, 0x9a)));
      FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
      const ScopedSelectObject select(dc, Font({L"Arial", 1200, true}));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, Rgb(255, 255, 255));
      RECT text = r;
      DrawTextW(dc, L"Tavrel", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      break;
    }
  }
}

LRESULT Win32Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const auto source = reinterpret_cast<HWND>(lParam);
      for (auto& child : children_) {
        if (source && child->Window() == source) {
          child->Command(win32::HighWord(wParam));
          return 0;
        }
      }
      return 0;  // Enter and Esc with no button focused: the forms bind no keys
    }
    case DM_GETDEFID: {
      // Enter clicks the push button that has the focus, and nothing else.
      HWND focus = FocusedChild();
      if (focus && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) {
        return DefaultButton(GetDlgCtrlID(focus));
      }
      return DefaultButton(0);  // no button: Enter clicks nothing
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      for (auto& child : children_) {
        if (child->Window() == item->hwndItem) child->DrawItem(*item);
      }
      return TRUE;
    }
    case WM_TIMER:
      for (auto& timer : timers_) {
        if (timer->Id() == wParam) {
          timer->Tick();
          return 0;
        }
      }
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ACTIVATE:
      // Keep the focus where the user left it when the window comes back.
      if (win32::LowWord(wParam) == WA_INACTIVE) {
        lastFocus_ = FocusedChild();
      } else if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (OnFrameClose) {
        OnFrameClose();
      } else {
        Unload();
      }
      return 0;
    case WM_DESTROY:
      for (auto& timer : timers_) timer->SetEnabled(false);
      alive_ = false;
      toolkit_.FormClosed();
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

Win32Toolkit::Win32Toolkit(std::wstring applicationTitle, GradientButtonMaker gradientButtons)
    : applicationTitle_(std::move(applicationTitle)), gradientButtons_(std::move(gradientButtons)) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
}

std::unique_ptr<Form> Win32Toolkit::CreateForm(const FormSpec& layout) {
  return std::make_unique<Win32Form>(*this, layout);
}

void Win32Toolkit::ShowMessageBox(const std::wstring& text) {
  MessageBoxW(GetActiveWindow(), text.c_str(), applicationTitle_.c_str(), MB_OK);
}

void Win32Toolkit::FormClosed() noexcept {
  if (--openForms_ == 0) PostQuitMessage(0);
}

void Win32Toolkit::Dispatch(MSG& message) {
  // Tab, arrows, Space and Enter move between and act on a form's controls.
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (Win32Form::IsInstance(root) && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void Win32Toolkit::PumpPendingEvents() {
  // What waits now, and what those events post in turn, bounded so that a
  // flood of messages can never hold the scan's finish.
  constexpr int kMostMessages = 10000;
  MSG message{};
  for (int i = 0; i < kMostMessages && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the event loop
      return;
    }
    Dispatch(message);
  }
}

int Win32Toolkit::RunEventLoop() {
  if (openForms_ == 0) return 0;
  MSG message{};
  BOOL result = 0;
  while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) Dispatch(message);
  return result == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace tavrel
