// slovnik-import: builds the letter files of the dictionary from dictd dictionaries.
#include "Credits.h"
#include "Dictd.h"
#include "DictionaryBuilder.h"
#include "LetterFileWriter.h"
#include "PhraseRules.h"
#include "Preflight.h"

#include "dictionary/FileWriter.h"
#include "dictionary/LetterFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTextStream>
#include <QTranslator>
#include <functional>

using namespace Import;

namespace
{

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

QString defaultDataDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/slovnik/data");
}

void printSkipped(const SkipCounts& skipped)
{
    for (int i = 0; i < SkipReasons; ++i) {
        if (skipped.counts[i] > 0)
            out() << "    " << describe(static_cast<Skip>(i)) << ": " << skipped.counts[i]
                  << Qt::endl;
    }
}

// Writes one direction and prints what became of its entries; false when a file failed.
QString seconds(const QElapsedTimer& timer)
{
    return QString::number(static_cast<double>(timer.elapsed()) / 1000.0, 'f', 1) +
           QStringLiteral(" s");
}

bool writeDirection(const QString& title, const QString& directory, const QString& dictExt,
                    const std::function<DirectionResult()>& build, FileWriter& writer)
{
    QElapsedTimer timer;
    timer.start();
    const DirectionResult built = build();
    out() << title << " (" << dictExt << "): " << built.entries.size() << " hesel připraveno za "
          << seconds(timer) << Qt::endl;
    timer.restart();
    const WriteOutcome written = writeLetterFiles(
        directory, dictExt, built.entries, writer, [](const QString& fileName, qsizetype added) {
            out() << "  " << fileName << ": +" << added << Qt::endl;
        });
    for (const QString& failure : written.failures)
        err() << "  CHYBA: " << failure << Qt::endl;

    SkipCounts skipped = built.skipped;
    for (int i = 0; i < SkipReasons; ++i)
        skipped.counts[i] += written.skipped.counts[i];
    if (built.droppedMeanings > 0)
        out() << "  vynechané významy se znaky, které písmenový soubor neuloží: "
              << built.droppedMeanings << Qt::endl;
    out() << "  zapsáno hesel: " << written.written << " za " << seconds(timer);
    if (built.sourceArticles > 0)
        out() << " (článků ve zdroji: " << built.sourceArticles << ")";
    out() << Qt::endl;
    out() << "  sousloví: připraveno " << built.phrases << ", zapsáno " << written.phrasesWritten
          << "; vynecháno jako průhledná (překlad jen z překladů slov): "
          << skipped[Skip::TransparentPhrase]
          << ", jen gramatická slova: " << skipped[Skip::GrammarPhrase] << ", delší než "
          << MaxPhraseWords << " slova: " << skipped[Skip::LongPhrase] << Qt::endl;
    if (!written.fullestFile.isEmpty())
        out() << "  nejplnější písmenový soubor: " << written.fullestFile << " ("
              << written.fullestEntries << " hesel z " << MaxEntriesPerFile << ")" << Qt::endl;
    if (built.invertedOnly > 0 || built.notInverted > 0) {
        out() << "  hesel jen z obráceného anglicko-českého slovníku: " << built.invertedOnly
              << Qt::endl
              << "  překladů, které nejsou české slovo ani sousloví (neobráceno): "
              << built.notInverted << Qt::endl;
    }
    if (skipped.total() > 0) {
        out() << "  přeskočeno: " << skipped.total() << Qt::endl;
        printSkipped(skipped);
    }
    return written.failures.isEmpty();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("slovnik-import"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SLOVNIK_VERSION));
    // The tool speaks Czech, the command line parser's own texts included.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Převede slovníky ve formátu dictd (.index a .dict nebo .dict.dz) na písmenové soubory "
        "slovníku.\n"
        "Do složky, kde už slovník je, přidá jen hesla, která v ní ještě nejsou; nic nepřepíše."));
    // Worded here: Qt's Czech translation lacks the help option's description.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Vypíše tuto nápovědu."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Vypíše verzi programu."));
    const QCommandLineOption englishCzech(
        {QStringLiteral("e"), QStringLiteral("english-czech")},
        QStringLiteral("Anglicko-český slovník dictd (cesta bez přípony nebo "
                       "k souboru .index); píše soubory .dta."),
        QStringLiteral("slovník"));
    const QCommandLineOption czechEnglish(
        {QStringLiteral("c"), QStringLiteral("czech-english")},
        QStringLiteral("Česko-anglický slovník dictd; píše soubory .cze."),
        QStringLiteral("slovník"));
    const QCommandLineOption invert(
        {QStringLiteral("i"), QStringLiteral("invert")},
        QStringLiteral("Soubory .cze sestaví i obrácením anglicko-českých slovníků "
                       "(spojí je s česko-anglickými)."));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Složka písmenových souborů (výchozí %1).").arg(defaultDataDirectory()),
        QStringLiteral("složka"), defaultDataDirectory());
    parser.addOptions({help, version, englishCzech, czechEnglish, invert, output});
    parser.process(app);
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();

    const QStringList englishCzechPaths = parser.values(englishCzech);
    const QStringList czechEnglishPaths = parser.values(czechEnglish);
    if (englishCzechPaths.isEmpty() && czechEnglishPaths.isEmpty()) {
        err() << "Zadejte aspoň jeden slovník (--english-czech nebo --czech-english)." << Qt::endl;
        parser.showHelp(2);
    }
    if (parser.isSet(invert) && englishCzechPaths.isEmpty()) {
        err() << "--invert potřebuje anglicko-český slovník (--english-czech)." << Qt::endl;
        return 2;
    }

    // A folder that cannot take the files is told before any dictionary is read.
    const QString directory = QDir(parser.value(output)).absolutePath();
    if (const auto why = whyNotWritable(directory)) {
        err() << *why << Qt::endl;
        return 1;
    }

    // Every dictionary is read and checked before anything is written.
    QElapsedTimer timer;
    timer.start();
    DictionaryBuilder builder;
    QStringList credits;
    const auto load = [&](const QString& path, bool english) {
        QString error;
        const auto dictionary = Dictd::load(path, &error);
        if (!dictionary) {
            err() << "Slovník nelze načíst: " << error << "." << Qt::endl;
            return false;
        }
        if (const auto why = whyWrongDirection(*dictionary, english)) {
            err() << "Slovník nelze použít: " << *why << "." << Qt::endl;
            return false;
        }
        if (english)
            builder.addEnglishCzech(*dictionary);
        else
            builder.addCzechEnglish(*dictionary);
        credits.append(creditsSection(*dictionary));
        out() << "Načten " << dictionary->name << ": " << dictionary->articles.size() << " článků, "
              << seconds(timer) << Qt::endl;
        return true;
    };
    for (const QString& path : englishCzechPaths) {
        if (!load(path, true))
            return 1;
    }
    for (const QString& path : czechEnglishPaths) {
        if (!load(path, false))
            return 1;
    }

    out() << "Složka: " << QDir::toNativeSeparators(directory) << Qt::endl;
    SafeFileWriter writer;
    bool ok = true;
    if (!englishCzechPaths.isEmpty())
        ok &= writeDirection(
            QStringLiteral("Anglicko-český směr"), directory, LetterFile::EnglishToCzech,
            [&] { return builder.buildEnglishCzech(); }, writer);
    if (!czechEnglishPaths.isEmpty() || parser.isSet(invert))
        ok &= writeDirection(
            QStringLiteral("Česko-anglický směr"), directory, LetterFile::CzechToEnglish,
            [&] { return builder.buildCzechEnglish(parser.isSet(invert)); }, writer);
    if (const auto error = addCredits(directory, credits, writer)) {
        err() << "  CHYBA: " << *error << Qt::endl;
        ok = false;
    } else {
        out() << "  autoři a licence zdrojů: " << CreditsFileName << Qt::endl;
    }
    out() << (ok ? "Hotovo" : "Skončeno s chybami") << " za " << seconds(timer) << "." << Qt::endl;
    return ok ? 0 : 1;
}
