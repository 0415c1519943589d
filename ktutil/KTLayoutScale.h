// KTScale and KTPosition: one edge or extent of a layout item (see KTLayout.h).
//
// A scale is a fixed value (type 0) or a fraction value / denominator of the area (type 1). A
// position may also be relative (type 2): the far edge of the item with the related id.
#pragma once

#include <cstdint>

class KTScale
{
public:
    static constexpr int FIXED = 0;
    static constexpr int SCALED = 1;

    virtual ~KTScale() = default;

    void SetFixed(int value) { m_type = FIXED, m_value = value, m_scale = 0; }
    void SetScale(int denominator, int value) { m_type = SCALED, m_value = value, m_scale = denominator; }
    // value × x / denominator, truncated; 0 for a zero denominator.
    int GetScaledValue(int x) const
    {
        if (m_scale == 0)
            return 0;
        return static_cast<int>(static_cast<std::int64_t>(m_value) * x / m_scale);
    }
    int GetType() const { return m_type; }
    int GetValue() const { return m_value; }
    int GetScale() const { return m_scale; }
    // The raw fields, as a layout file holds them.
    void Set(int type, int value, int denominator) { m_type = type, m_value = value, m_scale = denominator; }

protected:
    int m_type { FIXED };
    int m_value { 0 };
    int m_scale { 0 };
};

class KTPosition : public KTScale
{
public:
    static constexpr int RELATIVE = 2;

    void SetFixed(int value) { KTScale::SetFixed(value), m_relative = 0; }
    void SetPercent(int percent) { SetScale(100, percent); }
    void SetRelative(int id) { m_type = RELATIVE, m_relative = id; }
    int GetRelative() const { return m_relative; }
    void Set(int type, int value, int denominator, int relative)
    {
        KTScale::Set(type, value, denominator);
        m_relative = relative;
    }

private:
    int m_relative { 0 };
};
