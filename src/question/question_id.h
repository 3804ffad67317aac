#pragma once

#include <QString>

#include "core/pump.h"

namespace lumora::question {

// Ten characters from the program's generator (Rnd), each with an even
// chance a letter "A".."Y" or a digit "1".."9"; "Z" and "0" never occur.
// pump runs after each character, until it answers that the window closes.
QString MakeQuestionId(const core::Pump& pump = {});

}  // namespace lumora::question
