#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "core/sorter.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

const Regional &regional() { return *PortableRegional::english(); }

Collection collectionOf(const std::vector<std::string> &values) {
  Collection items;
  int key = 0;
  for (const auto &value : values) {
    // GCC 12 at -O3 sees an overlapping copy inside the concatenation of a
    // literal and a temporary string that cannot happen (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
    items.add(Variant(value), "k" + std::to_string(++key));
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic pop
#endif
  }
  return items;
}

std::vector<std::string> texts(const Collection &items) {
  std::vector<std::string> out;
  for (const Variant &item : items)
    out.push_back(item.text());
  return out;
}

std::vector<std::string> sorted(const std::vector<std::string> &values, int32_t mode) {
  return texts(*sortCollection(collectionOf(values), Variant(mode), regional()));
}

// The insertion sort exactly as the sorter's contract states it, on the
// collection's own positional insertion; positions are counted in a wide
// type, so it has no limit of its own.
Collection literalInsertionSort(const Collection &source, int32_t mode) {
  Collection result;
  for (const Variant &value : source) {
    const std::string text = toText(value, regional());
    int64_t position = 0;
    for (const Variant &placed : result) {
      if (compareText(toText(placed, regional()), text, mode, regional()) > 0) break;
      ++position;
    }
    if (position == 0) {
      if (result.empty()) {
        result.add(value);
      } else {
        result.insertBefore(value, std::nullopt, 1);
      }
    } else {
      result.insertAfter(value, std::nullopt, static_cast<std::size_t>(position));
    }
  }
  return result;
}

TEST(SorterTest, OrdersOfTheTwoCompareModesKeepTiesInInputOrder) {
  using Texts = std::vector<std::string>;
  const std::tuple<Texts, int32_t, Texts> cases[] = {
      {{"b", "A", "a", "C"}, 1, {"A", "a", "b", "C"}},
      {{"b", "A", "a", "C"}, 0, {"A", "C", "a", "b"}},
      {{"4", "16", "7"}, 1, {"16", "4", "7"}},
      {{"b", "B", "a", "A", "bB", "b", "Bb"}, 1, {"a", "A", "b", "B", "b", "bB", "Bb"}},
      {{"x", "x", "X"}, 0, {"X", "x", "x"}},
  };
  for (const auto &[given, mode, expected] : cases)
    EXPECT_EQ(sorted(given, mode), expected) << given.front() << " mode " << mode;
}

TEST(SorterTest, ResultIsANewCollectionOfValuesWithoutKeys) {
  Collection source = collectionOf({"b", "a"});
  CollectionPtr result = sortCollection(source, Variant(int32_t{1}), regional());
  EXPECT_EQ(result->keyAt(1), std::nullopt);
  EXPECT_EQ(texts(source), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(sortCollection(Collection(), Variant(int32_t{1}), regional())->count(), 0);
}

TEST(SorterTest, ValuesAreComparedAsTextAndTheModeIsConverted) {
  Collection numbers;
  numbers.add(Variant(int32_t{10}));
  numbers.add(Variant(9.5));
  numbers.add(Variant(true));
  EXPECT_EQ(texts(*sortCollection(numbers, Variant("1"), regional())),
            (std::vector<std::string>{"10", "9.5", "True"}));
  EXPECT_EQ(errorNumberOf([&] { sortCollection(numbers, Variant(int32_t{3}), regional()); }), kInvalidCall);
  EXPECT_EQ(errorNumberOf([&] { sortCollection(numbers, Variant("text"), regional()); }), kTypeMismatch);
  Collection withObject;
  withObject.add(Variant("a"));
  withObject.add(Variant(std::make_shared<Collection>()));
  EXPECT_EQ(errorNumberOf([&] { sortCollection(withObject, Variant(int32_t{1}), regional()); }),
            kTypeMismatch);
}

TEST(SorterTest, MatchesTheLiteralInsertionSortOnRandomDataWithTies) {
  std::mt19937 random(1234);
  const std::string alphabet = "aAbB1 _";
  std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 3);
  for (int round = 0; round < 30; ++round) {
    Collection source;
    const int size = 1 + round * 17;
    for (int i = 0; i < size; ++i) {
      std::string value;
      for (int n = length(random); n > 0; --n)
        value.push_back(alphabet[letter(random)]);
      source.add(Variant(value));
    }
    for (int32_t mode : {0, 1}) {
      EXPECT_EQ(texts(*sortCollection(source, Variant(mode), regional())),
                texts(literalInsertionSort(source, mode)))
          << "round " << round << " mode " << mode;
    }
  }
}

TEST(SorterTest, SortsMoreValuesThanASixteenBitPositionHolds) {
  Collection source;
  for (int i = 0; i < 40000; ++i)
    source.add(Variant(std::to_string(100000 + i)));
  CollectionPtr result = sortCollection(source, Variant(int32_t{1}), regional());
  ASSERT_EQ(result->count(), 40000);
  EXPECT_EQ(result->at(1).text(), "100000");
  EXPECT_EQ(result->at(40000).text(), "139999");
}

} // namespace
} // namespace qv
