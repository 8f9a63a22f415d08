#include <functional>

#include <gtest/gtest.h>

#include "services/services.hpp"
#include "tests/services/fake_network.hpp"

namespace qv {
namespace {

using test::failureOf;
using test::FakeNetwork;

TEST(ServicesPaths, TargetNamesGoIntoPathsExactlyAsSet) {
  struct Case {
    const char *workgroup;
    const char *computer;
    std::function<void(Services &)> call;
    const char *path;
  };
  const Case cases[] = {
      {nullptr, nullptr, [](Services &s) { s.getService("svc"); }, "WinNT:////svc,Service"},
      {nullptr, nullptr, [](Services &s) { s.serviceList(); }, "WinNT:///"},
      {nullptr, nullptr, [](Services &s) { s.getComputers(); }, "WinNT://"},
      {" LAB ", " pc1 ", [](Services &s) { s.getService("svc"); }, "WinNT:// LAB / pc1 /svc,Service"},
      {" LAB ", " pc1 ", [](Services &s) { s.servicesSorted("Name"); }, "WinNT:// LAB / pc1 "},
      {" LAB ", " pc1 ", [](Services &s) { s.getComputers(); }, "WinNT:// LAB "},
  };
  for (const Case &c : cases) {
    FakeNetwork net;
    net.directory->failBind(c.path, fake::adsError(fake::kAdsNoObject, "not here"));
    Services services(net.platform);
    if (c.workgroup) services.setWorkgroup(c.workgroup);
    if (c.computer) services.setComputerName(c.computer);
    EXPECT_EQ(failureOf([&] { c.call(services); }).number(), fake::kAdsNoObject) << c.path;
    ASSERT_EQ(net.directory->binds.size(), 1u) << c.path;
    EXPECT_EQ(net.directory->binds[0], c.path);
  }
}

TEST(ServicesBrowsing, ListsWorkgroupsAndComputersInProviderOrder) {
  FakeNetwork net;
  Services services(net.platform);
  EXPECT_EQ(services.getWorkgroups()->count(), 0);

  net.workgroup("LAB");
  net.workgroup("CORP");
  for (int i = 1; i <= 11; ++i)
    net.computer("LAB", "PC" + std::to_string(i));
  net.workgroup("LAB")->addChild("User", "admin"); // not a computer

  auto workgroups = services.getWorkgroups();
  EXPECT_EQ(test::column(workgroups, "Workgroup"), (std::vector<std::string>{"LAB", "CORP"}));

  services.setWorkgroup("LAB");
  auto computers = services.getComputers();
  ASSERT_EQ(computers->count(), 11);
  EXPECT_EQ((*computers->item(std::string_view("11")).as<Collection>())["Computer"], Variant("PC11"));
  EXPECT_EQ(computers->keyAt(11), "11");

  services.setWorkgroup("CORP");
  EXPECT_EQ(services.getComputers()->count(), 0);
}

TEST(ServicesBrowsing, WorkgroupFailureIsReportedComputerFailureIsNot) {
  FakeNetwork net;
  net.directory->failBind("WinNT:", fake::adsError(fake::kAdsNoObject, "The network path was not found."));
  net.directory->failBind("WinNT://GONE", fake::adsError(fake::kAdsBadPath, "bad path"));
  Services services(net.platform);

  auto reported = failureOf([&] { services.getWorkgroups(); });
  EXPECT_EQ(reported.number(), fake::kAdsNoObject);
  EXPECT_EQ(reported.source(), "Active Directory");
  EXPECT_EQ(reported.description(), "error with getWorkgroups: The network path was not found.");

  services.setWorkgroup("GONE");
  auto unchanged = failureOf([&] { services.getComputers(); });
  EXPECT_EQ(unchanged.number(), fake::kAdsBadPath);
  EXPECT_EQ(unchanged.source(), "Active Directory");
  EXPECT_EQ(unchanged.description(), "bad path");
}

} // namespace
} // namespace qv
