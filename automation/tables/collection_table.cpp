// Members of _Collection: every result a script receives is one of these.

#include "automation/class_tables.hpp"
#include "automation/collection_enum.hpp"
#include "core/collection.hpp"
#include "core/collection_keys.hpp"
#include "core/handlers.hpp"
#include "core/json_text.hpp"
#include "quorvane_h.h"

namespace qv::com {

const ClassTable<Collection> &collectionTable() {
  static const ClassTable<Collection> table =
      TableBuilder<Collection>(DIID__Collection)
          .method(L"Item", 1, 0, [](Collection &c, CallArgs &a) -> Variant { return c.item(a.value(0)); })
          .withId(DISPID_VALUE)
          .getter(L"Count", [](Collection &c, CallArgs &) -> Variant { return c.count(); })
          .method(L"Add", 1, 3,
                  [](Collection &c, CallArgs &a) -> Variant {
                    c.add(a.value(0), a.value(1), a.value(2), a.value(3));
                    return {};
                  })
          .method(L"Remove", 1, 0,
                  [](Collection &c, CallArgs &a) -> Variant {
                    c.remove(a.value(0));
                    return {};
                  })
          .method(L"Keys", 0, 0, [](Collection &c, CallArgs &) -> Variant { return keysOf(c); })
          .method(L"Exists", 1, 0,
                  [](Collection &c, CallArgs &a) -> Variant { return c.contains(a.text(0)); })
          .method(L"ToJson", 0, 0,
                  [](Collection &c, CallArgs &) -> Variant {
                    return reportAndFail("Error with ToJson", [&] { return toJson(c); });
                  })
          .enumerable(
              [](const CollectionPtr &c, const ComBridge &bridge) { return enumerateCollection(c, bridge); })
          .build();
  return table;
}

} // namespace qv::com
