#include <gtest/gtest.h>

#include <QSet>

#include "platform/random.h"
#include "question/question_id.h"

using lumora::platform::Randomize;
using lumora::platform::Rnd;
using lumora::question::MakeQuestionId;

TEST(QuestionId, TenCharactersFromTheWholeAlphabetWithoutZOrZero) {
  Randomize(20240501);
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY123456789");
  QSet<QChar> seen;
  int pumps = 0;
  for (int draw = 0; draw < 2000; ++draw) {
    const QString id = MakeQuestionId([&] { ++pumps; });
    ASSERT_EQ(id.size(), 10) << id.toStdString();
    for (const QChar c : id) {
      ASSERT_TRUE(alphabet.contains(c)) << id.toStdString();
      seen.insert(c);
    }
  }
  EXPECT_EQ(seen.size(), alphabet.size()) << "every letter A..Y and digit 1..9 occurs";
  EXPECT_EQ(pumps, 2000 * 10);
}

TEST(QuestionId, RepeatsForTheSameSeedAndTakesTwoDrawsACharacter) {
  Randomize(77);
  const QString first = MakeQuestionId();
  const double next = Rnd();
  Randomize(77);
  for (int i = 0; i < 20; ++i) Rnd();
  EXPECT_EQ(Rnd(), next);
  Randomize(77);
  EXPECT_EQ(MakeQuestionId(), first);
  EXPECT_NE(MakeQuestionId(), first);
}
