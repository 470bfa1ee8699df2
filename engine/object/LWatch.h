// A pointer to an object of another owner that turns null when that object ends. T must
// derive (publicly) from LWatched. Copies watch the same object.
#pragma once
#include "object/LWatched.h"

template <typename T>
class LWatch
{
public:
    LWatch() = default;
    LWatch(T* aObject) { Set(aObject); }
    LWatch(const LWatch& aOther) { Set(aOther.Get()); }
    LWatch& operator=(const LWatch& aOther)
    {
        Set(aOther.Get());
        return *this;
    }
    LWatch& operator=(T* aObject)
    {
        Set(aObject);
        return *this;
    }

    void Set(T* aObject)
    {
        mObject = aObject;
        mLink.Bind(aObject);
    }
    // Null once the object has ended, or when none was set.
    T* Get() const { return mLink.GetWatched() != nullptr ? mObject : nullptr; }
    T* operator->() const { return Get(); }
    operator T*() const { return Get(); }

private:
    T* mObject = nullptr;
    LWatched::Link mLink;
};
