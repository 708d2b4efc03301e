#include "platform/host/display/X11Image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace host {

X11Image::X11Image(X11Connection& connection) : connection_(connection) {}

X11Image::~X11Image()
{
    Release();
}

void X11Image::Release()
{
    if (!image_)
        return;
    if (shared_) {
        XShmDetach(connection_.Server(), &segment_);
        XDestroyImage(image_);
        shmdt(segment_.shmaddr);
    } else {
        XDestroyImage(image_);  // frees the pixels too
    }
    image_ = nullptr;
    shared_ = false;
    reading_ = false;
}

bool X11Image::MakeShared(int width, int height)
{
    ::Display* display = connection_.Server();
    XImage* image = XShmCreateImage(display, connection_.TheVisual(), connection_.Depth(), ZPixmap, nullptr,
                                    &segment_, width, height);
    if (!image)
        return false;
    const size_t bytes = static_cast<size_t>(image->bytes_per_line) * height;
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    segment_.shmaddr = image->data = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
    segment_.readOnly = False;
    const bool attached = segment_.shmaddr != reinterpret_cast<char*>(-1) &&
                          connection_.Try([&] { XShmAttach(display, &segment_); });
    // Marked for removal at once: it goes away with the last detach, even
    // when the program does not end in order.
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    if (!attached) {
        if (segment_.shmaddr != reinterpret_cast<char*>(-1))
            shmdt(segment_.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        return false;
    }
    image_ = image;
    shared_ = true;
    return true;
}

bool X11Image::MakePlain(int width, int height)
{
    char* pixels = static_cast<char*>(calloc(static_cast<size_t>(width) * height, 4));
    if (!pixels)
        return false;
    image_ = XCreateImage(connection_.Server(), connection_.TheVisual(), connection_.Depth(), ZPixmap, 0, pixels,
                          width, height, 32, width * 4);
    if (!image_) {
        free(pixels);
        return false;
    }
    // Written in the host's order; Xlib converts for the server if need be.
    image_->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    return true;
}

bool X11Image::Fit(int width, int height)
{
    if (image_ && image_->width >= width && image_->height >= height)
        return true;
    if (image_) {
        width = std::max(width, image_->width);
        height = std::max(height, image_->height);
    }
    Release();
    if (connection_.SharedMemory()) {
        if (MakeShared(width, height))
            return true;
        connection_.GiveUpSharedMemory();
    }
    return MakePlain(width, height);
}

void X11Image::Put(Drawable drawable, GC gc, const Surface& surface, RECT rect, int scale)
{
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, surface.width);
    rect.bottom = std::min<LONG>(rect.bottom, surface.height);
    const int width = (rect.right - rect.left) * scale;
    const int height = (rect.bottom - rect.top) * scale;
    if (width <= 0 || height <= 0 || !Fit(width, height))
        return;
    ::Display* display = connection_.Server();
    if (reading_) {
        XSync(display, False);
        reading_ = false;
    }
    for (int y = 0; y < height; y += scale) {
        const uint32_t* from = surface.Row(rect.top + y / scale) + rect.left;
        char* row = image_->data + static_cast<ptrdiff_t>(y) * image_->bytes_per_line;
        uint32_t* to = reinterpret_cast<uint32_t*>(row);
        for (int x = 0; x < width; ++x)
            to[x] = connection_.ToScreen(from[x / scale]);
        // The other rows of the block are the same.
        for (int repeat = 1; repeat < scale; ++repeat)
            memcpy(row + static_cast<ptrdiff_t>(repeat) * image_->bytes_per_line, row, static_cast<size_t>(width) * 4);
    }
    const int left = rect.left * scale;
    const int top = rect.top * scale;
    if (shared_) {
        XShmPutImage(display, drawable, gc, image_, 0, 0, left, top, width, height, True);
        reading_ = true;
    } else {
        XPutImage(display, drawable, gc, image_, 0, 0, left, top, width, height);
    }
}

}  // namespace host
