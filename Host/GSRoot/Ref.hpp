#pragma once

#include "GSException.hpp"

#include <memory>

namespace GS {

// A counted shared reference; dereferencing a null one throws NullPointerException.
template <typename T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    explicit Ref(T* object) : pointer(object) {}
    template <typename U>
    requires std::is_convertible_v<U*, T*> Ref(const Ref<U>& other) : pointer(other.pointer) {}

    T* operator->() const { return &**this; }
    T& operator*() const {
        if (pointer == nullptr) {
            throw NullPointerException();
        }
        return *pointer;
    }
    T* Get() const { return pointer.get(); }
    bool IsNull() const { return pointer == nullptr; }
    explicit operator bool() const { return pointer != nullptr; }
    void Clear() { pointer.reset(); }
    long GetRefCount() const { return pointer.use_count(); }

    bool operator==(const Ref& other) const { return pointer == other.pointer; }
    bool operator!=(const Ref& other) const { return pointer != other.pointer; }

private:
    template <typename U>
    friend class Ref;
    template <typename U, typename S>
    friend Ref<U> DynamicCast(const Ref<S>& ref);

    explicit Ref(std::shared_ptr<T> pointer) : pointer(std::move(pointer)) {}

    std::shared_ptr<T> pointer;
};

// A reference to the same object as U, or a null reference when the object is no U.
template <typename U, typename S>
Ref<U> DynamicCast(const Ref<S>& ref) {
    return Ref<U>(std::dynamic_pointer_cast<U>(ref.pointer));
}

template <typename T, typename... Args>
Ref<T> NewRef(Args&&... args) {
    return Ref<T>(new T(std::forward<Args>(args)...));
}

} // namespace GS
