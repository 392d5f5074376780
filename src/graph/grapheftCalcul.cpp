// Measurement results of the time display: each slot of the configuration is
// measured on the displayed window (graph/Mesures.h) and written as a line in
// its channel's zone, or as a flag at the extreme for Min and Max.
#include <algorithm>

#include "config/OnOff.h"
#include "graph/OutilsSurcouche.h"
#include "graph/grapheft.h"
#include "recording/FormatC.h"

namespace {

// Label and value of one result line.
constexpr size_t TailleResultat = 256;

} // namespace

void grapheft::AFF_CALCUL() {
    const tConfig& c = *SavConf;
    if (c.CalculValide == 0 || !gp) return;
    TabPositionCalculEcran.fill(0);
    const int n = NOMBRE_MESURES(c);
    for (int k = 0; k < n; ++k) {
        const int ch = VOIE_MESUREE(c.TabCalcul[k][0], *EnteteFichier);
        CALCUL_MATH(k);
        switch (c.TabCalcul[k][1]) {
        case MesureMin:
            AFF_MIN(ch);
            break;
        case MesureMax:
            AFF_MAX(ch);
            break;
        case MesurePicPic:
            AFF_PICPIC(ch);
            break;
        case MesureFrequence:
            AFF_FREQ(ch);
            break;
        case MesurePeriode:
            AFF_PERIODE(ch);
            break;
        case MesureMoyenne:
            AFF_MOYENNE(ch);
            break;
        case MesureRMS:
            AFF_RMS(ch);
            break;
        default:
            break; // an unknown type draws nothing
        }
    }
}

void grapheft::CALCUL_MATH(int k) {
    if (k < 0 || k >= NombreCalculMax) return;
    const tConfig& c = *SavConf;
    // The channel the result is labelled with, so that an out-of-range number
    // measures channel 0 as it is shown.
    const int ch = VOIE_MESUREE(c.TabCalcul[k][0], *EnteteFichier);
    const uint8_t type = c.TabCalcul[k][1];
    CHARGER_VOIE(Analyse, Donnees, ch, TempsTotal);
    Analyse.CAL_CLASSE();
    if (type == MesureFrequence || type == MesurePeriode)
        Analyse.MATH_FREQ();
    else if (type == MesureRMS)
        Analyse.MATH_RMS(Donnees.TabFlottant.get(), ch);
}

float grapheft::CALCUL_MINMAX(int ch, int lequel) {
    const int lignes = Donnees.PointeurCyclique.load(std::memory_order_acquire);
    const tExtreme e = EXTREME_VOIE(Donnees.TabFlottant.get(), lignes, ch, lequel);
    const int32_t x = lignes > 0 ? DebutScrollX + ScrollX * e.Ligne / lignes : DebutScrollX;
    PositionMinMax = QPoint(x, POSITION_Y(ch, e.Valeur));
    return e.Valeur;
}

void grapheft::Recup_Label_Math(char* texte, size_t taille, int ch, int type, int avecNom) const {
    RECUP_LABEL_MATH(texte, taille, *EnteteFichier, ch, type, avecNom);
}

namespace {

// Label of the slot type followed by the result text.
void Ligne(grapheft& g, int ch, int type, const char* valeur) {
    char texte[TailleResultat];
    g.Recup_Label_Math(texte, sizeof texte, ch, type, 1);
    AJOUT_BORNE(texte, sizeof texte, valeur);
    g.AFF_POSITION_Y(ch, texte);
}

} // namespace

void grapheft::AFF_MIN(int ch) {
    const float v = CALCUL_MINMAX(ch, ExtremeMin);
    char valeur[TailleResultat];
    MESSAGE_COMPLET(valeur, ch, v);
    if (SavConf->PlacementMinMax == 1)
        AFF_RESULTAT_CALCUL(*gp, PositionMinMax.x(), PositionMinMax.y(), "Min", valeur, ch);
    else
        Ligne(*this, ch, MesureMin, valeur);
}

void grapheft::AFF_MAX(int ch) {
    const float v = CALCUL_MINMAX(ch, ExtremeMax);
    char valeur[TailleResultat];
    MESSAGE_COMPLET(valeur, ch, v);
    if (SavConf->PlacementMinMax == 1)
        AFF_RESULTAT_CALCUL(*gp, PositionMinMax.x(), PositionMinMax.y(), "Max", valeur, ch);
    else
        Ligne(*this, ch, MesureMax, valeur);
}

void grapheft::AFF_PICPIC(int ch) {
    const float min = CALCUL_MINMAX(ch, ExtremeMin);
    const float max = CALCUL_MINMAX(ch, ExtremeMax);
    char valeur[TailleResultat];
    MESSAGE_COMPLET(valeur, ch, max - min);
    Ligne(*this, ch, MesurePicPic, valeur);
}

void grapheft::AFF_FREQ(int ch) {
    char valeur[TailleResultat];
    TEXTE_FREQUENCE(valeur, sizeof valeur, Analyse.Math_Freq);
    Ligne(*this, ch, MesureFrequence, valeur);
}

void grapheft::AFF_PERIODE(int ch) {
    char valeur[TailleResultat];
    TEXTE_PERIODE(valeur, sizeof valeur, Analyse.Math_Freq, *EnteteFichier);
    Ligne(*this, ch, MesurePeriode, valeur);
}

void grapheft::AFF_MOYENNE(int ch) {
    const double m =
        MOYENNE_VOIE(Donnees.TabFlottant.get(), Donnees.PointeurCyclique.load(std::memory_order_acquire), ch);
    char valeur[TailleResultat];
    MESSAGE_COMPLET(valeur, ch, m);
    Ligne(*this, ch, MesureMoyenne, valeur);
}

void grapheft::AFF_RMS(int ch) {
    char valeur[TailleResultat];
    MESSAGE_COMPLET(valeur, ch, Analyse.Math_Rms);
    Ligne(*this, ch, MesureRMS, valeur);
}

void grapheft::AFF_POSITION_Y(int ch, const char* texte) {
    if (!gp || !FontBaseDetemps) return;
    const tConfig& c = *SavConf;
    // Below the read-out box when it sits at the top inside the graticule.
    if (ValiditeCurseur == 1 && c.CurseurDansReticule == 1 && c.BoiteCurseur == 1 &&
        c.PositionBoiteCurseur == 0 && TabPositionCalculEcran[0] == 0)
        TabPositionCalculEcran[0] = static_cast<uint16_t>(VRAI_NB_ONOFF_TOTAL(c.VoiesPresentes) + 1);
    if (ch < 0 || ch >= NombreVoiesConfig) ch = 0;
    int zone = c.ReticEcran.EcranVoie[ch] - 1;
    if (zone < 0 || zone >= NombreVoiesConfig) zone = 0; // no zone: the first one
    const int32_t x = DebutScrollX + 2;
    const int32_t y = ScrollY * (c.ReticEcran.HautEcran[zone] + 2) / HauteurGraphe + DebutScrollY +
                      HauteurCarac * TabPositionCalculEcran[static_cast<size_t>(zone)];
    ++TabPositionCalculEcran[static_cast<size_t>(zone)];

    QPainter& g = *gp;
    const QString t = DepuisCp1252(texte);
    // Down the zone, clear of the texts already written there.
    const QRectF b = PLACE_LIBRE(QRectF(x, y, LongMessX(t) + 10, HauteurCarac), HauteurCarac, CADRE());
    g.fillRect(b, surcouche::Couleur(c.CouleurFond));
    POSER(t, *FontBaseDetemps, surcouche::Couleur(c.CouleurVoie[ch]), b.left(), b.top());
}
