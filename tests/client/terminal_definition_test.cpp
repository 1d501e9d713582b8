#include "terminal_definition.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

struct DefinitionFixture {
  DefinitionFixture() {
    config.termName = "vt100";
    store.WriteTextCreatingKey("Terms\\vt100", "TermDLL", "emu_vt100.dll");
    store.WriteTextCreatingKey("Terms\\vt100", "TermType", "vt100");
  }
  int Read() { return ReadTermDefinition(store, config, definition, client.errors); }

  test::ClientFixture client;
  MemoryConfigStore store;
  ClientConfig config;
  TermDefinition definition;
};

TEST(TermDefinition, ModuleAndTypeAreRequired) {
  for (const char* missing : {"TermDLL", "TermType"}) {
    DefinitionFixture f;
    f.config.termName = "wyse60";
    f.store.WriteTextCreatingKey("Terms\\wyse60", "TermDLL", "emu_wyse60.dll");
    f.store.WriteTextCreatingKey("Terms\\wyse60", "TermType", "wyse60");
    f.store.DeleteValue("Terms\\wyse60", missing);
    EXPECT_EQ(f.Read(), 1001);
    ASSERT_EQ(f.client.platform.dialogs.size(), 1u);
    EXPECT_NE(f.client.platform.dialogs[0].find("F1007: Can't find info for specified Term Def (wyse60)"),
              std::string::npos);
    EXPECT_EQ(f.client.platform.contexts[0], 1007);
  }
}

TEST(TermDefinition, ValuesOfAFullDefinition) {
  DefinitionFixture f;
  f.store.WriteTextCreatingKey("Terms\\vt100", "InitialScreen", "25,80,N");
  EXPECT_EQ(f.Read(), 0);
  EXPECT_EQ(f.definition.dll, "emu_vt100.dll");
  EXPECT_EQ(f.definition.termType, "vt100");
  EXPECT_EQ(f.definition.rows, 25);
  EXPECT_EQ(f.definition.columns, 80);
  EXPECT_FALSE(f.definition.statusLine);
  EXPECT_TRUE(f.definition.maps.displayOnly);
  EXPECT_EQ(f.definition.maps.ascii, IdentityMap());
}

TEST(TermDefinition, InitialScreenFields) {
  struct Case {
    const char* text;
    int rows, columns;
    bool status;
  } cases[] = {{"25", 25, 0, false},      {"24,80,y", 24, 80, true}, {"24,132,Yes", 24, 132, false},
               {",,Y", 0, 0, true},       {"-4,1000", 0, 256, false}, {"900,80,Y", 255, 80, true},
               {" 43 , 80 , Y", 43, 80, false}};
  for (const Case& c : cases) {
    DefinitionFixture f;
    f.store.WriteTextCreatingKey("Terms\\vt100", "InitialScreen", c.text);
    f.Read();
    EXPECT_EQ(f.definition.rows, c.rows) << c.text;
    EXPECT_EQ(f.definition.columns, c.columns) << c.text;
    EXPECT_EQ(f.definition.statusLine, c.status) << c.text;
  }
  EXPECT_EQ(CommaField("a,,c", 2), "");
  EXPECT_EQ(CommaField("a,,c", 3), "c");
  EXPECT_EQ(CommaField("a", 4), "");
}

TEST(TermDefinition, CommandLineSizesReplaceTheDefinitions) {
  DefinitionFixture f;
  f.store.WriteTextCreatingKey("Terms\\vt100", "InitialScreen", "25,80,N");
  f.config.screenRows = 43;
  f.config.screenStatus = 'Y';
  f.Read();
  EXPECT_EQ(f.definition.rows, 43);
  EXPECT_EQ(f.definition.columns, 80);
  int rows = f.definition.rows, columns = 0, status = 0;
  SettleTermGeometry(f.config, rows, columns, status);
  EXPECT_EQ(columns, 80);
  EXPECT_EQ(status, 1);
  f.config.screenStatus = 'n';
  SettleTermGeometry(f.config, rows, columns, status);
  EXPECT_EQ(status, 0);
  f.config.screenStatus = 0;
  status = 1;
  rows = 0;
  SettleTermGeometry(f.config, rows, columns, status);
  EXPECT_EQ(rows, 24);
  EXPECT_EQ(status, 1);  // no letter: the definition's choice stays
}

// Decision: a map shorter than 256 bytes replaces only its own length of the identity.
TEST(TermDefinition, CharacterMapsFullShortAbsentOrTooLong) {
  DefinitionFixture f;
  std::vector<uint8_t> full(256);
  for (size_t i = 0; i < 256; ++i) full[i] = static_cast<uint8_t>(255 - i);
  f.store.WriteBinary("Terms\\vt100", "AnsiMap", full.data(), full.size());
  const uint8_t shortMap[3] = {'x', 'y', 'z'};
  f.store.WriteBinary("Terms\\vt100", "AsciiMap", shortMap, 3);
  f.Read();
  EXPECT_EQ(f.definition.maps.ansi[0], 255);
  EXPECT_EQ(f.definition.maps.ansi[255], 0);
  EXPECT_EQ(f.definition.maps.ascii[2], 'z');
  EXPECT_EQ(f.definition.maps.ascii[3], 3);
  EXPECT_EQ(f.definition.maps.ascii['A'], 'A');
  EXPECT_EQ(f.definition.maps.Active(), f.definition.maps.ascii.data());
  f.definition.maps.useAnsi = true;
  EXPECT_EQ(f.definition.maps.Active()[1], 254);

  full.push_back(1);
  f.store.WriteBinary("Terms\\vt100", "AnsiMap", full.data(), full.size());
  f.Read();
  EXPECT_EQ(f.definition.maps.ansi, IdentityMap());
}

TEST(TermDefinition, DisplayOnlyUnlessTheValueStartsWithN) {
  for (auto [value, displayOnly] : {std::pair{"N", false}, {"no", false}, {"yes", true}, {"x", true}, {"", true}}) {
    DefinitionFixture f;
    f.store.WriteTextCreatingKey("Terms\\vt100", "DisplayOnly", value);
    f.Read();
    EXPECT_EQ(f.definition.maps.displayOnly, displayOnly) << value;
  }
}

}  // namespace
}  // namespace korvane
