// Tiny owners for what must be released: a kernel handle, a GDI object, an icon, a memory device
// context, a window.
#pragma once

#include <windows.h>

template <typename T, typename Traits>
class CScoped {
public:
    CScoped() = default;
    explicit CScoped(T value) : value_(value) {}
    ~CScoped() { Reset(); }

    CScoped(const CScoped&) = delete;
    CScoped& operator=(const CScoped&) = delete;
    CScoped(CScoped&& other) noexcept : value_(other.Release()) {}
    CScoped& operator=(CScoped&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    T Get() const { return value_; }
    bool Valid() const { return Traits::Valid(value_); }
    explicit operator bool() const { return Valid(); }

    // Gives up ownership without releasing.
    T Release() {
        T value = value_;
        value_ = Traits::Empty();
        return value;
    }
    void Reset(T value = Traits::Empty()) {
        if (Traits::Valid(value_) && value_ != value)
            Traits::Close(value_);
        value_ = value;
    }

private:
    T value_ = Traits::Empty();
};

struct KernelHandleTraits {
    static HANDLE Empty() { return nullptr; }
    // Some calls fail with null, others with INVALID_HANDLE_VALUE: neither is owned.
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};

template <typename T>
struct GdiObjectTraits {
    static T Empty() { return nullptr; }
    static bool Valid(T h) { return h != nullptr; }
    static void Close(T h) { DeleteObject(h); }
};

struct IconTraits {
    static HICON Empty() { return nullptr; }
    static bool Valid(HICON h) { return h != nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};

struct MemoryDcTraits {
    static HDC Empty() { return nullptr; }
    static bool Valid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};

struct WindowTraits {
    static HWND Empty() { return nullptr; }
    static bool Valid(HWND h) { return h != nullptr; }
    static void Close(HWND h) {
        if (IsWindow(h))
            DestroyWindow(h);
    }
};

using CHandle = CScoped<HANDLE, KernelHandleTraits>;
using CBitmap = CScoped<HBITMAP, GdiObjectTraits<HBITMAP>>;
using CBrush = CScoped<HBRUSH, GdiObjectTraits<HBRUSH>>;
using CFont = CScoped<HFONT, GdiObjectTraits<HFONT>>;
using CIcon = CScoped<HICON, IconTraits>;
using CMemoryDC = CScoped<HDC, MemoryDcTraits>;
using CWindow = CScoped<HWND, WindowTraits>;

// Selects an object into a device context for one scope and puts the old one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~CSelectObject() {
        if (old_ && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
