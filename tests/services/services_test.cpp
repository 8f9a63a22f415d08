// The lab shows browsing, listing, details and state changes end to end;
// these are the order of the sorted listing, the paths, Null, odd
// dependencies and the calls and failures of a state change.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "services/services.hpp"
#include "tests/services/fake_network.hpp"
#include "tests/services/literal_sorted_listing.hpp"
#include "tests/support/keys_of.hpp"

namespace qv {
namespace {

using test::column;
using test::errorNumberOf;
using test::failureOf;
using Names = std::vector<std::string>;

class ServicesTest : public ::testing::Test {
protected:
  ServicesTest() {
    net.computer("LAB", "SRV1");
    services.setWorkgroup("LAB");
    services.setComputerName("SRV1");
  }
  fake::DirObjectPtr add(const test::ServiceSpec &spec) { return net.service("LAB", "SRV1", spec); }

  test::FakeNetwork net;
  Services services{net.platform};
};

// Without blanks at either end, the result is what the first, quadratic
// sort gave: the values sorted as text, then each value's first remaining
// record, so ties keep the listing's order.
TEST_F(ServicesTest, SortedListingMatchesTheLiteralSort) {
  std::mt19937 random(7);
  const char *words[] = {"Agent", "agent", "Beacon", "bea con", "Zulu", "_x", "10", "9", "Éclair", "eclair"};
  for (int i = 0; i < 300; ++i) {
    std::string display = std::string(words[random() % 10]) + words[random() % 10];
    add({"svc" + std::to_string(i), display, static_cast<int32_t>(random() % 12)});
  }
  const Names names = column(services.serviceList(), "Name");
  for (const char *key : {"displayname", "STATUS"}) {
    Names expected;
    for (std::size_t index : test::literalSortedOrder(column(services.serviceList(), key), *net.regional))
      expected.push_back(names.at(index));
    auto sorted = services.servicesSorted(key);
    EXPECT_EQ(column(sorted, "Name"), expected) << key;
    EXPECT_EQ(sorted->keyAt(300), "300");
  }
  auto error = failureOf([&] { services.servicesSorted("Path"); });
  EXPECT_EQ(error.number(), kInvalidCall);
  EXPECT_EQ(error.description(), "Invalid procedure call or argument");
}

TEST_F(ServicesTest, BlanksAroundValuesKeepEveryRecordOnceAndNullFails) {
  const Names names{"a", "b", "c", "d", "e"};
  const char *displays[] = {" Beta", "Alpha ", "Alpha", "Beta", " Beta"};
  for (std::size_t i = 0; i < names.size(); ++i)
    add({names[i], displays[i]});
  Names sorted = column(services.servicesSorted("DisplayName"), "Name");
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, names);
  add({"Odd", "Odd"})->set("ServiceType", Variant::null());
  EXPECT_EQ(errorNumberOf([&] { services.serviceList(); }), kInvalidUseOfNull);
}

TEST(ServicesPaths, TargetNamesGoIntoPathsExactlyAsSetAndOnlyWorkgroupsFailuresAreReported) {
  test::FakeNetwork net;
  net.directory->failBind("WinNT:", fake::adsError(fake::kAdsNoObject, "The network path was not found."));
  net.directory->failBind("WinNT:// LAB ", fake::adsError(fake::kAdsBadPath, "bad path"));
  Services services(net.platform);
  services.setWorkgroup(" LAB ");
  services.setComputerName(" pc1 ");
  errorNumberOf([&] { services.getService("svc"); });
  errorNumberOf([&] { services.servicesSorted("Name"); });
  EXPECT_EQ(failureOf([&] { services.getComputers(); }).description(), "bad path");
  EXPECT_EQ(failureOf([&] { services.getWorkgroups(); }).description(),
            "error with getWorkgroups: The network path was not found.");
  EXPECT_EQ(net.directory->binds,
            (Names{"WinNT:// LAB / pc1 /svc,Service", "WinNT:// LAB / pc1 ", "WinNT:// LAB ", "WinNT:"}));
}

TEST_F(ServicesTest, DependenciesOfAnyShapeAreKeyedFromZeroAndUnknownOnesFail) {
  add({"RpcSs", "RPC"});
  const std::tuple<Variant, Names, const char *> cases[] = {
      {Variant(), {}, ""},
      {Variant(int32_t{3}), {}, ""},
      {Variant("RpcSs"), {"RPC"}, "0"},
      {Variant(VariantArray{0, {Variant("RpcSs"), Variant("RpcSs")}}), {"RPC", "RPC"}, "0 1"},
  };
  for (const auto &[dependencies, displayNames, keys] : cases) {
    add({"Svc", "Some Service", 4, 2, 16, dependencies});
    auto deps = (*services.getService("Svc"))["Dependencies"].as<Collection>();
    EXPECT_EQ(column(deps, "DisplayName"), displayNames);
    EXPECT_EQ(test::keysOf(*deps), test::words(keys));
  }
  add({"Quiet", "Quiet"})->failRead("Dependencies", fake::adsError(fake::kAdsNoObject, "no value"));
  EXPECT_EQ((*services.getService("Quiet"))["Dependencies"].as<Collection>()->count(), 0);
  add({"Grouped", "Grouped", 4, 2, 16, Variant("+NetworkProvider")});
  auto error = failureOf([&] { services.getService("Grouped"); });
  EXPECT_EQ(error.number(), fake::kAdsBadPath);
  EXPECT_EQ(error.description(), "Error with getService: An invalid directory pathname was passed");
}

TEST_F(ServicesTest, SetStatusWritesTheStartTypeCallsTheRequestThenCommits) {
  const std::tuple<int32_t, int32_t, Names> cases[] = {
      {0, 0, {"Svc.SetInfo"}},
      {999, -1, {"Svc.Stop", "Svc.SetInfo"}},
      {7, 3, {"Svc.put StartType=3", "Svc.SetInfo"}},
      {1, 4, {"Svc.put StartType=4", "Svc.Stop", "Svc.SetInfo"}},
  };
  auto svc = add({"Svc", "Some Service"});
  svc->method("Stop", [](auto &, auto &) { return Variant(); });
  for (const auto &[status, startType, calls] : cases) {
    net.directory->journal->clear();
    services.setStatus("Svc", status, startType);
    EXPECT_EQ(*net.directory->journal, calls) << status << "/" << startType;
  }
  // A refused start ends the call before the new start type is committed.
  svc->method("start", [](auto &, auto &) -> Variant {
    throw fake::adsError(static_cast<int32_t>(0x80070422), "The service cannot be started.");
  });
  net.directory->journal->clear();
  auto error = failureOf([&] { services.setStatus("Svc", 4, 2); });
  EXPECT_EQ(error.number(), static_cast<int32_t>(0x80070422));
  EXPECT_EQ(error.description(), "The service cannot be started.");
  EXPECT_EQ(*net.directory->journal, (Names{"Svc.put StartType=2", "Svc.start"}));
}

} // namespace
} // namespace qv
