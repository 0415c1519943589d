// KTException: the base utility library's exception type. It carries nothing; nothing in the
// library throws it.
#pragma once

class KTException
{
public:
    virtual ~KTException() = default;
};
