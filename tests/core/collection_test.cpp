#include <gtest/gtest.h>

#include <vector>

#include "core/collection.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/kind_name.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

std::vector<std::string> texts(const Collection &items) {
  std::vector<std::string> out;
  for (const Variant &item : items)
    out.push_back(item.text());
  return out;
}

TEST(CollectionTest, ResultCollectionKeysArePositionsInDecimal) {
  ResultCollection result;
  std::vector<CollectionPtr> records;
  for (int i = 1; i <= 12; ++i) {
    auto record = newRecord();
    record->add(Variant(int32_t{i}), "Index");
    records.push_back(record);
    result.add(record);
  }
  const Collection &items = *result.collection();
  ASSERT_EQ(items.count(), 12);
  EXPECT_EQ(items.keyAt(1), "1");
  EXPECT_EQ(items.keyAt(10), "10");
  // The tenth record by key and by position, as a script's result("10") and result(10).
  EXPECT_EQ(items.item(Variant("10")).as<Collection>(), records[9]);
  EXPECT_EQ(items.item(Variant(int32_t{10})).as<Collection>(), records[9]);
  EXPECT_EQ(items.item(Variant(int16_t{10})).as<Collection>(), records[9]);
  EXPECT_EQ(items.item(Variant(10.0)).as<Collection>(), records[9]);
  EXPECT_EQ(items["12"].as<Collection>(), records[11]);
}

TEST(CollectionTest, FieldKeysMatchWithoutRegardToLetterCase) {
  auto record = newRecord();
  record->add(Variant("Alerter"), "Name");
  record->add(Variant("Running"), "Status");
  EXPECT_EQ((*record)["name"].text(), "Alerter");
  EXPECT_EQ((*record)["STATUS"].text(), "Running");
  EXPECT_TRUE(record->contains("sTaTuS"));
  // The key keeps the letter case it was added with.
  EXPECT_EQ(record->keyAt(1), "Name");
}

TEST(CollectionTest, DuplicateKeyFailsAndLeavesTheCollectionUnchanged) {
  Collection items;
  items.add(Variant("first"), "Name");
  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("second"), "NAME"); }), kDuplicateKey);
  EXPECT_EQ(items.count(), 1);
  EXPECT_EQ(items["name"].text(), "first");
}

TEST(CollectionTest, MissingKeysAndPositionsFailWithTheRuntimeNumbers) {
  Collection items;
  items.add(Variant("a"), "A");
  items.add(Variant("b"));
  // clang-format off
  const std::pair<Variant, int32_t> cases[] = {
      {Variant("missing"), kInvalidCall}, {Variant(int32_t{0}), kSubscriptOutOfRange},
      {Variant(int32_t{3}), kSubscriptOutOfRange}, {Variant::null(), kInvalidUseOfNull},
      {Variant(ObjectPtr()), kTypeMismatch},
  };
  // clang-format on
  for (const auto &c : cases) {
    const Variant &index = c.first;
    EXPECT_EQ(errorNumberOf([&] { items.item(index); }), c.second) << kindName(index.kind());
    EXPECT_EQ(errorNumberOf([&] { items.remove(index); }), c.second) << kindName(index.kind());
  }
  EXPECT_EQ(errorNumberOf([&] { items.at(3); }), kSubscriptOutOfRange);
  EXPECT_EQ(items.count(), 2);
}

TEST(CollectionTest, AddInsertsBeforeOrAfterAPositionOrKey) {
  Collection items;
  const Variant none;
  items.add(Variant("b"), Variant("kb"), none, none);
  items.add(Variant("d"), Variant("kd"), none, none);
  items.add(Variant("a"), none, Variant(int32_t{1}), none);
  items.add(Variant("c"), Variant("kc"), none, Variant("KB"));
  items.add(Variant("e"), none, none, Variant(int32_t{4}));
  EXPECT_EQ(texts(items), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(items["kc"].text(), "c");

  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("x"), none, Variant(int32_t{1}), Variant(int32_t{1})); }),
            kInvalidCall);
  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("x"), none, Variant(int32_t{6}), none); }),
            kSubscriptOutOfRange);
  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("x"), none, none, Variant("nokey")); }), kInvalidCall);
  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("x"), Variant("KD"), Variant(int32_t{1}), none); }),
            kDuplicateKey);
  EXPECT_EQ(items.count(), 5);

  items.insertBefore(Variant("0"), std::nullopt, 1);
  items.insertAfter(Variant("f"), std::nullopt, 6);
  EXPECT_EQ(texts(items), (std::vector<std::string>{"0", "a", "b", "c", "d", "e", "f"}));
}

TEST(CollectionTest, RemoveShiftsPositionsAndFreesTheKey) {
  Collection items;
  items.add(Variant("a"), "KA");
  items.add(Variant("b"), "KB");
  items.add(Variant("c"), "KC");
  items.remove(Variant("kb"));
  EXPECT_EQ(texts(items), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(items.at(2).text(), "c");
  EXPECT_EQ(items["KC"].text(), "c");
  EXPECT_EQ(errorNumberOf([&] { items.item(std::string_view("KB")); }), kInvalidCall);
  items.add(Variant("b again"), "kb");
  EXPECT_EQ(items["KB"].text(), "b again");
  items.remove(Variant(int32_t{1}));
  EXPECT_EQ(texts(items), (std::vector<std::string>{"c", "b again"}));
  EXPECT_FALSE(items.contains("ka"));
  Collection none;
  EXPECT_EQ(none.begin(), none.end());
}

} // namespace
} // namespace qv
