#include "register/form4.h"

Form4::Form4()
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Screen4"));
}
