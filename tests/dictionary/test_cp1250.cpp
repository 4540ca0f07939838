#include "dictionary/Cp1250.h"

#include <gtest/gtest.h>

TEST(Cp1250, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = Cp1250::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_FALSE(Cp1250::firstUnencodable(text).has_value());
    EXPECT_EQ(Cp1250::encode(text), all);
}

TEST(Cp1250, CzechLettersMapToTheirCodePoints)
{
    const QString czech = QString::fromUtf8("Příliš žluťoučký kůň úpěl ďábelské ódy ŠŤŽŮĚ");
    const QByteArray bytes = Cp1250::encode(czech);
    EXPECT_EQ(bytes.size(), czech.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xF8); // ř
    EXPECT_EQ(Cp1250::decode(bytes), czech);
}

TEST(Cp1250, NamesTheFirstCharacterItCannotHold)
{
    EXPECT_EQ(Cp1250::firstUnencodable(QString::fromUtf8("mañana")), QString::fromUtf8("ñ"));
    EXPECT_EQ(Cp1250::firstUnencodable(QString::fromUtf8("čaj 😀 x")), QString::fromUtf8("😀"));
    EXPECT_FALSE(Cp1250::firstUnencodable(QString::fromUtf8("čaj")).has_value());
}
