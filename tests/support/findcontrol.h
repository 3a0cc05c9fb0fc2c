#pragma once

#include <QObject>
#include <QString>

/// The control of `window` whose objectName is `name`, the name it was
/// designed with. A control that is missing or of another kind ends the
/// test run at once, naming it, so a renamed control cannot pass unseen.
template <class T> T *control(const QObject *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no control named %s of the expected kind", qPrintable(window->objectName()), name);
    return found;
}
