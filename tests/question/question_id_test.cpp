#include <gtest/gtest.h>

#include <QSet>

#include "platform/random.h"
#include "question/question_id.h"

using lumora::platform::Randomize;
using lumora::question::MakeQuestionId;

TEST(QuestionId, TenCharactersFromTheWholeAlphabetWithoutZOrZero) {
  Randomize(20240501);
  QString ids;
  for (int draw = 0; draw < 2000; ++draw) ids += MakeQuestionId();
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY123456789");
  EXPECT_EQ(std::pair(ids.size(), QSet<QChar>(ids.begin(), ids.end())),
            std::pair(qsizetype{20000}, QSet<QChar>(alphabet.begin(), alphabet.end())));
}
