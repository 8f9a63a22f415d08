#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>

#include "core/collection.hpp"
#include "core/json_text.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using Json = nlohmann::ordered_json;
using test::errorNumberOf;

// Parsed back by a real parser; the text must also be plain ASCII, so a
// script engine can take it as a literal whatever characters the values hold.
Json parsed(const std::string &text) {
  for (unsigned char c : text)
    EXPECT_LT(c, 0x80) << text;
  return Json::parse(text);
}

TEST(JsonTextTest, EveryKindOfValueReadsBackInFieldOrderAndTextThatIsNotUtf8IsReplaced) {
  const std::string text =
      "quote \" back \\ tab \t nul " + std::string(1, '\0') + " \xC3\xA9 \xE2\x80\xA8 \xF0\x9F\x98\x80";
  // Flags, Null and Empty (one case with Null) a site's JSON shows.
  // clang-format off
  const std::tuple<Variant, const char *, Json> cases[] = {
      {Variant(int16_t{-7}), "Short", -7}, {Variant(0.1), "Double", 0.1}, {Variant(std::nan("")), "NaN", nullptr},
      {Variant(Date{-1.25}), "BeforeEpoch", "1899-12-29T06:00:00"},
      {Variant(VariantArray{1, {Variant("a"), Variant(int32_t{2})}}), "Array", Json::parse(R"(["a", 2])")},
      {Variant(std::make_shared<Object>()), "Foreign", nullptr}, {Variant(text), "Text", text},
      // A lone byte, a cut sequence, and a surrogate half encoded as if it were a character: none may reach
      // a client as bytes a JSON reader refuses.
      {Variant("a\xFFz"), "LoneByte", "a\uFFFDz"}, {Variant("a\xC3"), "CutSequence", "a\uFFFD"},
      {Variant("a\xED\xA0\x80z"), "Surrogate", "a\uFFFD\uFFFD\uFFFDz"},
  };
  // clang-format on
  Collection record;
  Json expected = Json::object();
  for (const auto &[value, name, json] : cases) {
    record.add(value, name);
    expected[name] = json;
  }
  EXPECT_EQ(parsed(toJson(record)).dump(), expected.dump());
}

TEST(JsonTextTest, ALoopAndADateFailASharedListIsWrittenTwiceAndKeysMakeAnObject) {
  auto loop = std::make_shared<Collection>();
  loop->add(Variant(loop), "self");
  EXPECT_EQ(errorNumberOf([&] { toJson(*loop); }), kInvalidCall);
  loop->remove(Variant("self")); // no cycle left to leak
  Collection both;
  both.add(Variant(std::make_shared<Collection>()), "a");
  both.add(both["a"], "b");
  EXPECT_EQ(toJson(both), R"({"a":[],"b":[]})");
  // Some keys but not all: names cannot be given to every item.
  both.add(Variant("plain"));
  EXPECT_EQ(toJson(both), R"([[],[],"plain"])");
  both.add(Variant(Date{1e12}), "When");
  EXPECT_EQ(errorNumberOf([&] { toJson(both); }), kOverflow);

  // Lists within lists: as deep as the limit is written, one more fails.
  auto deepest = std::make_shared<Collection>();
  for (int depth = 1; depth <= kMaxJsonDepth; ++depth) {
    auto outer = std::make_shared<Collection>();
    outer->add(Variant(std::exchange(deepest, outer)));
  }
  EXPECT_EQ(toJson(*deepest), std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']'));
  Collection deeper;
  deeper.add(Variant(deepest));
  EXPECT_EQ(errorNumberOf([&] { toJson(deeper); }), kInvalidCall);
}

} // namespace
} // namespace qv
