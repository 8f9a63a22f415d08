#pragma once
// Reading a metabase property converted with the scripting runtime's rules.

#include <string>
#include <string_view>

#include "core/convert.hpp"
#include "core/directory.hpp"
#include "core/regional.hpp"

namespace qv {

inline std::string readText(DirectoryObject &object, std::string_view property, const Regional &regional) {
  return toText(object.get(property), regional);
}

inline int32_t readInt32(DirectoryObject &object, std::string_view property, const Regional &regional) {
  return toInt32(object.get(property), regional);
}

inline bool readBool(DirectoryObject &object, std::string_view property, const Regional &regional) {
  return toBool(object.get(property), regional);
}

// The schema class, compared exactly: the provider's own spelling counts.
inline bool hasClass(DirectoryObject &object, std::string_view className, const Regional &regional) {
  return readText(object, "Class", regional) == className;
}

} // namespace qv
