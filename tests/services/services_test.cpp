// The lab shows browsing, listing, details and state changes end to end;
// these are the order of the sorted listing, the paths, Null, odd
// dependencies and the calls and failures of a state change.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "core/convert.hpp"
#include "services/services.hpp"
#include "tests/services/fake_network.hpp"
#include "tests/services/literal_sorted_listing.hpp"
#include "tests/support/keys_of.hpp"

namespace qv {
namespace {

using namespace test;
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
  EXPECT_EQ(raisedBy([&] { services.servicesSorted("Path"); }),
            Raised(kInvalidCall, "Invalid procedure call or argument"));
}

TEST_F(ServicesTest, BlanksAroundValuesKeepEveryRecordOnceAndNullFails) {
  const Names names{" Beta", "Alpha ", "Alpha", "Beta", "Beta "};
  for (const std::string &name : names)
    add({name, name});
  Names sorted = column(services.servicesSorted("DisplayName"), "Name");
  EXPECT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), names.begin(), names.end()));
  add({"BETA", "Beta"}); // the same name as "Beta" to a key
  EXPECT_EQ(errorNumberOf([&] { services.servicesSorted("DisplayName"); }), kDuplicateKey);
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

// The lab shows browsing and lists of dependencies; here only computers
// listed, every field of a detail record, and dependencies none, one text, a
// list, and unreadable. A list whose bounds start above 0 has no element 0.
TEST_F(ServicesTest, BrowsingDetailsAndDependenciesMissingAsOneTextAListOrUnreadable) {
  add({"RpcSs", "RPC"});
  add({"One", "One", 7, 3, 32, Variant("RpcSs")});
  add({"Two", "Two", 4, 2, 16, Variant(VariantArray{0, {Variant("RpcSs"), Variant("One")}})});
  add({"Late", "Late", 4, 2, 16, Variant(VariantArray{1, {Variant("RpcSs")}})});
  add({"Quiet", "Quiet"})->failRead("Dependencies", fake::adsError(fake::kAdsNoObject, "no value"));
  net.workgroup("LAB")->addChild("User", "admin"); // no computer
  EXPECT_EQ(column(services.getComputers(), "Computer"), Names{"SRV1"});
  EXPECT_EQ(column(services.getWorkgroups(), "Workgroup"), Names{"LAB"});
  const std::tuple<const char *, const char *, const char *> cases[] = {
      {"RpcSs", "", ""}, {"One", "0", "RPC"}, {"Two", "0 1", "RPC One"}, {"Quiet", "", ""}};
  for (const auto &[service, keys, displayNames] : cases) {
    auto deps = (*services.getService(service))["Dependencies"].as<Collection>();
    EXPECT_EQ(test::keysOf(*deps), test::words(keys)) << service;
    EXPECT_EQ(column(deps, "DisplayName"), test::words(displayNames)) << service;
  }
  EXPECT_EQ(errorNumberOf([&] { services.getService("Late"); }), kSubscriptOutOfRange);
  Names fields;
  const CollectionPtr detail = services.getService("One");
  for (const Variant &field : *detail)
    fields.push_back(field.isObject() ? "(list)" : toText(field, *net.regional));
  EXPECT_EQ(fields, (Names{"7", "One", "One", "C:\\Windows\\system32\\One.exe", "LocalSystem", "3", "32", "1",
                           "(list)"}));
}

// The lab shows each request and refusal; here the calls of each state and
// their order. A refused request ends the call before the new start type is
// committed; a start type of 0 or less is left as it is.
TEST_F(ServicesTest, EachStateMakesItsRequestAndARefusalEndsTheCallBeforeCommitting) {
  auto svc = add({"Svc", "Some Service"});
  for (const char *request : {"Stop", "Pause"})
    svc->method(request, [](auto &, auto &) { return Variant(); });
  svc->method("start", [](auto &, auto &) -> Variant {
    throw fake::adsError(static_cast<int32_t>(0x80070422), "The service cannot be started.");
  });
  const std::tuple<int32_t, int32_t, int32_t, Names> requests[] = {
      {4, 2, static_cast<int32_t>(0x80070422), {"Svc.put StartType=2", "Svc.start"}},
      {1, 0, 0, {"Svc.Stop", "Svc.SetInfo"}},
      {6, 1, 0, {"Svc.put StartType=1", "Svc.Pause", "Svc.SetInfo"}},
      {999, -1, 0, {"Svc.Stop", "Svc.SetInfo"}},
      {5, 3, 0, {"Svc.put StartType=3", "Svc.SetInfo"}},
  };
  for (const auto &[status, startType, number, journal] : requests) {
    net.directory->journal->clear();
    EXPECT_EQ(errorNumberOf([&, s = status, t = startType] { services.setStatus("Svc", s, t); }), number)
        << status;
    EXPECT_EQ(*net.directory->journal, journal) << status;
  }
  EXPECT_EQ(failureOf([&] { services.setStatus("Svc", 4, 0); }).description(),
            "The service cannot be started.");
}

} // namespace
} // namespace qv
