#pragma once

#include <QString>
#include <QStringList>

// The one directory that holds the 52 letter files, and how the first start fills it with
// the dictionary built into the program.
class DataDirectory
{
  public:
    // Where the program keeps the dictionary built into it.
    static inline const QString Embedded = QStringLiteral(":/dictionary/");

    // `path` ends with the separator; `seedSource` is a directory holding the 52 letter files.
    explicit DataDirectory(QString path, QString seedSource = Embedded);

    // The per-user application data location followed by "data/", e.g.
    // ~/.local/share/slovnik/data/. The application name must be set before.
    static DataDirectory standard();

    // a.dta ... z.dta, a.cze ... z.cze.
    static QStringList letterFileNames();

    const QString& path() const { return m_path; }

    struct SeedOutcome {
        QStringList copied; // the letter files written
        QString whyNot;     // set when the directory could not be filled
        bool failed() const { return !whyNot.isEmpty(); }
    };

    // On a first start, when the directory is missing or holds none of the letter files,
    // creates it and copies every letter file of the seed source into it. A directory that
    // holds even one letter file is left alone, and an existing file is never replaced:
    // the words a user has taught the program are worth more than any dictionary. When it
    // fails, the files it copied are removed again.
    SeedOutcome seedIfEmpty() const;

    struct Prepared {
        QString dataPath;     // where the letter files are read, and learned words stored
        QString whyReadOnly;  // set when words cannot be learned: the folder and the reason
        bool builtIn = false; // dataPath is the dictionary built into the program
        // What the user is told once, in Czech; empty when words can be learned.
        QString notice() const;
    };

    // Seeds the directory when it is empty and decides where the letter files are read: from
    // the directory, or, when it holds none of them because it cannot be made or written,
    // from the dictionary built into the program, which can be read but never changed.
    Prepared prepare() const;

  private:
    QString m_path;
    QString m_seedSource;
};
