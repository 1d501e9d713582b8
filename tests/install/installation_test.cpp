// The installation flow over the scripted system: the steps in order, their
// log lines and failure lines, the boxes.
#include <gtest/gtest.h>

#include "fake_installer_system.h"

namespace korvane::test {
namespace {

using Lines = std::vector<std::string>;

class Installation : public ::testing::Test {
 protected:
  InstallerRig rig;
  void SetUp() override {
    rig.system.AddDirectory("C:\\");
    rig.system.AddDirectory("C:\\PACKAGE\\");
    rig.system.AddDirectory("C:\\WINDOWS\\START MENU\\PROGRAMS\\");
    for (const char* file : {"Install.exe", "Korvane.exe", "Settings.exe", "emu_vt100.dll", "PfKey.DLL",
                             "KV04x08FA.FNT", "korvane.hlp", "hosts_sample", "readme.txt"})
      rig.system.AddFile(std::string("C:\\PACKAGE\\") + file);
    rig.system.AddDirectory("C:\\PACKAGE\\SUB.EXE\\");  // a directory is not copied
    rig.system.classKeys.clear();
  }
  void Answer(std::initializer_list<BoxAnswer> answers) { rig.system.answers = answers; }
};

TEST_F(Installation, FullRunLogsEveryStepInOrder) {
  rig.Run("\"C:\\PACKAGE\\Install.exe\" -d c:\\kv");
  EXPECT_EQ(rig.truncations, 1);
  EXPECT_EQ(rig.log, (Lines{
      "CurDir=C:\\PACKAGE\\", "Command Line=\"C:\\PACKAGE\\Install.exe\" -d c:\\kv", "Perform installation",
      "Start Installation...", "Create Directory...", "chdir to C:\\", "chdir to C:\\KV\\",
      "dir doesn't exist - create", "chdir to C:\\KV\\", "Copy in files...", "Copy FileList *.exe",
      "Copy C:\\PACKAGE\\INSTALL.EXE to C:\\KV\\INSTALL.EXE", "Copy C:\\PACKAGE\\KORVANE.EXE to C:\\KV\\KORVANE.EXE",
      "Copy C:\\PACKAGE\\SETTINGS.EXE to C:\\KV\\SETTINGS.EXE", "Copy FileList *.fnt",
      "Copy C:\\PACKAGE\\KV04X08FA.FNT to C:\\KV\\KV04X08FA.FNT", "Copy FileList *.hlp",
      "Copy C:\\PACKAGE\\KORVANE.HLP to C:\\KV\\KORVANE.HLP", "Copy FileList *.cnt", "Couldn't find files for *.cnt",
      "Copy FileList *.dll", "Copy C:\\PACKAGE\\EMU_VT100.DLL to C:\\KV\\EMU_VT100.DLL",
      "Copy C:\\PACKAGE\\PFKEY.DLL to C:\\KV\\PFKEY.DLL", "Copy FileList hosts_sample",
      "Copy C:\\PACKAGE\\HOSTS_SAMPLE to C:\\KV\\HOSTS_SAMPLE", "Copy FileList *.txt",
      "Copy C:\\PACKAGE\\README.TXT to C:\\KV\\README.TXT", "Create Menu Links...",
      "Path to start menu=C:\\Windows\\Start Menu\\Programs", "Create HOSTS file...", "Update clones...", "Done.",
      "Done!", "Installation succeeded!", "Install succeeded"}));
  EXPECT_EQ(ReadText(rig.store, "Defaults", "InstallDir"), "C:\\KV\\");
  EXPECT_TRUE(rig.system.FileExists("C:\\KV\\hosts"));
  EXPECT_EQ(ReadText(rig.store, "Terms\\wyse60", "TermDLL"), "emu_wyse60.dll");
  EXPECT_EQ(rig.system.CallsStarting("run "), Lines{"run C:\\KV\\SETTINGS.EXE in C:\\KV\\"});
  EXPECT_EQ(rig.system.linkPaths,
            (Lines{"C:\\WINDOWS\\START MENU\\PROGRAMS\\Korvane\\Korvane.lnk",
                   "C:\\WINDOWS\\START MENU\\PROGRAMS\\Korvane\\Korvane Settings.lnk",
                   "C:\\WINDOWS\\START MENU\\PROGRAMS\\Korvane\\Korvane Help.lnk",
                   "C:\\WINDOWS\\START MENU\\PROGRAMS\\Korvane\\Uninstall Korvane.lnk", "C:\\KV\\Uninstall Korvane.lnk"}));
  EXPECT_EQ(rig.system.CallsStarting("progress Create link"),
            (Lines{"progress Create link to Korvane.exe", "progress Create link to Settings.exe",
                   "progress Create link to Korvane.hlp", "progress Create link to Uninstall.exe",
                   "progress Create link to Uninstall.exe"}));
  // The progress window closes before the settings program runs.
  auto& calls = rig.system.calls;
  EXPECT_LT(std::find(calls.begin(), calls.end(), "close progress"),
            std::find(calls.begin(), calls.end(), "run C:\\KV\\SETTINGS.EXE in C:\\KV\\"));
}

TEST_F(Installation, ParameterWindowStartsFromOptionStoreOrDefault) {
  rig.system.acceptParameters = false;
  rig.Run("Install.exe");
  EXPECT_EQ(rig.system.shownParameters.directory, "c:\\Program Files\\Korvane");
  EXPECT_TRUE(rig.system.shownParameters.copyFiles && rig.system.shownParameters.copyFilesEnabled);
  EXPECT_TRUE(rig.system.shownParameters.createDirectory && rig.system.shownParameters.runSettings);
  EXPECT_EQ(rig.LogFrom("Perform installation", 3),
            (Lines{"Perform installation", "Failed GetParameters", "Installation failed! See log in\nC:\\TEMP\\korvane_install_log.txt\nfor details."}));
  EXPECT_TRUE(rig.Logged("Install failed"));
  EXPECT_TRUE(rig.system.CallsStarting("progress window opens").empty());

  rig.store.WriteTextCreatingKey("Defaults", "InstallDir", "C:\\PACKAGE\\");
  rig.Run("Install.exe");
  EXPECT_EQ(rig.system.shownParameters.directory, "C:\\PACKAGE\\");
  EXPECT_FALSE(rig.system.shownParameters.copyFiles);
  EXPECT_FALSE(rig.system.shownParameters.copyFilesEnabled);
  rig.Run("Install.exe -D d:\\other");
  EXPECT_EQ(rig.system.shownParameters.directory, "d:\\other");
}

TEST_F(Installation, FromTheInstallationDirectoryItselfNothingIsCreatedOrCopied) {
  rig.system.parameters = InstallParameters{"c:\\package", true, true, true, false};
  rig.Run("Install.exe");
  EXPECT_TRUE(rig.system.CallsStarting("mkdir C:\\PACKAGE").empty());
  EXPECT_TRUE(rig.system.CallsStarting("copy C:\\PACKAGE\\K").empty());
  EXPECT_FALSE(rig.Logged("Copy FileList *.exe"));
  EXPECT_FALSE(rig.Logged("chdir to C:\\"));
  EXPECT_EQ(rig.system.linkPaths.size(), 5u);
  EXPECT_TRUE(rig.system.FileExists("C:\\PACKAGE\\hosts"));
  EXPECT_TRUE(rig.Logged("Install succeeded"));
  EXPECT_TRUE(rig.system.CallsStarting("run ").empty());  // Call Settings unchecked
}

TEST_F(Installation, CopyFilesUncheckedCopiesNothingAndGoesOn) {
  rig.system.AddDirectory("C:\\KV\\");
  rig.system.parameters = InstallParameters{"c:\\kv", true, false, true, true};
  rig.Run("Install.exe");
  EXPECT_EQ(rig.system.CallsStarting("copy "), Lines{"copy C:\\KV\\hosts_sample -> C:\\KV\\hosts"});
  EXPECT_TRUE(rig.Logged("Copy of C:\\KV\\hosts_sample failed - error 2"));
  EXPECT_TRUE(rig.Logged("Update clones..."));
  EXPECT_TRUE(rig.Logged("Install succeeded"));
}

TEST_F(Installation, ExistingHostsFileIsKept) {
  rig.system.AddDirectory("C:\\KV\\");
  rig.system.AddFile("C:\\KV\\hosts", kAttributeArchive);
  rig.system.AddFile("C:\\KV\\hosts_sample");
  rig.system.parameters = InstallParameters{"C:\\KV", true, false, true, false};
  rig.Run("Install.exe");
  EXPECT_TRUE(rig.system.CallsStarting("copy ").empty());
}

TEST_F(Installation, MissingDirectoryWithoutCreateFlag) {
  rig.system.parameters = InstallParameters{"C:\\NEW\\KV", false, true, true, true};
  rig.Run("Install.exe");
  EXPECT_EQ(rig.LogFrom("chdir to C:\\NEW\\", 5),
            (Lines{"chdir to C:\\NEW\\", "dir doesn't exist - create", "Install directory doesn't exist",
                   "failed CreateDir", "Installation failed! See log in\nC:\\TEMP\\korvane_install_log.txt\nfor details."}));
  EXPECT_EQ(rig.system.CallsStarting("box Parameter Error"), Lines{"box Parameter Error: Install directory doesn't exist"});
  EXPECT_EQ(rig.system.CallsStarting("close progress").size(), 1u);
  EXPECT_FALSE(rig.Logged("Copy in files..."));
}

TEST_F(Installation, DirectoryThatCannotBeCreated) {
  rig.system.uncreatable.insert("C:\\NEW\\");
  rig.system.parameters = InstallParameters{"C:\\NEW\\KV", true, true, true, true};
  rig.Run("Install.exe");
  EXPECT_TRUE(rig.Logged("Cannot create directory path"));
  EXPECT_TRUE(rig.Logged("failed CreateDir"));
  EXPECT_TRUE(rig.system.CallsStarting("mkdir C:\\NEW\\KV").empty());
}

TEST_F(Installation, FailedCopyGoesOnWithTheOthersThenFails) {
  rig.system.failingCopies.insert("C:\\PACKAGE\\KORVANE.EXE");
  rig.Run("Install.exe -D C:\\KV");
  EXPECT_TRUE(rig.Logged("Copy of C:\\PACKAGE\\KORVANE.EXE failed - error 5"));
  EXPECT_TRUE(rig.Logged("Copy C:\\PACKAGE\\README.TXT to C:\\KV\\README.TXT"));
  EXPECT_TRUE(rig.Logged("Failed CopyInFiles"));
  EXPECT_FALSE(rig.Logged("Create Menu Links..."));
  EXPECT_TRUE(rig.Logged("Install failed"));
}

TEST_F(Installation, LinkFailuresStillMakeTheOtherLinks) {
  rig.system.failingLinks.insert("Korvane Settings.lnk");
  rig.Run("Install.exe -D C:\\KV");
  EXPECT_EQ(rig.system.linkPaths.size(), 4u);
  EXPECT_EQ(rig.system.CallsStarting("box System Error"), Lines{"box System Error: Can't create shortcut"});
  EXPECT_TRUE(rig.Logged("Failed CreateLinks"));

  InstallerRig noMenu;
  noMenu.system.classKeys.clear();
  noMenu.system.AddDirectory("C:\\");
  noMenu.system.startMenu.reset();
  noMenu.Run("Install.exe -D C:\\PACKAGE");
  EXPECT_EQ(noMenu.LogFrom("Create Menu Links...", 3),
            (Lines{"Create Menu Links...", "Couldn't get path for start menu", "Failed CreateLinks"}));
}

TEST_F(Installation, MenuFolderThatCannotBeMade) {
  rig.system.uncreatable.insert("C:\\WINDOWS\\START MENU\\PROGRAMS\\KORVANE\\");
  rig.Run("Install.exe -D C:\\KV");
  EXPECT_TRUE(rig.Logged(
      "Couldn't make new directory in start menu (attempted to add 'C:\\WINDOWS\\START MENU\\PROGRAMS\\Korvane')"));
  EXPECT_TRUE(rig.system.linkPaths.empty());
  EXPECT_TRUE(rig.Logged("Failed CreateLinks"));
}

TEST_F(Installation, CancelledSettingsFailsAlthoughEverythingWasInstalled) {
  rig.system.settingsExit = 1;
  rig.Run("Install.exe -D C:\\KV");
  EXPECT_EQ(rig.LogFrom("Done.", 4),
            (Lines{"Done.", "Failure on Settings", "Installation failed! See log in\nC:\\TEMP\\korvane_install_log.txt\nfor details.",
                   "Install failed"}));
  EXPECT_EQ(ReadText(rig.store, "Terms\\vt100", "TermDLL"), "emu_vt100.dll");
  EXPECT_EQ(rig.system.CallsStarting("close progress").size(), 1u);

  rig.system.settingsExit.reset();  // could not be started
  rig.Run("Install.exe -D C:\\KV");
  EXPECT_TRUE(rig.Logged("Couldn't start C:\\KV\\SETTINGS.EXE"));
}

// Removal deletes every plain file of the directory: the installation never
// takes a root or the system's own directories, from the window or -D.
TEST_F(Installation, UnsafeDirectoryIsRefusedAndTheWindowComesBack) {
  auto typed = [](const char* directory) { return InstallParameters{directory, true, true, true, false}; };
  rig.system.parameterAnswers = {typed(""), typed("  "), typed("c:\\"), typed("C:\\Windows"),
                                 typed("\\windows\\system32"), std::nullopt};
  rig.Run("Install.exe");
  EXPECT_EQ(rig.system.CallsStarting("box Parameter Error"),
            (Lines{"box Parameter Error: No installation directory given",
                   "box Parameter Error: No installation directory given",
                   "box Parameter Error: c:\\ is a drive root: Korvane needs a directory of its own",
                   "box Parameter Error: C:\\Windows is the Windows directory: Korvane needs a directory of its own",
                   "box Parameter Error: C:\\windows\\system32 is the system directory: Korvane needs a directory of "
                   "its own"}));
  EXPECT_EQ(rig.system.CallsStarting("parameters "),
            (Lines{"parameters c:\\Program Files\\Korvane", "parameters ", "parameters   ", "parameters c:\\",
                   "parameters C:\\Windows", "parameters \\windows\\system32"}));
  EXPECT_TRUE(rig.Logged("c:\\ is a drive root: Korvane needs a directory of its own"));
  EXPECT_TRUE(rig.Logged("Failed GetParameters"));
  EXPECT_FALSE(ReadText(rig.store, "Defaults", "InstallDir"));
  EXPECT_TRUE(rig.system.CallsStarting("progress window opens").empty());

  InstallerRig option;
  option.Run("Install.exe -S -D C:\\");
  EXPECT_EQ(option.log, (Lines{"CurDir=C:\\PACKAGE\\", "Command Line=Install.exe -S -D C:\\",
                               "C:\\ is a drive root: Korvane needs a directory of its own", "Command Line error"}));
  EXPECT_EQ(option.system.calls, Lines{"box Parameter Error: C:\\ is a drive root: Korvane needs a directory of its own"});
}

TEST_F(Installation, RelativeDirectoryIsMadeAbsolute) {
  rig.system.acceptParameters = false;
  rig.Run("Install.exe -D kv");
  EXPECT_EQ(rig.system.shownParameters.directory, "C:\\WORK\\kv");

  rig.system.acceptParameters = true;
  rig.system.parameters = InstallParameters{"kv2", true, true, true, false};
  rig.Run("Install.exe");
  EXPECT_EQ(ReadText(rig.store, "Defaults", "InstallDir"), "C:\\WORK\\KV2\\");
  EXPECT_TRUE(rig.system.FileExists("C:\\WORK\\KV2\\KORVANE.EXE"));
  EXPECT_EQ(rig.system.linkPaths.back(), "C:\\WORK\\KV2\\Uninstall Korvane.lnk");
}

// A registry the user may not write: reported, and the run fails.
TEST_F(Installation, FailedRegistryWritesFailTheInstallation) {
  rig.store.refused = {"DEFAULTS"};
  rig.Run("Install.exe -D C:\\KV");
  EXPECT_EQ(rig.LogFrom("Perform installation", 4),
            (Lines{"Perform installation", "Couldn't write the installation directory to the registry",
                   "Failed SaveInstallDir", "Installation failed! See log in\nC:\\TEMP\\korvane_install_log.txt\nfor details."}));
  EXPECT_EQ(rig.system.CallsStarting("box System Error"),
            Lines{"box System Error: Couldn't write the installation directory to the registry"});
  EXPECT_FALSE(rig.system.DirectoryExists("C:\\KV\\"));  // nothing installed

  InstallerRig terms;
  terms.system = rig.system;
  terms.system.calls.clear();
  terms.store.refused = {"TERMS\\WYSE60-25", "TERMS\\VT100"};
  terms.Run("Install.exe -D C:\\KV");
  EXPECT_EQ(terms.LogFrom("Update clones...", 6),
            (Lines{"Update clones...", "Couldn't write Terms\\wyse60-25", "Couldn't write Terms\\vt100",
                   "Couldn't write the terminal types to the registry", "Failed UpdateClones",
                   "Installation failed! See log in\nC:\\TEMP\\korvane_install_log.txt\nfor details."}));
  EXPECT_FALSE(terms.Logged("Installation succeeded!"));
  EXPECT_TRUE(terms.system.CallsStarting("run ").empty());
  EXPECT_EQ(terms.system.CallsStarting("close progress").size(), 1u);
}

TEST_F(Installation, PreChecks) {
  rig.system.lowColour = true;
  rig.Run("Install.exe");
  EXPECT_EQ(rig.log.size(), 5u);
  EXPECT_EQ(rig.log[2].substr(0, 28), "Your PC is set to 16 colors.");
  EXPECT_EQ(rig.log[3], "Aborted install");
  EXPECT_EQ(rig.log[4], "Installation aborted!");

  InstallerRig web;
  web.system.answers = {BoxAnswer::Cancel};
  web.Run("Install.exe");
  EXPECT_EQ(web.log[2].substr(0, 40), "You are installing Korvane version 1.8.3");
  EXPECT_EQ(web.log[3], "Aborted install");
  EXPECT_TRUE(web.system.CallsStarting("open ").empty());

  InstallerRig look;
  look.system.answers = {BoxAnswer::Yes, BoxAnswer::No};
  look.Run("Install.exe");
  EXPECT_EQ(look.system.CallsStarting("open "), (Lines{"open https://www.korvane.example/"}));
  EXPECT_EQ(look.system.CallsStarting("sleep "), Lines{"sleep 3500"});
  EXPECT_EQ(look.log[3], "Do you want to continue the installation?");
  EXPECT_EQ(look.log[4], "Aborted install");

  InstallerRig goOn;
  goOn.system.answers = {BoxAnswer::Yes, BoxAnswer::Yes};
  goOn.system.acceptParameters = false;
  goOn.Run("Install.exe");
  EXPECT_TRUE(goOn.Logged("Failed GetParameters"));
}

TEST_F(Installation, UpgradeWarningAfterSuccess) {
  rig.context.upgrade = true;
  rig.Run("Install.exe -D C:\\KV");
  auto tail = Lines(rig.log.end() - 3, rig.log.end());
  EXPECT_EQ(tail[0], "Install succeeded");
  EXPECT_EQ(tail[1].substr(0, 60), "Please note: If you are upgrading from a version older than ");
  EXPECT_EQ(tail[2], "Version 1.5 Warning");
  EXPECT_EQ(rig.system.CallsStarting("box Upgrade Warning").size(), 1u);

  MemoryConfigStore store;
  EXPECT_FALSE(IsUpgrade(store));
  store.WriteTextCreatingKey("Defaults", "InstallDir", "");
  EXPECT_FALSE(IsUpgrade(store));
  store.WriteTextCreatingKey("Defaults", "InstallDir", "1.8.3");
  EXPECT_FALSE(IsUpgrade(store));
  store.WriteTextCreatingKey("Defaults", "InstallDir", "C:\\KV\\");
  EXPECT_TRUE(IsUpgrade(store));
}

TEST_F(Installation, CommandLineErrorEndsTheRun) {
  rig.Run("Install.exe -S -D -x");
  EXPECT_EQ(rig.log, (Lines{"CurDir=C:\\PACKAGE\\", "Command Line=Install.exe -S -D -x", "Invalid parameter trailer",
                            "Invalid option for -D", "Command Line error"}));
  EXPECT_EQ(rig.system.calls, Lines{"box Bad CommandLine: Invalid option for -D"});
  rig.log.clear();
  rig.Run("Install.exe -X");
  EXPECT_EQ(rig.log.back(), "Command Line error");
  EXPECT_EQ(rig.log[2], "Unknown parameter in command-line: X");
}

}  // namespace
}  // namespace korvane::test
