// The accessible object of the calendar's client area.
#include "app/CalendarAccessible.h"

#include <string>

#include "app/CalendarWindow.h"
#include "framework/SystemLibrary.h"

namespace tembori {
namespace {

// The platform's accessibility library, and the one whose strings readers are given, loaded
// when a reader first asks: most starts never need them. Without them the window answers as
// any other, which no reader will miss, as none runs without them either.
SystemLibrary& AccessibilityLibrary() {
  static SystemLibrary library("oleacc.dll", SystemLibrary::Missing::Silent);
  return library;
}

SystemLibrary& AutomationLibrary() {
  static SystemLibrary library("oleaut32.dll", SystemLibrary::Missing::Silent);
  return library;
}

// The program's texts are Shift-JIS whatever the system's code page.
constexpr UINT kTextCodePage = 932;

// Null when out of memory or without the library of the strings.
BSTR AccessibleText(const std::string& text) {
  const int length =
      MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  static const auto allocate =
      AutomationLibrary().Function<decltype(&SysAllocStringLen)>("SysAllocStringLen");
  if (allocate == nullptr) return nullptr;
  const BSTR wide = allocate(nullptr, static_cast<UINT>(length > 0 ? length : 0));
  if (wide != nullptr && length > 0) {
    MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), wide, length);
  }
  return wide;
}

// VariantInit's work, without an import for it.
void Clear(VARIANT* variant) {
  variant->vt = VT_EMPTY;
}

void SetChild(VARIANT* variant, LONG child) {
  Clear(variant);
  variant->vt = VT_I4;
  variant->lVal = child;
}

RECT OnScreen(HWND window, RECT rect) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

std::optional<LRESULT> CalendarAccessible::ResultFor(WPARAM wParam) {
  static const auto result =
      AccessibilityLibrary().Function<decltype(&LresultFromObject)>("LresultFromObject");
  if (result == nullptr) return std::nullopt;
  return result(IID_IAccessible, wParam, this);
}

HRESULT CalendarAccessible::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CalendarAccessible::AddRef() {
  return ++references_;
}

ULONG CalendarAccessible::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT CalendarAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT CalendarAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}

HRESULT CalendarAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT CalendarAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) {
  return E_NOTIMPL;
}

LONG CalendarAccessible::LastChild() const {
  return ChildOfDay(window_->Calendar().DaysInMonth());
}

LONG CalendarAccessible::ChildOf(const VARIANT& child) const {
  if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > LastChild()) return -1;
  return child.lVal;
}

HRESULT CalendarAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  // The window's own object, which the platform makes for the frame around the client area.
  static const auto create = AccessibilityLibrary().Function<decltype(&CreateStdAccessibleObject)>(
      "CreateStdAccessibleObject");
  if (create == nullptr) return E_FAIL;
  return create(window_->Handle(), OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT CalendarAccessible::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  *count = LastChild();
  return S_OK;
}

// The heading and the days are simple elements of this object, with no object of their own.
HRESULT CalendarAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  const LONG id = ChildOf(child);
  return id > CHILDID_SELF ? S_FALSE : E_INVALIDARG;
}

HRESULT CalendarAccessible::TextOf(LONG child, bool description, BSTR* text) const {
  *text = nullptr;
  std::string value;
  if (child == kHeadingChild || (child == CHILDID_SELF && !description)) {
    if (!description) value = window_->HeadingText();
  } else if (child > kHeadingChild) {
    const int day = static_cast<int>(child - kHeadingChild);
    value = description ? window_->AccessibleDayDescription(day) : window_->AccessibleDayName(day);
  }
  if (value.empty()) return S_FALSE;
  *text = AccessibleText(value);
  return *text != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CalendarAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  const LONG id = ChildOf(child);
  if (id < 0) return E_INVALIDARG;
  return TextOf(id, false, name);
}

HRESULT CalendarAccessible::get_accValue(VARIANT, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CalendarAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  const LONG id = ChildOf(child);
  if (id < 0) return E_INVALIDARG;
  return TextOf(id, true, description);
}

HRESULT CalendarAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  Clear(role);
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  const LONG id = ChildOf(child);
  if (id < 0) return E_INVALIDARG;
  role->vt = VT_I4;
  role->lVal = id == CHILDID_SELF    ? ROLE_SYSTEM_TABLE
               : id == kHeadingChild ? ROLE_SYSTEM_STATICTEXT
                                     : ROLE_SYSTEM_CELL;
  return S_OK;
}

HRESULT CalendarAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  Clear(state);
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  const LONG id = ChildOf(child);
  if (id < 0) return E_INVALIDARG;
  const bool hasFocus = GetFocus() == window_->Handle();
  const LONG chosen = window_->CursorDay() != 0 ? ChildOfDay(window_->CursorDay()) : -1;
  LONG flags = 0;
  if (id == CHILDID_SELF) {
    flags = STATE_SYSTEM_FOCUSABLE | (hasFocus && chosen < 0 ? STATE_SYSTEM_FOCUSED : 0);
  } else if (id == kHeadingChild) {
    flags = STATE_SYSTEM_READONLY;
  } else {
    flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_READONLY;
    if (id == chosen) flags |= STATE_SYSTEM_SELECTED | (hasFocus ? STATE_SYSTEM_FOCUSED : 0);
  }
  state->vt = VT_I4;
  state->lVal = flags;
  return S_OK;
}

HRESULT CalendarAccessible::get_accHelp(VARIANT, BSTR* help) {
  if (help == nullptr) return E_POINTER;
  *help = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CalendarAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (file != nullptr) *file = nullptr;
  if (topic != nullptr) *topic = -1;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CalendarAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
  if (shortcut == nullptr) return E_POINTER;
  *shortcut = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CalendarAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  Clear(child);
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (GetFocus() != window_->Handle()) return S_FALSE;
  const int day = window_->CursorDay();
  SetChild(child, day != 0 ? ChildOfDay(day) : CHILDID_SELF);
  return S_OK;
}

HRESULT CalendarAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  Clear(children);
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  const int day = window_->CursorDay();
  if (day == 0) return S_FALSE;
  SetChild(children, ChildOfDay(day));
  return S_OK;
}

HRESULT CalendarAccessible::get_accDefaultAction(VARIANT, BSTR* action) {
  if (action == nullptr) return E_POINTER;
  *action = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CalendarAccessible::accSelect(long, VARIANT) {
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CalendarAccessible::accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
    return E_POINTER;
  }
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  const LONG id = ChildOf(child);
  if (id < 0) return E_INVALIDARG;
  RECT area{};
  if (id == CHILDID_SELF) {
    GetClientRect(window_->Handle(), &area);
  } else if (id == kHeadingChild) {
    area = window_->TitleRect();
  } else {
    area = ToWinRect(window_->CellOfDay(static_cast<int>(id - kHeadingChild)));
  }
  area = OnScreen(window_->Handle(), area);
  *left = area.left;
  *top = area.top;
  *width = area.right - area.left;
  *height = area.bottom - area.top;
  return S_OK;
}

// First and last child from the object itself; next and previous through the children in
// order; the arrows between the days of the grid, a day or a week apart.
HRESULT CalendarAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  Clear(end);
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  const LONG from = ChildOf(start);
  if (from < 0) return E_INVALIDARG;
  LONG to = -1;
  switch (direction) {
    case NAVDIR_FIRSTCHILD:
      if (from == CHILDID_SELF) to = kHeadingChild;
      break;
    case NAVDIR_LASTCHILD:
      if (from == CHILDID_SELF) to = LastChild();
      break;
    case NAVDIR_NEXT:
      if (from != CHILDID_SELF) to = from + 1;
      break;
    case NAVDIR_PREVIOUS:
      if (from != CHILDID_SELF) to = from - 1;
      break;
    case NAVDIR_RIGHT:
    case NAVDIR_LEFT:
    case NAVDIR_DOWN:
    case NAVDIR_UP:
      if (from > kHeadingChild) {
        const LONG step = direction == NAVDIR_RIGHT  ? 1
                          : direction == NAVDIR_LEFT ? -1
                          : direction == NAVDIR_DOWN ? 7
                                                     : -7;
        to = from + step > kHeadingChild ? from + step : -1;
      }
      break;
    default:
      return E_INVALIDARG;
  }
  if (to < kHeadingChild || to > LastChild()) return S_FALSE;
  SetChild(end, to);
  return S_OK;
}

HRESULT CalendarAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  Clear(child);
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  POINT point{x, y};
  ScreenToClient(window_->Handle(), &point);
  RECT client{};
  GetClientRect(window_->Handle(), &client);
  if (!PtInRect(&client, point)) return S_FALSE;
  const RECT& heading = window_->TitleRect();
  if (!window_->Frameless() && PtInRect(&heading, point)) {
    SetChild(child, kHeadingChild);
    return S_OK;
  }
  const int day = window_->DayFromPoint(FromWinPoint(point)).day;
  SetChild(child, day != 0 ? ChildOfDay(day) : CHILDID_SELF);
  return S_OK;
}

HRESULT CalendarAccessible::accDoDefaultAction(VARIANT) {
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CalendarAccessible::put_accName(VARIANT, BSTR) {
  return E_NOTIMPL;
}

HRESULT CalendarAccessible::put_accValue(VARIANT, BSTR) {
  return E_NOTIMPL;
}

}  // namespace tembori
