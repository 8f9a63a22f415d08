#include "inventory/nic_info.hpp"

#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

Variant list(std::vector<Variant> items, int32_t lowerBound = 0) {
  return Variant(VariantArray{lowerBound, std::move(items)});
}

fake::WmiObjectPtr adapter(int32_t index, Variant ip, Variant gateway) {
  return wmi({{"Index", index},
              {"Description", "Intel(R) PRO/1000"},
              {"MACAddress", "00:0C:29:AA:BB:CC"},
              {"DNSHostName", "srv1"},
              {"DNSDomain", Variant::null()},
              {"IPAddress", ip},
              {"IPSubnet", ip.isNull() ? ip : list({"255.255.255.0", "64"})},
              {"DefaultIPGateway", std::move(gateway)}});
}

TEST(NicInfo, AdaptersKeyedByIndexWithAddressListsKeyedByArrayPosition) {
  InventoryLab lab;
  lab.target->addQuery(inventory::kNicQuery, {adapter(7, list({"10.0.0.5", "fe80::1"}), Variant::null()),
                                              adapter(1, Variant::null(), list({"192.168.1.1"}))});
  auto result = lab.info.getNicInfo("SRV1");
  // The key "1" is the adapter whose index is 1; position 1 is the first delivered.
  EXPECT_EQ(keysOf(*result), (Keys{"7", "1"}));
  auto first = asCollection(result->at(1));
  EXPECT_EQ(keysOf(*first), words("NICName MACAddress DNSHostName DNSDomain StaticIP SubNet GateWay"));
  EXPECT_EQ((*first)["NICName"], Variant("Intel(R) PRO/1000"));
  EXPECT_TRUE((*first)["DNSDomain"].isNull()) << "a missing value stays Null";
  EXPECT_EQ(keysOf(*asCollection((*first)["StaticIP"])), (Keys{"0", "1"}));
  EXPECT_EQ(keysOf(*asCollection((*first)["SubNet"])), (Keys{"0", "1"}));
  EXPECT_EQ(asCollection((*first)["StaticIP"])->at(2), Variant("fe80::1"));
  EXPECT_EQ(asCollection((*first)["GateWay"])->count(), 0) << "no gateway is an empty list, never missing";
  EXPECT_EQ(asCollection((*asCollection((*result)["1"]))["GateWay"])->at(1), Variant("192.168.1.1"));
  // Positions count from the array's own lower bound.
  EXPECT_EQ(keysOf(*inventory::addressList(list({"a", "b"}, 1))), (Keys{"1", "2"}));
  EXPECT_EQ(failureOf([] { inventory::addressList(Variant("10.0.0.1")); }).number(), kTypeMismatch);
}

TEST(NicInfo, NoAdapterGivesAnEmptyCollectionAndADuplicateIndexFailsTheCall) {
  InventoryLab empty;
  empty.target->addQuery(inventory::kNicQuery, std::vector<fake::WmiObjectPtr>{});
  EXPECT_EQ(empty.info.getNicInfo("SRV1")->count(), 0);

  InventoryLab lab;
  lab.target->addQuery(inventory::kNicQuery, {adapter(3, Variant::null(), Variant::null()),
                                              adapter(3, Variant::null(), Variant::null())});
  auto error = failureOf([&] { lab.info.getNicInfo("SRV1"); });
  EXPECT_EQ(error.number(), kDuplicateKey);
  EXPECT_EQ(error.description(),
            std::string("Error retreiving NIC info for SRV1: ") + runtimeErrorText(kDuplicateKey));
}

} // namespace
} // namespace qv::test
