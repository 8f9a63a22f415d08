#include "core/json_text.hpp"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv {

namespace {

// Keeps members in the order they were added.
using Json = nlohmann::ordered_json;
using Members = Json::object_t::Container;

Json build(const Variant &value, int depth);

// Appends without the search for an equal name that ordered_json's own
// insertion does (linear per member, so quadratic over a long result): the
// names come from one collection's keys, which are already unique.
void append(Json &object, std::string name, Json member) {
  static_cast<Members &>(object.get_ref<Json::object_t &>()).emplace_back(std::move(name), std::move(member));
}

Json fromCollection(const Collection &collection, int depth) {
  bool keyed = !collection.empty();
  for (std::size_t i = 1; keyed && i <= collection.size(); ++i)
    keyed = collection.keyAt(i).has_value();
  if (!keyed) {
    Json list = Json::array();
    for (const Variant &item : collection)
      list.push_back(build(item, depth + 1));
    return list;
  }
  Json object = Json::object();
  std::size_t position = 1;
  for (const Variant &item : collection)
    append(object, *collection.keyAt(position++), build(item, depth + 1));
  return object;
}

Json fromObject(const ObjectPtr &object, int depth) {
  if (auto collection = std::dynamic_pointer_cast<Collection>(object))
    return fromCollection(*collection, depth);
  if (auto fields = std::dynamic_pointer_cast<JsonFields>(object)) {
    Json result = Json::object();
    for (auto &[name, value] : fields->jsonFields())
      append(result, std::move(name), build(value, depth + 1));
    return result;
  }
  return nullptr;
}

Json build(const Variant &value, int depth) {
  if (depth > kMaxJsonDepth) throwRuntimeError(kInvalidCall);
  switch (value.kind()) {
  case VarKind::Empty:
  case VarKind::Null: return nullptr;
  case VarKind::Int16: return value.int16();
  case VarKind::Int32: return value.int32();
  case VarKind::Byte: return value.byteValue();
  case VarKind::Double: return value.dbl(); // not finite: null
  case VarKind::Date: return isoLocalDate(value.date());
  case VarKind::Text: return value.text();
  case VarKind::Bool: return value.boolean();
  case VarKind::Object: return value.object() ? fromObject(value.object(), depth) : Json(nullptr);
  case VarKind::Array: {
    Json list = Json::array();
    for (const Variant &item : value.array().items)
      list.push_back(build(item, depth + 1));
    return list;
  }
  }
  return nullptr;
}

} // namespace

std::string isoLocalDate(Date value) {
  DateParts parts = splitDate(value);
  char text[24];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", parts.year, parts.month, parts.day,
                parts.hour, parts.minute, parts.second);
  return text;
}

std::string toJson(const Variant &value) {
  return build(value, 0).dump(-1, ' ', true, Json::error_handler_t::replace);
}

std::string toJson(const Collection &collection) {
  return fromCollection(collection, 0).dump(-1, ' ', true, Json::error_handler_t::replace);
}

} // namespace qv
