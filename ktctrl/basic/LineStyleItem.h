// LineStyleItem: one item of the line-style list and combo box: a number of one-pixel lines
// and their pen style (PS_SOLID to PS_NULL).
#pragma once

#include "platform/core/Types.h"

class LineStyleItem
{
public:
    LineStyleItem(int nWidth, int nStyle) : m_nWidth(nWidth), m_nStyle(nStyle) {}
    virtual ~LineStyleItem() = default;

    int m_nWidth { 0 };
    int m_nStyle { 0 };
};
