// Intrusive reference counting: the count lives in the object, a RefHandle
// holds one reference, and when the last one goes the object's Destroy runs.
// Messages, scheduled events, scene nodes, the boy and island models use it.
// Not thread-safe: main thread only.
#pragma once

class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;
    virtual ~RefCounted() = default;

    // Runs inside the Release that drops the count to 0; the object must
    // not be touched afterwards.
    virtual void Destroy() = 0;

    void AddRef() { ++count_; }
    void Release()
    {
        if (--count_ == 0)
            Destroy();
    }
    int RefCount() const { return count_; }

private:
    int count_ = 0;
};

// One reference to a T (a class with a RefCounted base), or null.
template <typename T> class RefHandle {
public:
    RefHandle() = default;
    RefHandle(T* object)
        : object_(object)
    {
        if (object_ != nullptr)
            object_->AddRef();
    }
    RefHandle(const RefHandle& other)
        : RefHandle(other.object_)
    {}
    ~RefHandle()
    {
        if (object_ != nullptr)
            object_->Release();
    }

    // Takes the new reference before letting go of the old one, so
    // assigning a handle its own object is safe.
    RefHandle& operator=(T* object)
    {
        if (object != nullptr)
            object->AddRef();
        T* old = object_;
        object_ = object;
        if (old != nullptr)
            old->Release();
        return *this;
    }
    RefHandle& operator=(const RefHandle& other) { return *this = other.object_; }

    // Exchanges the two objects without touching either count.
    void Swap(RefHandle& other)
    {
        T* mine = object_;
        object_ = other.object_;
        other.object_ = mine;
    }

    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};
