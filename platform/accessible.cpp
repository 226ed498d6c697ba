#include "platform/accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <memory>

#include "platform/system_library.h"

namespace {

// Defined here: in a static link the import library's IID_IAccessible is a jump thunk, not the IID.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const IID kIidAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
const CLSID kClsidAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
const GUID kPropidAccName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
const GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
const long kLivePolite = 1;
const UINT_PTR kNameSubclass = 0x4e41;
const char kLiveRegionMark[] = "PavraLiveRegion";
const char kNameProp[] = "PavraAccessibleName";

using CreateStdObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using SysAllocStringLenFn = BSTR(WINAPI*)(const OLECHAR*, UINT);

// The thread that answers a screen reader's calls from another process lives in an apartment.
void EnterApartment() {
    thread_local bool entered = false;
    if (!entered)
        entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

BSTR NewBstr(const std::wstring& text) {
    static const auto alloc = SystemFunction<SysAllocStringLenFn>("oleaut32.dll", "SysAllocStringLen");
    return alloc ? alloc(text.c_str(), static_cast<UINT>(text.size())) : nullptr;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's object for the client area, with the facts put over it.
class FactsAccessible final : public IAccessible {
public:
    FactsAccessible(IAccessible* inner, AccessibleFacts facts) : inner_(inner), facts_(std::move(facts)) {}
    ~FactsAccessible() { inner_->Release(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(riid, kIidAccessible) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, IID_IUnknown)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The window and the children come from the system's object.
        if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IEnumVARIANT))
            return inner_->QueryInterface(riid, out);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG refs = InterlockedDecrement(&refs_);
        if (!refs)
            delete this;
        return static_cast<ULONG>(refs);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return inner_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return inner_->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return inner_->GetIDsOfNames(riid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
        return inner_->Invoke(id, riid, lcid, flags, params, result, exception, argError);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return inner_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return inner_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return inner_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child) || facts_.name.empty())
            return inner_->get_accName(child, name);
        return Give(facts_.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child) || !facts_.value)
            return inner_->get_accValue(child, value);
        return Give(facts_.value(), value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return inner_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || !facts_.role)
            return inner_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = facts_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        HRESULT result = inner_->get_accState(child, state);
        if (IsSelf(child) && SUCCEEDED(result) && state->vt == VT_I4)
            state->lVal |= facts_.state;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return inner_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return inner_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return inner_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return inner_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return inner_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return inner_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* width, long* height,
                                          VARIANT child) override {
        return inner_->accLocation(x, y, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return inner_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return inner_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    static HRESULT Give(const std::wstring& text, BSTR* out) {
        if (!out)
            return E_POINTER;
        *out = NewBstr(text);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    IAccessible* inner_;
    AccessibleFacts facts_;
    LONG refs_ = 1;
};

// The system's annotation service, made once for the thread; null where there is none.
IAccPropServices* PropServices() {
    thread_local IAccPropServices* services = [] {
        EnterApartment();
        IAccPropServices* made = nullptr;
        if (FAILED(CoCreateInstance(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIidAccPropServices,
                                    reinterpret_cast<void**>(&made))))
            made = nullptr;
        return made;
    }();
    return services;
}

// Names given through the annotation service; false where it cannot (Wine's is a stub).
bool AnnotateName(HWND control, const std::wstring& name) {
    IAccPropServices* services = PropServices();
    return services &&
           SUCCEEDED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                              kPropidAccName, const_cast<LPWSTR>(name.c_str())));
}

LRESULT CALLBACK NamedControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR data) {
    auto* name = reinterpret_cast<std::wstring*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        AccessibleFacts facts;
        facts.name = *name;
        if (LRESULT result = AccessibleObjectResult(hwnd, wParam, lParam, facts))
            return result;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, NamedControlProc, id);
        RemovePropA(hwnd, kNameProp);
        delete name;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool MarkLiveRegion(HWND line) {
    if (GetPropA(line, kLiveRegionMark))
        return true;
    IAccPropServices* services = PropServices();
    VARIANT polite = {};
    polite.vt = VT_I4;
    polite.lVal = kLivePolite;
    if (!services || FAILED(services->SetHwndProp(line, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                  kLiveSettingProperty, polite)))
        return false;
    SetPropA(line, kLiveRegionMark, reinterpret_cast<HANDLE>(1));
    return true;
}

// UiaRaiseNotificationEvent (Windows 10 1709 and later), found at run time: no import library has it.
bool RaiseNotification(HWND line, const std::wstring& text) {
    using HostProviderFn = HRESULT(WINAPI*)(HWND, IUnknown**);
    using NotificationFn = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
    static const auto host =
        SystemFunction<HostProviderFn>("uiautomationcore.dll", "UiaHostProviderFromHwnd");
    static const auto notify =
        SystemFunction<NotificationFn>("uiautomationcore.dll", "UiaRaiseNotificationEvent");
    if (!host || !notify)
        return false;
    IUnknown* provider = nullptr;
    if (FAILED(host(line, &provider)) || !provider)
        return false;
    const int kActionCompleted = 2, kMostRecent = 3;
    BSTR display = NewBstr(text), activity = NewBstr(L"PavraAnswer");
    HRESULT result = notify(provider, kActionCompleted, kMostRecent, display, activity);
    static const auto release = SystemFunction<void(WINAPI*)(BSTR)>("oleaut32.dll", "SysFreeString");
    if (release) {
        release(display);
        release(activity);
    }
    provider->Release();
    return SUCCEEDED(result);
}

}  // namespace

LRESULT AccessibleObjectResult(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    static const auto create = SystemFunction<CreateStdObjectFn>("oleacc.dll", "CreateStdAccessibleObject");
    static const auto result = SystemFunction<LresultFromObjectFn>("oleacc.dll", "LresultFromObject");
    if (!create || !result)
        return 0;
    EnterApartment();
    IAccessible* inner = nullptr;
    if (FAILED(create(window, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&inner))) || !inner)
        return 0;
    auto* object = new FactsAccessible(inner, facts);
    LRESULT answer = result(kIidAccessible, wParam, object);
    object->Release();
    return answer > 0 ? answer : 0;
}

std::wstring WideFromCp932(const char* text, size_t length) {
    int size = static_cast<int>(std::min<size_t>(length, INT_MAX));
    int wide = size ? MultiByteToWideChar(932, 0, text, size, nullptr, 0) : 0;
    if (wide <= 0)
        return std::wstring();
    std::wstring out(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(932, 0, text, size, &out[0], wide);
    return out;
}

std::wstring WindowTextWide(HWND window) {
    if (!IsWindow(window))
        return std::wstring();
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return std::wstring();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    return WideFromCp932(text.data(), static_cast<size_t>(std::max<LRESULT>(0, length)));
}

bool SetAccessibleName(HWND control, const std::string& name) {
    std::wstring wide = WideFromCp932(name.c_str(), name.size());
    if (AnnotateName(control, wide))
        return true;
    if (auto* named = static_cast<std::wstring*>(GetPropA(control, kNameProp))) {
        *named = wide;
        return true;
    }
    auto kept = std::make_unique<std::wstring>(wide);
    if (!SetWindowSubclass(control, NamedControlProc, kNameSubclass, reinterpret_cast<DWORD_PTR>(kept.get())))
        return false;
    SetPropA(control, kNameProp, kept.get());
    kept.release();
    return true;
}

void NameControls(HWND dialog, std::initializer_list<ControlName> names) {
    for (const ControlName& control : names) {
        if (HWND item = GetDlgItem(dialog, control.id))
            SetAccessibleName(item, control.name);
    }
}

AnnouncePaths SystemAnnouncePaths() {
    AnnouncePaths paths;
    paths.notify = RaiseNotification;
    paths.markLiveRegion = MarkLiveRegion;
    paths.winEvent = [](DWORD event, HWND line) { NotifyWinEvent(event, line, OBJID_CLIENT, CHILDID_SELF); };
    return paths;
}

void AnnounceLine(HWND line, const std::string& text, const AnnouncePaths& paths) {
    if (!paths.notify(line, WideFromCp932(text.c_str(), text.size()))) {
        paths.markLiveRegion(line);
        paths.winEvent(EVENT_OBJECT_LIVEREGIONCHANGED, line);
    }
    paths.winEvent(EVENT_OBJECT_VALUECHANGE, line);
}
