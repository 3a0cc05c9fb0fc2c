#include "ground/languageswitch.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace {

const QString SettingsKey = QStringLiteral("language");

} // namespace

LanguageSwitch &LanguageSwitch::instance()
{
    static LanguageSwitch languageSwitch;
    return languageSwitch;
}

LanguageSwitch::LanguageSwitch() : m_program(std::make_unique<QTranslator>()), m_qt(std::make_unique<QTranslator>())
{ }

LanguageSwitch::~LanguageSwitch() = default;

std::optional<LanguageSwitch::Language> LanguageSwitch::fromCode(const QString &code)
{
    const QString lower = code.trimmed().toLower();
    if (lower == QLatin1String("ja"))
        return Language::Japanese;
    if (lower == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

QString LanguageSwitch::codeOf(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

void LanguageSwitch::start(std::optional<Language> forThisRun)
{
    const std::optional<Language> kept = fromCode(QSettings().value(SettingsKey).toString());
    apply(forThisRun.value_or(kept.value_or(Language::Japanese)));
}

void LanguageSwitch::choose(Language language)
{
    QSettings().setValue(SettingsKey, codeOf(language));
    if (language != m_current)
        apply(language);
}

void LanguageSwitch::apply(Language language)
{
    QCoreApplication::removeTranslator(m_program.get());
    QCoreApplication::removeTranslator(m_qt.get());
    const QString code = codeOf(language);
    // A missing file leaves the source texts, which every window can still show.
    if (m_program->load(QStringLiteral(":/i18n/orbiquest9_") + code))
        QCoreApplication::installTranslator(m_program.get());
    if (m_qt->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_qt.get());
    m_current = language;
    emit changed(language);
}
