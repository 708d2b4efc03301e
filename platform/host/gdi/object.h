// GDI objects and the handle table: every HGDIOBJ and HDC the program holds
// is a key into one process-wide table, so a stale or forged handle is
// looked up and refused instead of being dereferenced.
//
// An object that is selected into a device context is freed only when the
// last context lets go of it; DeleteObject on it marks it for deletion, the
// way Windows defers it. Stock objects are never freed and not counted.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/host/gdi/surface.h"
#include "platform/win32.h"

namespace host::gdi {

class RealizedFont;
struct DeviceContext;

enum class ObjectKind { Bitmap, Pen, Brush, Font, DC };

struct GdiObject {
    explicit GdiObject(ObjectKind kind) : kind(kind) {}
    virtual ~GdiObject() = default;

    const ObjectKind kind;
    bool stock = false;
    bool deletePending = false;
    int selections = 0;  // device contexts that hold this object
};

struct Bitmap : GdiObject {
    static constexpr ObjectKind kKind = ObjectKind::Bitmap;
    Bitmap() : GdiObject(kKind) {}

    std::unique_ptr<uint8_t[]> memory;
    Surface surface;
    bool dibSection = false;
};

struct Pen : GdiObject {
    static constexpr ObjectKind kKind = ObjectKind::Pen;
    Pen() : GdiObject(kKind) {}

    bool null = false;
    int width = 1;
    COLORREF color = 0;
};

struct Brush : GdiObject {
    static constexpr ObjectKind kKind = ObjectKind::Brush;
    Brush() : GdiObject(kKind) {}

    bool null = false;
    COLORREF color = 0;
};

struct Font : GdiObject {
    static constexpr ObjectKind kKind = ObjectKind::Font;
    Font() : GdiObject(kKind) {}

    // The face at its pixel size, made at first use; null when no face at
    // all could be loaded.
    RealizedFont* Realize();

    LOGFONTW logFont{};
    std::shared_ptr<RealizedFont> realized;
};

// Adds an object to the table and returns its new handle.
HGDIOBJ AddObject(std::unique_ptr<GdiObject> object);

// The object behind a handle, or null when the handle is unknown.
GdiObject* FindObject(const void* handle);

template <class T>
T* Lookup(const void* handle)
{
    GdiObject* object = FindObject(handle);
    return object && object->kind == T::kKind ? static_cast<T*>(object) : nullptr;
}

// Removes an object from the table (it must not be selected anywhere).
void FreeObject(const void* handle);

// Selection bookkeeping for device contexts: Hold when an object is
// selected, Release when it is deselected or its context is deleted.
void Hold(HGDIOBJ handle);
void Release(HGDIOBJ handle);

// The stock bitmap that a new memory device context holds.
HBITMAP StockBitmap();

}  // namespace host::gdi
