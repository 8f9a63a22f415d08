#include <gtest/gtest.h>

#include <string>

#include "docs/generator/idl_reader.hpp"
#include "docs/generator/reference_writer.hpp"

namespace qv::reference {
namespace {

// The attribute forms a script sees differently: a property, a help string with escaped quotes, an in-out and
// optional parameters with and without defaults, a dual interface whose [retval] parameter is the result, and
// comments. The reader on the real library is checked by reference_is_current.
constexpr const char *kIdl = R"(
// a comment with [brackets] and "quotes"
[uuid(3D9902C3-2EA7-435B-8ED1-4E08B58959B4), version(1.0), helpstring("The library")]
library Sample {
  [uuid(527DCB67-B82A-4667-AC5B-C747528FF5AA)] dispinterface _Thing {
  properties:
  methods:
    [id(1), propput, helpstring("Sets the \"name\"")] void name([in] BSTR value);
    /* a block
       comment */
    [id(3)] IDispatch* page([in, out] VARIANT* computer, [in, optional, defaultvalue(25)] VARIANT size,
                            [in, optional, helpstring("page, from 1")] VARIANT number);
  };
  [uuid(61003B7B-F3E2-4925-BBE0-8F0BA62ADCFC), dual, oleautomation]
  interface IDual : IDispatch { [id(1), helpstring("Counts")] HRESULT count([in] long from, [in] IDispatch* filter, [out, retval] long* result); };
  [uuid(FEF1DBF8-A078-4C5F-A600-F41AB33FF278)] coclass Thing { [default] dispinterface _Thing; };
  [uuid(FEF1DBF8-A078-4C5F-A600-F41AB33FF279)] coclass Dual { interface IDual; };
};
)";

TEST(ReferenceGeneratorTest, TheCheckFindsWhatTheDocumentLacks) {
  IdlLibrary library = readIdl(kIdl);
  std::string document = writeReference(library, R"({"messages": [["Thing.page", "Error paging"]],
      "parameters": {"computer": "the target", "size": "entries", "from": "the start", "filter": "what to count"}})");
  EXPECT_TRUE(missingFromReference(library, document).empty());
  EXPECT_NE(document.find("taken by reference. No member writes into them.\n"), std::string::npos);
  EXPECT_NE(document.find("| `filter` | Object | by value |"), std::string::npos)
      << "an object is a reference already";

  // A member, a parameter and a help string dropped from the document.
  auto without = [&](const std::string &text) {
    std::string changed = document;
    changed.erase(changed.find(text), text.size());
    return missingFromReference(library, changed);
  };
  EXPECT_EQ(without("#### Dual.count(from, filter)\n"),
            std::vector<std::string>{"member Dual.count(from, filter)"});
  EXPECT_EQ(without("| `number` |"),
            std::vector<std::string>{"parameter number of Thing.page(computer, [size], [number])"});
  EXPECT_EQ(without("Sets the \"name\""), std::vector<std::string>{"help of Thing.name"});

  // The data file may name only members and parameters the IDL has, and
  // every parameter needs a description.
  const std::string described = R"("parameters": {"computer": "c", "size": "s", "from": "f"})";
  for (const std::string &data : {R"({"messages": [["Thing.gone", "x"]], )" + described + "}",
                                  R"({"writesBack": [["Thing.page", "pages", "x"]], )" + described + "}",
                                  R"({"differences": [["Thing.gone", "x"]], )" + described + "}",
                                  std::string(R"({"parameters": {"computer": "c", "from": "f"}})")}) {
    EXPECT_THROW(writeReference(library, data), ReferenceError) << data;
  }
}

// A bar in a difference escaped, and a marked place for the differences
// still to describe: the real data has neither, so reference_is_current
// cannot see them, while it does see the rest of the section, the
// written-back arguments and the member's own parameter descriptions.
TEST(ReferenceGeneratorTest, DifferencesEscapeTheirCellsAndMarkThoseStillToDescribe) {
  std::string document = writeReference(readIdl(kIdl), R"({
      "parameters": {"computer": "c", "size": "s", "from": "f", "filter": "f"},
      "differencesThisRound": [["Dual.count", "Counts | more."]], "differencesStillToDescribe": "the fold"})");
  EXPECT_NE(
      document.find("|---|---|\n| `Dual.count` | Counts \\| more. |\n\n<!-- Still to describe here (rows of "
                    "\"differencesThisRound\" in docs/reference-data.json): the fold -->"),
      std::string::npos)
      << document;
}

} // namespace
} // namespace qv::reference
