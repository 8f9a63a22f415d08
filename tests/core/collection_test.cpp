#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/caseless_compare.hpp"
#include "core/collection.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/keys_of.hpp"
#include "tests/support/kind_name.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

TEST(CollectionTest, ResultKeysArePositionsAndIndexesOfEveryKindAgree) {
  ResultCollection result;
  for (int32_t i = 1; i <= 12; ++i)
    result.add(Variant(i));
  Collection &items = *result.collection();
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
  EXPECT_EQ(test::itemsOf(items), (std::vector<Variant>{"a", "b", "c"}));
  EXPECT_EQ(items.keyAt(2), "Kb");
  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("x"), "kB"); }), kDuplicateKey);
  EXPECT_EQ(errorNumberOf([&] { items.add(Variant("x"), none, Variant(int32_t{1}), Variant(int32_t{1})); }),
            kInvalidCall);
  EXPECT_EQ(items.count(), 3);
}

// Keys are one key exactly when the caseless order finds them equal, beyond
// ASCII too, and the key table (past eight keys) agrees with the scan below.
// Which letters fold, block by block, the text order's own table checks.
TEST(CollectionTest, KeysMatchExactlyWhenTheCaselessOrderFindsThemEqual) {
  const std::tuple<const char *, const char *, bool> pairs[] = {
      {"\u00C9v\u00E9nements", "\u00E9V\u00C9NEMENTS", true}, // Latin-1
      {"ABC\xC3", "abc\xC3", true},                           // a stray byte stays itself
      {"\u00E9", "e", false},                                 // accents count
      {"x\u00D7", "x\u00F7", false},                          // signs are no letters
      {"Stra\u00DFe", "STRASSE", false},
      {"a\u00C9", "b\u00E9", false},
      {"ab", "ab\u00E9", false},
      {"\u212A", "k", false}, // the Kelvin sign is no letter K here
  };
  for (const auto &[added, asked, same] : pairs) {
    SCOPED_TRACE(std::string(added) + " / " + asked);
    EXPECT_EQ(compareCaseless(added, asked) == 0, same);
    EXPECT_EQ(sameKey(added, asked), same);
    EXPECT_EQ(foldKey(added) == foldKey(asked), same);
    for (int fillers : {0, 20}) {
      Collection items;
      for (int i = 0; i < fillers; ++i)
        items.add(Variant(i), "filler" + std::to_string(i));
      items.add(Variant("it"), added);
      EXPECT_EQ(items.contains(asked), same) << fillers;
      EXPECT_EQ(errorNumberOf([&items, &asked = asked] { items.add(Variant("again"), asked); }),
                same ? kDuplicateKey : 0);
    }
  }
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
