#pragma once

#include <QString>
#include <functional>

namespace lumora::question {

// Lets pending window events run during long work; the window passes one
// that processes them, tests pass nothing or a counter.
using Pump = std::function<void()>;

// Ten characters from the program's generator (Rnd), each with an even
// chance a letter "A".."Y" or a digit "1".."9"; "Z" and "0" never occur.
// pump runs after each character.
QString MakeQuestionId(const Pump& pump = {});

}  // namespace lumora::question
