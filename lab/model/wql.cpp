#include "lab/model/wql.hpp"

#include <cmath>

#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

struct Token {
  enum class Kind { Word, Text, Number, Symbol, End } kind = Kind::End;
  std::string text;
  double number = 0;
};

[[noreturn]] void invalid() { throw LabError(code::kWbemInvalidQuery); }

std::vector<Token> tokenize(std::string_view s) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  auto isWordStart = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  while (i < s.size()) {
    char c = s[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
    } else if (isWordStart(c)) {
      std::size_t start = i;
      while (i < s.size() && (isWordStart(s[i]) || isDigit(s[i])))
        ++i;
      tokens.push_back({Token::Kind::Word, std::string(s.substr(start, i - start)), 0});
    } else if (c == '\'' || c == '"') {
      char quote = c;
      std::string value;
      ++i;
      for (;;) {
        if (i >= s.size()) invalid();
        char d = s[i++];
        if (d == quote) break;
        if (d == '\\') {
          if (i >= s.size()) invalid();
          char e = s[i++];
          if (e != '\\' && e != '\'' && e != '"') invalid();
          value.push_back(e);
        } else {
          value.push_back(d);
        }
      }
      tokens.push_back({Token::Kind::Text, value, 0});
    } else if (isDigit(c) || ((c == '-' || c == '+' || c == '.') && i + 1 < s.size() &&
                              (isDigit(s[i + 1]) || (s[i + 1] == '.' && c != '.')))) {
      std::size_t start = i;
      ++i;
      while (i < s.size() && (isDigit(s[i]) || s[i] == '.'))
        ++i;
      double number = 0;
      if (!parseNumber(s.substr(start, i - start), number)) invalid();
      if (i < s.size() && isWordStart(s[i])) invalid();
      tokens.push_back({Token::Kind::Number, std::string(s.substr(start, i - start)), number});
    } else {
      static const char *const symbols[] = {"<=", ">=", "<>", "!=", "=", "<", ">", "(", ")", ",", "*"};
      bool found = false;
      for (const char *symbol : symbols) {
        std::string_view sv(symbol);
        if (s.substr(i, sv.size()) == sv) {
          tokens.push_back({Token::Kind::Symbol, std::string(sv), 0});
          i += sv.size();
          found = true;
          break;
        }
      }
      if (!found) invalid();
    }
  }
  tokens.push_back({Token::Kind::End, "", 0});
  return tokens;
}

bool isKeyword(const std::string &word) {
  static const char *const keywords[] = {"select", "from", "where", "and",  "or",
                                         "not",    "is",   "null",  "true", "false"};
  for (const char *k : keywords)
    if (equalsNoCase(word, k)) return true;
  return false;
}

class Parser {
public:
  explicit Parser(std::vector<Token> tokens) : t_(std::move(tokens)) {}

  WqlQuery query() {
    WqlQuery q;
    expectWord("select");
    if (symbol("*")) {
      ++at_;
    } else {
      for (;;) {
        q.select.push_back(name());
        if (!symbol(",")) break;
        ++at_;
      }
    }
    expectWord("from");
    q.className = name();
    if (word("where")) {
      ++at_;
      q.where = disjunction();
    }
    if (t_[at_].kind != Token::Kind::End) invalid();
    return q;
  }

private:
  bool word(const char *w) const {
    return t_[at_].kind == Token::Kind::Word && equalsNoCase(t_[at_].text, w);
  }
  bool symbol(const char *s) const { return t_[at_].kind == Token::Kind::Symbol && t_[at_].text == s; }
  void expectWord(const char *w) {
    if (!word(w)) invalid();
    ++at_;
  }
  std::string name() {
    if (t_[at_].kind != Token::Kind::Word || isKeyword(t_[at_].text)) invalid();
    return t_[at_++].text;
  }

  std::unique_ptr<WqlCondition> joined(WqlCondition::Kind kind, std::unique_ptr<WqlCondition> a,
                                       std::unique_ptr<WqlCondition> b) {
    auto node = std::make_unique<WqlCondition>();
    node->kind = kind;
    node->operands.push_back(std::move(a));
    node->operands.push_back(std::move(b));
    return node;
  }

  std::unique_ptr<WqlCondition> disjunction() {
    auto left = conjunction();
    while (word("or")) {
      ++at_;
      left = joined(WqlCondition::Kind::Or, std::move(left), conjunction());
    }
    return left;
  }

  std::unique_ptr<WqlCondition> conjunction() {
    auto left = factor();
    while (word("and")) {
      ++at_;
      left = joined(WqlCondition::Kind::And, std::move(left), factor());
    }
    return left;
  }

  // Nesting is bounded so that no query text can exhaust the stack.
  std::unique_ptr<WqlCondition> factor() {
    if (++depth_ > kMaxDepth) invalid();
    auto result = innerFactor();
    --depth_;
    return result;
  }

  std::unique_ptr<WqlCondition> innerFactor() {
    if (word("not")) {
      ++at_;
      auto node = std::make_unique<WqlCondition>();
      node->kind = WqlCondition::Kind::Not;
      node->operands.push_back(factor());
      return node;
    }
    if (symbol("(")) {
      ++at_;
      auto inner = disjunction();
      if (!symbol(")")) invalid();
      ++at_;
      return inner;
    }
    return comparison();
  }

  std::unique_ptr<WqlCondition> comparison() {
    auto node = std::make_unique<WqlCondition>();
    node->property = name();
    if (word("is")) {
      ++at_;
      bool negated = word("not");
      if (negated) ++at_;
      expectWord("null");
      node->op = negated ? WqlOp::IsNotNull : WqlOp::IsNull;
      return node;
    }
    if (t_[at_].kind != Token::Kind::Symbol) invalid();
    static const std::pair<const char *, WqlOp> ops[] = {
        {"=", WqlOp::Equal},      {"<>", WqlOp::NotEqual}, {"!=", WqlOp::NotEqual},    {"<", WqlOp::Less},
        {"<=", WqlOp::LessEqual}, {">", WqlOp::Greater},   {">=", WqlOp::GreaterEqual}};
    bool found = false;
    for (const auto &[text, op] : ops) {
      if (t_[at_].text == text) {
        node->op = op;
        found = true;
      }
    }
    if (!found) invalid();
    ++at_;
    node->literal = literal();
    return node;
  }

  WqlLiteral literal() {
    const Token &token = t_[at_];
    WqlLiteral result;
    if (token.kind == Token::Kind::Text) {
      result.value = token.text;
    } else if (token.kind == Token::Kind::Number) {
      result.value = token.number;
    } else if (token.kind == Token::Kind::Word && equalsNoCase(token.text, "true")) {
      result.value = true;
    } else if (token.kind == Token::Kind::Word && equalsNoCase(token.text, "false")) {
      result.value = false;
    } else if (token.kind == Token::Kind::Word && equalsNoCase(token.text, "null")) {
      result.value = std::monostate{};
    } else {
      invalid();
    }
    ++at_;
    return result;
  }

  static constexpr int kMaxDepth = 64;
  std::vector<Token> t_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

void bindCondition(WqlCondition &c, const ClassSchema &schema) {
  if (c.kind != WqlCondition::Kind::Compare) {
    for (auto &operand : c.operands)
      bindCondition(*operand, schema);
    return;
  }
  const PropertySchema *p = schema.find(c.property);
  if (!p) invalid();
  c.property = p->name;
  c.type = p->type;
  c.datetime = p->type == CimType::DateTime && !p->array;
}

// A query compares a uint32 by its own value, not by the negative number
// a script is handed for one from 2^31 up.
Value compared(const Value &value, CimType type) {
  const auto *bits = value.as<int32_t>();
  if (type != CimType::UInt32 || !bits || *bits >= 0) return value;
  return Value(static_cast<double>(static_cast<uint32_t>(*bits)));
}

// Two management date-time texts by the instants they stand for, each with
// its own offset; nothing when either is of another form.
std::optional<int> compareInstants(const Value &value, const WqlLiteral &literal) {
  const auto *text = value.as<std::string>();
  const auto *wanted = std::get_if<std::string>(&literal.value);
  double a = 0, b = 0;
  if (!text || !wanted || !managementInstant(*text, a) || !managementInstant(*wanted, b)) return std::nullopt;
  return a < b ? -1 : (a > b ? 1 : 0);
}

// -1, 0, 1, or nothing when the two cannot be compared.
std::optional<int> compare(const Value &value, const WqlLiteral &literal) {
  if (value.isNull() || value.as<Value::Array>()) return std::nullopt;
  if (std::holds_alternative<std::monostate>(literal.value)) return std::nullopt;
  auto order = [](double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); };
  if (auto b = std::get_if<bool>(&literal.value)) {
    double number = 0;
    if (!value.toNumber(number)) return std::nullopt;
    return order(number != 0 ? 1 : 0, *b ? 1 : 0);
  }
  if (auto n = std::get_if<double>(&literal.value)) {
    double number = 0;
    if (auto flag = value.as<bool>())
      number = *flag ? 1 : 0;
    else if (!value.toNumber(number))
      return std::nullopt;
    return order(number, *n);
  }
  const auto &text = std::get<std::string>(literal.value);
  if (auto s = value.as<std::string>()) {
    int c = compareNoCase(*s, text);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  double number = 0, wanted = 0;
  if (auto flag = value.as<bool>()) {
    if (equalsNoCase(text, "true")) return *flag ? 0 : -1;
    if (equalsNoCase(text, "false")) return *flag ? 1 : 0;
    return std::nullopt;
  }
  if (!value.toNumber(number) || !parseNumber(trim(text), wanted)) return std::nullopt;
  return order(number, wanted);
}

} // namespace

WqlQuery parseWql(std::string_view text) { return Parser(tokenize(text)).query(); }

void bindWql(WqlQuery &query, const ClassSchema &schema) {
  query.className = schema.name;
  for (auto &property : query.select) {
    const PropertySchema *p = schema.find(property);
    if (!p) invalid();
    property = p->name;
  }
  if (query.where) bindCondition(*query.where, schema);
}

bool wqlMatches(const WqlCondition *c, const PropertyBag &props) {
  if (!c) return true;
  switch (c->kind) {
  case WqlCondition::Kind::And:
    return wqlMatches(c->operands[0].get(), props) && wqlMatches(c->operands[1].get(), props);
  case WqlCondition::Kind::Or:
    return wqlMatches(c->operands[0].get(), props) || wqlMatches(c->operands[1].get(), props);
  case WqlCondition::Kind::Not: return !wqlMatches(c->operands[0].get(), props);
  case WqlCondition::Kind::Compare: break;
  }
  const Value *value = props.find(c->property);
  bool isNull = !value || value->isNull();
  if (c->op == WqlOp::IsNull) return isNull;
  if (c->op == WqlOp::IsNotNull) return !isNull;
  if (!value) return false;
  std::optional<int> order =
      c->datetime ? compareInstants(*value, c->literal) : compare(compared(*value, c->type), c->literal);
  if (!order) return false;
  switch (c->op) {
  case WqlOp::Equal: return *order == 0;
  case WqlOp::NotEqual: return *order != 0;
  case WqlOp::Less: return *order < 0;
  case WqlOp::LessEqual: return *order <= 0;
  case WqlOp::Greater: return *order > 0;
  case WqlOp::GreaterEqual: return *order >= 0;
  default: return false;
  }
}

WqlHints wqlHintsFor(const WqlCondition *c, std::string_view property) {
  WqlHints hints;
  if (!c) return hints;
  if (c->kind == WqlCondition::Kind::And) {
    WqlHints a = wqlHintsFor(c->operands[0].get(), property);
    WqlHints b = wqlHintsFor(c->operands[1].get(), property);
    hints.equals = a.equals ? a.equals : b.equals;
    hints.textAtLeast = a.textAtLeast ? a.textAtLeast : b.textAtLeast;
    hints.atLeast = a.atLeast;
    if (b.atLeast && (!hints.atLeast || *b.atLeast > *hints.atLeast)) hints.atLeast = b.atLeast;
    hints.atMost = a.atMost;
    if (b.atMost && (!hints.atMost || *b.atMost < *hints.atMost)) hints.atMost = b.atMost;
    return hints;
  }
  if (c->kind != WqlCondition::Kind::Compare || !equalsNoCase(c->property, property)) return hints;
  if (auto text = std::get_if<std::string>(&c->literal.value)) {
    if (c->op == WqlOp::Equal) hints.equals = *text;
    if (c->op == WqlOp::GreaterEqual || c->op == WqlOp::Greater) hints.textAtLeast = *text;
    return hints;
  }
  auto number = std::get_if<double>(&c->literal.value);
  if (!number) return hints;
  // Record numbers are whole: a strict bound moves to the next whole number.
  switch (c->op) {
  case WqlOp::Equal: hints.atLeast = hints.atMost = *number; break;
  case WqlOp::Less: hints.atMost = std::ceil(*number) - 1; break;
  case WqlOp::LessEqual: hints.atMost = std::floor(*number); break;
  case WqlOp::Greater: hints.atLeast = std::floor(*number) + 1; break;
  case WqlOp::GreaterEqual: hints.atLeast = std::ceil(*number); break;
  default: break;
  }
  return hints;
}

} // namespace qv::lab
