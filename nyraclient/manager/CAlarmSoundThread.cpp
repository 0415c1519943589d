#include "nyraclient/manager/CAlarmSoundThread.h"

#include "nyraclient/manager/NyraClientManager.h"
#include "nyraclient/res/NyraClientSounds.h"

#include "platform/core/Clock.h"
#include "platform/sys/Sound.h"

namespace {

// Real sleep between two looks at the tick clock while pausing: short enough that a stop is
// seen at once, long enough that the pause costs nothing.
constexpr DWORD kPollSleepMs = 2;

} // namespace

int CAlarmSoundThread::Run()
{
    NyraClientManager* owner = GetOwner();
    if (owner == nullptr)
        return kExitCode;
    CCriticalSection& soundLock = owner->GetSoundLock();
    soundLock.Lock();
    while (IsRunning()) {
        if (!owner->CanPalyAlarmSound()) {
            Pause(kIdlePollMs);
            continue;
        }
        const BOOL played = PlaySound(reinterpret_cast<LPCSTR>(std::uintptr_t(nyraclient::IDR_ALARM_SOUND)), nullptr,
                                      SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
        owner->AlarmSoundPlayed(played != FALSE);
        Pause(kSoundIntervalMs);
    }
    soundLock.Unlock();
    return kExitCode;
}

void CAlarmSoundThread::Pause(DWORD ms) const
{
    const std::uint64_t start = platform::MonotonicMs();
    while (IsRunning() && platform::MonotonicMs() - start < ms)
        Sleep(kPollSleepMs);
}
