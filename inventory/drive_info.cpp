#include "inventory/drive_info.hpp"

#include "core/convert.hpp"
#include "inventory/drive_sizes.hpp"
#include "inventory/management_reads.hpp"

namespace qv::inventory {
namespace {

bool isFixedHardDisk(const Variant &mediaType, const Regional &regional) {
  if (mediaType.isNull() || mediaType.isEmpty()) return false;
  return toDouble(mediaType, regional) == kFixedHardDisk;
}

// A byte count as delivered (64-bit values arrive as text); a locked or
// unformatted volume gives Null, read as 0.
double bytesOf(const Variant &delivered, const Regional &regional) {
  return delivered.isNull() ? 0.0 : toDouble(delivered, regional);
}

// Text fields of a locked or unformatted volume may be Null; such a drive is
// still listed, with blanks. On a measurable drive a Null text field is a
// failure of the listing like any other unreadable value.
Variant driveText(const Variant &delivered, bool measurable, const Regional &regional) {
  if (delivered.isNull() && !measurable) return Variant("");
  return Variant(toText(delivered, regional));
}

} // namespace

CollectionPtr readLogicalDrives(const Platform &platform, std::string_view computer) {
  const Regional &regional = *platform.regional;
  auto service = connectTo(*platform.management, computer);
  auto drives = allInstances(*service, "Win32_LogicalDisk");
  ResultCollection result;
  forEachInstance(*drives, [&](ManagementObject &drive) {
    if (!isFixedHardDisk(drive.get("mediatype"), regional)) return;
    const Variant size = drive.get("size");
    const Variant freeSpace = drive.get("FreeSpace");
    const double sizeBytes = bytesOf(size, regional);
    const double freeBytes = bytesOf(freeSpace, regional);
    const bool measurable = !size.isNull() && !freeSpace.isNull() && sizeBytes != 0;

    auto record = newRecord();
    record->add(sizeText(sizeBytes, regional), "DiskSize");
    record->add(size, "diskSizeInBytes");
    record->add(measurable ? usedPercentText(sizeBytes, freeBytes, regional) : Variant(""), "PercentUsed");
    record->add(freeSpace, "FreeSpaceInBytes");
    record->add(sizeText(freeBytes, regional), "FreeSpace");
    record->add(driveText(drive.get("Caption"), measurable, regional), "DriveLetter");
    record->add(driveText(drive.get("FileSystem"), measurable, regional), "FileSystem");
    record->add(driveText(drive.get("VolumeName"), measurable, regional), "VolumeName");
    result.add(record);
  });
  return result.take();
}

} // namespace qv::inventory
