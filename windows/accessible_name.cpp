#include "accessible_name.h"

#include <initguid.h>  // defines the property GUIDs oleacc.h declares
#include <oleacc.h>

namespace zelkor::win32 {
namespace {

// UI Automation's LiveSetting property and its value Polite, as Microsoft documents
// them; MinGW's headers lack the GUID.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr int kLiveSettingPolite = 1;

// One annotation service for the thread, made on first use.
IAccPropServices* propertyServices() {
    static IAccPropServices* services = [] {
        IAccPropServices* made = nullptr;
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&made)))) {
            made = nullptr;
        }
        return made;
    }();
    return services;
}

}  // namespace

void setAccessibleName(HWND control, const std::wstring& name) {
    IAccPropServices* services = propertyServices();
    if (services == nullptr) return;
    MSAAPROPID property = PROPID_ACC_NAME;
    if (name.empty()) {
        services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &property, 1);
    } else {
        services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property, name.c_str());
    }
    // Annotation raises nothing itself, and the change SetWindowTextW raised came before
    // the new name: a screen reader that read the name then heard the old words.
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

bool markPoliteLiveRegion(HWND control) {
    IAccPropServices* services = propertyServices();
    if (services == nullptr) return false;
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kLiveSettingPolite;
    return SUCCEEDED(
        services->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, kLiveSettingProperty, polite));
}

}  // namespace zelkor::win32
