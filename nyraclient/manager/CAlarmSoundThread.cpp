#include "nyraclient/manager/CAlarmSoundThread.h"

#include "nyraclient/manager/NyraClientManager.h"
#include "nyraclient/res/NyraClientSounds.h"

#include "platform/core/Clock.h"
#include "platform/sys/Sound.h"

int CAlarmSoundThread::Run()
{
    NyraClientManager* owner = GetOwner();
    if (owner == nullptr)
        return kExitCode;
    CCriticalSection& soundLock = owner->GetSoundLock();
    soundLock.Lock();
    while (IsRunning()) {
        if (!owner->CanPalyAlarmSound()) {
            // Nothing to sound: it sleeps until a bed comes, a bed's alarms begin or its sound
            // is switched on (each wakes it).
            WaitForWork(INFINITE);
            continue;
        }
        const BOOL played = PlaySound(reinterpret_cast<LPCSTR>(std::uintptr_t(nyraclient::IDR_ALARM_SOUND)), nullptr,
                                      SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
        owner->AlarmSoundPlayed(played != FALSE);
        Pause(kSoundIntervalMs);
    }
    // The station is closing: the alarm it sounded stops with it, and the player is done with.
    PlaySound(nullptr, nullptr, 0);
    soundLock.Unlock();
    return kExitCode;
}

void CAlarmSoundThread::Pause(DWORD ms)
{
    // The stop wakes the wait at once; so does every move of a test clock.
    const std::uint64_t start = platform::MonotonicMs();
    for (std::uint64_t spent = 0; IsRunning() && spent < ms; spent = platform::MonotonicMs() - start)
        WaitForWork(static_cast<DWORD>(ms - spent));
}
