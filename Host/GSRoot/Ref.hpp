#pragma once

#include "CountedPtrImpl.hpp"

#include <cstddef>
#include <utility>

namespace GS {

// A counted shared reference, with GSRoot's interface; dereferencing a null one throws
// NullPointerException ("Null pointer.").
template <typename T, typename CounterT = Counter>
class Ref : public CountedPtrImpl<T, CounterT, RefBehaviour> {
public:
    using CountedPtrImpl<T, CounterT, RefBehaviour>::CountedPtrImpl;

    Ref& operator=(std::nullptr_t) {
        CountedPtrImpl<T, CounterT, RefBehaviour>::operator=(nullptr);
        return *this;
    }
    template <typename U>
    Ref& operator=(U* instance) {
        CountedPtrImpl<T, CounterT, RefBehaviour>::operator=(instance);
        return *this;
    }
    template <typename U, typename BehaviourU>
    Ref& operator=(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs) {
        CountedPtrImpl<T, CounterT, RefBehaviour>::operator=(rhs);
        return *this;
    }
    template <typename U, typename BehaviourU>
    Ref& operator=(CountedPtrImpl<U, CounterT, BehaviourU>&& rhs) {
        CountedPtrImpl<T, CounterT, RefBehaviour>::operator=(std::move(rhs));
        return *this;
    }

    bool operator==(std::nullptr_t) const {
        return CountedPtrImpl<T, CounterT, RefBehaviour>::operator==(nullptr);
    }
    bool operator!=(std::nullptr_t) const {
        return CountedPtrImpl<T, CounterT, RefBehaviour>::operator!=(nullptr);
    }

    void Swap(Ref& rhs) { CountedPtrImpl<T, CounterT, RefBehaviour>::Swap(rhs); }
};

template <class ToType, class FromType, class CounterT>
inline Ref<ToType, CounterT> StaticCast(const Ref<FromType, CounterT>& from) {
    return Ref<ToType, CounterT>(from, StaticCastSelector());
}

template <class ToType, class FromType, class CounterT>
inline Ref<ToType, CounterT> ConstCast(const Ref<FromType, CounterT>& from) {
    return Ref<ToType, CounterT>(from, ConstCastSelector());
}

// A reference to the same object as ToType, or a null reference when the object is no ToType.
template <class ToType, class FromType, class CounterT>
inline Ref<ToType, CounterT> DynamicCast(const Ref<FromType, CounterT>& from) {
    return Ref<ToType, CounterT>(from, DynamicCastSelector());
}

template <class T1, class T2, class CounterT>
inline bool IsType(const Ref<T2, CounterT>& ref) {
    return ref != nullptr && dynamic_cast<T1*>(ref.operator->()) != nullptr;
}

template <class T, class CounterT = Counter, typename... Args>
inline Ref<T, CounterT> NewRef(Args&&... args) {
    return Ref<T, CounterT>(std::in_place, std::forward<Args>(args)...);
}

} // namespace GS
