#include "massfunction/dialog.h"

Dialog::Dialog()
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Mass Function -"));
}
