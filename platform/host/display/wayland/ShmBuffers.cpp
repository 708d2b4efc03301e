#include "platform/host/display/wayland/ShmBuffers.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

namespace host {
namespace {

bool toldOfFailure = false;

void TellOnce(const char* what)
{
    if (toldOfFailure)
        return;
    toldOfFailure = true;
    fprintf(stderr, "ostrevia: cannot make shared memory for a panel's pixels (%s: %s); it is not shown\n", what,
            strerror(errno));
}

}  // namespace

ShmBuffers::~ShmBuffers()
{
    Release();
}

void ShmBuffers::Release()
{
    for (Buffer& buffer : buffers_) {
        if (buffer.buffer)
            wl_buffer_destroy(buffer.buffer);
        buffer = {};
    }
    if (memory_)
        munmap(memory_, size_);
    memory_ = nullptr;
    size_ = 0;
    width_ = height_ = 0;
}

int ShmBuffers::SharedMemory(size_t size)
{
    int descriptor = memfd_create("ostrevia-panel", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (descriptor < 0) {
        // Kernels without memfd: an unnamed POSIX shared memory object.
        char name[] = "/ostrevia-XXXXXX";
        for (int attempt = 0; attempt < 16 && descriptor < 0; ++attempt) {
            const auto seed = static_cast<unsigned>(getpid()) * 2654435761u + static_cast<unsigned>(attempt);
            snprintf(name + 10, 7, "%06x", seed & 0xFFFFFF);
            descriptor = shm_open(name, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (descriptor >= 0)
                shm_unlink(name);
        }
        if (descriptor < 0) {
            TellOnce("memfd_create");
            return -1;
        }
    }
    int result;
    while ((result = ftruncate(descriptor, static_cast<off_t>(size))) < 0 && errno == EINTR) {
    }
    if (result < 0) {
        TellOnce("ftruncate");
        close(descriptor);
        return -1;
    }
    return descriptor;
}

bool ShmBuffers::Fit(int width, int height)
{
    if (width == width_ && height == height_ && memory_)
        return true;
    Release();
    const size_t stride = static_cast<size_t>(width) * 4;
    const size_t one = stride * static_cast<size_t>(height);
    // wl_shm takes sizes and offsets as 32-bit numbers.
    if (width <= 0 || height <= 0 || one > std::numeric_limits<int32_t>::max() / 2) {
        errno = EOVERFLOW;
        TellOnce("size");
        return false;
    }
    const int descriptor = SharedMemory(one * 2);
    if (descriptor < 0)
        return false;
    void* memory = mmap(nullptr, one * 2, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    if (memory == MAP_FAILED) {
        TellOnce("mmap");
        close(descriptor);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm_, descriptor, static_cast<int32_t>(one * 2));
    close(descriptor);
    memory_ = memory;
    size_ = one * 2;
    width_ = width;
    height_ = height;
    for (size_t i = 0; i < buffers_.size(); ++i) {
        Buffer& buffer = buffers_[i];
        buffer.buffer = wl_shm_pool_create_buffer(pool, static_cast<int32_t>(one * i), width, height,
                                                  static_cast<int32_t>(stride),
                                                  style_.SeeThrough() ? WL_SHM_FORMAT_ARGB8888 : WL_SHM_FORMAT_XRGB8888);
        buffer.pixels = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(memory) + one * i);
        buffer.lacking = {0, 0, std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max()};
        static const wl_buffer_listener listener{.release = &ShmBuffers::Released};
        wl_buffer_add_listener(buffer.buffer, &listener, &buffer);
    }
    // The buffers keep the pool's memory alive.
    wl_shm_pool_destroy(pool);
    return true;
}

void ShmBuffers::SetStyle(const LayeredStyle& style)
{
    if (style.SeeThrough() != style_.SeeThrough()) {
        // The format is the buffers' own: Fit makes them anew.
        Release();
    }
    for (Buffer& buffer : buffers_)
        buffer.lacking = {0, 0, std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max()};
    style_ = style;
}

void ShmBuffers::Released(void* data, wl_buffer*)
{
    static_cast<Buffer*>(data)->held = false;
}

wl_buffer* ShmBuffers::Take(const Surface& surface, const RECT& changed, int block)
{
    const auto free = std::find_if(buffers_.begin(), buffers_.end(), [](const Buffer& b) { return !b.held; });
    if (free == buffers_.end() || !memory_)
        return nullptr;
    RECT copy;
    UnionRect(&copy, &free->lacking, &changed);
    const RECT whole{0, 0, std::min(surface.width, width_ / block), std::min(surface.height, height_ / block)};
    if (IntersectRect(&copy, &copy, &whole)) {
        // Surface pixels are 0x00RRGGBB, as XRGB8888 wants them.
        const bool argb = style_.SeeThrough();
        for (int y = copy.top; y < copy.bottom; ++y) {
            const uint32_t* from = surface.Row(y) + copy.left;
            uint32_t* to = free->pixels + static_cast<size_t>(y) * block * width_ + copy.left * block;
            for (int x = 0; x < copy.right - copy.left; ++x)
                std::fill_n(to + x * block, block, argb ? Premultiplied(from[x], style_) : from[x]);
            for (int row = 1; row < block; ++row)
                std::copy_n(to, (copy.right - copy.left) * block, to + static_cast<size_t>(row) * width_);
        }
    }
    free->lacking = {};
    free->held = true;
    for (Buffer& other : buffers_) {
        if (&other != &*free)
            UnionRect(&other.lacking, &other.lacking, &changed);
    }
    return free->buffer;
}

}  // namespace host

