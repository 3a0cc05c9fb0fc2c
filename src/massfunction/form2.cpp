#include "massfunction/form2.h"

Form2::Form2()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Orbiquest9 Screen2"));
}
