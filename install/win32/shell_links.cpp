#include "shell_links.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

namespace korvane {

namespace {

template <typename T>
struct ComRelease {
  T* p = nullptr;
  ~ComRelease() {
    if (p) p->Release();
  }
};

std::vector<wchar_t> Wide(const std::string& text) {
  int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> wide(count > 0 ? static_cast<size_t>(count) : 1, L'\0');
  if (count > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), count);
  return wide;
}

}  // namespace

bool BeginShellLinks() { return SUCCEEDED(CoInitialize(nullptr)); }

void EndShellLinks() { CoUninitialize(); }

bool SaveShellLink(const MenuLink& link, const std::string& linkPath) {
  ComRelease<IShellLinkA> shellLink;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shellLink.p))))
    return false;
  shellLink.p->SetPath(link.target.c_str());
  shellLink.p->SetArguments(link.arguments.c_str());
  shellLink.p->SetDescription(link.description.c_str());
  shellLink.p->SetWorkingDirectory(link.workingDirectory.c_str());
  shellLink.p->SetIconLocation(link.iconPath.c_str(), link.iconIndex);
  ComRelease<IPersistFile> file;
  if (FAILED(shellLink.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return false;
  return SUCCEEDED(file.p->Save(Wide(linkPath).data(), TRUE));
}

}  // namespace korvane
