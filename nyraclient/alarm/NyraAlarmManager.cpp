// The alarm values and levels of one monitor.
#include "nyraclient/alarm/NyraAlarmManager.h"

#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/packet/PKParam_v110.h"

namespace {

// Where each parameter type finds its alarm byte in the parameter packet and its switch and
// level in the alarm-settings packet, in the order of ALARMTYPE.
struct ParamAlarmSource
{
    ALARMTYPE type;
    BYTE (PKParam_v110::*alarm)() const;
    BYTE (PKAlarm_v110::*enable)() const;
    BYTE (PKAlarm_v110::*level)() const;
};

constexpr ParamAlarmSource kParamAlarmSources[ALARMTYPE_PARAM_COUNT] = {
    { ALARMTYPE_ECG, &PKParam_v110::GetECGAlarm, &PKAlarm_v110::GetECGAlarmEnable, &PKAlarm_v110::GetECGLevel },
    { ALARMTYPE_MSPO2, &PKParam_v110::GetSpO2Alarm, &PKAlarm_v110::GetSpO2AlarmEnable, &PKAlarm_v110::GetSpO2Level },
    { ALARMTYPE_FHR1, &PKParam_v110::GetFHR1Alarm, &PKAlarm_v110::GetFHR1AlarmEnable, &PKAlarm_v110::GetFHR1Level },
    { ALARMTYPE_FHR2, &PKParam_v110::GetFHR2Alarm, &PKAlarm_v110::GetFHR2AlarmEnable, &PKAlarm_v110::GetFHR2Level },
    { ALARMTYPE_FECG, &PKParam_v110::GetFECGAlarm, &PKAlarm_v110::GetFECGAlarmEnable, &PKAlarm_v110::GetFECGLevel },
    { ALARMTYPE_FSPO2, &PKParam_v110::GetFSpO2Alarm, &PKAlarm_v110::GetFSpO2AlarmEnable, &PKAlarm_v110::GetFSpO2Level },
    { ALARMTYPE_UC, &PKParam_v110::GetUCAlarm, &PKAlarm_v110::GetUCAlarmEnable, &PKAlarm_v110::GetUCLevel },
    { ALARMTYPE_IUP, &PKParam_v110::GetIUPAlarm, &PKAlarm_v110::GetIUPAlarmEnable, &PKAlarm_v110::GetIUPLevel },
    { ALARMTYPE_NIBP, &PKParam_v110::GetNIBPAlarm, &PKAlarm_v110::GetNIBPAlarmEnable, &PKAlarm_v110::GetNIBPLevel },
    { ALARMTYPE_TEMP, &PKParam_v110::GetTempAlarm, &PKAlarm_v110::GetTempAlarmEnable, &PKAlarm_v110::GetTempLevel },
};

} // namespace

NyraAlarmManager::NyraAlarmManager()
{
    for (int i = 0; i < ALARMTYPE_COUNT; ++i) {
        m_value[i].store(0, std::memory_order_relaxed);
        m_level[i].store(0, std::memory_order_relaxed);
    }
}

NyraAlarmManager::NyraAlarmManager(const NyraAlarmManager& other) : NyraAlarmManager() { *this = other; }

NyraAlarmManager& NyraAlarmManager::operator=(const NyraAlarmManager& other)
{
    for (int i = 0; i < ALARMTYPE_COUNT; ++i) {
        m_value[i].store(other.m_value[i].load(std::memory_order_relaxed), std::memory_order_relaxed);
        m_level[i].store(other.m_level[i].load(std::memory_order_relaxed), std::memory_order_relaxed);
    }
    return *this;
}

// ---- values --------------------------------------------------------------------------------

void NyraAlarmManager::SetAlarm(ALARMTYPE type, BYTE value)
{
    if (!IsValidType(type))
        return;
    const int before = GetAlarmCount();
    const bool changed = StoreValue(type, value);
    // A lost link is always shown in red, also once the value is cleared again (a cleared
    // value shows nothing whatever its level).
    if (type == ALARMTYPE_NETWORK)
        m_level[type].store(ALARM_LEVEL_RED, std::memory_order_relaxed);
    WakeSoundAfter(before);
    if (changed)
        NotifyChange();
}

void NyraAlarmManager::RemoveAlarm(ALARMTYPE type)
{
    if (IsValidType(type) && StoreValue(type, 0))
        NotifyChange();
}

void NyraAlarmManager::RemoveAlarmAll()
{
    bool changed = false;
    for (int type = 0; type < ALARMTYPE_COUNT; ++type)
        changed = StoreValue(type, 0) || changed;
    if (changed)
        NotifyChange();
}

bool NyraAlarmManager::StoreValue(int type, BYTE value)
{
    return m_value[type].exchange(value, std::memory_order_relaxed) != value;
}

BYTE NyraAlarmManager::GetAlarm(ALARMTYPE type) const
{
    return IsValidType(type) ? m_value[type].load(std::memory_order_relaxed) : 0;
}

// ---- levels --------------------------------------------------------------------------------

void NyraAlarmManager::SetAlarmLevel(ALARMTYPE type, BYTE level)
{
    if (IsValidType(type))
        m_level[type].store(level, std::memory_order_relaxed);
}

void NyraAlarmManager::RemoveAlarmLevel(ALARMTYPE type) { SetAlarmLevel(type, 0); }

void NyraAlarmManager::RemoveAlarmLevelAll()
{
    for (auto& level : m_level)
        level.store(0, std::memory_order_relaxed);
}

BYTE NyraAlarmManager::GetAlarmLevel(ALARMTYPE type) const
{
    return IsValidType(type) ? m_level[type].load(std::memory_order_relaxed) : 0;
}

// ---- questions -----------------------------------------------------------------------------

int NyraAlarmManager::IsAbnormal(ALARMTYPE type) const { return GetAlarm(type) > 0 ? 1 : 0; }

int NyraAlarmManager::GetAlarmCount() const
{
    int count = 0;
    for (const auto& value : m_value)
        if (value.load(std::memory_order_relaxed) != 0)
            ++count;
    return count;
}

// ---- from the monitor's packets ----------------------------------------------------------------

int NyraAlarmManager::SetAlarm(const PKParam_v110& param, const PKAlarm_v110& alarm)
{
    const int before = GetAlarmCount();
    // Values first, then levels, each in the order of the types.
    bool changed = false;
    for (const auto& source : kParamAlarmSources) {
        const bool enabled = (alarm.*source.enable)() != 0;
        changed = StoreValue(source.type, enabled ? (param.*source.alarm)() : 0) || changed;
    }
    for (const auto& source : kParamAlarmSources) {
        const bool enabled = (alarm.*source.enable)() != 0;
        m_level[source.type].store(enabled ? (alarm.*source.level)() : 0, std::memory_order_relaxed);
    }
    WakeSoundAfter(before);
    // Told once values and levels both stand.
    if (changed)
        NotifyChange();
    return GetAlarmCount();
}

// ---- the hooks -------------------------------------------------------------------------------------

void NyraAlarmManager::WakeSound() const
{
    if (m_soundHook)
        m_soundHook();
}

void NyraAlarmManager::NotifyChange() const
{
    if (m_changeHook)
        m_changeHook();
}

void NyraAlarmManager::WakeSoundAfter(int before) const
{
    if (before == 0 && GetAlarmCount() > 0)
        WakeSound();
}
