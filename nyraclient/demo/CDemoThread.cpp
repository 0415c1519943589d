#include "nyraclient/demo/CDemoThread.h"

#include "platform/core/Clock.h"

int CDemoThread::Run()
{
    PKWave_v110 wave;
    PKParam_v110 param;
    std::uint64_t lastBurst = platform::MonotonicMs();
    while (IsRunning()) {
        if (platform::MonotonicMs() - lastBurst < kBurstIntervalMs) {
            Sleep(1);
            continue;
        }
        for (int i = 0; i < kWavesPerBurst && IsRunning(); ++i) {
            CDemoThreadOwner* owner = GetOwner();
            const BYTE key = owner != nullptr ? LOBYTE(unsigned(owner->GetDemoKey())) : 0;
            m_Generator.MakeWave(wave, key);
            Deliver(wave.GetPacket(), wave.GetPacketSize());
            if (m_Generator.ParameterDue()) {
                m_Generator.MakeParameter(param, key);
                Deliver(param.GetPacket(), param.GetPacketSize());
            }
        }
        lastBurst = platform::MonotonicMs();
        Sleep(1);
    }
    return kExitCode;
}

void CDemoThread::Deliver(const BYTE* data, int len)
{
    if (CDemoThreadOwner* owner = GetOwner())
        owner->PushDemoPacket(data, len);
}
