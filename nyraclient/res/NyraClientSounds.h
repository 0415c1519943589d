// The client library's sounds: the alarm sound, a RIFF wave of our own made at build time by
// nyraclient/res/tools/MakeAlarmSound.cpp and registered with the library's resource module as
// a "WAVE" resource.
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

namespace nyraclient {

// The alarm sound: 8 kHz, 8-bit mono, three short tone bursts (about 0.6 s in all).
constexpr UINT IDR_ALARM_SOUND = 5033;

std::span<const platform::ResourceData> SoundTable();

} // namespace nyraclient
