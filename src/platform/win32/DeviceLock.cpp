#include "platform/win32/DeviceLock.h"

#include <sddl.h>

#include "platform/win32/FolderObjectName.h"
#include "platform/win32/SystemFunction.h"

namespace platform {

namespace {

// Full access for the system and administrators; waiting and releasing for
// every signed-in user.
constexpr wchar_t kDescriptor[] = L"D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;AU)";

using ConvertDescriptor = BOOL(WINAPI*)(LPCWSTR, DWORD, PSECURITY_DESCRIPTOR*, PULONG);

}  // namespace

std::wstring deviceLockName(const Path& libraryFolder) {
  return folderObjectName(L"Global\\Quorvel.SAT.", libraryFolder);
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
