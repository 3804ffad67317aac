#include "question/question_id.h"

#include "core/random.h"

namespace lumora::question {
namespace {
// The whole part of a non-negative number: each draw picks one of n values.
int Int(double value) { return static_cast<int>(value); }
}  // namespace

QString MakeQuestionId(const core::Pump& pump) {
  QString id;
  bool pumping = static_cast<bool>(pump);
  for (int i = 0; i < 10; ++i) {
    const double r = core::Rnd();
    if (Int(2 * r) + 1 == 1)
      id += QChar(static_cast<char16_t>(65 + Int(25 * core::Rnd())));
    else
      id += QString::number(Int(9 * core::Rnd()) + 1);
    if (pumping) pumping = pump();
  }
  return id.toUpper();
}

}  // namespace lumora::question
