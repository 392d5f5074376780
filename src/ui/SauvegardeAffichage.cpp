#include "ui/SauvegardeAffichage.h"

#include <algorithm>
#include <iterator>

#include "config/Config.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"

namespace VIEW {

struct SauvegardeAffichage::Copie {
    t_EnteteREC_GlobalTotal Entete;
    tConfig Configuration;
    tSetup Fenetre;
    tTabAnnotMem Anciennes[TailleTabAnnotMem];
    tTabAnnotMemNew Nouvelles[TailleTabAnnotMemNew];
    tTabAnnotMem Concatenees[TailleTabAnnotMem];
    int32_t Ancien, Nouveau, EnPlus;
    uint8_t NouvelleFonction, Fonction;
    int16_t PremiereFonction;
    uint8_t Valide, Scripts;
    bool SousEchantillonnage;
    float Rapport, Choix, Periode;
};

SauvegardeAffichage::SauvegardeAffichage() : Copie_(std::make_unique<Copie>()) {
    Copie& c = *Copie_;
    c.Entete = EnteteF;
    c.Configuration = Config;
    c.Fenetre = Setup;
    std::copy(std::begin(TabAnnotMem), std::end(TabAnnotMem), c.Anciennes);
    std::copy(std::begin(TabAnnotMemNew), std::end(TabAnnotMemNew), c.Nouvelles);
    std::copy(std::begin(TabAnnotMemConc), std::end(TabAnnotMemConc), c.Concatenees);
    c.Ancien = AncienAnnot;
    c.Nouveau = NouveauAnnot;
    c.EnPlus = NombreAnnotEnPlus;
    c.NouvelleFonction = NumeroNewFonction;
    c.Fonction = NumeroFonction;
    c.PremiereFonction = PremiereFonctionAjoutee;
    c.Valide = ValidFichier;
    c.Scripts = ValiditeAngelScript;
    c.SousEchantillonnage = sousEchantillonageEnabled.load();
    c.Rapport = underSamplingRatio.load();
    c.Choix = selectedValue;
    c.Periode = samplingPeriod;
}

SauvegardeAffichage::~SauvegardeAffichage() {
    const Copie& c = *Copie_;
    EnteteF = c.Entete;
    Config = c.Configuration;
    Setup = c.Fenetre;
    std::copy(std::begin(c.Anciennes), std::end(c.Anciennes), TabAnnotMem);
    std::copy(std::begin(c.Nouvelles), std::end(c.Nouvelles), TabAnnotMemNew);
    std::copy(std::begin(c.Concatenees), std::end(c.Concatenees), TabAnnotMemConc);
    AncienAnnot = c.Ancien;
    NouveauAnnot = c.Nouveau;
    NombreAnnotEnPlus = c.EnPlus;
    NumeroNewFonction = c.NouvelleFonction;
    NumeroFonction = c.Fonction;
    PremiereFonctionAjoutee = c.PremiereFonction;
    ValidFichier = c.Valide;
    ValiditeAngelScript = c.Scripts;
    sousEchantillonageEnabled.store(c.SousEchantillonnage);
    underSamplingRatio.store(c.Rapport);
    selectedValue = c.Choix;
    samplingPeriod = c.Periode;
}

} // namespace VIEW
