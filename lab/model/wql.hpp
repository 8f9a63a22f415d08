#pragma once
// The query language subset the lab's management service understands:
//   SELECT * | p1, p2 FROM Class [WHERE condition]
// where a condition joins comparisons (=, <>, !=, <, <=, >, >=, IS [NOT]
// NULL) with AND, OR, NOT and parentheses. Literals: quoted texts with the
// \' \" and \\ escapes, numbers (negative and fractional), TRUE, FALSE and
// NULL. Keywords, class and property names are matched in any letter case.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "lab/model/fleet.hpp"

namespace qv::lab {

struct WqlLiteral {
  std::variant<std::monostate, std::string, double, bool> value; // monostate: NULL
};

enum class WqlOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual, IsNull, IsNotNull };

struct WqlCondition {
  enum class Kind { Compare, And, Or, Not } kind = Kind::Compare;
  std::string property;           // Compare
  CimType type = CimType::String; // the property's, once bound
  WqlOp op = WqlOp::Equal;
  WqlLiteral literal;
  bool datetime = false; // Compare on a datetime property: texts compare as instants
  std::vector<std::unique_ptr<WqlCondition>> operands; // And, Or: two; Not: one
};

struct WqlQuery {
  std::vector<std::string> select; // empty: every property
  std::string className;
  std::unique_ptr<WqlCondition> where; // null: every instance
};

// Fails with "Invalid query" (0x80041017) for text outside the subset.
WqlQuery parseWql(std::string_view text);

// Resolves names against the class: the class must be known ("Invalid
// class") and every property must belong to it ("Invalid query"). Names are
// rewritten in the class's own spelling.
void bindWql(WqlQuery &query, const ClassSchema &schema);

bool wqlMatches(const WqlCondition *condition, const PropertyBag &props);

// What a query says for sure about one property, so a generator can skip
// what cannot match: the equality text, the inclusive numeric range, and a
// text lower bound (of a date, say).
struct WqlHints {
  std::optional<std::string> equals;
  std::optional<std::string> textAtLeast;
  std::optional<double> atLeast;
  std::optional<double> atMost;
};
WqlHints wqlHintsFor(const WqlCondition *condition, std::string_view property);

} // namespace qv::lab
