#pragma once

#include "Counter.hpp"
#include "GSException.hpp"

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace GS {

// What a null dereference does: nothing checked for a plain pointer, NullPointerException for a Ref.
class PtrBehaviour {
public:
    template <typename T>
    static void CheckPtr(const T*, const char*, UInt32) {}
};

class RefBehaviour {
public:
    template <typename T>
    static void CheckPtr(const T* ptr, const char* fileName, UInt32 lineNumber) {
        if (ptr == nullptr) {
            throw NullPointerException("Null pointer.", fileName, lineNumber);
        }
    }
};

class StaticCastSelector {};
class ConstCastSelector {};
class DynamicCastSelector {};

// The counted pointer under GS::Ref, with GSRoot's interface; a std::shared_ptr counts here.
template <typename T, typename CounterT = Counter, typename BehaviourT = PtrBehaviour>
class CountedPtrImpl {
    template <typename U, typename CounterU, typename BehaviourU>
    friend class CountedPtrImpl;

public:
    CountedPtrImpl() {}
    CountedPtrImpl(std::nullptr_t) {}
    // Takes ownership of the object. Only for a U that is a T, which the DevKit leaves to the body:
    // a text argument then still picks an overload that takes text.
    template <typename U>
    requires std::is_convertible_v<U*, T*> CountedPtrImpl(U* instance) : pointer(instance) {}
    // One allocation for the object and its count: script answers hold millions of small values.
    template <typename... Args>
    CountedPtrImpl(std::in_place_t, Args&&... args)
        : pointer(std::make_shared<T>(std::forward<Args>(args)...)) {}
    CountedPtrImpl(const CountedPtrImpl& rhs) = default;
    CountedPtrImpl(CountedPtrImpl&& rhs) = default;
    template <typename U, typename BehaviourU>
    CountedPtrImpl(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs) : pointer(rhs.pointer) {}
    template <typename U, typename BehaviourU>
    CountedPtrImpl(CountedPtrImpl<U, CounterT, BehaviourU>&& rhs) : pointer(std::move(rhs.pointer)) {}
    template <typename U, typename BehaviourU>
    CountedPtrImpl(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs, StaticCastSelector)
        : pointer(std::static_pointer_cast<T>(rhs.pointer)) {}
    template <typename U, typename BehaviourU>
    CountedPtrImpl(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs, ConstCastSelector)
        : pointer(std::const_pointer_cast<T>(rhs.pointer)) {}
    // The stand-in gives a null pointer when the object is no T.
    template <typename U, typename BehaviourU>
    CountedPtrImpl(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs, DynamicCastSelector)
        : pointer(std::dynamic_pointer_cast<T>(rhs.pointer)) {}
    ~CountedPtrImpl() = default;

    CountedPtrImpl& operator=(std::nullptr_t) {
        pointer.reset();
        return *this;
    }
    template <typename U>
    CountedPtrImpl& operator=(U* instance) {
        if (pointer.get() != instance) {
            pointer.reset(instance);
        }
        return *this;
    }
    CountedPtrImpl& operator=(const CountedPtrImpl& rhs) = default;
    CountedPtrImpl& operator=(CountedPtrImpl&& rhs) = default;
    template <typename U, typename BehaviourU>
    CountedPtrImpl& operator=(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs) {
        pointer = rhs.pointer;
        return *this;
    }
    template <typename U, typename BehaviourU>
    CountedPtrImpl& operator=(CountedPtrImpl<U, CounterT, BehaviourU>&& rhs) {
        pointer = std::move(rhs.pointer);
        return *this;
    }

    bool operator==(std::nullptr_t) const { return pointer == nullptr; }
    template <typename U, typename BehaviourU>
    bool operator==(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs) const {
        return pointer == rhs.pointer;
    }
    bool operator!=(std::nullptr_t) const { return pointer != nullptr; }
    template <typename U, typename BehaviourU>
    bool operator!=(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs) const {
        return pointer != rhs.pointer;
    }

    operator T*() const { return pointer.get(); }
    T* operator->() const {
        BehaviourT::CheckPtr(pointer.get(), __FILE__, __LINE__);
        return pointer.get();
    }
    T& operator*() const {
        BehaviourT::CheckPtr(pointer.get(), __FILE__, __LINE__);
        return *pointer;
    }

    // The stand-in's own, for tests: how many references share the object (0 for a null one).
    long GetRefCount() const { return pointer.use_count(); }

protected:
    template <typename U, typename BehaviourU>
    void Swap(CountedPtrImpl<U, CounterT, BehaviourU>& rhs) {
        pointer.swap(rhs.pointer);
    }

private:
    std::shared_ptr<T> pointer;
};

} // namespace GS
