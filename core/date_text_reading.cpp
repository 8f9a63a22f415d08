#include "core/date_text_reading.hpp"

#include <array>

#include "core/convert.hpp"
#include "core/date_math.hpp"

namespace qv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

class Cursor {
public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool atEnd() const { return pos_ >= text_.size(); }
  std::size_t position() const { return pos_; }
  void reset(std::size_t position) { pos_ = position; }
  void skipBlanks() {
    while (!atEnd() && isBlank(text_[pos_]))
      ++pos_;
  }

  // Up to nine digits; the count read goes to digits.
  std::optional<int64_t> number(std::size_t &digits) {
    std::size_t start = pos_;
    int64_t value = 0;
    while (!atEnd() && isDigit(text_[pos_]) && pos_ - start < 9)
      value = value * 10 + (text_[pos_++] - '0');
    digits = pos_ - start;
    if (digits == 0 || (!atEnd() && isDigit(text_[pos_]))) return std::nullopt;
    return value;
  }
  std::optional<int64_t> number() {
    std::size_t digits = 0;
    return number(digits);
  }

  bool accept(std::string_view word, bool ignoreCase) {
    if (word.empty() || text_.size() - pos_ < word.size()) return false;
    std::string_view here = text_.substr(pos_, word.size());
    if (ignoreCase ? !equalsIgnoreCase(here, word) : here != word) return false;
    pos_ += word.size();
    return true;
  }

private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

enum class Field { Day, Month, Year };

struct DateOrder {
  std::array<Field, 3> fields{Field::Month, Field::Day, Field::Year};
  std::string separator = "/";
};

// The order of day, month and year in a short date pattern, and the text
// between its first two fields.
DateOrder orderOf(std::string_view pattern) {
  DateOrder order;
  std::array<Field, 3> seen{};
  std::size_t count = 0;
  std::size_t firstEnd = std::string_view::npos;
  std::size_t secondStart = std::string_view::npos;
  for (std::size_t i = 0; i < pattern.size() && count < 3;) {
    char c = pattern[i];
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c)
      ++run;
    if (c == 'd' || c == 'M' || c == 'y') {
      Field field = c == 'd' ? Field::Day : c == 'M' ? Field::Month : Field::Year;
      bool repeated = false;
      for (std::size_t k = 0; k < count; ++k)
        repeated = repeated || seen[k] == field;
      if (!repeated) {
        if (count == 0) firstEnd = i + run;
        if (count == 1) secondStart = i;
        seen[count++] = field;
      }
    }
    i += run;
  }
  if (count == 3) order.fields = seen;
  if (firstEnd != std::string_view::npos && secondStart != std::string_view::npos && secondStart > firstEnd) {
    std::string_view between = trim(pattern.substr(firstEnd, secondStart - firstEnd));
    bool plain = !between.empty();
    for (char c : between)
      plain = plain && !isLetter(c) && c != '\'';
    if (plain) order.separator = std::string(between);
  }
  return order;
}

// One of the separators a date may use, at the cursor.
std::optional<std::string> dateSeparator(Cursor &cursor, const DateOrder &order, bool isoAllowed) {
  if (cursor.accept(order.separator, false)) return order.separator;
  if (cursor.accept("/", false)) return std::string("/");
  if (isoAllowed && cursor.accept("-", false)) return std::string("-");
  return std::nullopt;
}

// 0 for AM, 12 for PM, nullopt when no designator is at the cursor.
std::optional<int> designator(Cursor &cursor, const RegionalSettings &settings) {
  if (cursor.accept(settings.amDesignator, true) || cursor.accept("AM", true)) return 0;
  if (cursor.accept(settings.pmDesignator, true) || cursor.accept("PM", true)) return 12;
  return std::nullopt;
}

bool readTime(Cursor &cursor, const RegionalSettings &settings, DateParts &parts) {
  auto hour = cursor.number();
  if (!hour) return false;
  int64_t minute = 0;
  int64_t second = 0;
  bool withMinutes = false;
  cursor.skipBlanks();
  if (cursor.accept(":", false)) {
    cursor.skipBlanks();
    auto m = cursor.number();
    if (!m) return false;
    minute = *m;
    withMinutes = true;
    cursor.skipBlanks();
    if (cursor.accept(":", false)) {
      cursor.skipBlanks();
      auto s = cursor.number();
      if (!s) return false;
      second = *s;
      cursor.skipBlanks();
    }
  }
  auto half = designator(cursor, settings);
  if (!half && !withMinutes) return false;
  int64_t h = *hour;
  if (half) {
    if (h > 12) return false;
    if (h == 12) h = 0;
    h += *half;
  }
  if (h > 23 || minute > 59 || second > 59) return false;
  parts.hour = static_cast<int>(h);
  parts.minute = static_cast<int>(minute);
  parts.second = static_cast<int>(second);
  return true;
}

bool readDate(Cursor &cursor, const DateOrder &order, DateParts &parts) {
  std::size_t firstDigits = 0;
  auto first = cursor.number(firstDigits);
  if (!first) return false;
  const bool iso = firstDigits >= 3;
  cursor.skipBlanks();
  auto separator = dateSeparator(cursor, order, iso);
  if (!separator) return false;
  cursor.skipBlanks();
  std::size_t secondDigits = 0;
  auto second = cursor.number(secondDigits);
  if (!second) return false;
  cursor.skipBlanks();
  if (!cursor.accept(*separator, false)) return false;
  cursor.skipBlanks();
  std::size_t thirdDigits = 0;
  auto third = cursor.number(thirdDigits);
  if (!third) return false;

  std::array<int64_t, 3> values{*first, *second, *third};
  std::array<std::size_t, 3> digits{firstDigits, secondDigits, thirdDigits};
  std::array<Field, 3> fields =
      iso ? std::array<Field, 3>{Field::Year, Field::Month, Field::Day} : order.fields;
  int64_t year = 0;
  int64_t month = 0;
  int64_t day = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    switch (fields[k]) {
    case Field::Year: year = digits[k] <= 2 ? dates::expandYear(values[k]) : values[k]; break;
    case Field::Month: month = values[k]; break;
    case Field::Day: day = values[k]; break;
    }
  }
  if (year < 100 || year > 9999 || month < 1 || month > 12) return false;
  if (day < 1 || day > dates::daysInMonth(year, static_cast<int>(month))) return false;
  parts.year = static_cast<int>(year);
  parts.month = static_cast<int>(month);
  parts.day = static_cast<int>(day);
  return true;
}

} // namespace

std::optional<Date> readDateText(std::string_view text, const RegionalSettings &settings) {
  Cursor cursor(text);
  cursor.skipBlanks();
  if (cursor.atEnd()) return std::nullopt;
  const DateOrder order = orderOf(settings.shortDatePattern);
  DateParts parts;
  std::size_t start = cursor.position();
  if (readDate(cursor, order, parts)) {
    cursor.skipBlanks();
    if (!cursor.atEnd() && !readTime(cursor, settings, parts)) return std::nullopt;
  } else {
    cursor.reset(start);
    if (!readTime(cursor, settings, parts)) return std::nullopt;
  }
  cursor.skipBlanks();
  if (!cursor.atEnd()) return std::nullopt;
  return makeDate(parts);
}

} // namespace qv
