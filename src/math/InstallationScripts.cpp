#include "math/InstallationScripts.h"

#include "math/MoteurScript.h"
#include "math/ValeursPhysiques.h"
#include "recording/OuvreREC.h"

InstallationScripts::InstallationScripts(OuvreREC& ouvre) : Ouvre_(ouvre) {
    Ouvre_.FabriqueScripts = [](t_EnteteREC_GlobalTotal* entete) -> std::unique_ptr<ScriptsREC> {
        return std::make_unique<MoteurScript>(entete);
    };
    OuvreREC* source = &Ouvre_;
    INSTALLER_CROCHET_SCRIPTS([source] {
        if (auto* moteur = dynamic_cast<MoteurScript*>(source->Scripts.get())) moteur->execute_script();
    });
}

InstallationScripts::~InstallationScripts() {
    INSTALLER_CROCHET_SCRIPTS({});
    Ouvre_.FabriqueScripts = [](t_EnteteREC_GlobalTotal* entete) {
        return std::make_unique<ScriptsREC>(entete);
    };
}

bool InstallationScripts::SIGNALER_ARRETS() {
    auto* moteur = dynamic_cast<MoteurScript*>(Ouvre_.Scripts.get());
    uint8_t arrets[NombreSlotsScript]{};
    if (moteur == nullptr || !moteur->PRENDRE_ARRETS(arrets) || !Ouvre_.MontrerErreursScripts) return false;
    Ouvre_.MontrerErreursScripts(arrets);
    return true;
}

std::unique_ptr<InstallationScripts> INSTALLER_SCRIPTS(OuvreREC& ouvre) {
    return std::make_unique<InstallationScripts>(ouvre);
}
