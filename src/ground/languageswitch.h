#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QTranslator;

/// The language every window speaks: Japanese, the program's own, or English.
///
/// The switch loads the program's translations (built into the program as
/// resources under ":/i18n") and Qt's own (standard buttons, file dialogs)
/// for the chosen language; installing them makes Qt send LanguageChange to
/// every widget, and each window retranslates its own texts there. The choice
/// is kept in the settings for the next start; a choice for one run (the
/// command line's `--lang`) is not kept. Numbers keep a point as their decimal
/// separator in both languages, and nothing that files or peers read changes.
class LanguageSwitch : public QObject
{
    Q_OBJECT

public:
    enum class Language { Japanese, English };

    static LanguageSwitch &instance();
    ~LanguageSwitch() override;

    /// "ja" or "en" (any case) as a language; nothing for anything else.
    static std::optional<Language> fromCode(const QString &code);
    static QString codeOf(Language language);

    /// At start-up: the language for this run when given, else the one kept
    /// from the last run, else Japanese.
    void start(std::optional<Language> forThisRun = std::nullopt);

    Language current() const { return m_current; }

    /// Switches every open window now and keeps the choice for the next start.
    void choose(Language language);

signals:
    void changed(LanguageSwitch::Language language);

private:
    LanguageSwitch();
    void apply(Language language);

    Language m_current = Language::Japanese;
    std::unique_ptr<QTranslator> m_program;
    std::unique_ptr<QTranslator> m_qt;
};
