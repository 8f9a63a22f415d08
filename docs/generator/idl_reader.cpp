#include "docs/generator/idl_reader.hpp"

#include <cctype>
#include <cstddef>
#include <utility>
#include <vector>

namespace qv::reference {

const IdlInterface *IdlLibrary::findInterface(const std::string &interfaceName) const {
  for (const IdlInterface &candidate : interfaces)
    if (candidate.name == interfaceName) return &candidate;
  return nullptr;
}

namespace {

struct Token {
  enum Kind { Word, String, Punct, End } kind;
  std::string text; // a string's value without its quotes and escapes
  int line;
};

std::vector<Token> tokenize(std::string_view text) {
  std::vector<Token> tokens;
  int line = 1;
  std::size_t i = 0;
  auto fail = [&](const std::string &what) { throw IdlError("line " + std::to_string(line) + ": " + what); };
  while (i < text.size()) {
    char c = text[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (text.substr(i, 2) == "//" || (c == '#' && (i == 0 || text[i - 1] == '\n'))) {
      while (i < text.size() && text[i] != '\n')
        ++i;
    } else if (text.substr(i, 2) == "/*") {
      std::size_t end = text.find("*/", i + 2);
      if (end == std::string_view::npos) fail("comment without end");
      for (std::size_t k = i; k < end; ++k)
        line += text[k] == '\n';
      i = end + 2;
    } else if (c == '"') {
      std::string value;
      for (++i;; ++i) {
        if (i >= text.size() || text[i] == '\n') fail("text without closing quote");
        if (text[i] == '"') break;
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        value += text[i];
      }
      ++i;
      tokens.push_back({Token::String, std::move(value), line});
    } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.') {
      std::size_t start = i;
      while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_' ||
                                 text[i] == '-' || text[i] == '.'))
        ++i;
      tokens.push_back({Token::Word, std::string(text.substr(start, i - start)), line});
    } else {
      tokens.push_back({Token::Punct, std::string(1, c), line});
      ++i;
    }
  }
  tokens.push_back({Token::End, "", line});
  return tokens;
}

struct Attribute {
  std::string name;
  std::string argument; // a string argument's value, else the words as written
  bool quoted = false;  // the argument was one string
};

class Parser {
public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  IdlLibrary library() {
    while (!atEnd()) {
      std::vector<Attribute> attributes = optionalAttributes();
      if (isWord("library")) return libraryBody(attributes);
      if (!attributes.empty()) continue;
      next();
    }
    throw IdlError("no library in the IDL file");
  }

private:
  const Token &peek(std::size_t ahead = 0) const {
    return tokens_[std::min(position_ + ahead, tokens_.size() - 1)];
  }
  const Token &next() {
    const Token &token = peek();
    if (position_ < tokens_.size() - 1) ++position_;
    return token;
  }
  bool atEnd() const { return peek().kind == Token::End; }
  bool isPunct(const char *p, std::size_t ahead = 0) const {
    return peek(ahead).kind == Token::Punct && peek(ahead).text == p;
  }
  bool isWord(const char *w) const { return peek().kind == Token::Word && peek().text == w; }
  [[noreturn]] void fail(const std::string &what) const {
    throw IdlError("line " + std::to_string(peek().line) + ": " + what + " (at '" + peek().text + "')");
  }
  void expect(const char *p) {
    if (!isPunct(p)) fail(std::string("expected '") + p + "'");
    next();
  }
  std::string word() {
    if (peek().kind != Token::Word) fail("expected a name");
    return next().text;
  }

  // The words and strings up to the matching ')', the '(' already taken.
  std::string groupText() {
    std::string text;
    int depth = 1;
    for (;;) {
      if (atEnd()) fail("unbalanced '('");
      const Token &token = next();
      if (token.kind == Token::Punct && token.text == "(") ++depth;
      if (token.kind == Token::Punct && token.text == ")" && --depth == 0) return text;
      if (token.kind == Token::String) {
        text += "\"" + token.text + "\"";
      } else {
        if (!text.empty() && token.kind == Token::Word && text.back() != '(' && text.back() != '-')
          text += ' ';
        text += token.text;
      }
    }
  }

  std::vector<Attribute> optionalAttributes() {
    std::vector<Attribute> attributes;
    if (!isPunct("[")) return attributes;
    next();
    while (!isPunct("]")) {
      Attribute attribute{word(), "", false};
      if (isPunct("(")) {
        next();
        attribute.quoted = peek().kind == Token::String && isPunct(")", 1);
        attribute.argument = attribute.quoted ? next().text : groupText();
        if (attribute.quoted) next();
      }
      attributes.push_back(std::move(attribute));
      if (isPunct(","))
        next();
      else if (!isPunct("]"))
        fail("expected ',' or ']' in attributes");
    }
    next();
    return attributes;
  }

  static const Attribute *find(const std::vector<Attribute> &attributes, const char *name) {
    for (const Attribute &attribute : attributes)
      if (attribute.name == name) return &attribute;
    return nullptr;
  }
  static std::string argumentOf(const std::vector<Attribute> &attributes, const char *name) {
    const Attribute *attribute = find(attributes, name);
    return attribute ? attribute->argument : std::string();
  }

  // Skips to the ';' that ends a declaration, over any braces.
  void skipDeclaration() {
    int depth = 0;
    while (!atEnd()) {
      const Token &token = next();
      if (token.kind != Token::Punct) continue;
      if (token.text == "{") ++depth;
      if (token.text == "}") --depth;
      if (token.text == ";" && depth <= 0) return;
    }
  }

  IdlLibrary libraryBody(const std::vector<Attribute> &attributes) {
    next(); // library
    IdlLibrary library;
    library.name = word();
    library.version = argumentOf(attributes, "version");
    library.help = argumentOf(attributes, "helpstring");
    expect("{");
    while (!isPunct("}")) {
      if (atEnd()) fail("library without '}'");
      std::vector<Attribute> declared = optionalAttributes();
      if (isWord("dispinterface") || isWord("interface")) {
        bool dispatchOnly = peek().text == "dispinterface";
        next();
        std::string name = word();
        if (isPunct(";")) { // a forward declaration
          next();
          continue;
        }
        if (isPunct(":")) {
          next();
          word();
        }
        library.interfaces.push_back(interfaceBody(name, argumentOf(declared, "helpstring"), dispatchOnly));
      } else if (isWord("coclass")) {
        next();
        library.classes.push_back(classBody(word(), argumentOf(declared, "helpstring")));
      } else {
        skipDeclaration();
      }
    }
    next();
    return library;
  }

  IdlClass classBody(std::string name, std::string help) {
    IdlClass result{std::move(name), std::move(help), ""};
    expect("{");
    while (!isPunct("}")) {
      if (atEnd()) fail("coclass without '}'");
      std::vector<Attribute> attributes = optionalAttributes();
      if (isWord("dispinterface") || isWord("interface")) {
        next();
        std::string interfaceName = word();
        if (find(attributes, "default") || result.interfaceName.empty()) result.interfaceName = interfaceName;
      }
      skipDeclaration();
    }
    next();
    if (isPunct(";")) next();
    return result;
  }

  // Type words up to the declared name: "IDispatch*", "SAFEARRAY(VARIANT)*".
  std::pair<std::string, std::string> typeAndName() {
    std::string type;
    std::string last;
    for (;;) {
      if (peek().kind == Token::Word) {
        if (!last.empty()) type += (type.empty() || type.back() == '*' ? "" : " ") + last;
        last = next().text;
        if (last == "SAFEARRAY" && isPunct("(")) {
          next();
          last += "(" + groupText() + ")";
        }
      } else if (isPunct("*")) {
        next();
        last += "*";
      } else {
        break;
      }
    }
    if (last.empty() || last.back() == '*' || last.back() == ')') fail("expected a type and a name");
    return {type, last};
  }

  IdlParameter parameter() {
    std::vector<Attribute> attributes = optionalAttributes();
    IdlParameter result;
    auto [type, name] = typeAndName();
    result.type = type;
    result.name = name;
    result.in = find(attributes, "in") != nullptr;
    result.out = find(attributes, "out") != nullptr;
    result.optional = find(attributes, "optional") != nullptr;
    result.retval = find(attributes, "retval") != nullptr;
    if (const Attribute *value = find(attributes, "defaultvalue"))
      result.defaultValue = value->quoted ? "\"" + value->argument + "\"" : value->argument;
    result.help = argumentOf(attributes, "helpstring");
    return result;
  }

  IdlInterface interfaceBody(std::string name, std::string help, bool dispatchOnly) {
    IdlInterface result{std::move(name), std::move(help), {}};
    expect("{");
    while (!isPunct("}")) {
      if (atEnd()) fail("interface without '}'");
      if ((isWord("properties") || isWord("methods")) && isPunct(":", 1)) {
        next();
        next();
        continue;
      }
      std::vector<Attribute> attributes = optionalAttributes();
      IdlMember member;
      auto [type, memberName] = typeAndName();
      member.resultType = type;
      member.name = memberName;
      member.id = argumentOf(attributes, "id");
      member.help = argumentOf(attributes, "helpstring");
      member.hidden = find(attributes, "restricted") || find(attributes, "hidden");
      if (find(attributes, "propget")) member.kind = MemberKind::PropertyGet;
      if (find(attributes, "propput")) member.kind = MemberKind::PropertyPut;
      if (find(attributes, "propputref")) member.kind = MemberKind::PropertyPutRef;
      if (isPunct(";")) { // a property declared as a field: read and write
        next();
        member.kind = MemberKind::PropertyGet;
        result.members.push_back(member);
        member.kind = MemberKind::PropertyPut;
        member.parameters.push_back({"value", type, true, false, false, false, std::nullopt, ""});
        member.resultType = "void";
        result.members.push_back(std::move(member));
        continue;
      }
      expect("(");
      if (isWord("void") && isPunct(")", 1)) next();
      while (!isPunct(")")) {
        member.parameters.push_back(parameter());
        if (isPunct(","))
          next();
        else if (!isPunct(")"))
          fail("expected ',' or ')' in parameters");
      }
      next();
      expect(";");
      if (!dispatchOnly && !member.parameters.empty() && member.parameters.back().retval) {
        std::string retval = member.parameters.back().type;
        if (!retval.empty() && retval.back() == '*') retval.pop_back();
        member.resultType = retval;
        member.parameters.pop_back();
      } else if (!dispatchOnly && member.resultType == "HRESULT") {
        member.resultType = "void";
      }
      result.members.push_back(std::move(member));
    }
    next();
    if (isPunct(";")) next();
    return result;
  }

  std::vector<Token> tokens_;
  std::size_t position_ = 0;
};

} // namespace

IdlLibrary readIdl(std::string_view text) { return Parser(tokenize(text)).library(); }

} // namespace qv::reference
