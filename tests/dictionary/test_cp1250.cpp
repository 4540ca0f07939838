#include "dictionary/Cp1250.h"

#include <gtest/gtest.h>

TEST(Cp1250, EveryByteSurvivesAndCzechLettersMapToTheirCodePoints)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = Cp1250::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_FALSE(Cp1250::firstUnencodable(text).has_value());
    EXPECT_EQ(Cp1250::encode(text), all);

    const QString czech = QString::fromUtf8("Příliš žluťoučký kůň úpěl ďábelské ódy ŠŤŽŮĚ");
    EXPECT_EQ(Cp1250::encode(czech).toHex(),
              "50f8ed6c699a209e6c759d6f75e86bfd206bf9f220fa70ec6c20efe16265"
              "6c736be920f36479208a8d8ed9cc");
}

TEST(Cp1250, NamesTheFirstCharacterItCannotHold)
{
    EXPECT_EQ(Cp1250::firstUnencodable(QString::fromUtf8("mañana")), QString::fromUtf8("ñ"));
    EXPECT_EQ(Cp1250::firstUnencodable(QString::fromUtf8("čaj 😀 x")), QString::fromUtf8("😀"));
}
