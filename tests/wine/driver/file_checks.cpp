#include "file_checks.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdlib>

namespace kvdriver {

namespace {

struct LinkFields {
  std::string target, arguments, directory, iconPath, description;
  int iconIndex = -1;
};

bool ReadLink(const std::string& path, LinkFields& out, std::string& error) {
  if (FAILED(CoInitialize(nullptr))) return error = "CoInitialize failed", false;
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  bool ok = false;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    error = "no shell-link object";
  } else if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    error = "no persist-file interface";
  } else {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    if (FAILED(file->Load(wide, STGM_READ))) {
      error = "cannot load the link";
    } else {
      char text[MAX_PATH] = "";
      link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
      out.target = text;
      text[0] = '\0';
      link->GetArguments(text, MAX_PATH);
      out.arguments = text;
      text[0] = '\0';
      link->GetWorkingDirectory(text, MAX_PATH);
      out.directory = text;
      text[0] = '\0';
      link->GetDescription(text, MAX_PATH);
      out.description = text;
      text[0] = '\0';
      link->GetIconLocation(text, MAX_PATH, &out.iconIndex);
      out.iconPath = text;
      ok = true;
    }
  }
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return ok;
}

bool SameText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

CheckResult ExpectLink(const std::vector<std::string>& w) {
  CheckResult result{false, "link " + w[1], ""};
  LinkFields link;
  std::string error;
  if (!ReadLink(w[1], link, error)) return result.detail = error, result;
  result.ok = SameText(link.target, w[2]) && link.arguments == w[3] && SameText(link.directory, w[4]) &&
              SameText(link.iconPath, w[5]) && link.iconIndex == std::atoi(w[6].c_str()) &&
              (w.size() < 8 || link.description == w[7]);
  result.detail = "target \"" + link.target + "\" arguments \"" + link.arguments + "\" directory \"" + link.directory +
                  "\" icon \"" + link.iconPath + "\"," + std::to_string(link.iconIndex) + " description \"" +
                  link.description + "\"";
  return result;
}

CheckResult ExpectFileCount(const std::vector<std::string>& w) {
  int count = 0;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(w[1].c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    while (FindNextFileA(h, &found));
    FindClose(h);
  }
  return {count == std::atoi(w[2].c_str()), w[2] + " files " + w[1], "found " + std::to_string(count)};
}

CheckResult SetAttributes(const std::vector<std::string>& w) {
  DWORD bits = static_cast<DWORD>(std::strtoul(w[2].c_str(), nullptr, 16));
  bool ok = SetFileAttributesA(w[1].c_str(), bits) != FALSE;
  DWORD now = GetFileAttributesA(w[1].c_str());
  char detail[64];
  wsprintfA(detail, "attributes now %lx", static_cast<unsigned long>(now));
  return {ok, "attributes of " + w[1] + " set to " + w[2], detail};
}

}  // namespace kvdriver
