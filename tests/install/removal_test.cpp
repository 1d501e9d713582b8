// The removal flow: the first process hands over to its copy, the copy
// removes links, keys and files.
#include <gtest/gtest.h>

#include "fake_installer_system.h"

namespace korvane::test {
namespace {

using Lines = std::vector<std::string>;
constexpr const char kMenu[] = "C:\\WINDOWS\\START MENU\\PROGRAMS\\Korvane\\";

class Removal : public ::testing::Test {
 protected:
  InstallerRig rig;
  void SetUp() override {
    rig.context.currentDirectory = "C:\\KV\\";
    rig.system.AddDirectory("C:\\");
    rig.system.AddDirectory("C:\\KV\\");
    rig.system.AddDirectory(kMenu);
    for (const char* link : {"Korvane.lnk", "Korvane Settings.lnk", "Korvane Help.lnk", "Uninstall Korvane.lnk"})
      rig.system.AddFile(std::string(kMenu) + link);
    for (const char* file : {"INSTALL.EXE", "KORVANE.EXE", "HOSTS", "UNINSTALL KORVANE.LNK"})
      rig.system.AddFile(std::string("C:\\KV\\") + file);
    rig.store.WriteTextCreatingKey("Defaults", "InstallDir", "C:\\KV\\");
  }
};

TEST_F(Removal, WithoutInstallDirOrOptionFailsAtOnce) {
  rig.store.DeleteKey("Defaults");
  rig.Run("Install.exe -R");
  EXPECT_EQ(rig.log, (Lines{"CurDir=C:\\KV\\", "Command Line=Install.exe -R", "PerformRemoval",
                            "Failed getting InstallDir", "You can force this by using '-D dir' on the command line",
                            "Uninstallation failed! See log in\nC:\\TEMP\\korvane_uninstall_log.txt\nfor details.",
                            "Uninstall failed"}));
  EXPECT_EQ(rig.system.CallsStarting("box ").size(), 1u);
  EXPECT_TRUE(rig.system.CallsStarting("box Korvane Uninstall: Uninstallation failed!").size() == 1u);
}

TEST_F(Removal, AnsweringNoRemovesNothing) {
  rig.Run("Install.exe -r");
  EXPECT_EQ(rig.LogFrom("PerformRemoval", 4),
            (Lines{"PerformRemoval", "Installation dir: C:\\KV\\",
                   "This will remove all programs and the\ninstallation directory. OK to continue?",
                   "Failed GetConfirmation"}));
  EXPECT_TRUE(rig.system.CallsStarting("copy").empty());
  EXPECT_TRUE(rig.system.CallsStarting("delete").empty());
  EXPECT_EQ(rig.log.back(), "Uninstall failed");
}

TEST_F(Removal, YesCopiesItselfToTempAndHandsOver) {
  rig.system.answers = {BoxAnswer::Yes};
  rig.Run("Install.exe -r");
  EXPECT_TRUE(rig.Logged("Execute Autofunction"));
  EXPECT_EQ(rig.system.CallsStarting("copy "), Lines{"copy C:\\KV\\install.exe -> C:\\TEMP\\install.exe"});
  EXPECT_EQ(rig.system.CallsStarting("start "), Lines{"start C:\\TEMP\\install.exe -R -A in C:\\TEMP\\"});
  EXPECT_EQ(rig.log.back(), "Execute Autofunction");  // no result box from the first process
  EXPECT_TRUE(rig.system.FileExists("C:\\KV\\KORVANE.EXE"));

  InstallerRig given;
  given.system = rig.system;
  given.system.calls.clear();
  given.system.answers = {BoxAnswer::Yes};
  given.Run("Install.exe -r -D c:\\kv");
  EXPECT_EQ(given.system.CallsStarting("start "),
            Lines{"start C:\\TEMP\\install.exe -R -A -D \"c:\\kv\" in C:\\TEMP\\"});

  // The copy runs in the temporary directory: it gets the directory absolute.
  InstallerRig relative;
  relative.system = rig.system;
  relative.system.calls.clear();
  relative.system.workingDirectory = "C:\\";
  relative.system.answers = {BoxAnswer::Yes};
  relative.Run("Install.exe -r -D kv");
  EXPECT_TRUE(relative.Logged("Installation dir: C:\\KV\\"));
  EXPECT_EQ(relative.system.CallsStarting("start "),
            Lines{"start C:\\TEMP\\install.exe -R -A -D \"C:\\kv\" in C:\\TEMP\\"});
}

TEST_F(Removal, RootOrSystemDirectoryIsNeverEmptied) {
  rig.system.AddFile("C:\\AUTOEXEC.BAT");
  rig.system.AddFile("C:\\WINDOWS\\SYSTEM32\\KERNEL32.DLL");
  for (const char* stored : {"\\", "C:\\", "C:\\WINDOWS\\SYSTEM32\\"}) {
    rig.system.calls.clear();
    rig.log.clear();
    rig.store.WriteTextCreatingKey("Defaults", "InstallDir", stored);
    rig.Run("Install.exe -R -A");
    EXPECT_EQ(rig.system.CallsStarting("box Parameter Error").size(), 1u) << stored;
    EXPECT_EQ(rig.log.back(), "Uninstall failed") << stored;
    EXPECT_TRUE(rig.system.CallsStarting("delete").empty()) << stored;
    EXPECT_TRUE(rig.system.CallsStarting("regdelete").empty()) << stored;
  }
  rig.system.calls.clear();
  rig.Run("Install.exe -R -D c:\\windows");
  EXPECT_EQ(rig.system.calls, Lines{"box Parameter Error: c:\\windows is the Windows directory: Korvane needs a "
                                    "directory of its own"});
  EXPECT_EQ(rig.log.back(), "Command Line error");
  EXPECT_TRUE(rig.system.FileExists("C:\\AUTOEXEC.BAT"));
}

TEST_F(Removal, HandOverFailures) {
  rig.system.answers = {BoxAnswer::Yes};
  rig.system.failingCopies.insert("C:\\KV\\INSTALL.EXE");
  rig.Run("Install.exe -R");
  EXPECT_EQ(rig.log.back(), "Copy of install.exe to temp dir failed - can't continue");
  EXPECT_EQ(rig.system.calls.back(), "end process");

  InstallerRig noExec;
  noExec.system = rig.system;
  noExec.system.failingCopies.clear();
  noExec.system.startFails = true;
  noExec.system.answers = {BoxAnswer::Yes};
  noExec.store.WriteTextCreatingKey("Defaults", "InstallDir", "C:\\KV\\");
  noExec.Run("Install.exe -R");
  EXPECT_EQ(noExec.LogFrom("Unable to execute auto removal", 3),
            (Lines{"Unable to execute auto removal",
                   "Uninstallation failed! See log in\nC:\\TEMP\\korvane_uninstall_log.txt\nfor details.",
                   "Uninstall failed"}));
}

TEST_F(Removal, TheCopyRemovesLinksKeysFilesAndDirectory) {
  rig.context.currentDirectory = "C:\\TEMP\\";
  rig.system.answers = {BoxAnswer::No};  // no feedback mail
  rig.Run("C:\\TEMP\\install.exe -R -A");
  EXPECT_EQ(rig.log, (Lines{"CurDir=C:\\TEMP\\", "Command Line=C:\\TEMP\\install.exe -R -A", "PerformRemoval",
                            "Installation dir: C:\\KV\\", "check for mail-exists",
                            "If our product failed to meet your expectations,\nwe'd like to know about it. Praise is "
                            "nice, but\ncriticism is more valuable. Would you like to \nEMAIL your comments or "
                            "suggestions to us?",
                            "Remove Menu Items", "Path to start menu=C:\\Windows\\Start Menu\\Programs",
                            "Remove Registry keys", "Remove files", "Delete HOSTS", "Delete INSTALL.EXE",
                            "Delete KORVANE.EXE", "Delete UNINSTALL KORVANE.LNK", "Uninstall succeeded!",
                            "Uninstall succeeded"}));
  EXPECT_FALSE(rig.system.DirectoryExists("C:\\KV\\"));
  EXPECT_FALSE(rig.system.DirectoryExists(kMenu));
  EXPECT_EQ(rig.system.CallsStarting("delete C:\\WINDOWS").front(),
            "delete C:\\WINDOWS\\START MENU\\PROGRAMS\\Korvane\\Korvane.lnk");
  EXPECT_EQ(rig.system.CallsStarting("regdelete "),
            (Lines{"regdelete Software\\Ambrel\\Korvane\\Settings", "regdelete Software\\Ambrel\\Korvane\\Defaults",
                   "regdelete Software\\Ambrel\\Korvane"}));
  EXPECT_TRUE(rig.system.registryKeys.empty());
  EXPECT_TRUE(rig.system.CallsStarting("open ").empty());
}

TEST_F(Removal, FeedbackOnlyWithAMailHandler) {
  rig.system.answers = {BoxAnswer::Yes};
  rig.Run("Install.exe -R -A");
  EXPECT_EQ(rig.system.CallsStarting("open "), Lines{"open mailto:support@korvane.example?subject=Korvane%201.8.3"});
  EXPECT_EQ(rig.system.CallsStarting("sleep "), Lines{"sleep 2000"});

  InstallerRig noMail;
  noMail.system = rig.system;
  noMail.system.classKeys = {"http"};
  noMail.system.calls.clear();
  noMail.system.answers = {BoxAnswer::Yes};
  noMail.store.WriteTextCreatingKey("Defaults", "InstallDir", "C:\\KV\\");
  noMail.Run("Install.exe -R -A");
  EXPECT_TRUE(noMail.system.CallsStarting("box Tell us").empty());
  EXPECT_TRUE(noMail.system.CallsStarting("open ").empty());
}

TEST_F(Removal, OddEntriesAreLeftAndKeepTheDirectory) {
  rig.system.AddFile("C:\\KV\\LOCKED.TXT", kAttributeReadOnly);
  rig.system.AddFile("C:\\KV\\KEPT.TXT", kAttributeReadOnly | kAttributeArchive);
  rig.system.undeletable.insert("C:\\KV\\KEPT.TXT");
  rig.system.AddDirectory("C:\\KV\\SUB\\");
  rig.system.registryKeys.erase("SOFTWARE\\AMBREL\\KORVANE\\SETTINGS");
  rig.Run("Install.exe -R -A");
  EXPECT_TRUE(rig.Logged("Odd file Attribute for LOCKED.TXT=1"));
  EXPECT_TRUE(rig.Logged("Odd file Attribute for SUB=10"));
  EXPECT_TRUE(rig.Logged("Couldn't delete KEPT.TXT"));
  EXPECT_TRUE(rig.Logged("Couldn't delete directory C:\\KV\\ - error 41: Directory not empty"));
  EXPECT_TRUE(rig.Logged("DeleteReg: Couldn't delete Settings - error 2:The system cannot find the file specified."));
  EXPECT_FALSE(rig.system.FileExists("C:\\KV\\KORVANE.EXE"));  // the rest is deleted
  EXPECT_TRUE(rig.system.FileExists("C:\\KV\\LOCKED.TXT"));
  EXPECT_EQ(rig.LogFrom("Failed RemoveFiles", 3),
            (Lines{"Failed RemoveFiles", "Uninstallation failed! See log in\nC:\\TEMP\\korvane_uninstall_log.txt\nfor details.",
                   "Uninstall failed"}));
}

TEST_F(Removal, MissingDirectoryOrMenu) {
  rig.Run("Install.exe -R -A -D C:\\GONE");
  EXPECT_TRUE(rig.Logged("Installation dir: C:\\GONE\\"));
  EXPECT_EQ(rig.system.CallsStarting("box Uninstall Error"), Lines{"box Uninstall Error: Can't chdir to installation dir"});
  EXPECT_TRUE(rig.Logged("Failed RemoveFiles"));

  InstallerRig noMenu;
  noMenu.system.startMenu.reset();
  noMenu.Run("Install.exe -R -A -D C:\\KV");
  EXPECT_EQ(noMenu.LogFrom("Remove Menu Items", 3),
            (Lines{"Remove Menu Items", "Couldn't get path for start menu", "Failed RemoveMenus"}));
  EXPECT_FALSE(noMenu.Logged("Remove Registry keys"));
}

}  // namespace
}  // namespace korvane::test
