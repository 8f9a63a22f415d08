#include "iis/iis_tool.hpp"

#include <limits>
#include <vector>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "iis/directory_values.hpp"
#include "iis/iis_common.hpp"
#include "iis/iis_paths.hpp"

namespace qv {

namespace {

// The end of the enumeration: MD_ERROR_DATA_NOT_FOUND through the scripting
// interface, ERROR_NO_MORE_ITEMS as an HRESULT through the admin base.
constexpr auto kMetabaseDataNotFound = static_cast<int32_t>(0x800CC801);
constexpr auto kNoMoreItems = static_cast<int32_t>(0x80070103);

bool isEndOfBackups(int32_t number) { return number == kMetabaseDataNotFound || number == kNoMoreItems; }

} // namespace

IisTool::IisTool(Platform platform) : platform_(std::move(platform)) {}

// A home folder on another computer is read through its administrative
// share: D:\sites\a on web1 becomes \\web1\D$\sites\a. Only the exact name
// "localhost" (blanks around it aside) means this computer.
std::string IisTool::folderPath(std::string_view path) const {
  if (trim(computerName_) == "localhost") return std::string(path);
  std::string share = "\\\\" + computerName_ + "\\";
  share.reserve(share.size() + path.size());
  for (char c : path)
    share.push_back(c == ':' ? '$' : c);
  return share;
}

double IisTool::getSiteSize(const std::string &siteName) {
  const Regional &regional = *platform_.regional;
  DirectoryObjectPtr root;
  std::string home = reportAndFail("Error with quorvane.IisTool.getSiteSize", [&] {
    DirectoryObjectPtr site = findSite(platform_, computerName_, siteName);
    if (!site) throwRuntimeError(kObjectNotSet);
    root = site->child(kVirtualDirClass, "Root");
    return folderPath(readText(*root, "path", regional));
  });

  // From here a folder that cannot be reached adds nothing.
  System &system = *platform_.system;
  double total = 0;
  tolerate([&] { total += static_cast<double>(system.folderSize(home)); });

  std::vector<DirectoryObjectPtr> children;
  tolerate([&] { children = root->children({}); });
  for (const auto &child : children) {
    tolerate([&] {
      DirectoryObjectPtr dir = root->child(kVirtualDirClass, readText(*child, "Name", regional));
      std::string path = folderPath(readText(*dir, "Path", regional));
      total += static_cast<double>(system.folderSize(path));
    });
  }
  return total;
}

CollectionPtr IisTool::metaBaseBackupFiles(const std::string &computer) {
  return reportAndFail("Error with quorvane.IisTool.metaBaseBackupFiles", [&] {
    const Regional &regional = *platform_.regional;
    auto listing = std::make_shared<Collection>();
    DirectoryObjectPtr metabase = platform_.directory->bind(iisComputerPath(computer));

    // The provider answers the first index past the last backup with its
    // end-of-data code; any other refusal is a listing that could not be
    // finished, and is reported rather than passed off as a shorter list.
    for (int32_t i = 0; i < std::numeric_limits<int32_t>::max(); ++i) {
      std::vector<Variant> args{Variant(""), Variant(i), Variant(), Variant(), Variant()};
      if (auto refused = tolerate([&] { metabase->call("EnumBackups", args); })) {
        if (isEndOfBackups(refused->number())) break;
        throw *refused;
      }
      auto record = newRecord();
      tolerate([&] { record->add(Variant(toText(args[3], regional)), "Location"); });
      tolerate([&] { record->add(Variant(toText(args[4], regional)), "Date"); });
      listing->add(Variant(record), std::to_string(i));
    }
    return listing;
  });
}

std::string backupName(Date moment, const Regional &regional) {
  std::string name;
  for (char c : regional.dateToText(moment)) {
    if (c == ' ') {
      name.push_back('_');
    } else if (c != '.' && c != ':' && c != '/') {
      // "/" of a month/day/year date would make a path of the name.
      name.push_back(c);
    }
  }
  return name;
}

std::string IisTool::metaBaseBackup(const std::string &computer) {
  return noHandler([&] {
    std::string name = backupName(platform_.system->nowLocal(), *platform_.regional);
    DirectoryObjectPtr metabase = platform_.directory->bind(iisComputerPath(computer));
    // Version -1 (all bits set) asks for the next version of the name.
    std::vector<Variant> args{Variant(name), Variant(int32_t{-1}), Variant(int16_t{2})};
    metabase->call("backup", args);
    return name;
  });
}

} // namespace qv
