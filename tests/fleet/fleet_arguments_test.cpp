// The settings and lists a script hands a fleet, read as the script wrote
// them.

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "core/collection.hpp"
#include "core/portable_regional.hpp"
#include "fleet/fleet_settings.hpp"
#include "fleet/fleet_targets.hpp"
#include "fleet/plain_arguments.hpp"
#include "tests/support/failure_of.hpp"

namespace qv::fleet {
namespace {

const Regional &english() { return *PortableRegional::english(); }
const Regional &european() { return *PortableRegional::european(); }

TEST(FleetSettings, TimeoutTakesSecondsWithFractionsAndParallelRoundsAsTheRuntime) {
  const std::tuple<Variant, const Regional *, double> accepted[] = {
      {Variant(int32_t{0}), &english(), 0},   {Variant(0.5), &english(), 0.5},
      {Variant("0.25"), &english(), 0.25},    {Variant("0,25"), &european(), 0.25},
      {Variant(int16_t{30}), &english(), 30}, {Variant(86400.0), &english(), 86400},
  };
  for (const auto &[value, regional, seconds] : accepted)
    EXPECT_EQ(readTimeout(value, *regional), seconds) << seconds;
  EXPECT_EQ(readParallel(Variant("64"), english()), 64);
  EXPECT_EQ(readParallel(Variant(2.5), english()), 2);
  EXPECT_EQ(readParallel(Variant(0.6), english()), 1);
}

// Each refusal of a setting or a listed computer names it, with its number
// (NaN may say anything).
TEST(FleetSettings, RefusalsNameTheSettingWithTheirNumber) {
  using Read = void (*)(const Variant &);
  const Read timeout = [](const Variant &v) { readTimeout(v, english()); };
  const Read parallel = [](const Variant &v) { readParallel(v, english()); };
  const Read computer = [](const Variant &v) { listedComputer(v, english()); };
  const std::string outside = " is not 0 (no bound) or a number of seconds up to 86400";
  const std::tuple<Read, Variant, int32_t, std::string> refused[] = {
      {timeout, Variant(), kTypeMismatch, "Timeout: Empty is not a number"},
      {timeout, Variant::null(), kTypeMismatch, "Timeout: Null is not a number"},
      {timeout, Variant("abc"), kTypeMismatch, "Timeout: \"abc\" is not a number"},
      {timeout, Variant(true), kTypeMismatch, "Timeout: True is not a number"},
      {timeout, Variant(-1.0), kInvalidCall, "Timeout: -1" + outside},
      {timeout, Variant(86400.5), kInvalidCall, "Timeout: 86400.5" + outside},
      {timeout, Variant(std::numeric_limits<double>::quiet_NaN()), kTypeMismatch, ""},
      {parallel, Variant("abc"), kTypeMismatch, "Parallel: \"abc\" is not a number"},
      {parallel, Variant(int32_t{0}), kInvalidCall, "Parallel: 0 is not from 1 to 64"},
      {parallel, Variant(int32_t{65}), kInvalidCall, "Parallel: 65 is not from 1 to 64"},
      {parallel, Variant(1e10), kInvalidCall, "Parallel: 10000000000 is not from 1 to 64"},
      {computer, Variant::null(), kInvalidUseOfNull, "Run: a computer in the list is Null"},
      {computer, Variant("  "), kInvalidCall, "Run: an empty computer name"},
      {computer, Variant(), kInvalidCall, "Run: an empty computer name"},
      {computer, Variant(std::make_shared<Collection>()), kTypeMismatch,
       "Run: a computer in the list is not a name"},
  };
  for (const auto &[read, value, number, text] : refused) {
    const test::Raised raised = test::raisedBy([&, r = read, &v = value] { r(v); });
    EXPECT_EQ(raised, test::Raised(number, text.empty() ? raised.second : text));
  }
}

TEST(FleetSettings, SecondsReadAsAPersonWritesThem) {
  const std::pair<double, const char *> texts[] = {{30, "30"},       {0.5, "0.5"},     {1234567, "1234567"},
                                                   {86400, "86400"}, {0.001, "0.001"}, {2.75, "2.75"}};
  for (const auto &[seconds, text] : texts)
    EXPECT_EQ(secondsText(seconds), text);
}

TEST(FleetArguments, ObjectsAtAnyDepthAreRefusedAndArraysCopied) {
  auto collection = std::make_shared<Collection>();
  VariantArray inner{0, {Variant("a"), Variant(collection)}};
  VariantArray outer{1, {Variant(int32_t{1}), Variant(inner)}};
  EXPECT_EQ(test::errorNumberOf([&] { plainArgument(Variant(outer)); }), kTypeMismatch);
  EXPECT_EQ(test::errorNumberOf([&] { plainArgument(Variant(collection)); }), kTypeMismatch);

  VariantArray plain{1,
                     {Variant(int32_t{1}), Variant(VariantArray{0, {Variant("a"), Variant(ObjectPtr())}}),
                      Variant(VariantArray{0, {Variant::byte(7)}, VarKind::Byte})}};
  Variant given(plain);
  Variant copy = plainArgument(given);
  EXPECT_EQ(copy, given);
  EXPECT_EQ(copy.array().items[2].array().element, VarKind::Byte);
  EXPECT_NE(&copy.array(), &given.array());
  EXPECT_NE(&copy.array().items[1].array(), &given.array().items[1].array());
}

TEST(FleetArguments, ComputersAreSplitTrimmedFoundAndRefusedByKind) {
  EXPECT_EQ(splitComputers(",web1 \tdb2\r\n,,DC3"), (std::vector<std::string>{"web1", "db2", "DC3"}));
  EXPECT_EQ(listedComputer(Variant(" \tWEB1 \r\n"), english()), "WEB1");
  const std::vector<std::string> targets[] = {
      {"Computer"}, {"Path", "cName"}, {"CN"}, {"TrmServer"}, {"Path", "ComputerName"}};
  for (const auto &names : targets)
    EXPECT_EQ(targetParameter(names), names.size() - 1) << names.back();
  EXPECT_EQ(targetParameter({"Computers", "Server"}), std::nullopt);
  WorkgroupTarget grouped = splitWorkgroupTarget("LAB/WEB1"), alone = splitWorkgroupTarget("WEB1");
  EXPECT_EQ(std::tie(grouped.workgroup, grouped.computer), std::tie("LAB", "WEB1"));
  EXPECT_EQ(std::tie(alone.workgroup, alone.computer), std::make_tuple(std::nullopt, "WEB1"));
  EXPECT_EQ(listedComputer(Variant(int32_t{42}), english()), "42");
}

} // namespace
} // namespace qv::fleet
