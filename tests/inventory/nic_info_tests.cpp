#include "inventory/nic_info.hpp"

#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

Variant addresses(std::vector<Variant> items, int32_t lowerBound = 0) {
  return Variant(VariantArray{lowerBound, std::move(items)});
}

fake::WmiObjectPtr adapter(int32_t index, Variant ip, Variant subnet, Variant gateway) {
  auto nic = std::make_shared<fake::WmiObject>();
  nic->set("Index", index)
      .set("Description", "Intel(R) PRO/1000")
      .set("MACAddress", "00:0C:29:AA:BB:CC")
      .set("DNSHostName", "srv1")
      .set("DNSDomain", Variant::null())
      .set("IPAddress", std::move(ip))
      .set("IPSubnet", std::move(subnet))
      .set("DefaultIPGateway", std::move(gateway));
  return nic;
}

TEST(NicInfo, NoIpEnabledAdapterGivesAnEmptyCollection) {
  InventoryLab lab;
  lab.target->addQuery(inventory::kNicQuery, std::vector<fake::WmiObjectPtr>{});
  EXPECT_EQ(lab.info.getNicInfo("SRV1")->count(), 0);
  EXPECT_EQ(lab.management->connects, std::vector<std::string>{"winmgmts://SRV1"});
}

TEST(NicInfo, RecordHoldsSevenFieldsWithAddressListsKeyedByArrayPosition) {
  InventoryLab lab;
  lab.target->addQuery(inventory::kNicQuery, {adapter(7, addresses({"10.0.0.5", "fe80::1"}),
                                                      addresses({"255.255.255.0", "64"}), Variant::null())});
  auto result = lab.info.getNicInfo("SRV1");
  ASSERT_EQ(result->count(), 1);
  auto nic = asCollection((*result)["7"]);
  EXPECT_EQ(keysOf(*nic), (std::vector<std::string>{"NICName", "MACAddress", "DNSHostName", "DNSDomain",
                                                    "StaticIP", "SubNet", "GateWay"}));
  EXPECT_EQ((*nic)["NICName"], Variant("Intel(R) PRO/1000"));
  EXPECT_TRUE((*nic)["DNSDomain"].isNull()) << "a missing value stays Null";

  auto ip = asCollection((*nic)["StaticIP"]);
  auto subnet = asCollection((*nic)["SubNet"]);
  EXPECT_EQ(keysOf(*ip), (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(keysOf(*subnet), (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ((*ip)["1"], Variant("fe80::1"));
  EXPECT_EQ((*subnet)["0"], Variant("255.255.255.0"));
  EXPECT_EQ(asCollection((*nic)["GateWay"])->count(), 0) << "no gateway is an empty list, never missing";
}

TEST(NicInfo, AddressListCountsFromTheArraysOwnLowerBound) {
  auto list = inventory::addressList(addresses({"a", "b"}, 1));
  EXPECT_EQ(keysOf(*list), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ((*list)["2"], Variant("b"));
  EXPECT_EQ(failureOf([] { inventory::addressList(Variant("10.0.0.1")); }).number(), kTypeMismatch);
}

TEST(NicInfo, KeysAreAdapterIndexesNotPositions) {
  InventoryLab lab;
  lab.target->addQuery(inventory::kNicQuery,
                       {adapter(7, Variant::null(), Variant::null(), Variant::null()),
                        adapter(1, addresses({"192.168.1.9"}), Variant::null(), addresses({"192.168.1.1"}))});
  auto result = lab.info.getNicInfo("SRV1");
  ASSERT_EQ(result->count(), 2);
  EXPECT_EQ(keysOf(*result), (std::vector<std::string>{"7", "1"}));
  auto byKey = asCollection((*result)["1"]);
  auto byPosition = asCollection(result->at(1));
  EXPECT_EQ(asCollection((*byKey)["StaticIP"])->item("0"sv), Variant("192.168.1.9"));
  EXPECT_EQ(asCollection((*byPosition)["StaticIP"])->count(), 0);
}

TEST(NicInfo, DuplicateIndexFailsTheWholeCallWithItsMessage) {
  InventoryLab lab;
  lab.target->addQuery(inventory::kNicQuery, {adapter(3, Variant::null(), Variant::null(), Variant::null()),
                                              adapter(3, Variant::null(), Variant::null(), Variant::null())});
  auto error = failureOf([&] { lab.info.getNicInfo("SRV1"); });
  EXPECT_EQ(error.number(), kDuplicateKey);
  EXPECT_EQ(error.description(),
            std::string("Error retreiving NIC info for SRV1: ") + runtimeErrorText(kDuplicateKey));
}

} // namespace
} // namespace qv::test
