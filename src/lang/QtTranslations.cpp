#include "lang/QtTranslations.h"

#include <QCoreApplication>
#include <QTranslator>

#include <utility>

namespace veldrin {

QtTranslations::QtTranslations(QString folder) : m_folder(std::move(folder)) {}

QtTranslations::~QtTranslations()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

QString QtTranslations::FileOf(const QString& language)
{
    // The shipped languages by the names of their language files.
    const std::pair<const char*, const char*> files[] = {{"Deutsch", "qtbase_de.qm"},
                                                         {"Español", "qtbase_es.qm"},
                                                         {"Français", "qtbase_fr.qm"},
                                                         {"Italiano", "qtbase_it.qm"}};
    for (const auto& [name, file] : files) {
        if (language == QString::fromUtf8(name))
            return QString::fromLatin1(file);
    }
    return {};
}

bool QtTranslations::follow(const QString& language)
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    const QString file = FileOf(language);
    if (file.isEmpty())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, m_folder))
        return false;
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);
    return true;
}

} // namespace veldrin
