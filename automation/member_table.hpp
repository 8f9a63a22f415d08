#pragma once
// A class's automation members as a table: each entry names a member (its
// DISPID is its position, from 1, unless given), says how many arguments it
// takes and which of call (method or property get), put and putref it
// offers, and holds the handlers that call the C++ class.

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation/call_args.hpp"
#include "core/variant.hpp"

namespace qv::com {

template <class Impl> using Handler = Variant (*)(Impl &, CallArgs &);

struct MemberInfo {
  std::wstring name;
  std::wstring folded; // lower-case, for lookup without regard to case
  DISPID id = DISPID_UNKNOWN;
  uint8_t required = 0; // arguments of a call
  uint8_t total = 0;
};

template <class Impl> struct Member : MemberInfo {
  Handler<Impl> call = nullptr;   // DISPATCH_METHOD / DISPATCH_PROPERTYGET
  Handler<Impl> put = nullptr;    // DISPATCH_PROPERTYPUT, the value as argument 0
  Handler<Impl> putRef = nullptr; // DISPATCH_PROPERTYPUTREF
};

std::wstring foldName(const wchar_t *name);

template <class Impl> struct ClassTable {
  const IID *iid = nullptr;
  std::vector<Member<Impl>> members;
  // DISPID_NEWENUM: an IEnumVARIANT over the object, for classes that are
  // enumerable.
  IUnknown *(*enumerate)(const std::shared_ptr<Impl> &, const ComBridge &) = nullptr;

  const Member<Impl> *byId(DISPID id) const {
    if (id >= 1 && static_cast<std::size_t>(id) <= members.size() && members[id - 1].id == id) {
      return &members[id - 1];
    }
    for (const auto &member : members) {
      if (member.id == id) return &member;
    }
    return nullptr;
  }

  const Member<Impl> *byName(const wchar_t *name) const {
    std::wstring folded = foldName(name);
    for (const auto &member : members) {
      if (member.folded == folded) return &member;
    }
    return nullptr;
  }
};

template <class Impl> class TableBuilder {
public:
  explicit TableBuilder(const IID &iid) { table_.iid = &iid; }

  TableBuilder &method(const wchar_t *name, uint8_t required, uint8_t optional, Handler<Impl> call) {
    Member<Impl> &member = add(name, required, optional);
    member.call = call;
    return *this;
  }
  // A read-only property.
  TableBuilder &getter(const wchar_t *name, Handler<Impl> get) { return method(name, 0, 0, get); }
  // A write-only property: a get is refused.
  TableBuilder &setter(const wchar_t *name, Handler<Impl> put) {
    add(name, 0, 0).put = put;
    return *this;
  }
  TableBuilder &property(const wchar_t *name, Handler<Impl> get, Handler<Impl> put) {
    Member<Impl> &member = add(name, 0, 0);
    member.call = get;
    member.put = put;
    return *this;
  }
  // An object property assigned by reference (Set obj.name = value).
  TableBuilder &objectProperty(const wchar_t *name, Handler<Impl> get, Handler<Impl> putRef) {
    Member<Impl> &member = add(name, 0, 0);
    member.call = get;
    member.putRef = putRef;
    return *this;
  }
  // Gives the member added last another DISPID than its position.
  TableBuilder &withId(DISPID id) {
    table_.members.back().id = id;
    return *this;
  }
  TableBuilder &enumerable(IUnknown *(*enumerate)(const std::shared_ptr<Impl> &, const ComBridge &)) {
    table_.enumerate = enumerate;
    return *this;
  }

  ClassTable<Impl> build() { return std::move(table_); }

private:
  Member<Impl> &add(const wchar_t *name, uint8_t required, uint8_t optional) {
    Member<Impl> member;
    member.name = name;
    member.folded = foldName(name);
    member.id = static_cast<DISPID>(table_.members.size() + 1);
    member.required = required;
    member.total = static_cast<uint8_t>(required + optional);
    table_.members.push_back(std::move(member));
    return table_.members.back();
  }

  ClassTable<Impl> table_;
};

} // namespace qv::com
