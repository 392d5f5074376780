#include "config/ConfigAncienne.h"

#include <cstring>

namespace {

// Both older layouts differ only in their channel count and padding, so one copy serves both.
// Arrays go element by element: the records are packed, their members may not be addressed.
template <class Ancien> void COPIER_ANCIEN(const Ancien& a) {
    constexpr int n = Ancien::NombreVoies;
    static_assert(n <= NombreVoiesConfig);

    Config.CouleurFond = a.CouleurFond;
    Config.CouleurReticule = a.CouleurReticule;
    Config.CouleurCurseur = a.CouleurCurseur;
    for (int i = 0; i < n; ++i) Config.CouleurVoie[i] = a.CouleurVoie[i];
    for (int i = 0; i < NombreLogiquesConfig; ++i) Config.CouleurVoieLogique[i] = a.CouleurVoieLogique[i];
    for (int i = 0; i < n; ++i) Config.EpaisseurVoie[i] = a.EpaisseurVoie[i];

    tReticEcran& r = Config.ReticEcran;
    r.NbEcran = a.NbEcran;
    for (int i = 0; i < n; ++i) {
        r.HautEcran[i] = a.HautEcran[i];
        r.BasEcran[i] = a.BasEcran[i];
        r.NbDivEcran[i] = a.NbDivEcran[i];
        r.EcranVoie[i] = a.EcranVoie[i];
    }
    for (int i = 0; i < n; ++i) Config.ParamVoie[i] = a.ParamVoie[i];

    Config.PositionVoiesLogiques = a.PositionVoiesLogiques;
    Config.HauteurVoiesLogiques = a.HauteurVoiesLogiques;
    Config.NombreVoiesLogiques = a.NombreVoiesLogiques;
    Config.Reserve6295 = a.Reserve;
    Config.PoliceNom = a.PoliceNom;
    Config.CouleurPoliceNom = a.CouleurPoliceNom;
    Config.PoliceBaseDeTemps = a.PoliceBaseDeTemps;
    Config.PoliceReserve = a.PoliceReserve;

    Config.TypeCalibre = a.TypeCalibre;
    Config.NombreEcranFiltre = a.NombreEcranFiltre;
    Config.TempsAbsolu = a.TempsAbsolu;
    Config.NomsVerticaux = a.NomsVerticaux;
    Config.BorneUnique = a.BorneUnique;
    Config.VoiesLogiquesEnDehors = a.VoiesLogiquesEnDehors;
    for (int i = 0; i < 6; ++i) Config.TabFonction[i] = a.TabFonction[i];

    Config.LimitationExport = a.LimitationExport;
    Config.LongueurExport = a.LongueurExport;
    Config.ModeXY = a.ModeXY;
    Config.VoieX = a.VoieX;
    Config.CurseurDansReticule = a.CurseurDansReticule;
    Config.BoiteCurseur = a.BoiteCurseur;
    Config.PositionBoiteCurseur = a.PositionBoiteCurseur;
    Config.ValeurSuitCurseur = a.ValeurSuitCurseur;
    Config.VoieSuitCurseur = a.VoieSuitCurseur;
    Config.CurseurXY = a.CurseurXY;
    Config.NombreVoiesLogiquesAffichees = a.NombreVoiesLogiquesAffichees;
    Config.MasqueVoiesLogiques = a.MasqueVoiesLogiques;
    Config.PlacementMinMax = a.PlacementMinMax;
    std::memcpy(Config.TexteAnnotation, a.TexteAnnotation, sizeof Config.TexteAnnotation);
    Config.CouleurAnnotation = a.CouleurAnnotation;
    Config.CalculValide = a.CalculValide;
    Config.NombreCalcul = a.NombreCalcul;
    for (int i = 0; i < 10; ++i) {
        Config.TabCalcul[i][0] = a.TabCalcul[i][0];
        Config.TabCalcul[i][1] = a.TabCalcul[i][1];
    }

    Config.VersionConfig = VersionConfigCourante;
}

} // namespace

void COPIE_V19_DANS_CONFIG(const tConfig_V19& ancien) {
    COPIER_ANCIEN(ancien);
}

void COPIE_VTKOS_DANS_CONFIG(const tConfig_TKOS& ancien) {
    COPIER_ANCIEN(ancien);
}
