#pragma once
// A property value of the simulated providers, typed the way the platform
// delivers it to a late-bound caller: Null, Boolean, 8-, 16- and 32-bit
// whole numbers, doubles, texts, automation dates and 0-based lists.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace qv::lab {

// An automation date: days since 1899-12-30, the time as the fraction.
struct Date {
  double serial = 0;
  bool operator==(const Date &) const = default;
};

class Value {
public:
  using Array = std::vector<Value>;
  using Storage =
      std::variant<std::monostate, bool, uint8_t, int16_t, int32_t, double, std::string, Date, Array>;

  Value() = default;
  Value(bool b) : v_(b) {}
  Value(uint8_t n) : v_(n) {}
  Value(int16_t n) : v_(n) {}
  Value(int32_t n) : v_(n) {}
  Value(double d) : v_(d) {}
  Value(Date d) : v_(d) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(const char *s) : v_(std::string(s)) {}
  Value(Array a) : v_(std::move(a)) {}

  bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
  template <class T> const T *as() const { return std::get_if<T>(&v_); }
  const Storage &storage() const { return v_; }

  // The number a numeric value (or a text holding one) stands for.
  bool toNumber(double &out) const;
  // The value as plain text, as the directory writes it in an error or a
  // listing: numbers in decimal, Booleans as True/False.
  std::string toText() const;

  bool operator==(const Value &) const = default;

private:
  Storage v_;
};

} // namespace qv::lab
