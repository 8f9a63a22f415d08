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
  for (int i = 0; i < 300; ++i) // a braced list is evaluated in order: the same services every run
    add({"svc" + std::to_string(i), std::string(words[random() % 10]) + words[random() % 10],
         static_cast<int32_t>(random() % 12)});
  const Names names = column(services.serviceList(), "Name");
  for (const char *key : {"displayname", "STATUS"}) {
    Names expected;
    for (std::size_t index : test::literalSortedOrder(column(services.serviceList(), key), *net.regional))
      expected.push_back(names.at(index));
    EXPECT_EQ(column(services.servicesSorted(key), "Name"), expected) << key;
  }
  auto error = failureOf([&] { services.servicesSorted("Path"); });
  EXPECT_EQ(error.number(), kInvalidCall);
  EXPECT_EQ(error.description(), "Invalid procedure call or argument");
}

TEST_F(ServicesTest, BlanksAroundValuesKeepEveryRecordOnceAndNullFails) {
  const Names names{" Beta", "Alpha ", "Alpha", "Beta", "Beta "};
  for (const std::string &name : names)
    add({name, name});
  Names sorted = column(services.servicesSorted("DisplayName"), "Name");
  EXPECT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), names.begin(), names.end()));
  add({"Odd", "Odd"})->set("ServiceType", Variant::null());
  EXPECT_EQ(errorNumberOf([&] { services.serviceList(); }), kInvalidUseOfNull);
}

TEST_F(ServicesTest, TargetNamesGoIntoPathsExactlyAsSetAndWorkgroupFailuresAreReported) {
  net.directory->failBind("WinNT:", fake::adsError(fake::kAdsNoObject, "The network path was not found."));
  services.setWorkgroup(" LAB ");
  services.setComputerName(" pc1 ");
  errorNumberOf([&] { services.getService("svc"); });
  errorNumberOf([&] { services.serviceList(); });
  errorNumberOf([&] { services.getComputers(); });
  EXPECT_EQ(failureOf([&] { services.getWorkgroups(); }).description(),
            "error with getWorkgroups: The network path was not found.");
  EXPECT_EQ(net.directory->binds,
            (Names{"WinNT:// LAB / pc1 /svc,Service", "WinNT:// LAB / pc1 ", "WinNT:// LAB ", "WinNT:"}));
}

// The lab shows lists of dependencies; here none, one text, and unreadable.
TEST_F(ServicesTest, DependenciesMissingAsOneTextOrUnreadable) {
  add({"RpcSs", "RPC"});
  add({"One", "One", 4, 2, 16, Variant("RpcSs")});
  add({"Quiet", "Quiet"})->failRead("Dependencies", fake::adsError(fake::kAdsNoObject, "no value"));
  const std::tuple<const char *, const char *, const char *> cases[] = {
      {"RpcSs", "", ""}, {"One", "0", "RPC"}, {"Quiet", "", ""}};
  for (const auto &[service, keys, displayNames] : cases) {
    auto deps = (*services.getService(service))["Dependencies"].as<Collection>();
    EXPECT_EQ(test::keysOf(*deps), test::words(keys)) << service;
    EXPECT_EQ(column(deps, "DisplayName"), test::words(displayNames)) << service;
  }
}

// The lab shows each request and refusal; here the order of the calls.
TEST_F(ServicesTest, ARefusedStartEndsTheCallBeforeTheNewStartTypeIsCommitted) {
  add({"Svc", "Some Service"})->method("start", [](auto &, auto &) -> Variant {
    throw fake::adsError(static_cast<int32_t>(0x80070422), "The service cannot be started.");
  });
  auto error = failureOf([&] { services.setStatus("Svc", 4, 2); });
  EXPECT_EQ(error.number(), static_cast<int32_t>(0x80070422));
  EXPECT_EQ(error.description(), "The service cannot be started.");
  EXPECT_EQ(*net.directory->journal, (Names{"Svc.put StartType=2", "Svc.start"}));
}

} // namespace
} // namespace qv
