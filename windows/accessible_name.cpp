#include "accessible_name.h"

#include <initguid.h>  // defines the property GUIDs oleacc.h declares
#include <oleacc.h>

namespace zelkor::win32 {
namespace {

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
}

}  // namespace zelkor::win32
