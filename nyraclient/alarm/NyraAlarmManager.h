// NyraAlarmManager: the alarms of one monitor. For every alarm type it keeps the alarm value
// (the monitor's cause code, 0 = no alarm) and the level the alarm is shown with (0 not shown,
// 1 orange, 2 red). The two arrays are independent: clearing a value keeps its level.
//
// The client fills it on the thread that handles the monitor's packets; the bed window's
// threads read single values at any time, so every value is its own atomic byte.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <atomic>
#include <functional>

class PKAlarm_v110;
class PKParam_v110;

// A fixed underlying type: a type beyond the enumerators (a caller's int) is a well-defined
// value that every operation refuses, not undefined behaviour.
enum ALARMTYPE : int
{
    ALARMTYPE_ECG = 0,
    ALARMTYPE_MSPO2 = 1,
    ALARMTYPE_FHR1 = 2,
    ALARMTYPE_FHR2 = 3,
    ALARMTYPE_FECG = 4,
    ALARMTYPE_FSPO2 = 5,
    ALARMTYPE_UC = 6,
    ALARMTYPE_IUP = 7,
    ALARMTYPE_NIBP = 8,
    ALARMTYPE_TEMP = 9,
    ALARMTYPE_NETWORK = 10,
};

// Number of alarm types; the ten parameter types come before the network type.
constexpr int ALARMTYPE_COUNT = 11;
constexpr int ALARMTYPE_PARAM_COUNT = 10;

// Alarm levels as the bed window shows them.
constexpr BYTE ALARM_LEVEL_NONE = 0;
constexpr BYTE ALARM_LEVEL_ORANGE = 1;
constexpr BYTE ALARM_LEVEL_RED = 2;

class NyraAlarmManager
{
public:
    NyraAlarmManager();
    NyraAlarmManager(const NyraAlarmManager& other);
    NyraAlarmManager& operator=(const NyraAlarmManager& other);
    virtual ~NyraAlarmManager() = default;

    // value[type] = value; the network type also gets level 2 (red), whatever the value.
    void SetAlarm(ALARMTYPE type, BYTE value);
    void RemoveAlarm(ALARMTYPE type);
    // Clears all values; the levels stay.
    void RemoveAlarmAll();
    BYTE GetAlarm(ALARMTYPE type) const;

    void SetAlarmLevel(ALARMTYPE type, BYTE level);
    void RemoveAlarmLevel(ALARMTYPE type);
    void RemoveAlarmLevelAll();
    BYTE GetAlarmLevel(ALARMTYPE type) const;

    // 1 when the type has an alarm value, else 0.
    int IsAbnormal(ALARMTYPE type) const;
    // Types with an alarm value, the network alarm included.
    int GetAlarmCount() const;

    // Takes the alarm bytes of a parameter packet for the parameters whose alarm is switched on
    // in the alarm-settings packet, with the levels of that packet; a parameter switched off
    // gets value and level 0. The network alarm is kept. Returns GetAlarmCount().
    int SetAlarm(const PKParam_v110& param, const PKAlarm_v110& alarm);

    // Called on the thread that set them whenever the monitor goes from no alarm to some (and by
    // WakeSound): the station's alarm sound sleeps until then. Set before the monitor's packets
    // come; copies do not take it.
    void SetSoundHook(std::function<void()> hook) { m_soundHook = std::move(hook); }
    void WakeSound() const;
    // Called on the thread that set them whenever an alarm value changed (a level alone shows
    // nothing): the bed's caption painters sleep until then. Set before the monitor's packets
    // come; copies do not take it.
    void SetChangeHook(std::function<void()> hook) { m_changeHook = std::move(hook); }

private:
    // A type outside 0 to 10 names no alarm: setters ignore it and getters give 0, so a bad
    // index can never write beyond the arrays.
    static bool IsValidType(int type) { return type >= 0 && type < ALARMTYPE_COUNT; }

    // Calls the sound hook when `before` counted no alarm and there is one now.
    void WakeSoundAfter(int before) const;
    // Stores one value; true when it changed.
    bool StoreValue(int type, BYTE value);
    void NotifyChange() const;

    std::atomic<BYTE> m_value[ALARMTYPE_COUNT];
    std::atomic<BYTE> m_level[ALARMTYPE_COUNT];
    std::function<void()> m_soundHook;
    std::function<void()> m_changeHook;
};

// The display text of one alarm: "<parameter name>: <cause text>" for a parameter type with a
// nonzero cause (the name alone and its colon when the cause has no text), the network text for
// the network type, empty otherwise. Sensor, cross-channel and equipment causes force `level`
// to 1 (orange); other causes leave it. Result: 1 when the level was forced for a parameter
// whose forced alarms count (not FHR1, FHR2, UC, IUP), 1 always for the network type, else 0.
int AlarmText(ALARMTYPE type, BYTE cause, CString& text, int& level);
