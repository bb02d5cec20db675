// The controls' accessible objects: the system's own, with the table's name and role.
//
// Windows lets a program rename a control through Dynamic Annotation (IAccPropServices), but Wine implements
// none of its methods (each returns E_NOTIMPL). So every control answers WM_GETOBJECT itself with an
// IAccessible that wraps the system's object (CreateStdAccessibleObject) and replaces only the name and the
// role: a key's caption "sqrt" is heard as "square root", and an owner-drawn key is still a push button.
// Everything else (position, state, focus, default action, children) is the system's.
#include "win32/accessible.h"

#include "form/form.h"
#include "win32/text.h"

#include <initguid.h> // DEFINE_GUID defines, not only declares

#include <oleacc.h>
#include <uiautomationcore.h>

#include <new>
#include <string>
#include <string_view>

namespace winui {
namespace {

// COM and MSAA live in DLLs that take Wine a good part of the start to load: each is loaded at its first
// use (a screen reader's first question, or once the window has painted), never with the program.
template <typename Function> Function* late(const wchar_t* dll, const char* name)
{
    // From the system folder only: not a planted copy beside the program (a download folder, say).
    HMODULE module =
        LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); // kept for the program's life
    FARPROC entry = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(entry));
}

struct LateEntries {
    decltype(CoInitializeEx)* coInitializeEx = late<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    decltype(CoUninitialize)* coUninitialize = late<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    decltype(CoCreateInstance)* coCreateInstance =
        late<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    decltype(CreateStdAccessibleObject)* createStdAccessibleObject =
        late<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    decltype(LresultFromObject)* lresultFromObject =
        late<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    decltype(SysAllocStringLen)* sysAllocStringLen =
        late<decltype(SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
    // UI Automation's, as <uiautomationcoreapi.h> declares them (not C++-clean in every MinGW release).
    using ReturnProvider = LRESULT WINAPI(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);
    using HostProvider = HRESULT WINAPI(HWND, IRawElementProviderSimple**);
    using RaiseEvent = HRESULT WINAPI(IRawElementProviderSimple*, EVENTID);
    using Listening = BOOL WINAPI();
    ReturnProvider* uiaReturnRawElementProvider =
        late<ReturnProvider>(L"uiautomationcore.dll", "UiaReturnRawElementProvider");
    HostProvider* uiaHostProviderFromHwnd = late<HostProvider>(L"uiautomationcore.dll", "UiaHostProviderFromHwnd");
    RaiseEvent* uiaRaiseAutomationEvent = late<RaiseEvent>(L"uiautomationcore.dll", "UiaRaiseAutomationEvent");
    Listening* uiaClientsAreListening = late<Listening>(L"uiautomationcore.dll", "UiaClientsAreListening");
};

const LateEntries& entries()
{
    static const LateEntries loaded;
    return loaded;
}

BSTR newString(std::wstring_view text)
{
    const auto allocate = entries().sysAllocStringLen;
    return allocate ? allocate(text.data(), UINT(text.size())) : nullptr;
}

DEFINE_GUID(kAccPropServices, 0xb5f8350b, 0x0548, 0x48b1, 0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7);
// UI Automation's LiveSetting property, which Dynamic Annotation takes as an MSAA property id.
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb);
constexpr long kPolite = 1; // LiveSetting: Off 0, Polite 1, Assertive 2
constexpr LONG kUiaRootObjectId = -25;
constexpr PROPERTYID kNameProperty = 30005, kControlTypeProperty = 30003, kLiveSettingPropertyId = 30135;
constexpr long kTextControlType = 50020;
constexpr EVENTID kLiveRegionChangedEvent = 20024;
constexpr wchar_t kProviderProperty[] = L"CalculatorUiaProvider"; // the display's provider, while it lives

long roleOf(form::ControlKind kind)
{
    switch (kind) {
    case form::Key:
        return ROLE_SYSTEM_PUSHBUTTON;
    case form::Option:
        return ROLE_SYSTEM_RADIOBUTTON;
    case form::Frame:
        return ROLE_SYSTEM_GROUPING;
    case form::Label:
        break;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

bool isSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

class ControlAccessible final : public IAccessible, public IOleWindow {
  public:
    ControlAccessible(IAccessible* standard, HWND control, const form::ControlRow& row)
        : m_standard(standard), m_control(control), m_row(row)
    {
    }
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    // IUnknown. None of the system object's other interfaces: through its IServiceProvider or IAccIdentity a
    // client (UI Automation's MSAA proxy) would reach that object, named by the caption, and take this one for
    // a system proxy. Without them it is the program's own server, whose name is heard by every route.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible)
            *object = static_cast<IAccessible*>(this);
        else if (iid == IID_IOleWindow) // WindowFromAccessibleObject
            *object = static_cast<IOleWindow*>(this);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0) {
            m_standard->Release();
            delete this;
        }
        return ULONG(left);
    }

    // IDispatch: the system object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override
    {
        return m_standard->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
    }

    // The table's name and role.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!isSelf(child))
            return m_standard->get_accName(child, name);
        if (!name)
            return E_POINTER;
        // The display's name is the whole text it shows, so that reviewing the window reads the number.
        const std::wstring text =
            m_row.name == "lblDisplay" ? windowText() : widen(form::accessibleName(m_row));
        *name = newString(text);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!isSelf(child))
            return m_standard->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = roleOf(m_row.kind);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        if (!isSelf(child) || m_row.name != "lblDisplay")
            return m_standard->get_accDescription(child, description);
        if (!description)
            return E_POINTER;
        *description = newString(widen(m_row.spoken));
        return *description ? S_OK : E_OUTOFMEMORY;
    }
    // A radio button is checked or not whatever the system object knows of its class.
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const HRESULT result = m_standard->get_accState(child, state);
        if (SUCCEEDED(result) && isSelf(child) && m_row.kind == form::Option && state->vt == VT_I4) {
            state->lVal &= ~STATE_SYSTEM_CHECKED;
            if (SendMessageW(m_control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                state->lVal |= STATE_SYSTEM_CHECKED;
        }
        return result;
    }

    // The rest: the system object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override
    {
        return m_standard->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_standard->put_accValue(child, value);
    }

    // IOleWindow: the control.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (!window)
            return E_POINTER;
        *window = m_control;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL /*enter*/) override { return E_NOTIMPL; }

  private:
    ~ControlAccessible() = default;

    std::wstring windowText() const
    {
        std::wstring text(std::size_t(GetWindowTextLengthW(m_control)) + 1, L'\0');
        text.resize(std::size_t(GetWindowTextW(m_control, text.data(), int(text.size()))));
        return text;
    }

    IAccessible* m_standard;
    HWND m_control;
    const form::ControlRow& m_row;
    LONG m_references = 1;
};

// The display's own UI Automation provider. UI Automation takes a live region's politeness from a provider,
// none from an IAccessible (Windows' MSAA proxy reads no annotation through a program's own object), and is
// told of each change by it. Name and everything else come from the display's window.
class DisplayProvider final : public IRawElementProviderSimple {
  public:
    explicit DisplayProvider(HWND display) : m_display(display) {}
    DisplayProvider(const DisplayProvider&) = delete;
    DisplayProvider& operator=(const DisplayProvider&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = iid == IID_IUnknown || iid == IID_IRawElementProviderSimple ? this : nullptr;
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return ULONG(left);
    }

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override
    {
        if (!options)
            return E_POINTER;
        *options = ProviderOptions(ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override
    {
        if (!pattern)
            return E_POINTER;
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID id, VARIANT* value) override
    {
        if (!value)
            return E_POINTER;
        value->vt = VT_EMPTY;
        if (id == kLiveSettingPropertyId || id == kControlTypeProperty) {
            value->vt = VT_I4;
            value->lVal = id == kLiveSettingPropertyId ? kPolite : kTextControlType;
        } else if (id == kNameProperty) { // the whole text, as the IAccessible names it
            std::wstring text(std::size_t(GetWindowTextLengthW(m_display)) + 1, L'\0');
            text.resize(std::size_t(GetWindowTextW(m_display, text.data(), int(text.size()))));
            if ((value->bstrVal = newString(text)))
                value->vt = VT_BSTR;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override
    {
        if (!host)
            return E_POINTER;
        *host = nullptr;
        const auto fromHwnd = entries().uiaHostProviderFromHwnd;
        return fromHwnd ? fromHwnd(m_display, host) : S_OK;
    }

  private:
    ~DisplayProvider() = default;

    HWND m_display;
    LONG m_references = 1;
};

DisplayProvider* providerOf(HWND display)
{
    return static_cast<DisplayProvider*>(GetPropW(display, kProviderProperty));
}

LRESULT answerAutomation(HWND display, WPARAM wParam, LPARAM lParam)
{
    const auto answer = entries().uiaReturnRawElementProvider;
    if (!answer)
        return 0;
    DisplayProvider* provider = providerOf(display);
    if (!provider) {
        provider = new (std::nothrow) DisplayProvider(display);
        if (!provider || !SetPropW(display, kProviderProperty, provider)) {
            if (provider)
                provider->Release();
            return 0;
        }
    }
    return answer(display, wParam, lParam, provider);
}

} // namespace

void forgetAccessible(HWND control)
{
    if (DisplayProvider* provider = providerOf(control)) {
        entries().uiaReturnRawElementProvider(control, 0, 0, nullptr); // clients let go of it
        RemovePropW(control, kProviderProperty);
        provider->Release();
    }
}

LRESULT answerGetObject(HWND control, const form::ControlRow& row, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) == kUiaRootObjectId && row.name == "lblDisplay")
        return answerAutomation(control, wParam, lParam);
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    const LateEntries& com = entries();
    IAccessible* standard = nullptr;
    if (!com.createStdAccessibleObject || !com.lresultFromObject ||
        FAILED(com.createStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                             reinterpret_cast<void**>(&standard))))
        return 0;
    auto* accessible = new (std::nothrow) ControlAccessible(standard, control, row);
    if (!accessible) {
        standard->Release();
        return 0;
    }
    const LRESULT result = com.lresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(accessible));
    accessible->Release(); // LresultFromObject holds its own reference
    return result > 0 ? result : 0;
}

void makeLiveRegion(HWND display)
{
    // Windows reads the annotation for the display's client object and tells UI Automation clients
    // (Narrator) that the display is a live region; Wine answers E_NOTIMPL and keeps nothing.
    IAccPropServices* services = nullptr;
    if (!entries().coCreateInstance ||
        FAILED(entries().coCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IAccPropServices, reinterpret_cast<void**>(&services))))
        return;
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    services->SetHwndProp(display, DWORD(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty, polite);
    services->Release();
}

bool beginCom()
{
    return entries().coInitializeEx && SUCCEEDED(entries().coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void endCom()
{
    if (entries().coUninitialize)
        entries().coUninitialize();
}

void announceChange(HWND display)
{
    // Readers (Narrator through UI Automation, NVDA through MSAA) speak the live region's name: the new text.
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, display, OBJID_CLIENT, CHILDID_SELF);
    DisplayProvider* provider = providerOf(display);
    if (provider && entries().uiaClientsAreListening && entries().uiaClientsAreListening())
        entries().uiaRaiseAutomationEvent(provider, kLiveRegionChangedEvent);
}

} // namespace winui
