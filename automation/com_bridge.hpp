#pragma once
// How objects cross the COM boundary of the component: core collections
// and sites go out as live COM objects over the same core object; the
// module's own objects come back as their core object; any other object is
// carried through unchanged.

#include <memory>

#include "core/regional.hpp"
#include "platform/win32/variant_convert.hpp"

namespace qv::com {

class ComBridge : public win32::ObjectBridge {
public:
  explicit ComBridge(std::shared_ptr<const Regional> regional) : regional_(std::move(regional)) {}

  ObjectPtr fromDispatch(IDispatch *dispatch) const override;
  win32::ComPtr<IDispatch> toDispatch(const ObjectPtr &object) const override;

  // The regional settings that argument conversions use; objects made
  // from results inherit them.
  const Regional &regional() const { return *regional_; }

private:
  std::shared_ptr<const Regional> regional_;
};

} // namespace qv::com
