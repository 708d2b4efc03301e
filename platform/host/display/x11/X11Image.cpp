#include "platform/host/display/x11/X11Image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
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

void X11Image::ConvertRow(const uint32_t* from, uint32_t* to, int count, int scale) const
{
    // Converted into the row's tail, then spread out from the left: a block
    // never reaches past the pixel it is made from.
    uint32_t* converted = to + static_cast<ptrdiff_t>(count) * (scale - 1);
    if (argb_) {
        for (int x = 0; x < count; ++x)
            converted[x] = Premultiplied(from[x], *argb_);
    } else {
        connection_.ToScreen(from, converted, count);
    }
    if (scale == 1)
        return;
    for (int x = 0; x < count; ++x) {
        const uint32_t pixel = converted[x];
        std::fill_n(to + static_cast<ptrdiff_t>(x) * scale, scale, pixel);
    }
}

void X11Image::Put(Drawable drawable, GC gc, const Surface& surface, RECT rect, int scale)
{
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, surface.width);
    rect.bottom = std::min<LONG>(rect.bottom, surface.height);
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    const int width = (rect.right - rect.left) * scale;
    const int height = (rect.bottom - rect.top) * scale;
    const size_t pixels = static_cast<size_t>(width) * height;
    // The shared image has the screen's depth: ARGB pixels go the plain way.
    if (pixels > kLargestPlainPut && !argb_ && connection_.SharedMemory() && Fit(width, height))
        PutShared(drawable, gc, surface, rect, scale);
    else
        PutPlain(drawable, gc, surface, rect, scale);
}

void X11Image::PutShared(Drawable drawable, GC gc, const Surface& surface, const RECT& rect, int scale)
{
    ::Display* display = connection_.Server();
    if (reading_) {
        XSync(display, False);
        reading_ = false;
    }
    const int width = (rect.right - rect.left) * scale;
    const int height = (rect.bottom - rect.top) * scale;
    for (int y = 0; y < height; y += scale) {
        char* row = image_->data + static_cast<ptrdiff_t>(y) * image_->bytes_per_line;
        ConvertRow(surface.Row(rect.top + y / scale) + rect.left, reinterpret_cast<uint32_t*>(row),
                   rect.right - rect.left, scale);
        // The other rows of the block are the same.
        for (int repeat = 1; repeat < scale; ++repeat)
            memcpy(row + static_cast<ptrdiff_t>(repeat) * image_->bytes_per_line, row, static_cast<size_t>(width) * 4);
    }
    XShmPutImage(display, drawable, gc, image_, 0, 0, rect.left * scale, rect.top * scale, width, height, True);
    reading_ = true;
}

void X11Image::PutPlain(Drawable drawable, GC gc, const Surface& surface, const RECT& rect, int scale)
{
    const int width = (rect.right - rect.left) * scale;
    // In bands of rows, so that the kept pixels stay small.
    const int bandRows = std::max<int>(1, kPlainBandPixels / (width * scale));
    plain_.resize(std::max(plain_.size(), static_cast<size_t>(width) * scale *
                                              std::min<int>(bandRows, rect.bottom - rect.top)));
    // An image over the kept pixels, described here rather than allocated:
    // XPutImage copies them into the request at once.
    const Visual* visual = argb_ ? connection_.ArgbVisual() : connection_.TheVisual();
    XImage image{};
    image.width = width;
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(plain_.data());
    // Written in the host's order; Xlib converts for the server if need be.
    image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = argb_ ? 32 : connection_.Depth();
    image.bytes_per_line = width * 4;
    image.bits_per_pixel = 32;
    image.red_mask = visual->red_mask;
    image.green_mask = visual->green_mask;
    image.blue_mask = visual->blue_mask;
    for (int top = rect.top; top < rect.bottom; top += bandRows) {
        const int rows = std::min<int>(bandRows, rect.bottom - top);
        for (int row = 0; row < rows; ++row) {
            uint32_t* to = plain_.data() + static_cast<size_t>(row) * scale * width;
            ConvertRow(surface.Row(top + row) + rect.left, to, rect.right - rect.left, scale);
            for (int repeat = 1; repeat < scale; ++repeat)
                std::copy_n(to, width, to + static_cast<size_t>(repeat) * width);
        }
        image.height = rows * scale;
        if (XInitImage(&image))
            XPutImage(connection_.Server(), drawable, gc, &image, 0, 0, rect.left * scale, top * scale, width,
                      rows * scale);
    }
}

}  // namespace host
