#include "frame/closing.h"

#include "ground/formregistry.h"

#include <QString>

namespace Closing {

QString frameQuestion()
{
    return QStringLiteral("Do you want to Close Orbiquest9, \r\n        Are you sure？");
}

QString closeAllQuestion()
{
    return QStringLiteral("Do you want to Close Orbiquest9,  Are you sure？");
}

void unloadDownFrom(qsizetype from)
{
    FormRegistry &registry = FormRegistry::instance();
    for (qsizetype i = std::min(from, registry.count() - 1); i >= 1; --i)
        registry.unload(registry.forms().at(i));
}

} // namespace Closing
