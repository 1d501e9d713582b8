#include "client_config.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

class ClientConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store.WriteTextCreatingKey("Settings", "TermName", "vt100");
    store.CreateKey("Defaults");
  }
  int Read() { return ReadClientConfig(store, config, t.log(), t.errors); }
  void Set(const char* name, const char* value) { store.WriteText("Settings", name, value); }

  MemoryConfigStore store;
  ClientConfig config;
  test::ClientFixture t;
};

TEST_F(ClientConfigTest, MissingTermNameFailsWithItsReport) {
  store.DeleteValue("Settings", "TermName");
  EXPECT_EQ(Read(), 1001);
  ASSERT_EQ(t.platform.dialogs.size(), 1u);
  EXPECT_EQ(t.platform.dialogs[0], "F1001: Initialization failed. Run SETTINGS");
  EXPECT_EQ(t.platform.contexts[0], 1001);
}

TEST_F(ClientConfigTest, DefaultsWhenOnlyTermNameExists) {
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(config.termName, "vt100");
  EXPECT_FALSE(config.host);
  EXPECT_FALSE(config.autoConnect);
  EXPECT_EQ(config.hostsFile, "hosts");
  EXPECT_EQ(config.timerInterval, 400);
  EXPECT_EQ(config.scrollbackLines, 500);
  EXPECT_TRUE(config.allowOtherAddress);
  EXPECT_TRUE(config.autoClose);
  EXPECT_FALSE(config.disableNaws || config.serifFont || config.scrollbackBar || config.useIntlKeyboard ||
               config.printScreenAsGraphics || config.suppressBanner);
  EXPECT_FALSE(t.log().recordEvents || t.log().recordIO);
  EXPECT_EQ(config.throttleSize, 0);
  EXPECT_EQ(config.throttleStepMs, 0);
  EXPECT_EQ(config.port, 23);
  // Absent throttle values are written back as their defaults.
  EXPECT_EQ(ReadText(store, "Settings", "ThrottleOutput"), "50");
  EXPECT_EQ(ReadText(store, "Settings", "ThrottlePace"), "20");
  EXPECT_TRUE(t.platform.dialogs.empty());
}

TEST_F(ClientConfigTest, ThrottleOutOfRangeIsReplacedAndWrittenBack) {
  Set("ThrottleOutput", "1001");
  Set("ThrottlePace", "0");
  Set("ThrottleOut", "y");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(ReadText(store, "Settings", "ThrottleOutput"), "50");
  EXPECT_EQ(ReadText(store, "Settings", "ThrottlePace"), "20");
  EXPECT_EQ(config.throttleSize, 50);
  EXPECT_EQ(config.throttleStepMs, 20);
}

TEST_F(ClientConfigTest, ThrottleInRangeIsKept) {
  Set("ThrottleOutput", "1000");
  Set("ThrottlePace", "1");
  Set("ThrottleOut", "N");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(config.throttleOutput, 1000);
  EXPECT_EQ(config.throttlePace, 1);
  EXPECT_EQ(config.throttleSize, 0);  // switched off
  config.SetThrottle(true);
  EXPECT_EQ(config.throttleSize, 1000);
}

TEST_F(ClientConfigTest, ScrollbackSizeReplacesScrollbackLines) {
  Set("ScrollbackLines", "1000");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(config.scrollbackLines, 1000);

  Set("ScrollbackSize", "0");
  config = ClientConfig();
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(config.scrollbackLines, 500);

  Set("ScrollbackSize", "2000");
  config = ClientConfig();
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(config.scrollbackLines, 2000);
}

TEST_F(ClientConfigTest, NonPositiveNumbersKeepTheirDefaults) {
  Set("TimerInterval", "-5");
  Set("ScrollbackLines", "abc");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(config.timerInterval, 400);
  EXPECT_EQ(config.scrollbackLines, 500);
}

TEST_F(ClientConfigTest, YesNoQuirks) {
  Set("AutoConnect", "Yes");  // first letter only
  Set("AutoClose", "no");     // only the whole value "N" turns it off
  Set("AllowOtherAddress", "n");
  Set("RecordEvents", "Y");
  Set("RecordIO", "yes");     // whole value required
  Set("DisableNAWS", "y");
  store.WriteText("Defaults", "DefaultHost", "alpha");
  EXPECT_EQ(Read(), 0);
  EXPECT_TRUE(config.autoConnect);
  EXPECT_TRUE(config.autoClose);
  EXPECT_FALSE(config.allowOtherAddress);
  EXPECT_TRUE(t.log().recordEvents);
  EXPECT_FALSE(t.log().recordIO);
  EXPECT_TRUE(config.disableNaws);
  EXPECT_EQ(config.host, "alpha");

  Set("AutoClose", "N");
  config = ClientConfig();
  EXPECT_EQ(Read(), 0);
  EXPECT_FALSE(config.autoClose);
}

TEST_F(ClientConfigTest, AutoConnectNeedsDefaultHost) {
  Set("AutoConnect", "Y");
  store.WriteText("Defaults", "LastHost", "beta");
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(config.host, "beta");
  EXPECT_FALSE(config.autoConnect);

  store.WriteText("Defaults", "DefaultHost", "alpha");
  config = ClientConfig();
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(config.host, "alpha");  // DefaultHost wins over LastHost
  EXPECT_TRUE(config.autoConnect);
}

TEST_F(ClientConfigTest, ThrottleWriteBackNeedsTheSettingsKeyOnly) {
  // With a bare store the write-back goes nowhere but reading still works.
  MemoryConfigStore bare;
  bare.WriteTextCreatingKey("Settings", "TermName", "x");
  bare.DeleteKey("Defaults");
  ClientConfig c;
  EXPECT_EQ(ReadClientConfig(bare, c, t.log(), t.errors), 0);
  EXPECT_EQ(c.throttleOutput, 50);
}

}  // namespace
}  // namespace korvane
