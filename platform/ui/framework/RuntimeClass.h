// CRuntimeClass: what a document template needs to make a program's document, frame and view
// objects by class. RuntimeClass<T>() gives the one descriptor of a default-constructible class
// T, in place of the classic RUNTIME_CLASS macro and its declarations in every class.
#pragma once

#include "platform/core/Object.h"

#include <typeinfo>

struct CRuntimeClass
{
    const char* m_lpszClassName { nullptr };
    CObject* (*m_pfnCreateObject)() { nullptr };

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

template <class T>
CRuntimeClass* RuntimeClass()
{
    static CRuntimeClass descriptor { typeid(T).name(), []() -> CObject* { return new T; } };
    return &descriptor;
}
