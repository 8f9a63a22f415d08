#include <gtest/gtest.h>

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

TEST(CollectionTest, ResultKeysArePositionsAndIndexesOfEveryKindAgree) {
  ResultCollection result;
  for (int32_t i = 1; i <= 12; ++i)
    result.add(Variant(i));
  Collection &items = *result.collection();
  EXPECT_EQ(items.keyAt(10), "10");
  for (const Variant &index : {Variant("10"), Variant(int16_t{10}), Variant(10.0)})
    EXPECT_EQ(items.item(index).int32(), 10) << kindName(index.kind());
  const std::pair<Variant, int32_t> failures[] = {
      {Variant("missing"), kInvalidCall},           {Variant(int32_t{0}), kSubscriptOutOfRange},
      {Variant(int32_t{13}), kSubscriptOutOfRange}, {Variant::null(), kInvalidUseOfNull},
      {Variant(ObjectPtr()), kTypeMismatch},
  };
  for (const auto &[index, number] : failures) {
    EXPECT_EQ(errorNumberOf([&, &at = index] { items.item(at); }), number) << kindName(index.kind());
    EXPECT_EQ(errorNumberOf([&, &at = index] { items.remove(at); }), number) << kindName(index.kind());
  }
  EXPECT_EQ(items.count(), 12);
}

TEST(CollectionTest, KeysMatchWithoutLetterCaseAndAddPlacesBeforeOrAfterAPositionOrKey) {
  Collection items;
  const Variant none;
  items.add(Variant("b"), Variant("Kb"), none, none);
  items.add(Variant("a"), none, Variant(int32_t{1}), none);
  items.add(Variant("c"), none, none, Variant("KB"));
  EXPECT_EQ(texts(items), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(items.keyAt(2), "Kb");
  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("x"), "kB"); }), kDuplicateKey);
  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("x"), none, Variant(int32_t{1}), Variant(int32_t{1})); }),
            kInvalidCall);
  EXPECT_EQ(items.count(), 3);
}

// Removals and re-insertions at random places in a collection large enough
// to keep a key table, checked against a plain list as it goes, then the
// collection emptied from the front: a table left stale by any
// change shows up as a wrong item or a missing key. Item n is keyed "Key<n>"
// unless n % 7 == 3, and is looked up as "KEY<n>".
TEST(CollectionTest, KeyTableStaysExactThroughRandomRemovalsAndInsertions) {
  std::mt19937 random(99);
  Collection items;
  std::vector<int32_t> model;
  auto keyOf = [](int32_t n) { return n % 7 == 3 ? std::nullopt : std::optional("Key" + std::to_string(n)); };
  auto lookup = [](int32_t n) { return "KEY" + std::to_string(n); };
  for (int32_t n = 0; n < 2000; ++n) {
    items.add(Variant(n), keyOf(n));
    model.push_back(n);
  }
  auto checkAll = [&] {
    ASSERT_EQ(items.size(), model.size());
    for (std::size_t i = 0; i < model.size(); ++i) {
      ASSERT_EQ(items.at(i + 1).int32(), model[i]) << "at " << i + 1;
      if (!keyOf(model[i])) continue;
      ASSERT_EQ(items[lookup(model[i])].int32(), model[i]);
    }
  };
  for (int step = 0; step < 2000; ++step) {
    const std::size_t at = random() % model.size();
    const int32_t n = model[at];
    items.remove(keyOf(n) && step % 2 == 0 ? Variant(lookup(n)) : Variant(static_cast<int32_t>(at + 1)));
    model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    ASSERT_FALSE(items.contains(lookup(n)));

    const std::size_t to = step % 3 == 0 ? model.size() : random() % (model.size() + 1);
    if (to == model.size()) {
      items.add(Variant(n), keyOf(n));
    } else {
      items.insertBefore(Variant(n), keyOf(n), to + 1);
    }
    model.insert(model.begin() + static_cast<std::ptrdiff_t>(to), n);
    if (step % 250 == 0) checkAll();
  }
  checkAll();
  while (!model.empty()) {
    items.remove(Variant(int32_t{1}));
    ASSERT_FALSE(items.contains(lookup(model.front())));
    model.erase(model.begin());
    if (model.size() % 100 == 0 || model.size() < 20) checkAll();
  }
  EXPECT_TRUE(items.empty());
}

} // namespace
} // namespace qv
