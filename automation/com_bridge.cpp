#include "automation/com_bridge.hpp"

#include "automation/class_tables.hpp"
#include "automation/dispatch_object.hpp"
#include "automation/native_object.hpp"
#include "core/automation_error.hpp"
#include "core/collection.hpp"
#include "iis/iis_site.hpp"
#include "platform/win32/dispatch_holder.hpp"

namespace qv::com {

ObjectPtr ComBridge::fromDispatch(IDispatch *dispatch) const {
  ComPtr<INativeObject> own;
  if (SUCCEEDED(dispatch->QueryInterface(IID_INativeObject, own.putVoid())) && own) {
    if (ObjectPtr native = own->native()) return native;
  }
  return std::make_shared<win32::DispatchHolder>(ComPtr<IDispatch>(dispatch));
}

ComPtr<IDispatch> ComBridge::toDispatch(const ObjectPtr &object) const {
  if (auto collection = std::dynamic_pointer_cast<Collection>(object)) {
    return presentObject(std::move(collection), collectionTable(), *this);
  }
  if (auto site = std::dynamic_pointer_cast<IisSite>(object)) {
    return presentObject(std::move(site), iisSiteTable(), *this);
  }
  if (auto holder = std::dynamic_pointer_cast<win32::DispatchHolder>(object)) return holder->dispatch();
  throwRuntimeError(kTypeMismatch);
}

} // namespace qv::com
