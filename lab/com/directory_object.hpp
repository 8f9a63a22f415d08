#pragma once
// An object of the WinNT: or IIS: tree as a late-bound directory object:
// its properties by name and through Get, Put and SetInfo (written values
// wait in the object's cache until SetInfo commits them), child lookup with
// GetObject, enumeration limited by Filter, and the operations of services,
// web sites and the metabase computer object.

#include "lab/com/dispatch_base.hpp"
#include "lab/model/fleet.hpp"

namespace qv::lab {

class DirectoryObject final : public LabDispatch {
public:
  const Computer *boundHost() const override { return node_->computer; }
  explicit DirectoryObject(DirNodePtr node);

protected:
  DISPID memberId(std::string_view name) override;
  void call(DISPID id, WORD flags, CallArgs &args, VARIANT &result) override;

private:
  bool offers(DISPID id) const;
  Value read(std::string_view property) const;
  void write(std::string_view property, const VARIANT &value);
  void setInfo();
  void enumBackups(CallArgs &args, VARIANT &result);
  void backup(CallArgs &args);
  void enumerate(VARIANT &result) const;
  void control(DISPID id);

  DirNodePtr node_;
  PropertyBag pending_; // written, not yet committed
  std::vector<std::string> filter_;
};

} // namespace qv::lab
