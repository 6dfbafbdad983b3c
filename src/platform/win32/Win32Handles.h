#pragma once
// Owners of what a Windows call hands out and must be given back: a kernel handle, the
// attachment of our input to another thread, the opened clipboard, a global memory block and
// its lock, the foreground lock time-out switched off, an icon, its bitmaps and the screen's
// device context.

#include <windows.h>

namespace orvanel::win32 {

// A kernel object handle (mutex, process, thread), closed on destruction.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept
    {
        if (this != &o) {
            reset();
            h_ = o.release();
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    HANDLE release()
    {
        HANDLE h = h_;
        h_ = nullptr;
        return h;
    }
    void reset()
    {
        if (h_)
            ::CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

// Our thread's input joined to another thread's for the life of the object, so that
// GetFocus answers for that thread; always detached again.
class ThreadInputAttachment {
public:
    explicit ThreadInputAttachment(DWORD otherThread)
        : ours_(::GetCurrentThreadId()),
          other_(otherThread),
          attached_(otherThread != 0 && otherThread != ours_ && ::AttachThreadInput(ours_, otherThread, TRUE))
    {
    }
    ~ThreadInputAttachment()
    {
        if (attached_)
            ::AttachThreadInput(ours_, other_, FALSE);
    }
    ThreadInputAttachment(const ThreadInputAttachment&) = delete;
    ThreadInputAttachment& operator=(const ThreadInputAttachment&) = delete;

    bool attached() const { return attached_; }

private:
    DWORD ours_;
    DWORD other_;
    bool attached_;
};

// The clipboard, opened for `owner` by open() and closed on destruction.
class OpenedClipboard {
public:
    OpenedClipboard() = default;
    ~OpenedClipboard()
    {
        if (open_)
            ::CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    // False while another window has it open.
    bool open(HWND owner)
    {
        if (!open_)
            open_ = ::OpenClipboard(owner) != FALSE;
        return open_;
    }

private:
    bool open_ = false;
};

// A movable global memory block, freed on destruction unless handed on with release().
class UniqueGlobal {
public:
    explicit UniqueGlobal(SIZE_T bytes) : block_(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ~UniqueGlobal()
    {
        if (block_)
            ::GlobalFree(block_);
    }
    UniqueGlobal(const UniqueGlobal&) = delete;
    UniqueGlobal& operator=(const UniqueGlobal&) = delete;

    HGLOBAL get() const { return block_; }
    HGLOBAL release()
    {
        HGLOBAL b = block_;
        block_ = nullptr;
        return b;
    }

private:
    HGLOBAL block_;
};

// A global memory block locked for reading or writing, unlocked on destruction.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block) : block_(block), data_(block ? ::GlobalLock(block) : nullptr) {}
    ~GlobalLockGuard()
    {
        if (data_)
            ::GlobalUnlock(block_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* data() const { return data_; }
    // The size of the block in bytes; 0 when it could not be locked.
    SIZE_T size() const { return data_ ? ::GlobalSize(block_) : 0; }

private:
    HGLOBAL block_;
    void* data_;
};

// The system's foreground lock time-out set to 0 for the life of the object, so that our
// SetForegroundWindow is not turned into a flashing task-bar button; the value read is put
// back afterwards.
class ForegroundLockTimeoutOff {
public:
    ForegroundLockTimeoutOff()
    {
        read_ = ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved_, 0) != FALSE;
        changed_ = read_ && saved_ != 0 &&
            ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0) != FALSE;
    }
    ~ForegroundLockTimeoutOff()
    {
        if (changed_)
            ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                    reinterpret_cast<void*>(static_cast<UINT_PTR>(saved_)), 0);
    }
    ForegroundLockTimeoutOff(const ForegroundLockTimeoutOff&) = delete;
    ForegroundLockTimeoutOff& operator=(const ForegroundLockTimeoutOff&) = delete;

private:
    DWORD saved_ = 0;
    bool read_ = false;
    bool changed_ = false;
};

// An icon handed out by the shell, destroyed on destruction.
class UniqueIcon {
public:
    explicit UniqueIcon(HICON icon) : icon_(icon) {}
    ~UniqueIcon()
    {
        if (icon_)
            ::DestroyIcon(icon_);
    }
    UniqueIcon(const UniqueIcon&) = delete;
    UniqueIcon& operator=(const UniqueIcon&) = delete;
    HICON get() const { return icon_; }

private:
    HICON icon_;
};

// The two bitmaps GetIconInfo makes for an icon, deleted on destruction.
class IconBitmaps {
public:
    explicit IconBitmaps(HICON icon) : read_(::GetIconInfo(icon, &info_) != FALSE) {}
    ~IconBitmaps()
    {
        if (!read_)
            return;
        if (info_.hbmColor)
            ::DeleteObject(info_.hbmColor);
        if (info_.hbmMask)
            ::DeleteObject(info_.hbmMask);
    }
    IconBitmaps(const IconBitmaps&) = delete;
    IconBitmaps& operator=(const IconBitmaps&) = delete;
    HBITMAP color() const { return read_ ? info_.hbmColor : nullptr; }
    HBITMAP mask() const { return read_ ? info_.hbmMask : nullptr; }

private:
    ICONINFO info_{};
    bool read_;
};

// The screen's device context, released on destruction.
class ScreenDC {
public:
    ScreenDC() : dc_(::GetDC(nullptr)) {}
    ~ScreenDC()
    {
        if (dc_)
            ::ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

} // namespace orvanel::win32
