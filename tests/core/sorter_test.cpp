#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/portable_regional.hpp"
#include "core/sorter.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

const Regional &regional() { return *PortableRegional::english(); }

using Texts = std::vector<std::string>;

Texts sorted(const Texts &values, int32_t mode) {
  Collection source;
  for (const auto &value : values)
    source.add(Variant(value));
  const CollectionPtr result = sortCollection(source, Variant(mode), regional());
  Texts out;
  for (const Variant &item : *result)
    out.push_back(item.text());
  return out;
}

// The long input is long enough that a sort that is not stable moves equal
// values: in text mode every "a" or "A" comes first, in input order, then
// every "b" or "B".
TEST(SorterTest, OrdersOfTheTwoCompareModesKeepTiesInInputOrder) {
  EXPECT_EQ(sorted({"b", "A", "a", "C"}, 0), (Texts{"A", "C", "a", "b"}));
  std::mt19937 random(1234);
  Texts given, expected, bs;
  for (int i = 0; i < 300; ++i) {
    const std::string value(1, "aAbB"[random() % 4]);
    given.push_back(value);
    (value == "a" || value == "A" ? expected : bs).push_back(value);
  }
  expected.insert(expected.end(), bs.begin(), bs.end());
  EXPECT_EQ(sorted(given, 1), expected);
}

TEST(SorterTest, ValuesAreComparedAsTextWithoutTheirKeysAndTheModeIsConverted) {
  Collection values;
  values.add(Variant(int32_t{10}), "ten");
  values.add(Variant(9.5));
  EXPECT_EQ(sortCollection(values, Variant("1"), regional())->keyAt(1), std::nullopt);
  Collection one; // a single value is never compared, so the mode is never read
  one.add(Variant(int32_t{1}));
  EXPECT_EQ(sortCollection(one, Variant("no mode"), regional())->count(), 1);
  EXPECT_EQ(errorNumberOf([&] { sortCollection(values, Variant(int32_t{3}), regional()); }), kInvalidCall);
  values.add(Variant(std::make_shared<Collection>()));
  EXPECT_EQ(errorNumberOf([&] { sortCollection(values, Variant(int32_t{1}), regional()); }), kTypeMismatch);
}

} // namespace
} // namespace qv
