// Labels of digits laid out without the shaping engine: they must measure
// and draw exactly as the painter's own layout does, in every font the
// charts use, and anything else must be left to the engine.
#include "TestSupport.h"

#include "chart/canvas/DigitText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

TEST(DigitText, MeasuresAndDrawsAsThePainterDoes)
{
  const struct {
    const char* Family;
    int Points;
    bool Bold;
  } Fonts[] = {{"Arial", 8, false}, {"Arial", 10, true}, {"Times New Roman", 9, false}, {"Courier New", 8, false}};
  const QString Texts[] = {QStringLiteral("0"),          QStringLiteral("-1,234.567"), QStringLiteral("11:38:05"),
                           QStringLiteral("11/12/2026"), QStringLiteral("1.5e-07"),    QStringLiteral("(12.5 %)"),
                           QStringLiteral("+0.00; 7"),   QStringLiteral("1111 7777")};
  QImage Engine(200, 40, QImage::Format_ARGB32_Premultiplied), Here = Engine;
  for (const auto& F : Fonts) {
    QFont Font(QString::fromLatin1(F.Family));
    Font.setPointSize(F.Points);
    Font.setBold(F.Bold);
    TDigitText Digits(Font, &Engine);
    const QFontMetricsF Metrics(Font, &Engine);
    for (const QString& T : Texts) {
      SCOPED_TRACE(std::string(F.Family) + " " + std::to_string(F.Points) + ": " + T.toStdString());
      ASSERT_TRUE(Digits.Takes(T));
      EXPECT_DOUBLE_EQ(Digits.Width(T), Metrics.horizontalAdvance(T));
      for (const QPointF Origin : {QPointF(2, 20), QPointF(3.37, 21.6)}) {
        Engine.fill(Qt::white);
        Here.fill(Qt::white);
        {
          QPainter P(&Engine);
          P.setFont(Font);
          P.setPen(QColor(20, 90, 160));
          P.drawText(Origin, T);
        }
        {
          QPainter P(&Here);
          P.setPen(QColor(20, 90, 160));
          Digits.Draw(P, Origin, T);
        }
        EXPECT_TRUE(Engine == Here);
      }
    }
  }
}

TEST(DigitText, LeavesOtherTextsAndDecoratedFontsToTheEngine)
{
  QImage Device(10, 10, QImage::Format_ARGB32_Premultiplied);
  QFont Font(QStringLiteral("Arial"));
  Font.setPointSize(8);
  const TDigitText Digits(Font, &Device);
  for (const QString& T : {QString(), QStringLiteral("Depth"), QStringLiteral("12 m"), QStringLiteral("1\n2"),
                           QStringLiteral("\u00b0C"), QStringLiteral("12\u00a0000")})
    EXPECT_FALSE(Digits.Takes(T)) << T.toStdString();

  Font.setUnderline(true);
  EXPECT_FALSE(TDigitText(Font, &Device).Takes(QStringLiteral("12")));
  Font.setUnderline(false);
  Font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  EXPECT_FALSE(TDigitText(Font, &Device).Takes(QStringLiteral("12")));
}
