#include "platform/win32/DeviceLock.h"

#include <sddl.h>

#include <cstdint>

#include "platform/win32/SystemFunction.h"

namespace platform {

namespace {

// Full access for the system and administrators; waiting and releasing for
// every signed-in user.
constexpr wchar_t kDescriptor[] = L"D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;AU)";

using ConvertDescriptor = BOOL(WINAPI*)(LPCWSTR, DWORD, PSECURITY_DESCRIPTOR*, PULONG);

}  // namespace

std::wstring deviceLockName(const Path& libraryFolder) {
  std::wstring path(libraryFolder.text().begin(), libraryFolder.text().end());
  wchar_t full[MAX_PATH * 4];
  const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, nullptr);
  if (length > 0 && length < MAX_PATH * 4) path.assign(full, length);
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  std::uint64_t hash = 14695981039346656037ull;
  for (const wchar_t c : path) {
    hash ^= static_cast<std::uint16_t>(c);
    hash *= 1099511628211ull;
  }
  wchar_t name[64];
  wsprintfW(name, L"Global\\Quorvel.SAT.%08lx%08lx", static_cast<unsigned long>(hash >> 32),
            static_cast<unsigned long>(hash & 0xFFFFFFFFu));
  return name;
}

DeviceLock::~DeviceLock() {
  if (mutex_) CloseHandle(mutex_);
}

DeviceLock::Outcome DeviceLock::take(DWORD milliseconds) {
  if (!mutex_) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const auto convert = systemFunction<ConvertDescriptor>(
        L"advapi32.dll", "ConvertStringSecurityDescriptorToSecurityDescriptorW");
    if (convert) convert(kDescriptor, SDDL_REVISION_1, &descriptor, nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    mutex_ = CreateMutexExW(descriptor ? &attributes : nullptr, deviceLockName(folder_).c_str(), 0,
                            SYNCHRONIZE | MUTEX_MODIFY_STATE);
    error_ = mutex_ ? 0 : GetLastError();
    if (descriptor) LocalFree(descriptor);
    if (!mutex_) return Outcome::Unavailable;
  }
  switch (WaitForSingleObject(mutex_, milliseconds)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
      return Outcome::Taken;
    case WAIT_TIMEOUT:
      return Outcome::TimedOut;
    default:
      error_ = GetLastError();
      return Outcome::Unavailable;
  }
}

void DeviceLock::release() {
  if (mutex_) ReleaseMutex(mutex_);
}

}  // namespace platform
