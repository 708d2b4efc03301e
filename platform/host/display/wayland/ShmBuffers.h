// The two wl_shm buffers of a surface, in one pool of shared memory (a
// memfd). A buffer that the compositor holds is not written to; the other
// one takes the newer picture. Each buffer remembers what it lacks of the
// picture, so a buffer that comes back is brought up to date by copying
// only that.
#pragma once

#include <array>
#include <cstdint>

#include "platform/host/display/LayeredStyle.h"
#include "platform/host/gdi/surface.h"
#include "platform/win32.h"

struct wl_buffer;
struct wl_shm;
struct wl_shm_pool;

namespace host {

class ShmBuffers {
public:
    explicit ShmBuffers(wl_shm* shm) : shm_(shm) {}
    ~ShmBuffers();
    ShmBuffers(const ShmBuffers&) = delete;
    ShmBuffers& operator=(const ShmBuffers&) = delete;

    // Both buffers `width` × `height` pixels (made anew when the size
    // changed, then lacking everything). False when the memory cannot be
    // had; the first failure is told on stderr.
    bool Fit(int width, int height);

    // The pixels from now on: ARGB8888, premultiplied, for a see-through
    // style, else XRGB8888; both buffers then lack everything.
    void SetStyle(const LayeredStyle& style);

    // Copies what a free buffer lacks, plus `changed` (surface pixels),
    // from `surface`, each pixel as a `block` × `block` square, and hands
    // that buffer out as held by the compositor; the other one then lacks
    // `changed`. Null when both are held.
    wl_buffer* Take(const Surface& surface, const RECT& changed, int block);

private:
    struct Buffer {
        wl_buffer* buffer = nullptr;
        uint32_t* pixels = nullptr;
        bool held = false;
        RECT lacking{};  // surface pixels
    };
    static void Released(void* data, wl_buffer* buffer);
    void Release();
    // Memory of `size` bytes shared with the compositor: a descriptor, or -1.
    static int SharedMemory(size_t size);

    wl_shm* shm_;
    LayeredStyle style_;
    std::array<Buffer, 2> buffers_{};
    int width_ = 0, height_ = 0;
    void* memory_ = nullptr;
    size_t size_ = 0;
};

}  // namespace host
