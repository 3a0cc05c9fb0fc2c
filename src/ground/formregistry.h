#pragma once

#include <QList>
#include <QObject>
#include <QWidget>

/// The program's windows: one default instance per kind, created on first
/// reference and destroyed by unload, listed in the order they were loaded
/// (the closing logic unloads from the top of that list down).
///
/// A window kind T is any QWidget with a default constructor. If it has a
/// `formLoad()` member, that runs right after the window joins the list, so
/// a load handler may itself refer to its own window without loading a
/// second one.
class FormRegistry : public QObject
{
    Q_OBJECT

public:
    static FormRegistry &instance();

    /// The default instance of T, loaded (hidden) when it is not loaded yet.
    template <class T> T *form()
    {
        if (T *existing = find<T>())
            return existing;
        auto *created = new T;
        add(created);
        if constexpr (requires { created->formLoad(); })
            created->formLoad();
        emit loaded(created);
        return created;
    }

    /// The loaded instance of T, or nullptr; never loads.
    template <class T> T *find() const
    {
        for (QWidget *window : m_forms) {
            if (auto *match = qobject_cast<T *>(window))
                return match;
        }
        return nullptr;
    }

    template <class T> bool isLoaded() const { return find<T>() != nullptr; }

    /// The loaded windows, in load order.
    const QList<QWidget *> &forms() const { return m_forms; }
    qsizetype count() const { return m_forms.size(); }

    /// Destroys `window` (later, so a window may unload itself from its own
    /// handler); from now on it is no longer listed and the next reference
    /// creates a fresh instance.
    void unload(QWidget *window);

    template <class T> void unload()
    {
        if (T *window = find<T>())
            unload(window);
    }

    /// Unloads every window; used when the program ends and between tests.
    void unloadAll();

signals:
    /// A window was created and its load handler has run.
    void loaded(QWidget *window);
    void unloaded(QWidget *window);

private:
    void add(QWidget *window);

    QList<QWidget *> m_forms;
};

class QCloseEvent;

/// What a window's close box does: it unloads the window (later, as
/// unload() does), so the next reference builds it fresh. Every window but
/// the frame calls this from its closeEvent().
void unloadOnClose(QWidget *window, QCloseEvent *event);

/// Shorthand for FormRegistry::instance().form<T>().
template <class T> T *form()
{
    return FormRegistry::instance().form<T>();
}
