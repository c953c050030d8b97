#include "win32/accessibility.h"

#include <initguid.h>  // defines the property GUIDs of oleacc.h here

#include <oleacc.h>

#include <array>
#include <string>

#include "win32/text.h"

namespace lumivar::win32 {

AccessibleAnnotations::~AccessibleAnnotations() {
  if (services_ != nullptr) services_->Release();
}

IAccPropServices* AccessibleAnnotations::Services() {
  if (services_ == nullptr && !unavailable_ &&
      FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
    // Asked once: without oleacc's services the controls keep their captions.
    services_ = nullptr;
    unavailable_ = true;
  }
  return services_;
}

bool AccessibleAnnotations::Annotate(HWND control, std::u16string_view name,
                                     std::u16string_view description) {
  IAccPropServices* services = Services();
  if (services == nullptr) return false;
  const std::wstring name_units = Wide(name);
  bool stored = SUCCEEDED(services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF,
                                                   PROPID_ACC_NAME, name_units.c_str()));
  if (!description.empty()) {
    const std::wstring description_units = Wide(description);
    stored =
        SUCCEEDED(services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF,
                                           PROPID_ACC_DESCRIPTION, description_units.c_str())) &&
        stored;
  }
  return stored;
}

void AccessibleAnnotations::Clear(HWND control) {
  IAccPropServices* services = Services();
  if (services == nullptr) return;
  std::array<MSAAPROPID, 2> properties = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
  services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties.data(),
                           static_cast<int>(properties.size()));
}

}  // namespace lumivar::win32
