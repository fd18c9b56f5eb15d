// The virtual board window's Japanese texts: program states, sounds, and why a program stopped.
#pragma once

#include <QString>
#include <optional>

#include "engine_types.h"

QString ProgramStateText(RunState state);
// "ブザー（小）", ..., "なし" when silent.
QString SoundText(SoundKind sound, int volume);
// "07:30", or "なし" without an alarm.
QString AlarmText(const std::optional<int>& minuteOfDay);
// Why the program stopped with an execution error, for a pupil.
QString FaultText(const EngineFault& fault);
