#include <gtest/gtest.h>

#include <tuple>

#include "services/services.hpp"
#include "tests/services/fake_network.hpp"
#include "tests/support/keys_of.hpp"

namespace qv {
namespace {

using test::column;
using test::failureOf;
using test::FakeNetwork;
using test::ServiceSpec;

class ServicesDetails : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char *name : {"RpcSs", "Tcpip", "Afd", "NetBT"})
      add({name, std::string(name) + " Service"});
    services.setWorkgroup("LAB");
    services.setComputerName("SRV1");
  }
  fake::DirObjectPtr add(const ServiceSpec &spec) { return net.service("LAB", "SRV1", spec); }

  FakeNetwork net;
  Services services{net.platform};
};

VariantArray list(std::vector<Variant> items) { return VariantArray{0, std::move(items)}; }

TEST_F(ServicesDetails, DetailRecordHasNumbersWhereTheListingHasTexts) {
  add({"Spooler", "Print Spooler", 4, 2, 272});
  auto record = services.getService("Spooler");
  EXPECT_EQ(test::keysOf(*record), test::words("Status Name DisplayName Path ServiceAccountName StartType "
                                               "ServiceType ErrorControl Dependencies"));
  EXPECT_EQ((*record)["Status"], Variant(int32_t{4}));
  EXPECT_EQ((*record)["StartType"], Variant(int32_t{2}));
  EXPECT_EQ((*record)["ServiceType"], Variant(int32_t{272}));
  EXPECT_EQ((*record)["ErrorControl"], Variant("1"));
  EXPECT_EQ((*record)["Path"], Variant("C:\\Windows\\system32\\Spooler.exe"));
  EXPECT_EQ((*record)["ServiceAccountName"], Variant("LocalSystem"));
}

TEST_F(ServicesDetails, DependencyListsAreKeyedFromZero) {
  const std::tuple<const char *, Variant, std::vector<std::string>> cases[] = {
      {"none", Variant(), {}},
      {"empty list", list({}), {}},
      {"number", Variant(int32_t{3}), {}},
      {"one text", Variant("RpcSs"), {"RpcSs"}},
      {"list of one", list({Variant("Tcpip")}), {"Tcpip"}},
      {"list of three",
       list({Variant("Tcpip"), Variant("Afd"), Variant("NetBT")}),
       {"Tcpip", "Afd", "NetBT"}},
  };
  for (const auto &[label, dependencies, names] : cases) {
    add({"Svc", "Some Service", 4, 2, 16, dependencies});
    auto deps = (*services.getService("Svc"))["Dependencies"].as<Collection>();
    ASSERT_TRUE(deps) << label;
    ASSERT_EQ(deps->size(), names.size()) << label;
    for (std::size_t i = 0; i < names.size(); ++i) {
      EXPECT_EQ(deps->keyAt(i + 1), std::to_string(i)) << label;
      const Collection &dep = *deps->at(i + 1).as<Collection>();
      EXPECT_EQ(dep.keyAt(1), "Name");
      EXPECT_EQ(dep["Name"], Variant(names[i]));
      EXPECT_EQ(dep["DisplayName"], Variant(names[i] + " Service"));
    }
  }
}

TEST_F(ServicesDetails, UnreadableDependenciesAreNoneButUnknownOnesFail) {
  add({"Quiet", "Quiet"})->failRead("Dependencies", fake::adsError(fake::kAdsNoObject, "no value"));
  EXPECT_EQ((*services.getService("Quiet"))["Dependencies"].as<Collection>()->count(), 0);

  add({"Grouped", "Grouped", 4, 2, 16, list({Variant("RpcSs"), Variant("+NetworkProvider")})});
  for (const char *service : {"Grouped", "Missing"}) {
    auto error = failureOf([&] { services.getService(service); });
    EXPECT_EQ(error.number(), fake::kAdsBadPath) << service;
    EXPECT_EQ(error.description(), "Error with getService: An invalid directory pathname was passed");
  }
}

} // namespace
} // namespace qv
