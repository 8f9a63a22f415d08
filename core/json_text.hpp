#pragma once
// Results as JSON text, for clients that cannot walk a collection (JScript
// without a JSON object, PowerShell, web pages). Keyed collections become
// objects in key order, collections without keys arrays; dates are local
// times without an offset, because the component's dates carry no zone.

#include <string>
#include <utility>
#include <vector>

#include "core/collection.hpp"
#include "core/variant.hpp"

namespace qv {

// An object that JSON shows as its named values, in order, rather than as
// null (the site holder does).
class JsonFields {
public:
  virtual ~JsonFields() = default;
  virtual std::vector<std::pair<std::string, Variant>> jsonFields() const = 0;
};

// Nesting deeper than this fails with 5: only a collection that holds
// itself, directly or through others, gets there.
inline constexpr int kMaxJsonDepth = 64;

// The JSON text of value, all ASCII (other characters as \u escapes, so the
// text is also a valid script literal). Empty and Null are null, numbers and
// Booleans themselves, dates "YYYY-MM-DDTHH:MM:SS", arrays arrays. A
// collection whose every item has a key is an object, any other an array.
// Objects that are neither collections nor JsonFields are null. Text that is
// not valid UTF-8 has each bad sequence replaced by U+FFFD. Fails with 5
// past kMaxJsonDepth and with 6 for a date outside 100 to 9999.
std::string toJson(const Variant &value);
std::string toJson(const Collection &collection);

// "YYYY-MM-DDTHH:MM:SS" of an automation date, rounded to the second.
std::string isoLocalDate(Date value);

} // namespace qv
