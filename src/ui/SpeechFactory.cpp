#include "ui/WindowServices.h"

#include "speech/SpeechModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace
{

// Loads the speech module on the first control asked for and keeps it loaded for the rest
// of the process: the controls it made, its threads and the speech engine live in it.
class SpeechModuleLoader
{
  public:
    explicit SpeechModuleLoader(QStringList files) : m_files(std::move(files)) {}

    std::unique_ptr<SpeechControl> makeControl()
    {
        if (!m_tried) {
            m_tried = true;
            m_whyNot = load();
        }
        std::unique_ptr<SpeechControl> control;
        if (m_make)
            m_make(control);
        if (!control)
            control = std::make_unique<SilentSpeech>(m_whyNot);
        return control;
    }

  private:
    QString load()
    {
        const QStringList files = m_files.isEmpty() ? speechModuleFiles() : m_files;
        QString file;
        for (const QString& candidate : files) {
            if (QFileInfo::exists(candidate)) {
                file = candidate;
                break;
            }
        }
        if (file.isEmpty())
            return QStringLiteral("chybí modul řeči (hledán jako %1)")
                .arg(QDir::toNativeSeparators(files.join(QStringLiteral(", "))));

        QLibrary library(file);
        if (!library.load())
            return QStringLiteral("modul řeči %1 nelze načíst (%2)")
                .arg(QDir::toNativeSeparators(file), library.errorString());
        const auto version = reinterpret_cast<SpeechModule::InterfaceFunction>(
            library.resolve(SpeechModule::InterfaceSymbol));
        const auto make = reinterpret_cast<SpeechModule::MakeControlFunction>(
            library.resolve(SpeechModule::MakeControlSymbol));
        if (!version || !make || version() != SpeechModule::InterfaceVersion)
            return QStringLiteral("modul řeči %1 nepatří k této verzi programu")
                .arg(QDir::toNativeSeparators(file));
        // The library object may go: nothing unloads the module.
        m_make = make;
        return {};
    }

    const QStringList m_files;
    bool m_tried = false;
    SpeechModule::MakeControlFunction m_make = nullptr;
    QString m_whyNot;
};

} // namespace

QStringList speechModuleFiles()
{
    const QString program = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString name = QStringLiteral(SLOVNIK_SPEECH_MODULE_NAME);
    return {program + name,
            QDir::cleanPath(program + QStringLiteral(SLOVNIK_SPEECH_MODULE_FROM_PROGRAM) +
                            QLatin1Char('/') + name)};
}

SpeechFactory speechFromModule(QStringList moduleFiles)
{
    auto loader = std::make_shared<SpeechModuleLoader>(std::move(moduleFiles));
    return [loader] { return loader->makeControl(); };
}

WindowSpeech loadWindowSpeech(const WindowServices& services)
{
    WindowSpeech speech;
    if (services.makeSpeech)
        speech.control = services.makeSpeech();
    if (!speech.control)
        speech.control = std::make_unique<SilentSpeech>();
    const QString reason = speech.control->unavailableReason();
    if (!reason.isEmpty() && services.speechNoticeGiven &&
        !std::exchange(*services.speechNoticeGiven, true))
        speech.notice =
            QStringLiteral("Řeč není k dispozici: %1. Vše ostatní funguje, jen bez zvuku.")
                .arg(reason);
    return speech;
}
