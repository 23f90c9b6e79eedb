#include "platform/win32/WholePath.h"

#include <windows.h>

namespace zarvex {

std::wstring ExtendedLengthPath(std::wstring_view wholePath) {
  constexpr std::wstring_view kExtended = L"\\\\?\\";
  constexpr std::wstring_view kDevice = L"\\\\.\\";
  constexpr std::wstring_view kServer = L"\\\\";
  // A plain path holds at most MAX_PATH characters with the closing null.
  if (wholePath.size() < MAX_PATH || wholePath.starts_with(kExtended) ||
      wholePath.starts_with(kDevice)) {
    return std::wstring(wholePath);
  }
  if (wholePath.starts_with(kServer)) {
    return std::wstring(kExtended) + L"UNC\\" + std::wstring(wholePath.substr(kServer.size()));
  }
  return std::wstring(kExtended) + std::wstring(wholePath);
}

std::filesystem::path WholePath(const std::filesystem::path& path) {
  std::wstring whole(MAX_PATH, L'\0');
  DWORD length =
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(whole.size()), whole.data(), nullptr);
  if (length >= whole.size()) {
    whole.resize(length);
    length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(whole.size()), whole.data(), nullptr);
  }
  if (length == 0 || length >= whole.size()) {
    return path;
  }
  whole.resize(length);
  return ExtendedLengthPath(whole);
}

}  // namespace zarvex
