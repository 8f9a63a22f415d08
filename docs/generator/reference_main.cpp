// qv_reference write <idl> <data.json> <reference.md>: writes the reference.
// qv_reference check <idl> <data.json> <reference.md>: fails (exit 1) when
// the reference lacks a class, member, parameter or help string of the IDL,
// or differs from what write would make.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "docs/generator/idl_reader.hpp"
#include "docs/generator/reference_writer.hpp"

namespace {

std::string readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int check(const qv::reference::IdlLibrary &library, const std::string &expected, const std::string &path) {
  std::string actual;
  try {
    actual = readFile(path);
  } catch (const std::exception &) {
  }
  int failures = 0;
  for (const std::string &missing : qv::reference::missingFromReference(library, actual)) {
    std::cerr << path << ": missing " << missing << "\n";
    ++failures;
  }
  if (actual != expected) {
    std::istringstream a(actual), e(expected);
    std::string lineA, lineE;
    int line = 1;
    while (true) {
      bool moreA = static_cast<bool>(std::getline(a, lineA)),
           moreE = static_cast<bool>(std::getline(e, lineE));
      if (!moreA && !moreE) break;
      if (!moreA || !moreE || lineA != lineE) {
        std::cerr << path << ":" << line << ": differs from the generated text\n  has:      " << lineA
                  << "\n  expected: " << lineE << "\n";
        break;
      }
      ++line;
    }
    ++failures;
  }
  if (failures)
    std::cerr << "regenerate: cmake --build build/native --target reference\n";
  else
    std::cout << path << ": up to date with the IDL and the data file\n";
  return failures ? 1 : 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 5 || (std::string(argv[1]) != "write" && std::string(argv[1]) != "check")) {
    std::cerr << "usage: qv_reference write|check <idl> <data.json> <reference.md>\n";
    return 2;
  }
  try {
    qv::reference::IdlLibrary library = qv::reference::readIdl(readFile(argv[2]));
    std::string text = qv::reference::writeReference(library, readFile(argv[3]));
    if (std::string(argv[1]) == "check") return check(library, text, argv[4]);
    std::ofstream out(argv[4], std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[4]);
    return 0;
  } catch (const std::exception &error) {
    std::cerr << "qv_reference: " << error.what() << "\n";
    return 2;
  }
}
