// The client-side image a window is put on the screen from: a shared-memory
// image when the server can attach one, a plain one (sent through the
// connection) otherwise. It holds the part being put, enlarged by the scale,
// and only grows, so a window that shrinks and grows again during an
// animation does not make a new one each step.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "platform/host/display/X11Connection.h"
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
    // The server has read what the last shared-memory put sent.
    void Completed() { reading_ = false; }

private:
    // Makes the image at least `width` × `height`; false when no memory.
    bool Fit(int width, int height);
    bool MakeShared(int width, int height);
    bool MakePlain(int width, int height);
    void Release();

    X11Connection& connection_;
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_{};
    bool shared_ = false;
    // The server may still be reading the shared memory: writing to it now
    // could tear the picture.
    bool reading_ = false;
};

}  // namespace host
