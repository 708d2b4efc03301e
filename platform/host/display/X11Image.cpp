#include "platform/host/display/X11Image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>

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
    XShmDetach(connection_.Server(), &segment_);
    XDestroyImage(image_);
    shmdt(segment_.shmaddr);
    image_ = nullptr;
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
    if (MakeShared(width, height))
        return true;
    connection_.GiveUpSharedMemory();
    return false;
}

void X11Image::Put(Drawable drawable, GC gc, const Surface& surface, RECT rect)
{
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, surface.width);
    rect.bottom = std::min<LONG>(rect.bottom, surface.height);
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    const size_t pixels = static_cast<size_t>(rect.right - rect.left) * (rect.bottom - rect.top);
    if (pixels > kLargestPlainPut && connection_.SharedMemory() && Fit(surface.width, surface.height))
        PutShared(drawable, gc, surface, rect);
    else
        PutPlain(drawable, gc, surface, rect);
}

void X11Image::PutShared(Drawable drawable, GC gc, const Surface& surface, const RECT& rect)
{
    ::Display* display = connection_.Server();
    if (reading_) {
        XSync(display, False);
        reading_ = false;
    }
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint32_t* to = reinterpret_cast<uint32_t*>(image_->data + static_cast<ptrdiff_t>(y) * image_->bytes_per_line);
        connection_.ToScreen(surface.Row(y) + rect.left, to + rect.left, rect.right - rect.left);
    }
    XShmPutImage(display, drawable, gc, image_, rect.left, rect.top, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, True);
    reading_ = true;
}

void X11Image::PutPlain(Drawable drawable, GC gc, const Surface& surface, const RECT& rect)
{
    const int width = rect.right - rect.left;
    // In bands of rows, so that the kept pixels stay small.
    const int bandRows = std::max<int>(1, kPlainBandPixels / width);
    plain_.resize(std::max(plain_.size(), static_cast<size_t>(width) * std::min<int>(bandRows, rect.bottom - rect.top)));
    // An image over the kept pixels, described here rather than allocated:
    // XPutImage copies them into the request at once.
    const Visual* visual = connection_.TheVisual();
    XImage image{};
    image.width = width;
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(plain_.data());
    // Written in the host's order; Xlib converts for the server if need be.
    image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = connection_.Depth();
    image.bytes_per_line = width * 4;
    image.bits_per_pixel = 32;
    image.red_mask = visual->red_mask;
    image.green_mask = visual->green_mask;
    image.blue_mask = visual->blue_mask;
    for (int top = rect.top; top < rect.bottom; top += bandRows) {
        const int rows = std::min<int>(bandRows, rect.bottom - top);
        for (int row = 0; row < rows; ++row)
            connection_.ToScreen(surface.Row(top + row) + rect.left, plain_.data() + static_cast<size_t>(row) * width, width);
        image.height = rows;
        if (XInitImage(&image))
            XPutImage(connection_.Server(), drawable, gc, &image, 0, 0, rect.left, top, width, rows);
    }
}

}  // namespace host
