#include <gtest/gtest.h>

#include <tuple>

#include "services/services.hpp"
#include "tests/services/fake_network.hpp"

namespace qv {
namespace {

using test::failureOf;
using test::FakeNetwork;
using Calls = std::vector<std::string>;

Services servicesOn(FakeNetwork &net) {
  Services services(net.platform);
  services.setWorkgroup("LAB");
  services.setComputerName("SRV1");
  return services;
}

TEST(ServicesControl, StatusAndStartTypeMakeTheseCallsInThisOrder) {
  const std::tuple<int32_t, int32_t, Calls> cases[] = {
      {0, 0, {"Svc.SetInfo"}},
      {4, 0, {"Svc.start", "Svc.SetInfo"}},
      {1, 0, {"Svc.Stop", "Svc.SetInfo"}},
      {999, 0, {"Svc.Stop", "Svc.SetInfo"}},
      {6, -1, {"Svc.Pause", "Svc.SetInfo"}},
      {7, 0, {"Svc.SetInfo"}},
      {5, 0, {"Svc.SetInfo"}},
      {1, 4, {"Svc.put StartType=4", "Svc.Stop", "Svc.SetInfo"}},
      {0, 3, {"Svc.put StartType=3", "Svc.SetInfo"}},
  };
  for (const auto &[status, startType, calls] : cases) {
    FakeNetwork net;
    auto svc = net.service("LAB", "SRV1", {"Svc", "Some Service"});
    for (const char *method : {"start", "Stop", "Pause", "Continue"})
      svc->method(method, [](auto &, auto &) { return Variant(); });
    servicesOn(net).setStatus("Svc", status, startType);
    EXPECT_EQ(*net.directory->journal, calls) << status << "/" << startType;
  }
}

TEST(ServicesControl, RefusedStartLeavesTheStartTypeUncommitted) {
  FakeNetwork net;
  auto svc = net.service("LAB", "SRV1", {"Svc", "Some Service", 1, 4});
  svc->method("start", [](auto &, auto &) -> Variant {
    throw fake::adsError(static_cast<int32_t>(0x80070422), "The service cannot be started.");
  });
  auto error = failureOf([&] { servicesOn(net).setStatus("Svc", 4, 2); });
  EXPECT_EQ(error.number(), static_cast<int32_t>(0x80070422));
  EXPECT_EQ(error.description(), "The service cannot be started.");
  EXPECT_EQ(*net.directory->journal, (Calls{"Svc.put StartType=2", "Svc.start"}));
  EXPECT_EQ(svc->setInfoCount, 0);
}

} // namespace
} // namespace qv
