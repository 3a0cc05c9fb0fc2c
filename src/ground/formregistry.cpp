#include "ground/formregistry.h"

#include <QCloseEvent>

FormRegistry &FormRegistry::instance()
{
    static FormRegistry registry;
    return registry;
}

void FormRegistry::add(QWidget *window)
{
    m_forms.append(window);
    // A window destroyed by its owner (a closed sub-window, say) leaves the list too.
    connect(window, &QObject::destroyed, this, [this, window] { m_forms.removeOne(window); });
}

void FormRegistry::unload(QWidget *window)
{
    if (!m_forms.removeOne(window))
        return;
    disconnect(window, &QObject::destroyed, this, nullptr);
    window->hide();
    emit unloaded(window);
    window->deleteLater();
}

void FormRegistry::unloadAll()
{
    while (!m_forms.isEmpty())
        unload(m_forms.constLast());
}

void unloadOnClose(QWidget *window, QCloseEvent *event)
{
    event->ignore();
    FormRegistry::instance().unload(window);
}
