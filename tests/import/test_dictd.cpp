#include "Dictd.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

const QString Fixtures = QStringLiteral(SLOVNIK_TEST_DATA "/dictd/");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(Dictd, DecodesBase64NumbersMostSignificantDigitFirst)
{
    EXPECT_EQ(Dictd::decodeNumber(u"A"), 0u);
    EXPECT_EQ(Dictd::decodeNumber(u"z"), 51u);
    EXPECT_EQ(Dictd::decodeNumber(u"9"), 61u);
    EXPECT_EQ(Dictd::decodeNumber(u"+"), 62u);
    EXPECT_EQ(Dictd::decodeNumber(u"/"), 63u);
    EXPECT_EQ(Dictd::decodeNumber(u"BA"), 64u);
    EXPECT_EQ(Dictd::decodeNumber(u"zN"), 51u * 64 + 13);
    EXPECT_EQ(Dictd::decodeNumber(u"Os0u"), ((14u * 64 + 44) * 64 + 52) * 64 + 46);
    EXPECT_EQ(Dictd::decodeNumber(u"P//////////"), (quint64(15) << 60) | ((quint64(1) << 60) - 1));

    EXPECT_FALSE(Dictd::decodeNumber(u""));
    EXPECT_FALSE(Dictd::decodeNumber(u"A-B"));
    EXPECT_FALSE(Dictd::decodeNumber(u"Aé"));
    EXPECT_FALSE(Dictd::decodeNumber(u"QAAAAAAAAAA")); // 2^64 does not fit
}

TEST(Dictd, ParsesIndexLinesAndRejectsBrokenOnes)
{
    QString error;
    const auto entries =
        Dictd::parseIndex("house\tGnT9\tT\r\n6 am\tB\tC\n\tzN\tP\ncafe\tA\tB\tcafé\n", &error);
    ASSERT_TRUE(entries) << error.toStdString();
    ASSERT_EQ(entries->size(), 4);
    EXPECT_EQ(entries->at(0).head, QStringLiteral("house"));
    EXPECT_EQ(entries->at(0).offset, 6u * 64 * 64 * 64 + 39u * 64 * 64 + 19u * 64 + 61u);
    EXPECT_EQ(entries->at(0).length, 19u);
    EXPECT_EQ(entries->at(1).head, QStringLiteral("6 am"));
    EXPECT_EQ(entries->at(2).head, QString()); // an empty head is the importer's to skip
    EXPECT_EQ(entries->at(3).head, QString::fromUtf8("café")); // the original spelling wins

    EXPECT_FALSE(Dictd::parseIndex("house\tGnT9\n", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("1"))) << error.toStdString();
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
    ASSERT_EQ(zipped->articles.size(), 29); // the "00database" entry is not an article
    ASSERT_EQ(plain->articles.size(), zipped->articles.size());
    for (qsizetype i = 0; i < zipped->articles.size(); ++i) {
        EXPECT_EQ(plain->articles[i].head, zipped->articles[i].head);
        EXPECT_EQ(plain->articles[i].body, zipped->articles[i].body);
    }
    EXPECT_EQ(zipped->articles.constFirst().body, QStringLiteral("6 AM\n6 hodin dopoledne\n"));
    EXPECT_EQ(zipped->articles.constLast().body, QStringLiteral("waters <n, pl>\nvody\n"));
    EXPECT_EQ(zipped->articles[20].body, QString::fromUtf8("smørrebrød\nobložený chlebíček\n"));
}

TEST(Dictd, ReportsMissingTruncatedAndOutOfRangeData)
{
    QString error;
    EXPECT_FALSE(Dictd::load(QStringLiteral("/nonexistent/dictionary"), &error));
    EXPECT_FALSE(error.isEmpty());

    QTemporaryDir dir;
    const QByteArray zipped = fileBytes(Fixtures + QStringLiteral("eng-ces.dict.dz"));
    writeFile(dir.filePath(QStringLiteral("cut.index")),
              fileBytes(Fixtures + QStringLiteral("eng-ces.index")));
    writeFile(dir.filePath(QStringLiteral("cut.dict.dz")), zipped.first(zipped.size() / 2));
    error.clear();
    EXPECT_FALSE(Dictd::load(dir.filePath(QStringLiteral("cut")), &error));
    EXPECT_FALSE(error.isEmpty());

    writeFile(dir.filePath(QStringLiteral("far.index")), "word\tA\tE\nfar\tD\tZ\n");
    writeFile(dir.filePath(QStringLiteral("far.dict")), "word\nslovo\n");
    error.clear();
    EXPECT_FALSE(Dictd::load(dir.filePath(QStringLiteral("far")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("far"))) << error.toStdString();

    const auto whole = Dictd::gunzip(zipped, &error);
    ASSERT_TRUE(whole);
    EXPECT_EQ(*whole, fileBytes(Fixtures + QStringLiteral("eng-ces-plain.dict")));
    EXPECT_FALSE(Dictd::gunzip(QByteArray("\x1f\x8bnot really gzip"), &error));
}
