// Singleton: the base that records the one instance of a class T. Each T
// has its own accessor (Application::GetInstance, ...) that creates the
// instance on first use; FindInstance looks it up without creating it.
#pragma once

template <typename T> class Singleton {
public:
    // The instance, or null when none exists.
    static T* FindInstance() { return instance_; }

protected:
    Singleton() { instance_ = static_cast<T*>(this); }
    ~Singleton() { instance_ = nullptr; }
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

private:
    static inline T* instance_ = nullptr;
};
