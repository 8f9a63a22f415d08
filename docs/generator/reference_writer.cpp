#include "docs/generator/reference_writer.hpp"

#include <nlohmann/json.hpp>

#include <map>
#include <set>
#include <sstream>

namespace qv::reference {

namespace {

using Json = nlohmann::ordered_json;

std::string scriptType(std::string type) {
  if (!type.empty() && type.back() == '*' && type != "IDispatch*" && type != "IUnknown*") type.pop_back();
  static const std::map<std::string, std::string> names = {{"BSTR", "Text"},
                                                           {"long", "Long"},
                                                           {"LONG", "Long"},
                                                           {"int", "Long"},
                                                           {"short", "Integer"},
                                                           {"double", "Double"},
                                                           {"float", "Single"},
                                                           {"DATE", "Date"},
                                                           {"VARIANT_BOOL", "Boolean"},
                                                           {"VARIANT", "Variant"},
                                                           {"IDispatch*", "Object"},
                                                           {"IUnknown*", "Enumerator"},
                                                           {"void", ""}};
  auto found = names.find(type);
  return found == names.end() ? type : found->second;
}

bool isDefaultMember(const IdlMember &member) { return member.id == "0" || member.id == "DISPID_VALUE"; }

// The members of one name, in the IDL's order of first appearance.
struct MemberGroup {
  const IdlMember *get = nullptr, *put = nullptr, *putRef = nullptr, *method = nullptr;
  const IdlMember &first() const { return method ? *method : get ? *get : put ? *put : *putRef; }
};

std::vector<MemberGroup> groups(const IdlInterface &interface) {
  std::vector<MemberGroup> result;
  std::map<std::string, std::size_t> index;
  for (const IdlMember &member : interface.members) {
    auto [at, added] = index.emplace(member.name, result.size());
    if (added) result.emplace_back();
    MemberGroup &group = result[at->second];
    switch (member.kind) {
    case MemberKind::Method: group.method = &member; break;
    case MemberKind::PropertyGet: group.get = &member; break;
    case MemberKind::PropertyPut: group.put = &member; break;
    case MemberKind::PropertyPutRef: group.putRef = &member; break;
    }
  }
  return result;
}

std::string kindText(const MemberGroup &group) {
  std::string kind;
  if (group.method) {
    std::string result = scriptType(group.method->resultType);
    kind = result.empty() ? "Method" : "Method returning " + result;
  } else {
    const IdlMember &typed = group.get ? *group.get : group.put ? *group.put : *group.putRef;
    std::string type = group.get ? scriptType(typed.resultType)
                                 : (typed.parameters.empty() ? "" : scriptType(typed.parameters.back().type));
    if (group.get && (group.put || group.putRef))
      kind = "Read-write property";
    else if (group.get)
      kind = "Read-only property";
    else
      kind = "Write-only property";
    if (!type.empty()) kind += " (" + type + ")";
    if (group.putRef) kind += ", assigned with Set";
  }
  const IdlMember &first = group.first();
  if (isDefaultMember(first)) kind += "; the default member";
  if (first.hidden) kind += "; hidden, used by For Each";
  return kind;
}

std::string joinedHelp(const MemberGroup &group) {
  std::string help;
  for (const IdlMember *member : {group.method, group.get, group.put, group.putRef}) {
    if (!member || member->help.empty() || help.find(member->help) != std::string::npos) continue;
    help += (help.empty() ? "" : " ") + member->help;
  }
  return help;
}

std::string cell(const std::string &text) {
  std::string out;
  for (char c : text)
    out += c == '|' ? std::string("\\|") : std::string(1, c);
  return out;
}

std::string anchorOf(const std::string &heading) {
  std::string anchor;
  for (char c : heading) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_')
      anchor += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    else if (c == ' ')
      anchor += '-';
  }
  return anchor;
}

// "Class.member" names of the data file must exist in the IDL.
void checkMemberName(const std::vector<ReferenceClass> &classes, const std::string &qualified,
                     const std::string &where) {
  auto dot = qualified.find('.');
  for (const ReferenceClass &owner : classes) {
    if (dot == std::string::npos || owner.name != qualified.substr(0, dot)) continue;
    for (const IdlMember &member : owner.interface->members)
      if (member.name == qualified.substr(dot + 1)) return;
  }
  throw ReferenceError(where + ": no member " + qualified + " in the IDL");
}

std::string memberList(const std::vector<ReferenceClass> &classes, const Json &names,
                       const std::string &where) {
  std::string text;
  for (const auto &name : names) {
    checkMemberName(classes, name.get<std::string>(), where);
    text += (text.empty() ? "" : ", ") + ("`" + name.get<std::string>() + "`");
  }
  return text;
}

// The argument a member writes back, from the data's "writesBack" rows
// [member, parameter, what it receives]; each must name a parameter the
// member has.
struct WriteBack {
  std::string member, parameter, receives;
};

std::vector<WriteBack> writeBacks(const std::vector<ReferenceClass> &classes, const Json &data) {
  std::vector<WriteBack> result;
  for (const auto &row : data.value("writesBack", Json::array())) {
    WriteBack entry{row[0].get<std::string>(), row[1].get<std::string>(), row[2].get<std::string>()};
    checkMemberName(classes, entry.member, "writesBack");
    bool found = false;
    for (const ReferenceClass &owner : classes) {
      for (const IdlMember &member : owner.interface->members) {
        if (owner.name + "." + member.name != entry.member) continue;
        for (const IdlParameter &parameter : member.parameters)
          found = found || parameter.name == entry.parameter;
      }
    }
    if (!found) throw ReferenceError("writesBack: " + entry.member + " has no parameter " + entry.parameter);
    result.push_back(std::move(entry));
  }
  return result;
}

std::string writeBackSentence(const std::vector<WriteBack> &writes) {
  std::string text = "Arguments a script passes to a method are taken by reference. ";
  if (writes.empty()) return text + "No member writes into them.";
  text += "Only these members write into them: ";
  for (std::size_t i = 0; i < writes.size(); ++i) {
    if (i > 0) text += i + 1 == writes.size() ? "; and " : "; ";
    text += "`" + writes[i].member + "` into `" + writes[i].parameter + "`: " + writes[i].receives;
  }
  return text + ". No other member changes a caller's variable.";
}

// A parameter's description: the IDL's help, else the data's text for
// "Class.member.parameter", else for the parameter's name alone. A
// parameter without one fails, so no description column is left empty.
std::string parameterDescription(const Json &data, const std::string &member, const IdlParameter &parameter) {
  if (!parameter.help.empty()) return parameter.help;
  const Json texts = data.value("parameters", Json::object());
  for (const std::string &name : {member + "." + parameter.name, parameter.name}) {
    if (texts.contains(name)) return texts[name].get<std::string>();
  }
  throw ReferenceError("parameter " + parameter.name + " of " + member + " has no description");
}

constexpr const char *kDifferencesHeading = "Where this component deliberately differs";

// The behaviours that differ from earlier versions of the interface, each
// under the member it concerns: the data's "differences", then
// "differencesThisRound", and a marked place for those still to describe.
void writeDifferences(std::ostream &out, const std::vector<ReferenceClass> &classes, const Json &data) {
  out << "## " << kDifferencesHeading << "\n\n";
  for (const auto &paragraph : data.value("differencesAbout", Json::array()))
    out << paragraph.get<std::string>() << "\n\n";
  out << "| Member | What it does |\n|---|---|\n";
  for (const char *list : {"differences", "differencesThisRound"}) {
    for (const auto &row : data.value(list, Json::array())) {
      std::string member = row[0].get<std::string>();
      checkMemberName(classes, member, list);
      out << "| `" << member << "` | " << cell(row[1].get<std::string>()) << " |\n";
    }
  }
  std::string pending = data.value("differencesStillToDescribe", std::string());
  if (!pending.empty())
    out << "\n<!-- Still to describe here (rows of \"differencesThisRound\" in docs/reference-data.json): "
        << pending << " -->\n";
  out << "\n";
}

} // namespace

std::vector<ReferenceClass> referenceClasses(const IdlLibrary &library) {
  std::vector<ReferenceClass> result;
  std::set<std::string> offered;
  for (const IdlClass &coclass : library.classes)
    offered.insert(coclass.interfaceName);
  for (const IdlInterface &interface : library.interfaces) {
    if (offered.contains(interface.name)) continue;
    std::string name = interface.name.starts_with("_") ? interface.name.substr(1) : interface.name;
    result.push_back({name, "", &interface, interface.help});
  }
  for (const IdlClass &coclass : library.classes) {
    const IdlInterface *interface = library.findInterface(coclass.interfaceName);
    if (!interface)
      throw ReferenceError("coclass " + coclass.name + ": no interface " + coclass.interfaceName);
    result.push_back({coclass.name, library.name + "." + coclass.name, interface,
                      coclass.help.empty() ? interface->help : coclass.help});
  }
  return result;
}

std::vector<IdlParameter> indexParameters(const IdlMember &member) {
  std::vector<IdlParameter> parameters = member.parameters;
  bool assigns = member.kind == MemberKind::PropertyPut || member.kind == MemberKind::PropertyPutRef;
  if (assigns && !parameters.empty()) parameters.pop_back();
  return parameters;
}

std::string memberHeading(const ReferenceClass &owner, const IdlMember &member) {
  std::string heading = owner.name + "." + member.name;
  std::vector<IdlParameter> parameters = indexParameters(member);
  if (member.kind != MemberKind::Method && parameters.empty()) return heading;
  heading += "(";
  bool first = true;
  for (const IdlParameter &parameter : parameters) {
    heading += (first ? "" : ", ") +
               (parameter.optional || parameter.defaultValue ? "[" + parameter.name + "]" : parameter.name);
    first = false;
  }
  return heading + ")";
}

std::string writeReference(const IdlLibrary &library, const std::string &dataJson) {
  Json data = Json::parse(dataJson);
  std::vector<ReferenceClass> classes = referenceClasses(library);
  std::ostringstream out;

  out << "# " << library.name << " reference\n\n";
  out << "<!-- Generated from automation/quorvane.idl and docs/reference-data.json by docs/generator; do not "
         "edit. Change those two and run: cmake --build build/native --target reference -->\n\n";
  if (!library.help.empty())
    out << library.help << " (type library " << library.name << " " << library.version << ").\n\n";
  for (const auto &paragraph : data["about"])
    out << paragraph.get<std::string>() << "\n\n";
  const std::vector<WriteBack> writes = writeBacks(classes, data);
  out << writeBackSentence(writes) << "\n\n";

  out << "Classes:";
  for (std::size_t i = 0; i < classes.size(); ++i)
    out << (i ? "," : "") << " [" << classes[i].name << "](#" << anchorOf(classes[i].name) << ")";
  out << ".\nAlso: [Records](#records), [Errors](#errors), [" << kDifferencesHeading << "](#"
      << anchorOf(kDifferencesHeading) << ").\n\n";

  out << "## Classes\n\n";
  for (const ReferenceClass &owner : classes) {
    out << "### " << owner.name << "\n\n";
    if (owner.progId.empty())
      out << "Not created by scripts";
    else
      out << "Created with `CreateObject(\"" << owner.progId << "\")`";
    out << "; interface `" << owner.interface->name << "`.";
    if (!owner.help.empty()) out << " " << owner.help << ".";
    out << "\n\n";
    for (const MemberGroup &group : groups(*owner.interface)) {
      const IdlMember &first = group.first();
      out << "#### " << memberHeading(owner, first) << "\n\n";
      out << kindText(group) << ".";
      std::string help = joinedHelp(group);
      if (!help.empty()) out << " " << help << (help.back() == '.' ? "" : ".");
      out << "\n\n";
      const std::vector<IdlParameter> parameters = indexParameters(first);
      if (parameters.empty()) continue;
      out << "| Parameter | Type | Passed | Default | Description |\n|---|---|---|---|---|\n";
      const std::string member = owner.name + "." + first.name;
      for (const IdlParameter &parameter : parameters) {
        std::string passed =
            parameter.type.ends_with("*") && parameter.type != "IDispatch*" ? "by reference" : "by value";
        for (const WriteBack &write : writes)
          if (write.member == member && write.parameter == parameter.name) passed += ", written back";
        std::string fallback = parameter.defaultValue ? *parameter.defaultValue
                               : parameter.optional   ? "may be omitted"
                                                      : "";
        out << "| `" << parameter.name << "` | " << scriptType(parameter.type) << " | " << passed << " | "
            << cell(fallback) << " | " << cell(parameterDescription(data, member, parameter)) << " |\n";
      }
      out << "\n";
    }
  }

  out << "## Records\n\n";
  for (const auto &paragraph : data["recordsAbout"])
    out << paragraph.get<std::string>() << "\n\n";
  for (const auto &record : data["records"]) {
    std::string name = record["name"].get<std::string>();
    out << "### " << name << "\n\n";
    out << "From " << memberList(classes, record["from"], "record " + name) << ".";
    if (record.contains("about")) out << " " << record["about"].get<std::string>();
    out << "\n\n| # | Key | Type | Value |\n|---|---|---|---|\n";
    int position = 1;
    for (const auto &field : record["fields"]) {
      out << "| " << position++ << " | `" << field[0].get<std::string>() << "` | "
          << cell(field[1].get<std::string>()) << " | "
          << cell(field.size() > 2 ? field[2].get<std::string>() : "") << " |\n";
    }
    out << "\n";
  }

  out << "## Errors\n\n";
  for (const auto &paragraph : data["errorsAbout"])
    out << paragraph.get<std::string>() << "\n\n";
  out << "### Messages of the members\n\n";
  for (const auto &paragraph : data["messagesAbout"])
    out << paragraph.get<std::string>() << "\n\n";
  out << "| Member | Message |\n|---|---|\n";
  for (const auto &message : data["messages"]) {
    std::string member = message[0].get<std::string>();
    checkMemberName(classes, member, "message");
    out << "| `" << member << "` | " << cell(message[1].get<std::string>()) << " |\n";
  }
  out << "\n### Errors the component raises itself\n\n";
  out << "| Number | Description | When |\n|---|---|---|\n";
  for (const auto &error : data["ownErrors"]) {
    out << "| " << error[0].get<int>() << " | " << cell(error[1].get<std::string>()) << " | "
        << cell(error[2].get<std::string>()) << " |\n";
  }
  out << "\n";
  for (const auto &paragraph : data["errorsAfter"])
    out << paragraph.get<std::string>() << "\n\n";
  writeDifferences(out, classes, data);
  std::string text = out.str();
  while (text.size() > 1 && text.ends_with("\n\n"))
    text.pop_back();
  return text;
}

std::vector<std::string> missingFromReference(const IdlLibrary &library, const std::string &reference) {
  std::vector<std::string> missing;
  for (const ReferenceClass &owner : referenceClasses(library)) {
    if (reference.find("\n### " + owner.name + "\n") == std::string::npos)
      missing.push_back("class " + owner.name);
    for (const MemberGroup &group : groups(*owner.interface)) {
      std::string heading = "\n#### " + memberHeading(owner, group.first()) + "\n";
      std::size_t at = reference.find(heading);
      if (at == std::string::npos) {
        missing.push_back("member " + memberHeading(owner, group.first()));
        continue;
      }
      std::size_t end = reference.find("\n#", at + heading.size());
      std::string section = reference.substr(at, end == std::string::npos ? std::string::npos : end - at);
      for (const IdlParameter &parameter : indexParameters(group.first())) {
        std::string row = "| `" + parameter.name + "` |";
        if (section.find(row) == std::string::npos)
          missing.push_back("parameter " + parameter.name + " of " + memberHeading(owner, group.first()));
        if (!parameter.help.empty() && section.find(cell(parameter.help)) == std::string::npos)
          missing.push_back("help of parameter " + parameter.name + " of " +
                            memberHeading(owner, group.first()));
      }
      for (const IdlMember *member : {group.method, group.get, group.put, group.putRef})
        if (member && !member->help.empty() && section.find(member->help) == std::string::npos)
          missing.push_back("help of " + memberHeading(owner, *member));
    }
  }
  return missing;
}

} // namespace qv::reference
