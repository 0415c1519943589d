// The date rules of KTGF that depend on "now", with "now" passed in, so that ages and birth
// ranges can be checked on any day (month ends, year ends, 29 February). KTGF::CalcAge and
// KTGF::CalcBirth call these with the local current time.
#pragma once

#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

namespace ktutil {

int CalcAgeAt(const COleDateTime& birth, BOOL completed, const COleDateTime& now);
void CalcBirthAt(int age, COleDateTime& from, COleDateTime& to, BOOL completed, const COleDateTime& now);

} // namespace ktutil
