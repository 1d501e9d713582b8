#include "hosts_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace korvane {
namespace {

TEST(HostsFile, ReadsLabelsAndAddressesInFileOrder) {
  auto hosts = ParseHostsText(
      "# office hosts\r\n"
      "alpha 192.168.1.20\r\n"
      "\r\n"
      "   beta\t\r\n"
      "\t# indented comment\n"
      "gamma  10.0.0.7   trailing words ignored\n"
      "delta");
  ASSERT_EQ(hosts.size(), 4u);
  EXPECT_EQ(hosts[0].label, "alpha");
  EXPECT_EQ(hosts[0].address, "192.168.1.20");
  EXPECT_EQ(hosts[1].label, "beta");
  EXPECT_FALSE(hosts[1].address);
  EXPECT_EQ(hosts[2].label, "gamma");
  EXPECT_EQ(hosts[2].address, "10.0.0.7");
  EXPECT_EQ(hosts[3].label, "delta");
}

TEST(HostsFile, OnlyTheFirst254CharactersOfALineCount) {
  std::string longLabel(300, 'x');
  auto hosts = ParseHostsText(longLabel + " 10.1.1.1\nnext\n");
  ASSERT_EQ(hosts.size(), 2u);  // the rest of the long line is not a host of its own
  EXPECT_EQ(hosts[0].label, std::string(254, 'x'));
  EXPECT_FALSE(hosts[0].address);
  EXPECT_EQ(hosts[1].label, "next");

  auto cutAddress = ParseHostsText(std::string(250, 'h') + " 10.20.30.40\n");
  ASSERT_EQ(cutAddress.size(), 1u);
  EXPECT_EQ(cutAddress[0].address, "10.");
}

TEST(HostsFile, MissingFileGivesAnEmptyList) {
  EXPECT_TRUE(ReadHostsFile("/nonexistent/korvane/hosts").empty());
  auto path = std::filesystem::temp_directory_path() / "korvane_hosts_test";
  std::ofstream(path) << "one 1.2.3.4\ntwo\n";
  auto hosts = ReadHostsFile(path.string());
  std::filesystem::remove(path);
  ASSERT_EQ(hosts.size(), 2u);
  EXPECT_EQ(hosts[1].label, "two");
}

TEST(HostsFile, AddressTestAcceptsOnlyDigitsAndDots) {
  EXPECT_TRUE(IsDottedAddress("10.0.0.5"));
  EXPECT_TRUE(IsDottedAddress(""));
  EXPECT_TRUE(IsDottedAddress("999.1"));
  EXPECT_FALSE(IsDottedAddress("10.0.0.5x"));
  EXPECT_FALSE(IsDottedAddress("localhost"));
  EXPECT_FALSE(IsDottedAddress(" 10.0.0.5"));

  HostSelection byAddress = SelectTyped("10.0.0.5");
  EXPECT_EQ(byAddress.address, "10.0.0.5");
  EXPECT_FALSE(byAddress.name);
  HostSelection byName = SelectTyped("10.0.0.5x");
  EXPECT_EQ(byName.name, "10.0.0.5x");
  EXPECT_FALSE(byName.address);  // an earlier address does not survive a new selection
}

TEST(HostsFile, ListLineCutsLongLabelsButSelectionKeepsThem) {
  HostEntry longOne{std::string(30, 'L'), std::string("1.2.3.4")};
  EXPECT_EQ(HostListLine(longOne), std::string(25, 'L') + "  1.2.3.4");
  EXPECT_EQ(HostListLine({"beta", std::nullopt}), "beta" + std::string(21, ' ') + "   ");
  EXPECT_EQ(SelectEntry(longOne).name, std::string(30, 'L'));
  EXPECT_EQ(SelectEntry(longOne).address, "1.2.3.4");
}

TEST(HostsFile, PreselectsTheLastMatchOrTheFirstEntry) {
  std::vector<HostEntry> hosts = {{"alpha", std::string("10.0.0.1")}, {"beta", std::nullopt}, {"ALPHA", std::nullopt}};
  EXPECT_EQ(PreselectedHost(hosts, std::string("Alpha")), 2);
  EXPECT_EQ(PreselectedHost(hosts, std::string("10.0.0.1")), 0);
  EXPECT_EQ(PreselectedHost(hosts, std::string("gamma")), 0);
  EXPECT_EQ(PreselectedHost(hosts, std::nullopt), 0);
  EXPECT_EQ(PreselectedHost({}, std::string("alpha")), -1);
}

TEST(HostsFile, PortFieldTakesOnlyValidPorts) {
  EXPECT_EQ(ParsePortField("2323"), 2323);
  EXPECT_EQ(ParsePortField(" 23x"), 23);
  EXPECT_EQ(ParsePortField("65535"), 65535);
  for (const char* bad : {"", "0", "abc", "-5", "65536", "99999999999999999999"}) EXPECT_FALSE(ParsePortField(bad)) << bad;
}

}  // namespace
}  // namespace korvane
