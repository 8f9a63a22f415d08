#include "lab/checks/check.hpp"
#include "lab/checks/small_fleet.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/wql.hpp"

using namespace qv::lab;
using checks::failsWith;

namespace {

PropertyBag bag(std::initializer_list<std::pair<const char *, Value>> entries) {
  PropertyBag b;
  for (const auto &[name, value] : entries)
    b.set(name, value);
  return b;
}

bool matches(const std::string &where, const PropertyBag &props) {
  WqlQuery q = parseWql("select * from C where " + where);
  return wqlMatches(q.where.get(), props);
}

} // namespace

CHECKS("query texts the component issues parse in any letter case") {
  for (const char *text :
       {"Select * from Win32_NetworkAdapterConfiguration Where IPEnabled = True",
        "SELECT Bias FROM win32_TimeZone",
        "select numberOfRecords from win32_NTEventlogFile where LogfileName='App\\'s'",
        "Select * from Win32_NTLogEvent where LogFile='System' and Recordnumber <=105 and Recordnumber >-5",
        "select * from win32_NTLogEvent where RecordNumber=4711.5",
        "Select * from Win32_Process where ProcessId=-3",
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one query, split to fit the line
        "sElEcT Name , ProcessId fRoM Win32_Process wHeRe (Name = \"a\\\\b\" or not ProcessId < 10) AND Name "
        "IS NOT NULL"}) {
    bool parsed = true;
    try {
      parseWql(text);
    } catch (const LabError &) {
      parsed = false;
    }
    CHECK(parsed);
  }
  WqlQuery q = parseWql("select numberOfRecords from win32_NTEventlogFile where LogfileName='a\\'b\\\\c'");
  CHECK(q.select.size() == 1 && q.className == "win32_NTEventlogFile");
  CHECK(std::get<std::string>(q.where->literal.value) == "a'b\\c");
}

CHECKS("texts outside the language are invalid queries") {
  for (const char *text :
       {"", "select", "select * Win32_Process", "select * from", "select * from 1abc",
        "select * from C where", "select * from C where Name = 'open",
        "select * from C where Name = 'bad\\escape'", "select * from C where Name 'x'",
        "select * from C where LogFile='System' and Recordnumber <= and Recordnumber >0",
        "select * from C where Name = x", "select * from C extra", "select * from C where (Name = 1",
        "delete from C", "select * from C where Name = 12abc"}) {
    CHECK(failsWith(code::kWbemInvalidQuery, [&] { parseWql(text); }));
  }
  std::string nested = "select * from C where " + std::string(100000, '(') + "Name = 1";
  CHECK(failsWith(code::kWbemInvalidQuery, [&] { parseWql(nested); }));
  std::string negations = "select * from C where ";
  for (int i = 0; i < 100000; ++i)
    negations += "not ";
  CHECK(failsWith(code::kWbemInvalidQuery, [&] { parseWql(negations + "Name = 1"); }));
  std::string shallow = "select * from C where " + std::string(10, '(') + "Name = 1" + std::string(10, ')');
  CHECK(parseWql(shallow).where != nullptr);
}

CHECKS("names bind to the class's own spelling; unknown properties are invalid") {
  Fleet fleet = checks::smallFleet();
  const ClassSchema &process = *fleet.findClass("win32_process");
  WqlQuery q = parseWql("select name, PROCESSID from WIN32_PROCESS where priority > 1");
  bindWql(q, process);
  CHECK(q.className == "Win32_Process");
  CHECK(q.select[0] == "Name" && q.select[1] == "ProcessId");
  CHECK(q.where->property == "Priority");
  WqlQuery bad = parseWql("select * from Win32_Process where Owner = 'x'");
  CHECK(failsWith(code::kWbemInvalidQuery, [&] { bindWql(bad, process); }));
  WqlQuery badSelect = parseWql("select Nope from Win32_Process");
  CHECK(failsWith(code::kWbemInvalidQuery, [&] { bindWql(badSelect, process); }));
}

CHECKS("comparisons: texts without case, numbers held as text, Booleans, Null") {
  PropertyBag p = bag({{"Name", Value("System")},
                       {"Size", Value("9000000000")},
                       {"Id", Value(int32_t{12})},
                       {"On", Value(true)},
                       {"Gone", Value()}});
  struct Case {
    const char *where;
    bool expected;
  } cases[] = {
      {"Name = 'SYSTEM'", true},
      {"Name <> 'system'", false},
      {"Name < 'T'", true},
      {"Size > 8999999999", true},
      {"Size = 9000000000", true},
      {"Size < 1", false},
      {"Id = 12", true},
      {"Id = '12'", true},
      {"Id >= 12.5", false},
      {"Id > -1", true},
      {"On = True", true},
      {"On = false", false},
      {"On = 1", true},
      {"Gone = 'x'", false},
      {"Gone <> 'x'", false},
      {"Gone IS NULL", true},
      {"Id IS NOT NULL", true},
      {"Id = 12 and Name = 'x'", false},
      {"Id = 12 or Name = 'x'", true},
      {"not (Id = 12)", false},
      {"Name = 12", false},
  };
  for (const auto &c : cases) {
    bool got = matches(c.where, p);
    if (got != c.expected) std::printf("  where %s\n", c.where);
    CHECK(got == c.expected);
  }
}

CHECKS("a conjunction gives the range and the equality a walk may keep to") {
  WqlQuery q = parseWql("select * from C where LogFile='System' and RecordNumber <=105 and RecordNumber >95");
  WqlHints records = wqlHintsFor(q.where.get(), "recordnumber");
  CHECK(records.atMost && *records.atMost == 105);
  CHECK(records.atLeast && *records.atLeast == 96);
  CHECK(wqlHintsFor(q.where.get(), "logfile").equals == std::optional<std::string>("System"));
  WqlQuery either = parseWql("select * from C where RecordNumber = 3 or RecordNumber = 9");
  CHECK(!wqlHintsFor(either.where.get(), "RecordNumber").atLeast);
}
