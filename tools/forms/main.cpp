// slovnik-forms: makes the word-form table of the imported dictionary.
//
//   slovnik-forms --dictionary DIR --hunspell DIR --unmunch PATH --output FILE
#include "FormsBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QString dictionary, hunspell = QStringLiteral("/usr/share/hunspell"),
                        unmunch = QStringLiteral("unmunch"), output;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--dictionary"))
            dictionary = args[i + 1];
        else if (args[i] == QLatin1String("--hunspell"))
            hunspell = args[i + 1];
        else if (args[i] == QLatin1String("--unmunch"))
            unmunch = args[i + 1];
        else if (args[i] == QLatin1String("--output"))
            output = args[i + 1];
    }
    if (dictionary.isEmpty() || output.isEmpty()) {
        std::fprintf(stderr, "usage: slovnik-forms --dictionary DIR [--hunspell DIR] "
                             "[--unmunch PATH] --output FILE\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    FormTableWriter writer;
    FormsBuilder builder(dictionary, hunspell, unmunch);
    QString whyNot;
    for (const FormsBuilder::Source& source : FormsBuilder::sources()) {
        if (!builder.add(source, writer, &whyNot)) {
            std::fprintf(stderr, "slovnik-forms: %s\n", qUtf8Printable(whyNot));
            return 1;
        }
    }
    if (!writer.write(output, &whyNot)) {
        std::fprintf(stderr, "slovnik-forms: %s: %s\n", qUtf8Printable(output),
                     qUtf8Printable(whyNot));
        return 1;
    }
    std::printf("slovnik-forms: %lld Czech and %lld English forms, %.1f MiB, in %.1f s\n",
                static_cast<long long>(writer.formCount(Language::Czech)),
                static_cast<long long>(writer.formCount(Language::English)),
                double(QFileInfo(output).size()) / (1024 * 1024), double(timer.elapsed()) / 1000);
    return 0;
}
