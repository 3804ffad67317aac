#include <gtest/gtest.h>

#include <QSet>

#include "platform/random.h"
#include "question/question_id.h"

using lumora::platform::Randomize;
using lumora::question::MakeQuestionId;

TEST(QuestionId, TenCharactersFromTheWholeAlphabetWithoutZOrZero) {
  Randomize(20240501);
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY123456789");
  QSet<QChar> seen;
  for (int draw = 0; draw < 2000; ++draw) {
    const QString id = MakeQuestionId();
    ASSERT_EQ(id.size(), 10) << id.toStdString();
    for (const QChar c : id) seen.insert(c);
  }
  EXPECT_EQ(seen, QSet<QChar>(alphabet.begin(), alphabet.end()));
}
