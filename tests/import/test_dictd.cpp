#include "Dictd.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{

const QString Fixtures = QStringLiteral(SLOVNIK_TEST_DATA "/dictd/");

} // namespace

TEST(Dictd, DecodesBase64NumbersAndIndexLines)
{
    EXPECT_EQ(Dictd::decodeNumber(u"Oz+9"), ((14u * 64 + 51) * 64 + 62) * 64 + 61);
    EXPECT_EQ(Dictd::decodeNumber(u"P//////////"), ~quint64(0));
    EXPECT_FALSE(Dictd::decodeNumber(u""));
    EXPECT_FALSE(Dictd::decodeNumber(u"A-B"));
    EXPECT_FALSE(Dictd::decodeNumber(u"QAAAAAAAAAA")); // 2^64 does not fit

    QString error;
    const auto entries = Dictd::parseIndex("house\tGnT9\tT\r\ncafe\tA\tB\tcafé\n", &error);
    ASSERT_TRUE(entries) << error.toStdString();
    ASSERT_EQ(entries->size(), 2);
    EXPECT_EQ(entries->at(0).offset, ((6u * 64 + 39) * 64 + 19) * 64 + 61);
    EXPECT_EQ(entries->at(0).length, 19u);
    EXPECT_EQ(entries->at(1).head, QString::fromUtf8("café")); // the original spelling wins
    EXPECT_FALSE(Dictd::parseIndex("house\tGnT9\n", &error));
    EXPECT_FALSE(Dictd::parseIndex("ok\tA\tB\nbad\tA\t*\n", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("bad"))) << error.toStdString();
}

TEST(Dictd, ReadsPlainAndDictzipDataAlike)
{
    QString error;
    const auto zipped = Dictd::load(Fixtures + QStringLiteral("eng-ces"), &error);
    ASSERT_TRUE(zipped) << error.toStdString();
    const auto plain = Dictd::load(Fixtures + QStringLiteral("eng-ces-plain.index"), &error);
    ASSERT_TRUE(plain) << error.toStdString();
    // The dictzip file has many chunks; every offset must still land on its article.
    EXPECT_EQ(zipped->name, QStringLiteral("Test English-Czech"));
    EXPECT_TRUE(zipped->info.startsWith(u"Test English-Czech\n\nCopyright (C) 2024 test authors."))
        << zipped->info.toStdString();
    ASSERT_EQ(zipped->articles.size(), 29); // the "00database" entry is not an article
    ASSERT_EQ(plain->articles.size(), zipped->articles.size());
    for (qsizetype i = 0; i < zipped->articles.size(); ++i)
        EXPECT_EQ(plain->articles[i].body, zipped->articles[i].body) << i;
    EXPECT_EQ(zipped->articles[20].body, QString::fromUtf8("smørrebrød\nobložený chlebíček\n"));
    EXPECT_EQ(zipped->articles.constLast().body, QStringLiteral("waters <n, pl>\nvody\n"));

    EXPECT_FALSE(Dictd::load(QStringLiteral("/nonexistent/dictionary"), &error));
}
