#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <string>
#include <tuple>

#include "core/collection.hpp"
#include "core/collection_keys.hpp"
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

class Opaque : public Object {};

class Pair : public Object, public JsonFields {
public:
  std::vector<std::pair<std::string, Variant>> jsonFields() const override {
    return {{"zeta", int32_t{1}}, {"alpha", "two"}};
  }
};

TEST(JsonTextTest, EveryKindOfValueReadsBackEqual) {
  const std::string text =
      "quote \" back \\ tab \t nul " + std::string(1, '\0') + " \xC3\xA9 \xE2\x80\xA8 \xF0\x9F\x98\x80";
  // clang-format off
  const std::tuple<Variant, const char *, Json> cases[] = {
      {Variant(int16_t{-7}), "Short", -7}, {Variant(int32_t{2147483647}), "Long", 2147483647},
      {Variant(0.1), "Double", 0.1}, {Variant(std::nan("")), "NotANumber", nullptr}, {Variant(true), "Flag", true},
      {Variant::null(), "Null", nullptr}, {Variant(), "Empty", nullptr},
      {Variant(Date{38412.5}), "Noon", "2005-03-01T12:00:00"},
      {Variant(Date{-1.25}), "BeforeEpoch", "1899-12-29T06:00:00"},
      {Variant(VariantArray{1, {Variant("a"), Variant(int32_t{2})}}), "Array", Json::parse(R"(["a", 2])")},
      {Variant(std::make_shared<Opaque>()), "Foreign", nullptr},
      {Variant(std::make_shared<Pair>()), "Fields", Json::parse(R"({"zeta":1,"alpha":"two"})")},
      {Variant(text), "Text", text},
  };
  // clang-format on
  auto record = newRecord();
  for (const auto &[value, name, expected] : cases)
    record->add(value, name);
  Json json = parsed(toJson(*record));
  ASSERT_EQ(json.size(), std::size(cases));
  auto item = json.items().begin();
  for (const auto &[value, name, expected] : cases) {
    EXPECT_EQ(item.key(), name);
    EXPECT_EQ(item.value(), expected) << name;
    EXPECT_EQ(item.value().dump(), expected.dump()) << name; // the order of the fields too
    ++item;
  }
}

TEST(JsonTextTest, CollectionsWithKeysAreObjectsAndOthersArrays) {
  ResultCollection result;
  for (int i = 1; i <= 3; ++i) {
    auto record = newRecord();
    record->add(Variant(int32_t{i}), "Id");
    result.add(record);
  }
  EXPECT_EQ(toJson(*result.collection()), R"({"1":{"Id":1},"2":{"Id":2},"3":{"Id":3}})");

  Collection names;
  names.add(Variant("System"));
  names.add(Variant("Application"));
  EXPECT_EQ(toJson(names), R"(["System","Application"])");

  // Some keys but not all: names cannot be given to every item.
  Collection mixed;
  mixed.add(Variant("keyed"), "k");
  mixed.add(Variant("plain"));
  EXPECT_EQ(toJson(mixed), R"(["keyed","plain"])");
  EXPECT_EQ(toJson(Collection{}), "[]");

  // Keys keep the letter case they were added with.
  Collection cased;
  cased.add(Variant(int32_t{1}), "MACAddress");
  cased.add(Variant(int32_t{2}), "diskSizeInBytes");
  EXPECT_EQ(toJson(cased), R"({"MACAddress":1,"diskSizeInBytes":2})");
}

TEST(JsonTextTest, TextThatIsNotUtf8IsReplacedNotPassedOn) {
  // A lone byte, a cut sequence, and a surrogate half encoded as if it were
  // a character: none may reach a client as bytes a JSON reader refuses.
  for (const std::string &bad :
       {std::string("a\xFFz"), std::string("a\xC3"), std::string("a\xED\xA0\x80z")}) {
    Collection record;
    record.add(Variant(bad), "Text");
    std::string text = toJson(record);
    Json json = parsed(text);
    std::string back = json["Text"].get<std::string>();
    EXPECT_EQ(back.substr(0, 1), "a") << text;
    EXPECT_NE(back.find("\xEF\xBF\xBD"), std::string::npos) << text; // U+FFFD
    EXPECT_EQ(text.find("\\ud8"), std::string::npos) << text;
  }
}

TEST(JsonTextTest, ACollectionThatHoldsItselfFailsInsteadOfRecursingForever) {
  auto loop = std::make_shared<Collection>();
  loop->add(Variant(loop), "self");
  EXPECT_EQ(errorNumberOf([&] { toJson(*loop); }), kInvalidCall);
  loop->remove(Variant("self")); // no cycle left to leak

  // A list shared by two records is written twice, not taken for a loop.
  auto shared = std::make_shared<Collection>();
  shared->add(Variant(int32_t{80}));
  Collection both;
  both.add(Variant(shared), "a");
  both.add(Variant(shared), "b");
  EXPECT_EQ(toJson(both), R"({"a":[80],"b":[80]})");
}

TEST(JsonTextTest, DatesOutsideTheRangeFail) {
  Collection record;
  record.add(Variant(Date{1e12}), "When");
  EXPECT_EQ(errorNumberOf([&] { toJson(record); }), kOverflow);
}

TEST(CollectionKeysTest, KeysInOrderAndPositionsForItemsWithout) {
  Collection items;
  items.add(Variant("a"), "First");
  items.add(Variant("b"));
  items.add(Variant("c"), "third");
  VariantArray keys = keysOf(items);
  EXPECT_EQ(keys.lowerBound, 0);
  EXPECT_EQ(keys.items, (std::vector<Variant>{Variant("First"), Variant("2"), Variant("third")}));
  EXPECT_TRUE(keysOf(Collection{}).items.empty());
}

} // namespace
} // namespace qv
