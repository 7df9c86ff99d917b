#pragma once
// CHandle: owns a kernel handle and closes it on destruction.
#include <windows.h>

class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE h) : m_h(h) {}
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    CHandle(CHandle&& other) noexcept : m_h(other.Detach()) {}
    CHandle& operator=(CHandle&& other) noexcept
    {
        if (this != &other) {
            Attach(other.Detach());
        }
        return *this;
    }

    void Attach(HANDLE h)
    {
        Close();
        m_h = h;
    }
    HANDLE Detach()
    {
        HANDLE h = m_h;
        m_h = nullptr;
        return h;
    }
    void Close()
    {
        if (m_h != nullptr && m_h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(m_h);
        }
        m_h = nullptr;
    }

    HANDLE Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_h = nullptr;
};
