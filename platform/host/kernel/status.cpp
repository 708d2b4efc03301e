// Memory and disk status: GlobalMemoryStatus from /proc and the process's
// address space, GetDiskFreeSpaceExW through statvfs. Byte counts are as wide
// as the machine's words, so machines above 4 GiB report true figures.
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/host/kernel/error.h"
#include "platform/host/kernel/ProcFile.h"
#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/unicode.h"
#include "platform/win32.h"

namespace {

// The user part of the address space: what the architecture gives a
// process, narrowed by an address-space limit when one is set.
ULONGLONG UserAddressSpace()
{
#if defined(__aarch64__)
    ULONGLONG size = 1ull << 48;
#elif defined(__x86_64__)
    ULONGLONG size = 1ull << 47;
#else
    ULONGLONG size = sizeof(void*) == 8 ? (1ull << 47) : (3ull << 30);
#endif
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        size = std::min<ULONGLONG>(size, limit.rlim_cur);
    return size;
}

ULONGLONG Product(ULONGLONG blocks, ULONGLONG blockSize)
{
    ULONGLONG bytes = 0;
    return __builtin_mul_overflow(blocks, blockSize, &bytes) ? ~0ull : bytes;
}

SIZE_T Clamp(ULONGLONG bytes)
{
    return static_cast<SIZE_T>(std::min<ULONGLONG>(bytes, SIZE_MAX));
}

// The process's address space in use: the first figure of /proc/self/statm,
// in pages (the kernel makes it far more cheaply than /proc/self/status).
ULONGLONG UsedAddressSpace()
{
    static host::ProcFile statmFile("/proc/self/statm");
    std::string_view statm = statmFile.Read();
    ULONGLONG pages = 0;
    if (!host::TakeNumber(statm, pages))
        pages = 0;
    const long pageSize = sysconf(_SC_PAGESIZE);
    return Product(pages, pageSize > 0 ? static_cast<ULONGLONG>(pageSize) : 4096);
}

MEMORYSTATUS RealMemory()
{
    static host::ProcFile meminfoFile("/proc/meminfo");
    const std::string_view meminfo = meminfoFile.Read();
    MEMORYSTATUS status{};
    status.dwTotalPhys = Clamp(host::KilobyteEntry(meminfo, "MemTotal"));
    status.dwAvailPhys = Clamp(host::KilobyteEntry(meminfo, "MemAvailable"));
    status.dwTotalPageFile = Clamp(host::KilobyteEntry(meminfo, "MemTotal") + host::KilobyteEntry(meminfo, "SwapTotal"));
    status.dwAvailPageFile =
        Clamp(host::KilobyteEntry(meminfo, "MemAvailable") + host::KilobyteEntry(meminfo, "SwapFree"));
    status.dwTotalVirtual = Clamp(UserAddressSpace());
    const ULONGLONG usedVirtual = UsedAddressSpace();
    status.dwAvailVirtual = usedVirtual < status.dwTotalVirtual ? Clamp(status.dwTotalVirtual - usedVirtual) : 0;
    return status;
}

MEMORYSTATUS FakedMemory(const host::MemoryReading& reading)
{
    MEMORYSTATUS status{};
    status.dwTotalPhys = Clamp(reading.totalPhys);
    status.dwAvailPhys = Clamp(reading.availPhys);
    status.dwTotalPageFile = status.dwTotalPhys;
    status.dwAvailPageFile = status.dwAvailPhys;
    status.dwTotalVirtual = Clamp(reading.totalVirtual);
    status.dwAvailVirtual = Clamp(reading.availVirtual);
    return status;
}

void Store(PULARGE_INTEGER out, ULONGLONG value)
{
    if (out)
        out->QuadPart = value;
}

}  // namespace

// The caller's dwLength is honoured: a shorter record (an older layout) only
// receives the fields that lie wholly inside it.
void GlobalMemoryStatus(LPMEMORYSTATUS buffer)
{
    if (!buffer)
        return;
    const auto& fake = host::Fakes().memory;
    MEMORYSTATUS status = fake ? FakedMemory(*fake) : RealMemory();
    status.dwLength = buffer->dwLength;
    if (status.dwTotalPhys && status.dwAvailPhys <= status.dwTotalPhys)
        status.dwMemoryLoad = static_cast<DWORD>((status.dwTotalPhys - status.dwAvailPhys) * 100.0 / status.dwTotalPhys);
    std::memcpy(buffer, &status, std::min<size_t>(buffer->dwLength, sizeof status));
}

BOOL GetDiskFreeSpaceExW(LPCWSTR directory, PULARGE_INTEGER freeToCaller, PULARGE_INTEGER totalBytes,
                         PULARGE_INTEGER totalFree)
{
    const host::KernelFakes& fakes = host::Fakes();
    if (fakes.diskFails) {
        SetLastError(ERROR_PATH_NOT_FOUND);  // as for a storage card that was taken out
        return FALSE;
    }
    if (fakes.disk) {
        Store(freeToCaller, fakes.disk->freeBytes);
        Store(totalBytes, fakes.disk->totalBytes);
        Store(totalFree, fakes.disk->freeBytes);
        return TRUE;
    }
    // No folder means the current one's volume, as on Windows.
    const std::string path = directory ? host::HostPath(directory) : std::string(".");
    struct statvfs volume {};
    if (statvfs(path.c_str(), &volume) != 0) {
        host::SetErrorFromErrno(errno);
        return FALSE;
    }
    Store(freeToCaller, Product(volume.f_bavail, volume.f_frsize));
    Store(totalBytes, Product(volume.f_blocks, volume.f_frsize));
    Store(totalFree, Product(volume.f_bfree, volume.f_frsize));
    return TRUE;
}
