// PKAlarm_v110: nibble and limit rules of the alarm settings packet.
#include "nrdata/packet/PKAlarm_v110.h"

void PKAlarm_v110::SetSwitch(int offset, BYTE v)
{
    SetByte(offset, static_cast<BYTE>(((v & 0x0F) << 4) | (GetByte(offset) & 0x0F)));
}

void PKAlarm_v110::SetLevel(int offset, BYTE v)
{
    SetByte(offset, static_cast<BYTE>((GetByte(offset) & 0xF0) | (v & 0x0F)));
}

void PKAlarm_v110::GetLimit(LimitField field, int& lower, int& upper) const
{
    const int upperOffset = field.lower + field.width;
    if (field.width == 2) {
        lower = Get2ByteValue(field.lower);
        upper = Get2ByteValue(upperOffset);
    } else {
        lower = GetByte(field.lower);
        upper = GetByte(upperOffset);
    }
}

void PKAlarm_v110::SetLimit(LimitField field, int lower, int upper)
{
    const int upperOffset = field.lower + field.width;
    if (field.width == 2) {
        Set2ByteValue(field.lower, ClampToField(lower, 0xFFFF));
        Set2ByteValue(upperOffset, ClampToField(upper, 0xFFFF));
    } else {
        SetByte(field.lower, static_cast<BYTE>(ClampToField(lower, 0xFF)));
        SetByte(upperOffset, static_cast<BYTE>(ClampToField(upper, 0xFF)));
    }
}

void PKAlarm_v110::GetTempLimit(float& lower, float& upper) const
{
    lower = static_cast<float>(Get2ByteValue(kTempLimit.lower) / kTempScale);
    upper = static_cast<float>(Get2ByteValue(kTempLimit.lower + kTempLimit.width) / kTempScale);
}

void PKAlarm_v110::SetTempLimit(float lower, float upper)
{
    Set2ByteValue(kTempLimit.lower, ScaleToField(lower, kTempScale, 0xFFFF));
    Set2ByteValue(kTempLimit.lower + kTempLimit.width, ScaleToField(upper, kTempScale, 0xFFFF));
}
