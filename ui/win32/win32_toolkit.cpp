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

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HICON ProgramIcon() noexcept {
  if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), win32::ResourceId(kProgramIconId))) return icon;
  return LoadIconW(nullptr, win32::ResourceId(kStockApplicationIcon));
}

// A gradient button before its form is shown keeps its caption; once made it
// is the maker's button, or a standard push button when the maker has none,
// and passes their events on.
class Win32GradientSlot final : public ButtonControl, public Win32Child {
 public:
  Win32GradientSlot(ChildLayout placement, const bool& alive, const GradientButtonSpec& layout)
      : Win32Child(std::move(placement), alive), layout_(layout), caption_(layout.button.caption) {}

  void Create(Win32Form& form) override {
    gradient_ = form.MakeGradientButton(Layout().id, layout_);
    if (gradient_) {
      made_ = &gradient_->Control();
    } else {
      standard_ = std::make_unique<Win32PushButton>(Layout(), AliveFlag(), caption_);
      standard_->Create(form);
      Attach(standard_->Window());  // its notifications come here
      made_ = standard_.get();
    }
    made_->OnClick = [this] {
      if (OnClick) OnClick();
    };
    made_->OnMouseDown = [this] {
      if (OnMouseDown) OnMouseDown();
    };
    if (made_->Caption() != caption_) made_->SetCaption(caption_);
  }
  void SetCaption(const std::wstring& caption) override {
    caption_ = caption;
    if (made_) made_->SetCaption(caption);
  }
  [[nodiscard]] std::wstring Caption() const override { return made_ ? made_->Caption() : caption_; }
  void Command(WORD notification) override {
    if (standard_) standard_->Command(notification);
  }

 private:
  GradientButtonSpec layout_;
  std::wstring caption_;
  std::unique_ptr<Win32OwnedButton> gradient_;
  std::unique_ptr<Win32PushButton> standard_;
  ButtonControl* made_ = nullptr;
};

}  // namespace

void Win32Form::CustomizeClass(WNDCLASSEXW& windowClass) noexcept {
  windowClass.hIcon = ProgramIcon();
  windowClass.hIconSm = ProgramIcon();
}

Win32Form::Win32Form(Win32Toolkit& toolkit, const FormSpec& layout) : toolkit_(toolkit), layout_(layout) {
  toolkit_.FormOpened();
}

Win32Form::~Win32Form() {
  // While this object is whole: the window's last messages still reach it.
  Unload();
}

void Win32Form::CreateWindows() {
  toolkit_.FirstWindow();
  if (!CreateHandle(WS_EX_CONTROLPARENT, kFormStyle, layout_.caption.c_str(), nullptr)) {
    Close();  // a form that cannot be made is gone
    return;
  }
  dpi_ = ReadWindowDpi(Handle());
  // Centred on the screen, with the client area the layout asks for.
  RECT rect{0, 0, Px(layout_.clientWidth), Px(layout_.clientHeight)};
  AdjustWindowRectEx(&rect, kFormStyle, FALSE, WS_EX_CONTROLPARENT);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(Handle(), nullptr, std::max(left, 0), std::max(top, 0), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  const bool hasLogo = std::any_of(decorations_.begin(), decorations_.end(),
                                   [](const DecorationItem& item) { return item.kind == Decoration::Logo; });
  if (hasLogo) {
    logo_.Reset(LoadImageW(GetModuleHandleW(nullptr), win32::ResourceId(kLogoBitmapId), IMAGE_BITMAP, 0, 0,
                           LR_CREATEDIBSECTION));
  }
  // In tab order, as they were added.
  for (auto& child : children_) child->Create(*this);
  for (auto& timer : timers_) timer->Attach(Handle());
  ApplyOuterHeight();
}

void Win32Form::Close() noexcept {
  if (!alive_) return;
  for (auto& timer : timers_) timer->SetEnabled(false);
  alive_ = false;
  toolkit_.FormClosed();
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

HWND Win32Form::CreateChild(const ChildLayout& placement, const std::wstring& text) {
  const TwipsRect& rect = placement.rect;
  const int extraHeight = Px(rect.height) * placement.dropDownHeights;
  HWND child = CreateWindowExW(placement.exStyle, placement.className, text.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | placement.style, Px(rect.left), Px(rect.top),
                               Px(rect.width), Px(rect.height) + extraHeight, Handle(), win32::ChildId(placement.id),
                               GetModuleHandleW(nullptr), nullptr);
  if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(placement.font)), FALSE);
  return child;
}

std::unique_ptr<Win32OwnedButton> Win32Form::MakeGradientButton(int id, const GradientButtonSpec& layout) {
  return toolkit_.gradientButtons_ ? toolkit_.gradientButtons_(Handle(), id, layout) : nullptr;
}

ChildLayout Win32Form::Placement(const wchar_t* className, DWORD style, const TwipsRect& rect, const FontSpec& font) {
  return {.className = className, .style = style, .rect = rect, .font = font, .id = nextId_++};
}

template <typename C>
C& Win32Form::Keep(std::unique_ptr<C> control) {
  C& kept = *control;
  children_.push_back(std::move(control));
  return kept;
}

void Win32Form::Show() {
  if (!alive_) return;
  if (!Handle()) CreateWindows();
  if (!Handle()) return;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  // The first control in tab order holds the focus when the window opens.
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);
  UpdateWindow(Handle());
}

void Win32Form::Hide() {
  if (alive_ && Handle()) ShowWindow(Handle(), SW_HIDE);
}

void Win32Form::Unload() {
  if (Handle()) {
    DestroyHandle();  // WM_DESTROY closes the form
  } else {
    Close();
  }
}

bool Win32Form::IsVisible() const { return alive_ && Handle() && IsWindowVisible(Handle()); }

void Win32Form::SetOuterHeight(int twips) {
  if (!alive_) return;
  outerHeight_ = twips;
  ApplyOuterHeight();
}

void Win32Form::ApplyOuterHeight() {
  if (!outerHeight_ || !Handle()) return;
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, Px(*outerHeight_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(Handle());
}

LabelControl& Win32Form::AddLabel(const TwipsRect& rect, const FontSpec& font, const std::wstring& text) {
  return Keep(std::make_unique<Win32Label>(Placement(L"STATIC", SS_LEFT | SS_NOPREFIX, rect, font), alive_, text));
}

void Win32Form::AddDecoration(const TwipsRect& rect, Decoration kind) { decorations_.push_back({rect, kind}); }

ComboControl& Win32Form::AddCombo(const ComboSpec& layout) {
  ChildLayout placement =
      Placement(L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, layout.rect, layout.font);
  placement.dropDownHeights = 4;  // a combo box's window height includes its drop-down list
  return Keep(std::make_unique<Win32Combo>(std::move(placement), alive_, layout));
}

ProgressControl& Win32Form::AddProgressBar(const TwipsRect& rect) {
  return Keep(std::make_unique<Win32Progress>(Placement(PROGRESS_CLASSW, 0, rect, kArial825), alive_));
}

ButtonControl& Win32Form::AddPushButton(const ButtonSpec& layout) {
  return Keep(std::make_unique<Win32PushButton>(
      Placement(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, layout.rect, layout.font), alive_, layout.caption));
}

ButtonControl& Win32Form::AddGradientButton(const GradientButtonSpec& layout) {
  const ButtonSpec& button = layout.button;
  return Keep(std::make_unique<Win32GradientSlot>(
      Placement(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, button.rect, button.font), alive_, layout));
}

CheckedListControl& Win32Form::AddCheckedList(const TwipsRect& rect, const FontSpec& font) {
  constexpr DWORD kStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_USETABSTOPS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                           WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
  ChildLayout placement = Placement(L"LISTBOX", kStyle, rect, font);
  placement.exStyle = WS_EX_CLIENTEDGE;
  return Keep(std::make_unique<Win32CheckedList>(std::move(placement), alive_));
}

CheckBoxControl& Win32Form::AddCheckBox(const TwipsRect& rect, const FontSpec& font, const std::wstring& caption) {
  return Keep(
      std::make_unique<Win32CheckBox>(Placement(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, rect, font), alive_, caption));
}

TimerControl& Win32Form::AddTimer(int intervalMilliseconds) {
  const auto id = static_cast<UINT_PTR>(nextId_++);
  timers_.push_back(std::make_unique<Win32Timer>(alive_, id, static_cast<UINT>(std::max(intervalMilliseconds, 1))));
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
  const TwipsRect& twips = item.rect;
  const RECT r{Px(twips.left), Px(twips.top), Px(twips.left + twips.width), Px(twips.top + twips.height)};
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
      Close();
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

Win32Toolkit::Win32Toolkit(std::wstring applicationTitle, GradientButtonMaker gradientButtons)
    : applicationTitle_(std::move(applicationTitle)), gradientButtons_(std::move(gradientButtons)) {}

void Win32Toolkit::FirstWindow() noexcept {
  if (windowsMade_) return;
  windowsMade_ = true;
  // The first call into comctl32 loads it, as the manifest's version 6.
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
  // Without a window ever made no event loop can be waiting for the quit.
  if (--openForms_ == 0 && windowsMade_) PostQuitMessage(0);
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
  // Nothing can wait before the first window, and asking would load user32.
  if (!windowsMade_) return;
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
