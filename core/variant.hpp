#pragma once
// The value of every record field and of every untyped argument or result.
// Text is UTF-8; the COM boundary converts to and from UTF-16.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qv {

// Whatever presents an object to a script (the automation layer's wrapper);
// opaque to the core.
class Presenter;

// Base of everything a Variant can hold as an object: collections, site
// holders, platform objects. An object remembers its live presenter, without
// owning it, so that it reaches a script as the same object every time.
class Object {
public:
  Object() = default;
  // A copy is another object, not yet presented.
  Object(const Object &) {}
  // An assignment copies no identity either: each object keeps its own
  // presenter, so self-assignment needs no care.
  // cppcheck-suppress operatorEqVarError
  Object &operator=(const Object &) { return *this; } // NOLINT(bugprone-unhandled-self-assignment)
  virtual ~Object() = default;

  Presenter *presenter() const { return presenter_; }
  void setPresenter(Presenter *presenter) { presenter_ = presenter; }

private:
  Presenter *presenter_ = nullptr;
};

using ObjectPtr = std::shared_ptr<Object>;

struct EmptyValue {
  bool operator==(const EmptyValue &) const = default;
};
struct NullValue {
  bool operator==(const NullValue &) const = default;
};

// Automation date: days since 1899-12-30, time of day as the fraction.
struct Date {
  double serial = 0.0;
  bool operator==(const Date &) const = default;
};

class Variant;

enum class VarKind { Empty, Null, Int16, Int32, Double, Date, Text, Bool, Object, Array, Byte };

// Array with a lower bound, as the management service delivers lists. A
// list of bytes (an event's data) keeps its element type, so that it reaches
// a script as the byte array it was.
struct VariantArray {
  int32_t lowerBound = 0;
  std::vector<Variant> items;
  // Byte: every item is a byte; Empty: items of any kind.
  VarKind element = VarKind::Empty;
};

class Variant {
public:
  Variant() = default;
  Variant(EmptyValue) {}
  Variant(NullValue v) : value_(v) {}
  Variant(int16_t v) : value_(v) {}
  Variant(int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(Date v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(std::string_view v) : value_(std::string(v)) {}
  Variant(const char *v) : value_(std::string(v)) {}
  Variant(bool v) : value_(v) {}
  Variant(ObjectPtr v) : value_(std::move(v)) {}
  template <class T>
  requires std::is_base_of_v<Object, T> Variant(std::shared_ptr<T> v) : value_(ObjectPtr(std::move(v))) {}
  Variant(VariantArray v) : value_(std::make_shared<VariantArray>(std::move(v))) {}

  static Variant null() { return Variant(NullValue{}); }
  // Not a constructor: a char or a small literal must not turn into a byte.
  static Variant byte(uint8_t v) {
    Variant result;
    result.value_ = v;
    return result;
  }

  VarKind kind() const { return static_cast<VarKind>(value_.index()); }
  bool isEmpty() const { return kind() == VarKind::Empty; }
  bool isNull() const { return kind() == VarKind::Null; }
  bool isText() const { return kind() == VarKind::Text; }
  bool isObject() const { return kind() == VarKind::Object; }
  bool isArray() const { return kind() == VarKind::Array; }
  bool isNumeric() const {
    auto k = kind();
    return k == VarKind::Int16 || k == VarKind::Int32 || k == VarKind::Double || k == VarKind::Byte;
  }

  // Unchecked accessors: call only after testing kind().
  int16_t int16() const { return std::get<int16_t>(value_); }
  uint8_t byteValue() const { return std::get<uint8_t>(value_); }
  int32_t int32() const { return std::get<int32_t>(value_); }
  double dbl() const { return std::get<double>(value_); }
  Date date() const { return std::get<Date>(value_); }
  const std::string &text() const { return std::get<std::string>(value_); }
  bool boolean() const { return std::get<bool>(value_); }
  const ObjectPtr &object() const { return std::get<ObjectPtr>(value_); }
  const VariantArray &array() const { return *std::get<std::shared_ptr<VariantArray>>(value_); }

  // The held object as T, or null when it holds no object or another type.
  template <class T> std::shared_ptr<T> as() const {
    if (kind() != VarKind::Object) return nullptr;
    return std::dynamic_pointer_cast<T>(object());
  }

  // Same kind and same value; objects compare by identity, arrays by content.
  bool operator==(const Variant &other) const;

private:
  std::variant<EmptyValue, NullValue, int16_t, int32_t, double, Date, std::string, bool, ObjectPtr,
               std::shared_ptr<VariantArray>, uint8_t>
      value_;
};

} // namespace qv
