#include <random>

#include <gtest/gtest.h>

#include "core/convert.hpp"
#include "services/services.hpp"
#include "tests/services/fake_network.hpp"
#include "tests/services/literal_sorted_listing.hpp"

namespace qv {
namespace {

using test::column;
using test::failureOf;
using test::FakeNetwork;
using test::ServiceSpec;

using Names = std::vector<std::string>;

class ServicesListing : public ::testing::Test {
protected:
  void SetUp() override {
    net.computer("LAB", "SRV1");
    services.setWorkgroup("LAB");
    services.setComputerName("SRV1");
  }
  void add(const ServiceSpec &spec) { net.service("LAB", "SRV1", spec); }
  void addFive() {
    add({"W32Time", "windows Time", 4, 2, 32});
    add({"Alerter", "alerter", 1, 4, 272});
    add({"spooler", "Print Spooler", 4, 2, 16});
    add({"Dhcp", "DHCP Client", 1, 2, 32});
    add({"browser", "Computer Browser", 7, 3, 16});
  }

  FakeNetwork net;
  Services services{net.platform};
};

TEST_F(ServicesListing, SummaryRecordsHoldTextsInFieldOrder) {
  addFive();
  auto listed = services.serviceList();
  ASSERT_EQ(listed->count(), 5);
  EXPECT_EQ(column(listed, "Name"), (Names{"W32Time", "Alerter", "spooler", "Dhcp", "browser"}));
  const Collection &alerter = *listed->item(std::string_view("2")).as<Collection>();
  const char *keys[] = {"Name", "DisplayName", "Status", "ServiceType", "StartType"};
  const char *values[] = {"Alerter", "alerter", "1", "272", "4"};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(alerter.keyAt(i + 1), keys[i]);
    EXPECT_EQ(alerter[i + 1], Variant(values[i])) << keys[i];
  }
}

TEST_F(ServicesListing, EmptyComputerAndNullPropertyLeaveUnchanged) {
  EXPECT_EQ(services.serviceList()->count(), 0);
  EXPECT_EQ(services.servicesSorted("NoSuchField")->count(), 0);
  net.service("LAB", "SRV1", {"Odd", "Odd"})->set("ServiceType", Variant::null());
  EXPECT_EQ(failureOf([&] { services.serviceList(); }).number(), kInvalidUseOfNull);
}

TEST_F(ServicesListing, SortsByFieldTextIgnoringCaseKeepingListOrderOnTies) {
  addFive();
  struct Case {
    const char *key;
    Names order;
  };
  const Case cases[] = {
      {"DisplayName", {"Alerter", "browser", "Dhcp", "spooler", "W32Time"}},
      {"displayname", {"Alerter", "browser", "Dhcp", "spooler", "W32Time"}},
      {"Name", {"Alerter", "browser", "Dhcp", "spooler", "W32Time"}},
      {"Status", {"Alerter", "Dhcp", "W32Time", "spooler", "browser"}},
      {"ServiceType", {"spooler", "browser", "Alerter", "W32Time", "Dhcp"}}, // "16" < "272" < "32"
      {"STARTTYPE", {"W32Time", "spooler", "Dhcp", "browser", "Alerter"}},
  };
  for (const Case &c : cases) {
    auto sorted = services.servicesSorted(c.key);
    EXPECT_EQ(column(sorted, "Name"), c.order) << c.key;
    EXPECT_EQ(sorted->keyAt(5), "5");
  }
}

TEST_F(ServicesListing, FieldsWithSurroundingBlanksKeepEveryRecordOnce) {
  Names names = {"a", "b", "c", "d", "e"};
  const char *displays[] = {" Beta", "Alpha ", "Alpha", "Beta", " Beta"};
  for (std::size_t i = 0; i < names.size(); ++i)
    add({names[i], displays[i]});
  auto sorted = services.servicesSorted("DisplayName");
  Names got = column(sorted, "Name");
  Names unique = got;
  std::sort(unique.begin(), unique.end());
  EXPECT_EQ(unique, names);
  Names shown = column(sorted, "DisplayName");
  for (std::size_t i = 1; i < shown.size(); ++i) {
    EXPECT_LE(net.regional->compareText(shown[i - 1], shown[i]), 0) << shown[i - 1] << " / " << shown[i];
  }
}

// Without blanks at either end, the result is what the first, quadratic
// sort gave: the values sorted, then each value's first remaining record.
TEST_F(ServicesListing, MatchesTheLiteralValueSortAndRecordLookup) {
  std::mt19937 random(7);
  const char *words[] = {"Agent", "agent", "Beacon", "bea con", "Zulu", "_x", "10", "9", "Éclair", "eclair"};
  for (int i = 0; i < 300; ++i) {
    std::string display = std::string(words[random() % 10]) + words[random() % 10];
    add({"svc" + std::to_string(i), display, static_cast<int32_t>(random() % 8)});
  }
  const Names names = column(services.serviceList(), "Name");
  for (const char *key : {"DisplayName", "Status"}) {
    Names expected;
    for (std::size_t index : test::literalSortedOrder(column(services.serviceList(), key), *net.regional))
      expected.push_back(names.at(index));
    EXPECT_EQ(column(services.servicesSorted(key), "Name"), expected) << key;
  }
}

TEST_F(ServicesListing, UnknownKeyFailsWithTheLookupsErrorUnchanged) {
  addFive();
  auto error = failureOf([&] { services.servicesSorted("Path"); });
  EXPECT_EQ(error.number(), kInvalidCall);
  EXPECT_EQ(error.source(), kSource);
  EXPECT_EQ(error.description(), "Invalid procedure call or argument");
}

} // namespace
} // namespace qv
