// The opening of a recording beyond its header: the filter dialog, the title
// lines and the display set-up derived from the user's choice.
#include <algorithm>
#include <cstring>

#include <QFileInfo>

#include "config/Coherence.h"
#include "config/Config.h"
#include "config/OnOff.h"
#include "config/Reticule.h"
#include "recording/EtatFonctions.h"
#include "recording/FormatC.h"
#include "recording/OuvreREC.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteDate.h"
#include "shell/Messages.h"
#include "shell/OutilsTexte.h"
#include "shell/Texte8.h"

uint8_t ValidFichier = 0;

void RESET_VALID_FICHIER() {
    ValidFichier = 0;
}

namespace {

// At most `max` characters of a field that need not be terminated, without
// leading and trailing blanks.
void CopieSansBlancs(char* dest, size_t tailleDest, const char* source, size_t max) {
    const size_t n = std::min(strnlen(source, max), tailleDest - 1);
    std::memcpy(dest, source, n);
    dest[n] = '\0';
    ELIM_BLANC_TOTAL(dest);
}

// Unit kinds whose values read best in fixed notation in files of revision 0.
bool GenreFixe(uint16_t typeUnite) {
    const int genre = typeUnite & 7;
    return genre == 2 || genre == 3 || genre == 5 || genre == 6;
}

} // namespace

QString OuvreREC::TexteMessageEntete() const {
    return DepuisCp1252(MessageEntete);
}

QString OuvreREC::TexteMessageEntSimplifie() const {
    return DepuisCp1252(MessageEntSimplifie);
}

QString OuvreREC::TexteMessageTitreEntete() const {
    return DepuisCp1252(MessageTitreEntete);
}

// File-name part, sample count and period; MessageEntete adds the trigger date.
void OuvreREC::LigneTitre(bool blancs) {
    const auto& e = *EnteteFichier;
    const QString nom = NomFichier.isEmpty() ? VraiNomFichier : NomFichier;
    char ligne[TailleMessageEntete];
    ECRIRE_FORMAT(ligne, sizeof ligne, "%s ( %lld%s ) ", VersCp1252(QFileInfo(nom).fileName()).c_str(),
                  static_cast<long long>(e.NombreScans), POS_MESS(M_NbEchantS));
    char periode[256];
    TEXTE_PERIODE_TITRE(periode, blancs, sousEchantillonageEnabled.load(), selectedValue);
    AJOUT_BORNE(ligne, sizeof ligne, periode);
    ECRIRE_FORMAT(MessageEntSimplifie, sizeof MessageEntSimplifie, "%s", ligne);
    ECRIRE_FORMAT(MessageEntete, sizeof MessageEntete, "%s %s", ligne, Filtre.Mes_DateTrigger);
}

void OuvreREC::onUnderSamplingSelected() {
    LigneTitre(false);
}

void OuvreREC::REFAIRE_TITRES() {
    if (MessageEntete[0] == '\0') return;
    TEXTE_DATE_TRIGGER(Filtre.Mes_DateTrigger, DateTrigger);
    LigneTitre(false);
}

uint8_t OuvreREC::OUVRIR_REC(uint8_t sansDialogue) {
    DateTrigger = QDateTime();
    RESET_VALIDITE_SCRIPTS();
    RESET_FONCTIONS();
    ValidFichier = 0;
    MessageEntete[0] = MessageEntSimplifie[0] = MessageTitreEntete[0] = '\0';
    Filtre = FiltreFichierModele{};

    const uint8_t resultat = LECTURE_ENTETE();
    if (resultat != LectureOK) {
        AFFICHE_ERREUR_LECTURE(resultat);
        return resultat;
    }
    auto& e = *EnteteFichier;

    // Channel list: every channel, then the logic entry, all selected.
    for (int k = 0; k < e.NombreVoiesTotal; ++k) Filtre.AJOUT_ENTREE(e.CalibVoie[k].NomVoie, true);
    e.NombreEntreesFiltre = e.NombreVoiesTotal;
    if (e.PresenceLogique != 0) Filtre.AJOUT_ENTREE(POS_MESS(M_VoieLog), true);
    Config.VoiesLogiquesPresentes = e.PresenceLogique != 0 ? 1 : 0;

    // File information of the dialog.
    const QString nom = NomFichier.isEmpty() ? VraiNomFichier : NomFichier;
    ECRIRE_FORMAT(Filtre.Mes_Label, sizeof Filtre.Mes_Label, "%s\n%s%lld", VersCp1252(nom).c_str(),
                  POS_MESS(M_NbEchant), static_cast<long long>(e.NombreScans));
    TEXTE_DATE_TRIGGER(Filtre.Mes_DateTrigger, DateTrigger);

    LigneTitre(true);
    if (OnAunTitre == 1) ECRIRE_FORMAT(MessageTitreEntete, sizeof MessageTitreEntete, "%s", M_Titre_Fichier);

    Filtre.NombreVoieFonc = e.NombreVoiesTotal;
    Filtre.Init();
    if (sansDialogue == 0 && Dialogue != nullptr) {
        const bool valide = Dialogue->EXECUTER(Filtre);
        if (!valide || Filtre.ValidSortie != 1) {
            // Nothing of this recording is set up: leave nothing of it open.
            FERMER_FICHIER();
            Scripts.reset();
            RESET_VALIDITE_SCRIPTS();
            return LectureErreur;
        }
    } else {
        // Without the dialog, its initial state is accepted as OK would.
        Filtre.CEST_OK();
    }

    onUnderSamplingSelected();
    CALCUL_ENTETE();

    if (ValiditeAngelScript == 1 && Scripts) {
        const auto& erreurs = Scripts->ErreurScript;
        const bool uneErreur =
            std::any_of(std::begin(erreurs), std::end(erreurs), [](uint8_t f) { return f != 0; });
        if (uneErreur && MontrerErreursScripts) MontrerErreursScripts(erreurs);
        std::memset(Scripts->ErreurScript, 0, sizeof Scripts->ErreurScript);
    }
    return LectureOK;
}

void OuvreREC::CALCUL_ENTETE() {
    auto& e = *EnteteFichier;
    ValidFichier = 1;
    if (FicCompar == 0) {
        Setup.DebutFenetre = 0.0;
        Setup.LargeurFenetre = 1.0;
    }

    const int total = std::min<int>(e.NombreVoiesTotal, NombreVoiesConfig);
    for (int n = 0; n < total; ++n) {
        const tCalibVoie& v = e.CalibVoie[n];
        tAffichageVoie& a = e.Affichage[n];
        CopieSansBlancs(a.NomAffiche, sizeof a.NomAffiche, v.NomVoie, sizeof v.NomVoie);
        CopieSansBlancs(a.UniteAffichee, sizeof a.UniteAffichee, v.UniteVoie, sizeof v.UniteVoie);
        if (Config.TypeCalibre != 1) continue;
        // The recorder's own range: span Etendue around Centre, moved by
        // PositionVoie percent of the span.
        tParamVoie& p = Config.ParamVoie[n];
        const float etendue = v.Etendue;
        const float borneMin = v.Centre - static_cast<float>(v.PositionVoie + 100) * etendue / 200.f;
        p.BorneMin = borneMin;
        p.BorneMax = borneMin + etendue;
        if (e.Revision >= 1)
            p.FormatAffichage = v.FormatVoie >= 3 ? 1 : v.FormatVoie;
        else
            p.FormatAffichage =
                n < e.NombreVoiesAnalog && v.TypeConversion == 0 && GenreFixe(v.TypeUnite) ? 1 : 0;
    }
    // Ranges from an untrusted file: no bound that is not a number, none that
    // is out of range, the top above the bottom.
    if (Config.TypeCalibre == 1) COHER_RANGE();

    // Displayed set: entry k is channel k; the logic entry selects the logic inputs.
    tOn_Off_VEL choix{};
    e.LogiqueAffichee = 0;
    Config.NombreVoiesLogiques = 1;
    e.NbVoiesChoisies = 0;
    for (int k = 0; k < Filtre.NombreEntrees(); ++k) {
        if (!Filtre.EstSelectionnee(k)) continue;
        if (Filtre.EstEntreeLogique(k)) {
            for (auto& nomLogique : e.NomLogique) {
                nomLogique[20] = '\0';
                ELIM_BLANC_TOTAL(nomLogique);
            }
            e.LogiqueAffichee = 1;
            Config.NombreVoiesLogiques = e.NombreEntreesLogiques;
            Config.NombreVoiesLogiquesAffichees = e.NombreEntreesLogiques;
            Config.MasqueVoiesLogiques = static_cast<uint16_t>((1u << Config.NombreVoiesLogiques) - 1u);
            continue;
        }
        AJOUT_ONOFF(choix, k);
        ++e.NbVoiesChoisies;
    }
    Config.VoiesPresentes = choix;
    Config.VoiesAffichees = choix;

    if (Filtre.NombreEcran != 0) {
        Config.ReticEcran.NbEcran = 1;
        if (Filtre.NombreEcran == 2) Config.ReticEcran.NbEcran = e.NbVoiesChoisies;
    }
    VALID_INIT_RET(e.LogiqueAffichee, 1);
}
