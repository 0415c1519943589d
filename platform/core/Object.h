// CObject: the common base of the framework's collection and object classes. It carries only a
// virtual destructor, so that owners can delete objects through a base pointer.
#pragma once

class CObject
{
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;
};
