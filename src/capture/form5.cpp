#include "capture/form5.h"

Form5::Form5()
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Z Capture"));
}
