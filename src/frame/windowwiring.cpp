#include "frame/windowwiring.h"

#include "frame/mdiform1.h"
#include "ground/formregistry.h"
#include "ground/framehost.h"
#include "register/form4.h"
#include "simulator/form1.h"

namespace WindowWiring {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;

    FrameHost::setLoader([]() -> FrameHost & { return *form<MDIForm1>(); });

    FormRegistry &registry = FormRegistry::instance();
    QObject::connect(&registry, &FormRegistry::loaded, &registry, [](QWidget *window) {
        if (auto *registration = qobject_cast<Form4 *>(window)) {
            QObject::connect(registration, &Form4::stopped, registration,
                             [] { form<Form1>()->stopSimulation(); });
        }
    });
}

} // namespace WindowWiring
