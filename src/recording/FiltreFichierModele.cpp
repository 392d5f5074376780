#include "recording/FiltreFichierModele.h"

#include <cstring>

#include "config/Config.h"
#include "recording/EtatFonctions.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"
#include "shell/Texte8.h"

namespace {

constexpr float Periodes[NombreBoutonsSousEchantillon] = {
    1.f,      2.f,      5.f,       10.f,      20.f,      50.f,      100.f,   200.f,
    500.f,    1000.f,   2000.f,    5000.f,    10000.f,   20000.f,   50000.f, 100000.f,
    200000.f, 500000.f, 1000000.f, 2000000.f, 5000000.f, 10000000.f};

bool BoutonValide(int i) {
    return i >= 0 && i < NombreBoutonsSousEchantillon;
}

// Periods written with a leading 5 (5, 50 ... 5000000) are never offered.
bool CommencePar5(float periode) {
    while (periode >= 10.f) periode /= 10.f;
    return periode == 5.f;
}

} // namespace

float PERIODE_SOUS_ECHANTILLON(int i) {
    return BoutonValide(i) ? Periodes[i] : 0.f;
}

void FiltreFichierModele::VIDER_LISTE() {
    Entrees_ = {};
    NombreEntrees_ = 0;
}

bool FiltreFichierModele::AJOUT_ENTREE(const char* nom, bool selectionnee) {
    if (NombreEntrees_ >= NombreEntreesFiltreMax) return false;
    tEntree& e = Entrees_[static_cast<size_t>(NombreEntrees_++)];
    e = tEntree{};
    if (nom != nullptr) std::memcpy(e.Nom, nom, strnlen(nom, LongueurNomFiltre));
    e.Selectionnee = selectionnee;
    return true;
}

const FiltreFichierModele::tEntree* FiltreFichierModele::Entree(int k) const {
    return k >= 0 && k < NombreEntrees_ ? &Entrees_[static_cast<size_t>(k)] : nullptr;
}

QString FiltreFichierModele::TexteEntree(int k) const {
    const tEntree* e = Entree(k);
    return e != nullptr ? DepuisCp1252(e->Nom) : QString();
}

void FiltreFichierModele::SELECTION(int k, bool selectionnee) {
    if (k < 0 || k >= NombreEntrees_) return;
    Entrees_[static_cast<size_t>(k)].Selectionnee = selectionnee;
    CHANGE_LISTE();
}

bool FiltreFichierModele::EstSelectionnee(int k) const {
    const tEntree* e = Entree(k);
    return e != nullptr && e->Selectionnee;
}

int FiltreFichierModele::NombreVoiesSelectionnees() const {
    int n = 0;
    for (int k = 0; k < NombreVoieFonc && k < NombreEntrees_; ++k)
        if (Entrees_[static_cast<size_t>(k)].Selectionnee) ++n;
    return n;
}

bool FiltreFichierModele::BoutonActif(int i) const {
    return BoutonValide(i) && Actifs_[static_cast<size_t>(i)];
}

void FiltreFichierModele::CHANGE_XY(bool coche) {
    XYCoche_ = coche;
    CHANGE_LISTE();
}

void FiltreFichierModele::CHANGE_SOUS_ECHANTILLON(bool coche) {
    SousEchantillonCoche_ = coche;
    sousEchantillonageEnabled.store(coche);
}

bool FiltreFichierModele::CHOIX_PERIODE(int i) {
    if (!BoutonActif(i)) return false;
    Bouton_ = i;
    return true;
}

void FiltreFichierModele::TEXTE_BOUTON(int i, char* texte, size_t taille) {
    if (taille == 0) return;
    texte[0] = '\0';
    if (BoutonValide(i)) CALCUL_VRAI_TEMPS(texte, taille, Periodes[i]);
}

QString FiltreFichierModele::TexteBouton(int i) {
    char texte[32];
    TEXTE_BOUTON(i, texte, sizeof texte);
    return DepuisCp1252(texte);
}

void FiltreFichierModele::Init() {
    ValidSortie = 0;
    TypeCalibre = Config.TypeCalibre;
    XYCoche_ = Config.ModeXY == 1;
    NombreEcran = Config.NombreEcranFiltre;
    CHANGE_LISTE();
    for (int i = 0; i < NombreBoutonsSousEchantillon; ++i)
        Actifs_[static_cast<size_t>(i)] = !CommencePar5(Periodes[i]) && samplingPeriod < Periodes[i];
    Bouton_ = -1;
    CHANGE_SOUS_ECHANTILLON(false);
}

void FiltreFichierModele::CHANGE_LISTE() {
    const bool plusieurs = NombreVoiesSelectionnees() >= 2;
    XYVisible_ = plusieurs;
    GroupeEcranVisible_ = !(XYCoche_ && plusieurs);
}

void FiltreFichierModele::CEST_OK() {
    if (sousEchantillonageEnabled.load()) {
        if (BoutonValide(Bouton_)) selectedValue = Periodes[Bouton_];
        // The period is never 0 for an opened recording (1.0 with an external clock).
        if (samplingPeriod > 0.f) underSamplingRatio.store(selectedValue / samplingPeriod);
    }
    ValidSortie = 1;
    NumeroNewFonction = 0;
    Config.TypeCalibre = TypeCalibre;
    Config.NombreEcranFiltre = NombreEcran;
    Config.ModeXY = XYVisible_ && XYCoche_ ? 1 : 0;
}

QString FiltreFichierModele::TexteLabel() const {
    return DepuisCp1252(Mes_Label);
}

QString FiltreFichierModele::TexteDate() const {
    return DepuisCp1252(Mes_DateTrigger);
}
