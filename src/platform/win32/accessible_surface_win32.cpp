#include "platform/win32/accessible_surface_win32.h"

#include <oleacc.h>

#include <cmath>
#include <string>
#include <utility>

#include "platform/win32/counted_com_object.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

constexpr int kSelf = -1;
constexpr int kInvalid = -2;

LONG RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kDialog:
      return ROLE_SYSTEM_DIALOG;
    case AccessibleRole::kMenu:
      return ROLE_SYSTEM_MENUPOPUP;
    case AccessibleRole::kListItem:
      return ROLE_SYSTEM_LISTITEM;
    case AccessibleRole::kPushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kPageTab:
      return ROLE_SYSTEM_PAGETAB;
    case AccessibleRole::kMenuItem:
      return ROLE_SYSTEM_MENUITEM;
    case AccessibleRole::kSlider:
      return ROLE_SYSTEM_SLIDER;
    case AccessibleRole::kAlert:
      return ROLE_SYSTEM_ALERT;
  }
  return ROLE_SYSTEM_CLIENT;
}

HRESULT Text(const std::string& text, BSTR* out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocString(WideFromUtf8(text).c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, int item) {
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = item == kSelf ? CHILDID_SELF : item + 1;
}

}  // namespace

// The IAccessible itself. It lives on the UI thread (clients in other processes reach it
// through COM), and may outlive the window: a client can keep it as long as it likes.
class SurfaceAccessible final : public CountedComObject<IAccessible> {
 public:
  explicit SurfaceAccessible(HWND window) : window_(window) {}

  void Disconnect() {
    window_ = nullptr;
    view_ = {};
  }
  void SetView(const AccessibleView& view) { view_ = view; }

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }

  // IDispatch: no type information; clients call the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!window_) return RPC_E_DISCONNECTED;
    return AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    *count = static_cast<LONG>(view_.items.size());
    return window_ ? S_OK : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    // Items are simple elements: the client asks this object about them by child id.
    return ItemOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const int item = ItemOf(child);
    if (item == kInvalid) return E_INVALIDARG;
    return Text(item == kSelf ? view_.name : Item(item).name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    const int item = ItemOf(child);
    if (item == kInvalid) return E_INVALIDARG;
    if (item == kSelf || Item(item).value.empty()) {
      if (value) *value = nullptr;
      return DISP_E_MEMBERNOTFOUND;
    }
    return Text(Item(item).value, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return None(out); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const int item = ItemOf(child);
    if (!role) return E_POINTER;
    if (item == kInvalid) return E_INVALIDARG;
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = RoleOf(item == kSelf ? view_.role : Item(item).role);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const int item = ItemOf(child);
    if (!state) return E_POINTER;
    if (item == kInvalid) return E_INVALIDARG;
    VariantInit(state);
    state->vt = VT_I4;
    state->lVal = item == kSelf ? SelfState() : ItemState(item);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return None(out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (topic) *topic = 0;
    return None(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
    return None(out);
  }
  // The item the view focuses, even while the window itself is not the keyboard's (the
  // picker during a drag follows the pointer); else the window when it has the focus.
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    VariantInit(out);
    if (!window_) return RPC_E_DISCONNECTED;
    if (view_.Focused()) {
      SetChild(out, view_.focused);
    } else if (GetFocus() == window_) {
      SetChild(out, kSelf);
    } else {
      return S_FALSE;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!out) return E_POINTER;
    VariantInit(out);
    if (!view_.Focused()) return S_FALSE;
    SetChild(out, view_.focused);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* out) override { return None(out); }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (!x || !y || !width || !height) return E_POINTER;
    const int item = ItemOf(child);
    if (item == kInvalid) return E_INVALIDARG;
    if (!window_) return RPC_E_DISCONNECTED;
    RECT r{};
    if (item == kSelf) {
      GetWindowRect(window_, &r);
    } else {
      const Rect& rect = Item(item).rect;
      r = {std::lround(rect.x), std::lround(rect.y), std::lround(rect.Right()),
           std::lround(rect.Bottom())};
    }
    *x = r.left;
    *y = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
    if (!out) return E_POINTER;
    VariantInit(out);
    const int item = ItemOf(start);
    const int count = static_cast<int>(view_.items.size());
    if (item == kInvalid) return E_INVALIDARG;
    int to = kInvalid;
    if (item == kSelf) {
      if (direction == NAVDIR_FIRSTCHILD && count > 0) to = 0;
      if (direction == NAVDIR_LASTCHILD && count > 0) to = count - 1;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT || direction == NAVDIR_DOWN) {
      if (item + 1 < count) to = item + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT ||
               direction == NAVDIR_UP) {
      if (item > 0) to = item - 1;
    }
    if (to == kInvalid) return S_FALSE;
    SetChild(out, to);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
    if (!out) return E_POINTER;
    VariantInit(out);
    if (!window_) return RPC_E_DISCONNECTED;
    for (std::size_t i = 0; i < view_.items.size(); ++i) {
      const Rect& r = view_.items[i].rect;
      if (x >= r.x && x < r.Right() && y >= r.y && y < r.Bottom()) {
        SetChild(out, static_cast<int>(i));
        return S_OK;
      }
    }
    RECT window{};
    GetWindowRect(window_, &window);
    if (!PtInRect(&window, POINT{x, y})) return S_FALSE;
    SetChild(out, kSelf);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~SurfaceAccessible() override = default;

  // kSelf, an index into the items, or kInvalid.
  int ItemOf(const VARIANT& child) const {
    if (child.vt != VT_I4) return kInvalid;
    if (child.lVal == CHILDID_SELF) return kSelf;
    return child.lVal >= 1 && child.lVal <= static_cast<LONG>(view_.items.size())
               ? static_cast<int>(child.lVal - 1)
               : kInvalid;
  }
  const AccessibleItem& Item(int item) const { return view_.items[static_cast<std::size_t>(item)]; }
  static HRESULT None(BSTR* out) {
    if (out) *out = nullptr;
    return S_FALSE;
  }
  LONG SelfState() const {
    if (!window_) return STATE_SYSTEM_UNAVAILABLE;
    LONG state = STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window_) state |= STATE_SYSTEM_FOCUSED;
    if (!IsWindowVisible(window_)) state |= STATE_SYSTEM_INVISIBLE;
    return state;
  }
  LONG ItemState(int item) const {
    LONG state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (item == view_.focused) state |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
    if (Item(item).current) state |= STATE_SYSTEM_CHECKED;
    return state;
  }

  HWND window_;
  AccessibleView view_;
};

void AccessibleSurface::Attach(HWND window) {
  Detach();
  window_ = window;
  object_ = new SurfaceAccessible(window);
}

void AccessibleSurface::Detach() {
  if (object_) {
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
  }
  window_ = nullptr;
  view_ = {};
  described_ = false;
}

void AccessibleSurface::Describe(const AccessibleView& view) {
  if (!object_) return;
  const AccessibleView before = std::exchange(view_, view);
  object_->SetView(view);
  const bool first = !std::exchange(described_, true);
  if (!window_ || !IsWindowVisible(window_)) return;
  // Nothing has the focus on a message that shows by itself: screen readers hear of it as
  // an alert, the same message again too.
  if (view.role == AccessibleRole::kAlert) {
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window_, OBJID_CLIENT, CHILDID_SELF);
    return;
  }
  if (first || before.name != view.name) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
  }
  const AccessibleItem* now = view.Focused();
  if (!now) return;
  const AccessibleItem* was = before.Focused();
  const LONG child = view.focused + 1;
  if (first || !was || before.focused != view.focused || was->name != now->name) {
    NotifyWinEvent(GetFocus() == window_ ? EVENT_OBJECT_FOCUS : EVENT_OBJECT_SELECTION, window_,
                   OBJID_CLIENT, child);
  } else if (was->value != now->value) {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, child);
  }
}

bool AccessibleSurface::Answer(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!object_ || !described_ || static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
  result = LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(object_));
  return true;
}

}  // namespace tessary
