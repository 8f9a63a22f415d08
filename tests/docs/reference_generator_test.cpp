#include <gtest/gtest.h>

#include <string>

#include "docs/generator/idl_reader.hpp"
#include "docs/generator/reference_writer.hpp"

namespace qv::reference {
namespace {

// Every attribute form the type library uses or may use: ids as numbers
// and names, properties in three kinds, help strings with escaped quotes,
// optional parameters with and without defaults, a dual interface whose
// [retval] parameter is the result, comments and other declarations.
constexpr const char *kIdl = R"(
import "oaidl.idl";
// a comment with [brackets] and "quotes"
[uuid(3D9902C3-2EA7-435B-8ED1-4E08B58959B4), version(1.0), helpstring("The library")]
library Sample
{
  importlib("stdole2.tlb");
  typedef enum { One = 1, Two } Numbers;
  [uuid(D926CD23-8D93-4A02-890C-B779FFA00309), helpstring("Items")]
  dispinterface _Items
  {
  properties:
  methods:
    [propget, id(DISPID_VALUE), helpstring("An item, \"by\" key")] VARIANT Item([in] VARIANT Index);
    [id(-4), restricted, hidden] IUnknown* _NewEnum();
  };
  [uuid(527DCB67-B82A-4667-AC5B-C747528FF5AA)]
  dispinterface _Thing
  {
  properties:
  methods:
    [id(1), propput, helpstring("Sets the name")] void name([in] BSTR value);
    [id(1), propget] BSTR name();
    [id(2), propputref] void list([in] IDispatch* value);
    /* a block
       comment */
    [id(3)] IDispatch* page([in, out] VARIANT* computer, [in, optional, defaultvalue(25)] VARIANT size,
                            [in, optional, helpstring("page, from 1")] VARIANT number,
                            [in, defaultvalue("a,b")] BSTR separator);
  };
  [uuid(61003B7B-F3E2-4925-BBE0-8F0BA62ADCFC), dual, oleautomation]
  interface IDual : IDispatch
  {
    [id(1), helpstring("Counts")] HRESULT count([in] long from, [out, retval] long* result);
    [id(2)] HRESULT reset();
  };
  [uuid(FEF1DBF8-A078-4C5F-A600-F41AB33FF278), helpstring("A thing")]
  coclass Thing { [default] dispinterface _Thing; };
  [uuid(FEF1DBF8-A078-4C5F-A600-F41AB33FF279)]
  coclass Dual { interface IDual; };
};
)";

TEST(ReferenceGeneratorTest, ReadsEveryAttributeForm) {
  IdlLibrary library = readIdl(kIdl);
  EXPECT_EQ(library.name, "Sample");
  EXPECT_EQ(library.version, "1.0");
  EXPECT_EQ(library.help, "The library");
  ASSERT_EQ(library.interfaces.size(), 3u);

  const IdlInterface &items = library.interfaces[0];
  ASSERT_EQ(items.members.size(), 2u);
  EXPECT_EQ(items.members[0].id, "DISPID_VALUE");
  EXPECT_EQ(items.members[0].kind, MemberKind::PropertyGet);
  EXPECT_EQ(items.members[0].help, "An item, \"by\" key");
  EXPECT_EQ(items.members[1].id, "-4");
  EXPECT_TRUE(items.members[1].hidden);

  const IdlInterface &thing = library.interfaces[1];
  ASSERT_EQ(thing.members.size(), 4u);
  EXPECT_EQ(thing.members[0].kind, MemberKind::PropertyPut);
  EXPECT_EQ(thing.members[2].kind, MemberKind::PropertyPutRef);
  const IdlMember &page = thing.members[3];
  EXPECT_EQ(page.resultType, "IDispatch*");
  ASSERT_EQ(page.parameters.size(), 4u);
  EXPECT_TRUE(page.parameters[0].in && page.parameters[0].out);
  EXPECT_EQ(page.parameters[0].type, "VARIANT*");
  EXPECT_EQ(page.parameters[1].defaultValue, "25");
  EXPECT_TRUE(page.parameters[2].optional);
  EXPECT_EQ(page.parameters[2].help, "page, from 1");
  EXPECT_EQ(page.parameters[3].defaultValue, "\"a,b\"");

  const IdlInterface &dual = library.interfaces[2];
  ASSERT_EQ(dual.members.size(), 2u);
  EXPECT_EQ(dual.members[0].resultType, "long");
  EXPECT_EQ(dual.members[0].parameters.size(), 1u);
  EXPECT_EQ(dual.members[1].resultType, "void");

  ASSERT_EQ(library.classes.size(), 2u);
  EXPECT_EQ(library.classes[0].interfaceName, "_Thing");
  EXPECT_EQ(library.classes[1].interfaceName, "IDual");
}

TEST(ReferenceGeneratorTest, TheCheckFindsWhatTheDocumentLacks) {
  IdlLibrary library = readIdl(kIdl);
  const std::string data = R"({"about": [], "recordsAbout": [], "records": [], "errorsAbout": [],
                               "messagesAbout": [], "messages": [["Thing.page", "Error paging"]],
                               "ownErrors": [], "errorsAfter": []})";
  std::string document = writeReference(library, data);
  EXPECT_TRUE(missingFromReference(library, document).empty());
  EXPECT_NE(document.find("#### Items.Item(Index)\n"), std::string::npos);
  EXPECT_NE(document.find("#### Thing.page(computer, [size], [number], [separator])\n"), std::string::npos);
  EXPECT_NE(document.find("| `size` | Variant | by value | 25 |"), std::string::npos);

  // A member, a parameter and a help string dropped from the document.
  auto without = [&](const std::string &text) {
    std::string changed = document;
    changed.erase(changed.find(text), text.size());
    return missingFromReference(library, changed);
  };
  EXPECT_EQ(without("#### Dual.count(from)\n"), std::vector<std::string>{"member Dual.count(from)"});
  EXPECT_EQ(
      without("| `number` |"),
      std::vector<std::string>{"parameter number of Thing.page(computer, [size], [number], [separator])"});
  EXPECT_EQ(without("Sets the name"), std::vector<std::string>{"help of Thing.name"});

  // The data file may name only members the IDL has.
  EXPECT_THROW(writeReference(library, R"({"messages": [["Thing.gone", "x"]]})"), ReferenceError);
}

} // namespace
} // namespace qv::reference
