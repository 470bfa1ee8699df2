// Root of every engine and game class: a virtual destructor and Dump, which describes
// the object as "[" + class name + " <" + address in hex + ">" + fields + "]".
#pragma once

class LString;

class LBase
{
public:
    LBase() = default;
    LBase(const LBase&) = default;
    LBase& operator=(const LBase&) = default;
    virtual ~LBase();

    virtual LString Dump() const;

    // "[" + aClassName + " <" + this object's address in hex + ">": the common head of
    // every Dump text; the caller appends its fields and "]".
    LString DumpHead(const char* aClassName) const;
};
