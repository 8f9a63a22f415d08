#pragma once
// A target computer "SRV1" reachable through the management fake, and the
// ServerInfo object that reads it.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "inventory/server_info.hpp"
#include "tests/fakes/fake_management.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/keys_of.hpp"
#include "tests/support/kind_name.hpp"

namespace qv::test {

using namespace std::string_view_literals;
using Keys = std::vector<std::string>;

inline std::shared_ptr<const Regional> englishStyle() { return PortableRegional::english(); }
inline std::shared_ptr<const Regional> europeanStyle() { return PortableRegional::european(); }

inline fake::WmiObjectPtr wmi(std::initializer_list<std::pair<std::string, Variant>> properties) {
  return std::make_shared<fake::WmiObject>(properties);
}

struct InventoryLab {
  explicit InventoryLab(std::shared_ptr<const Regional> regional = englishStyle())
      : platform{management, nullptr, system, std::move(regional)}, info(platform) {}

  fake::WmiObjectPtr add(const std::string &className, fake::WmiObjectPtr instance) {
    target->addInstance(className, instance);
    return instance;
  }

  std::shared_ptr<fake::Management> management = std::make_shared<fake::Management>();
  std::shared_ptr<fake::System> system = std::make_shared<fake::System>();
  std::shared_ptr<fake::WmiService> target = management->service("winmgmts://SRV1");
  Platform platform;
  ServerInfo info;
};

inline CollectionPtr asCollection(const Variant &value) {
  auto collection = value.as<Collection>();
  EXPECT_TRUE(collection) << "not a collection: " << kindName(value.kind());
  return collection ? collection : std::make_shared<Collection>();
}

// A date as "yyyy-mm-dd hh:mm:ss" so failures read plainly.
inline std::string stamp(Date value) {
  DateParts p = splitDate(value);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                p.second);
  return text;
}

inline Date at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return makeDate(DateParts{year, month, day, hour, minute, second});
}

} // namespace qv::test
