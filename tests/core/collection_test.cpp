#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>
#include <utility>
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

TEST(CollectionTest, ReorderingMovesItemsAndLeavesKeysAtTheirPositions) {
  Collection items;
  for (const char *text : {"a", "b", "c"})
    items.add(Variant(text), std::to_string(items.count() + 1));
  for (const std::vector<std::size_t> &bad :
       {std::vector<std::size_t>{0, 1}, std::vector<std::size_t>{0, 0, 1},
        std::vector<std::size_t>{0, 1, 3}}) {
    EXPECT_EQ(errorNumberOf([&] { items.reorderItems(bad); }), kInvalidCall);
  }
  EXPECT_EQ(texts(items), (std::vector<std::string>{"a", "b", "c"}));
  items.reorderItems({2, 0, 1});
  EXPECT_EQ(texts(items), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(items["1"].text(), "c");
  EXPECT_EQ(items.keyAt(3), "3");
}

// Removals, re-insertions and appends at random places in a collection large
// enough to keep a key table, every key looked up against a plain list as it
// goes, then the collection emptied from the back and the front: a table left
// stale by any change shows up as a wrong item or a missing key.
TEST(CollectionTest, KeyTableStaysExactThroughRandomRemovalsAndInsertions) {
  using Model = std::vector<std::pair<std::optional<std::string>, int32_t>>;
  std::mt19937 random(99);
  auto pick = [&](std::size_t size) {
    return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
  };
  Collection items;
  Model model;
  for (int32_t i = 0; i < 2000; ++i) {
    // Some items without a key, as scripts may add them.
    std::optional<std::string> key;
    if (i % 7 != 3) key = "Key" + std::to_string(i);
    items.add(Variant(i), key);
    model.emplace_back(key, i);
  }
  auto upper = [](std::string text) {
    for (char &c : text)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  };
  auto checkAll = [&](const char *stage) {
    ASSERT_EQ(items.size(), model.size()) << stage;
    for (std::size_t i = 0; i < model.size(); ++i) {
      ASSERT_EQ(items.at(i + 1).int32(), model[i].second) << stage << " at " << i + 1;
      if (model[i].first) {
        ASSERT_EQ(items[upper(*model[i].first)].int32(), model[i].second) << stage;
      }
    }
  };

  std::vector<std::size_t> order(model.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::shuffle(order.begin(), order.end(), random);
  for (std::size_t step = 0; step < order.size(); ++step) {
    // The value order[step] names is somewhere in the list; find it.
    const auto value = static_cast<int32_t>(order[step]);
    std::size_t at = 0;
    while (model[at].second != value)
      ++at;
    auto [key, item] = model[at];
    if (key && step % 2 == 0) {
      items.remove(Variant(upper(*key)));
    } else {
      items.remove(Variant(static_cast<int32_t>(at + 1)));
    }
    model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    if (key) {
      ASSERT_FALSE(items.contains(*key)) << *key;
    }
    if (at < model.size()) {
      ASSERT_EQ(items.at(at + 1).int32(), model[at].second);
    }

    // Back in at a random place, or at the end.
    std::size_t to = step % 3 == 0 ? model.size() : pick(model.size() + 1);
    if (to == model.size()) {
      items.add(Variant(item), key);
    } else {
      items.insertBefore(Variant(item), key, to + 1);
    }
    model.insert(model.begin() + static_cast<std::ptrdiff_t>(to), {key, item});
    if (key) {
      ASSERT_EQ(items[*key].int32(), item) << *key;
    }
    const std::size_t other = pick(model.size());
    if (model[other].first) {
      ASSERT_EQ(items[*model[other].first].int32(), model[other].second);
    }
    if (step % 250 == 0) checkAll("shuffling");
  }
  checkAll("shuffled");

  for (bool fromBack : {true, false}) {
    const std::size_t stop = fromBack ? model.size() / 2 : 0;
    while (model.size() > stop) {
      const std::size_t at = fromBack ? model.size() - 1 : 0;
      items.remove(Variant(static_cast<int32_t>(at + 1)));
      if (model[at].first) {
        ASSERT_FALSE(items.contains(*model[at].first));
      }
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
      if (model.size() % 100 == 0 || model.size() < 20) checkAll(fromBack ? "back" : "front");
    }
  }
  EXPECT_TRUE(items.empty());
}

} // namespace
} // namespace qv
