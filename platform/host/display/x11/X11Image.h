// The client-side image a window is put on the screen from. A put of a
// panel's size (a refresh, an animation step) is sent through the connection
// from kept pixels: the server copies it at once and owes no completion
// event, so a refresh wakes the program once, where a shared-memory put would
// wake it again for the event or cost a round trip. Larger puts go through a
// shared-memory image when the server can attach one; it holds the part being
// put, enlarged by the scale, and only grows, so a window that shrinks and
// grows again does not make a new one each step.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

#include "platform/host/display/LayeredStyle.h"
#include "platform/host/display/x11/X11Connection.h"
#include "platform/host/gdi/surface.h"

namespace host {

class X11Image {
public:
    explicit X11Image(X11Connection& connection);
    ~X11Image();
    X11Image(const X11Image&) = delete;
    X11Image& operator=(const X11Image&) = delete;

    // Copies `rect` of `surface` (clipped to it), each pixel as a
    // scale x scale block, and puts it on `drawable` at `rect` x scale.
    void Put(Drawable drawable, GC gc, const Surface& surface, RECT rect, int scale);
    // Puts from now on go to a window of the 32-bit ARGB visual, as
    // premultiplied pixels of `style`; null: to one of the screen's visual.
    void SetArgb(const LayeredStyle* style) { argb_ = style; }
    // The server has read what the last shared-memory put sent.
    void Completed() { reading_ = false; }

private:
    // Pixels (256 x 256) above which a put goes through shared memory.
    static constexpr size_t kLargestPlainPut = 65536;
    // Pixels converted at a time for a plain put.
    static constexpr int kPlainBandPixels = 4096;

    // Converts `count` pixels of `from` into `scale` x `count` pixels of
    // `to`, each repeated `scale` times.
    void ConvertRow(const uint32_t* from, uint32_t* to, int count, int scale) const;
    // Makes the shared image at least `width` × `height`; false (and shared
    // memory given up) when it cannot be made.
    bool Fit(int width, int height);
    bool MakeShared(int width, int height);
    void Release();
    void PutShared(Drawable drawable, GC gc, const Surface& surface, const RECT& rect, int scale);
    void PutPlain(Drawable drawable, GC gc, const Surface& surface, const RECT& rect, int scale);

    X11Connection& connection_;
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_{};
    // The server may still be reading the shared memory: writing to it now
    // could tear the picture.
    bool reading_ = false;
    std::vector<uint32_t> plain_;  // one band of a plain put
    const LayeredStyle* argb_ = nullptr;
};

}  // namespace host
