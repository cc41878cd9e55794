// The platform's accessible object of a control under the program's name for it.
#include "app/NamedAccessible.h"

#include <new>

namespace tembori {
namespace {

// The program's texts are Shift-JIS whatever the system's code page.
constexpr UINT kTextCodePage = 932;

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

}  // namespace

BSTR AccessibleText(const std::string& text) {
  const int length =
      MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  const BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(length > 0 ? length : 0));
  if (wide != nullptr && length > 0) {
    MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), wide, length);
  }
  return wide;
}

LRESULT NamedAccessible::Answer(HWND control, WPARAM flags, LPARAM objectId,
                                const std::string& name, bool toggle) {
  if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&standard))) ||
      standard == nullptr) {
    return 0;
  }
  const BSTR wide = AccessibleText(name);
  NamedAccessible* const named =
      wide != nullptr ? new (std::nothrow) NamedAccessible(standard, control, wide, toggle)
                      : nullptr;
  if (named == nullptr) {
    SysFreeString(wide);
    standard->Release();
    return 0;
  }
  // The reader's reference is taken by LresultFromObject; this one goes.
  const LRESULT result = LresultFromObject(IID_IAccessible, flags, named);
  named->Release();
  return result;
}

HRESULT NamedAccessible::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG NamedAccessible::AddRef() {
  return ++references_;
}

ULONG NamedAccessible::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT NamedAccessible::get_accName(VARIANT child, BSTR* name) {
  if (!IsSelf(child)) return standard_->get_accName(child, name);
  if (name == nullptr) return E_POINTER;
  *name = SysAllocString(name_);
  return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT NamedAccessible::get_accState(VARIANT child, VARIANT* state) {
  const HRESULT result = standard_->get_accState(child, state);
  if (toggle_ && SUCCEEDED(result) && IsSelf(child) && state != nullptr && state->vt == VT_I4) {
    // Asked at every call: the state changes while a reader holds the object.
    const bool pressed = SendMessageA(control_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    state->lVal = (state->lVal & ~STATE_SYSTEM_PRESSED) | (pressed ? STATE_SYSTEM_PRESSED : 0);
  }
  return result;
}

HRESULT NamedAccessible::GetTypeInfoCount(UINT* count) {
  return standard_->GetTypeInfoCount(count);
}

HRESULT NamedAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
  return standard_->GetTypeInfo(index, locale, info);
}

HRESULT NamedAccessible::GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                       DISPID* ids) {
  return standard_->GetIDsOfNames(id, names, count, locale, ids);
}

HRESULT NamedAccessible::Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                UINT* argumentError) {
  return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argumentError);
}

HRESULT NamedAccessible::get_accParent(IDispatch** parent) {
  return standard_->get_accParent(parent);
}

HRESULT NamedAccessible::get_accChildCount(long* count) {
  return standard_->get_accChildCount(count);
}

HRESULT NamedAccessible::get_accChild(VARIANT child, IDispatch** object) {
  return standard_->get_accChild(child, object);
}

HRESULT NamedAccessible::get_accValue(VARIANT child, BSTR* value) {
  return standard_->get_accValue(child, value);
}

HRESULT NamedAccessible::get_accDescription(VARIANT child, BSTR* description) {
  return standard_->get_accDescription(child, description);
}

HRESULT NamedAccessible::get_accRole(VARIANT child, VARIANT* role) {
  return standard_->get_accRole(child, role);
}

HRESULT NamedAccessible::get_accHelp(VARIANT child, BSTR* help) {
  return standard_->get_accHelp(child, help);
}

HRESULT NamedAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  return standard_->get_accHelpTopic(file, child, topic);
}

HRESULT NamedAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return standard_->get_accKeyboardShortcut(child, shortcut);
}

HRESULT NamedAccessible::get_accFocus(VARIANT* child) {
  return standard_->get_accFocus(child);
}

HRESULT NamedAccessible::get_accSelection(VARIANT* children) {
  return standard_->get_accSelection(children);
}

HRESULT NamedAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  return standard_->get_accDefaultAction(child, action);
}

HRESULT NamedAccessible::accSelect(long flags, VARIANT child) {
  return standard_->accSelect(flags, child);
}

HRESULT NamedAccessible::accLocation(long* left, long* top, long* width, long* height,
                                     VARIANT child) {
  return standard_->accLocation(left, top, width, height, child);
}

HRESULT NamedAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  return standard_->accNavigate(direction, start, end);
}

HRESULT NamedAccessible::accHitTest(long x, long y, VARIANT* child) {
  return standard_->accHitTest(x, y, child);
}

HRESULT NamedAccessible::accDoDefaultAction(VARIANT child) {
  return standard_->accDoDefaultAction(child);
}

HRESULT NamedAccessible::put_accName(VARIANT child, BSTR name) {
  return standard_->put_accName(child, name);
}

HRESULT NamedAccessible::put_accValue(VARIANT child, BSTR value) {
  return standard_->put_accValue(child, value);
}

}  // namespace tembori
