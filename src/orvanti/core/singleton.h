// Singleton: the base that records the one instance of a class T. Each T
// has its own accessor (Application::GetInstance, ...) that creates the
// instance on first use; FindInstance looks it up without creating it.
#pragma once

template <typename T> class Singleton {
public:
    // The instance, or null when none exists.
    static T* FindInstance() { return static_cast<T*>(instance_); }

protected:
    // The base is recorded, not a T: while this constructor runs the T does
    // not exist yet, so it is cast only when it is looked up.
    Singleton() { instance_ = this; }
    ~Singleton() { instance_ = nullptr; }
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

private:
    static inline Singleton* instance_ = nullptr;
};
