#include "recording/OuvreREC.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "recording/Annotations.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/OutilsTexte.h"

namespace {

constexpr int TailleVoie = static_cast<int>(sizeof(tCalibVoie));
constexpr int TailleAnnotAncienne = static_cast<int>(sizeof(tTabAnnotMem));
constexpr int TailleAnnotNouvelle = static_cast<int>(sizeof(tTabAnnotMemNew));

// Copies at most `max` characters of `source` (which need not be terminated)
// into `dest`, without leading and trailing blanks (blanks only: empty).
void CopieSansBlancs(char* dest, size_t tailleDest, const char* source, size_t max) {
    const size_t n = std::min(strnlen(source, max), tailleDest - 1);
    std::memcpy(dest, source, n);
    dest[n] = '\0';
    ELIM_BLANC_TOTAL(dest);
}

// Copies a text of at most `max` characters into a zero-filled field.
void CopieChamp(char* dest, size_t tailleDest, const char* source, size_t max) {
    std::memset(dest, 0, tailleDest);
    std::memcpy(dest, source, std::min(strnlen(source, max), tailleDest));
}

bool Contient(const char* texte, size_t max, const char* motif) {
    return std::string_view(texte, strnlen(texte, max)).find(motif) != std::string_view::npos;
}

// Slope and offset from the two calibration points of a code-1 channel.
void NormaliseDeuxPoints(tCalibVoie& v) {
    float diviseur = v.CoefA - v.CoefB;
    if (diviseur == 0.f) diviseur = 1.f;
    const float pente = (v.CoefD - v.CoefC) / diviseur;
    v.CoefB = v.CoefC - v.CoefB * pente;
    v.CoefA = pente;
}

// Unit text of a recorded channel with conversion law 0, from its unit kind
// (Windows-1252: \260 is the degree sign, \265 the micro sign).
void UniteDepuisType(tCalibVoie& v) {
    static constexpr const char* Genres[8] = {nullptr, "A", nullptr, nullptr, "Hz", "\265S", "V", nullptr};
    static constexpr const char* Temperatures[4] = {"\260C", "\260F", "\260K", nullptr};
    const int genre = v.TypeUnite & 7;
    const bool temperature = genre == 2 || genre == 3 || genre == 7;
    const char* unite = temperature ? Temperatures[(v.TypeUnite >> 14) & 3] : Genres[genre];
    if (unite == nullptr) { // kind 0, or no temperature unit named: the stored unit cut to three characters
        std::memset(v.UniteVoie + 3, 0, sizeof v.UniteVoie - 3);
        return;
    }
    CopieChamp(v.UniteVoie, sizeof v.UniteVoie, unite, sizeof v.UniteVoie);
}

template <typename Test> int CompteBits(Test present, int n) {
    int compte = 0;
    for (int k = 0; k <= n; ++k)
        if (present(k)) ++compte;
    return compte;
}

constexpr const char* CauseEnteteCourte = "fixed header cut short";
constexpr const char* CauseAnnotations = "annotation area cannot be read";

} // namespace

const char* const OuvreREC::MessageDateTKOS = "Trigger date time error, Openning files with default date : "
                                              "01/01/1970\n Date de d\351clenchement erron\351, "
                                              "ouverture du fichier avec une date par d\351faut 01/01/1970";

void OuvreREC::AFFICHE_ERREUR_LECTURE(uint8_t resultat) {
    if (resultat == LectureOK) return;
    AFFICHE_ERREUR(POS_MESS(resultat == LectureInconnu ? M_FichierNonTKAR : M_ErreurFichier));
}

uint8_t OuvreREC::Echec(const char* cause) {
    CauseErreur = cause;
    return LectureErreur;
}

OuvreREC::OuvreREC(t_EnteteREC_GlobalTotal* entete)
    : EnteteFichier(entete != nullptr ? entete : &EnteteF),
      FabriqueScripts([](t_EnteteREC_GlobalTotal* e) { return std::make_unique<ScriptsREC>(e); }) {}

OuvreREC::~OuvreREC() {
    FERMER_FICHIER();
}

QDateTime OuvreREC::DateParDefaut() {
    return QDateTime(QDate(1970, 1, 1), QTime(0, 0, 0), Qt::UTC);
}

void OuvreREC::FERMER_FICHIER() {
    Fichier_.Fermer();
    EnteteFichier->HandleFichier = 0;
}

int32_t OuvreREC::CACUL_CHECKSUM(const void* octets, int64_t n) {
    uint32_t somme = 0;
    const auto* p = static_cast<const uint8_t*>(octets);
    for (int64_t i = 0; i < n; ++i) somme += p[i];
    NombreLu += n;
    return static_cast<int32_t>(somme);
}

void OuvreREC::AjouteSomme(const void* octets, int64_t n) {
    auto& e = *EnteteFichier;
    e.SommeEntete = static_cast<int32_t>(static_cast<uint32_t>(e.SommeEntete) +
                                         static_cast<uint32_t>(CACUL_CHECKSUM(octets, n)));
    e.NombreOctetsLus = static_cast<int32_t>(NombreLu);
}

uint8_t OuvreREC::RECUP_POS_VOIE(int n) const {
    const auto& masque = EnteteFichier->EnteteTKAR.Presence;
    return static_cast<uint8_t>(
        CompteBits([&](int k) { return TST_B_ONOFF_TKAR(masque, k); }, std::min(n, 63)) - 1);
}

uint8_t OuvreREC::RECUP_POS_VOIE_TKOS(int n) const {
    const auto& masque = EnteteFichier->EnteteTKOS.Presence;
    return static_cast<uint8_t>(CompteBits([&](int k) { return TST_B_ONOFF(masque, k); }, std::min(n, 96)) -
                                1);
}

uint8_t OuvreREC::RECUP_POS_VOIE_VEL(int n) const {
    const auto& masque = EnteteFichier->EnteteVEL.Presence;
    return static_cast<uint8_t>(CompteBits([&](int k) { return TST_B_ONOFF(masque, k); }, std::min(n, 255)) -
                                1);
}

bool OuvreREC::BitPresent(int n) const {
    const auto& e = *EnteteFichier;
    switch (e.FamilleEnregistreur) {
    case FamilleTKAR:
        return TST_B_ONOFF_TKAR(e.EnteteTKAR.Presence, n);
    case FamilleTKOS:
        return TST_B_ONOFF(e.EnteteTKOS.Presence, n);
    default:
        return TST_B_ONOFF(e.EnteteVEL.Presence, n);
    }
}

void OuvreREC::EnleveBit(int n) {
    auto& e = *EnteteFichier;
    switch (e.FamilleEnregistreur) {
    case FamilleTKAR:
        ENLEVE_ONOFF_TKAR(e.EnteteTKAR.Presence, n);
        break;
    case FamilleTKOS:
        ENLEVE_ONOFF(e.EnteteTKOS.Presence, n);
        break;
    default:
        ENLEVE_ONOFF(e.EnteteVEL.Presence, n);
        break;
    }
}

uint8_t OuvreREC::PositionVoie(int n) const {
    switch (EnteteFichier->FamilleEnregistreur) {
    case FamilleTKAR:
        return RECUP_POS_VOIE(n);
    case FamilleTKOS:
        return RECUP_POS_VOIE_TKOS(n);
    default:
        return RECUP_POS_VOIE_VEL(n);
    }
}

// Reads the next n header bytes (at NbLus), moves past them and adds them to
// the header checksum.
bool OuvreREC::LireSuite(void* tampon, int64_t n) {
    if (!Fichier_.LireTout(NbLus, tampon, n)) return false;
    NbLus += n;
    AjouteSomme(tampon, n);
    return true;
}

uint8_t OuvreREC::LECTURE_ENTETE() {
    FERMER_FICHIER();
    CauseErreur = "";
    std::memset(EnteteFichier, 0, sizeof *EnteteFichier);
    Scripts.reset();
    RESET_VALIDITE_SCRIPTS();
    NbLus = NombreLu = 0;
    V_EPA_1000 = 0;
    DateTrigger = QDateTime();
    OnAunTitre = 0;
    std::memset(M_Titre_Fichier, 0, sizeof M_Titre_Fichier);
    std::memset(BlocSup_, 0, sizeof BlocSup_);
    F_ = Famille{};
    Longueur_ = 0;
    AncienAnnot = NouveauAnnot = NombreAnnotEnPlus = 0;
    std::memset(TabAnnotMem, 0, sizeof TabAnnotMem);
    std::memset(TabAnnotMemNew, 0, sizeof TabAnnotMemNew);

    if (!Fichier_.Ouvrir(VraiNomFichier)) return Echec("the file cannot be opened");
    EnteteFichier->HandleFichier = Fichier_.Handle();
    Longueur_ = Fichier_.Longueur();

    uint8_t resultat = Longueur_ < 0 ? Echec("the file length cannot be read") : LireEntete();
    if (resultat == LectureOK) resultat = LireVoies();
    if (resultat == LectureOK) resultat = LireNomsLogiques();
    if (resultat == LectureOK) resultat = CalculerTailles();
    if (resultat == LectureOK) resultat = LireScripts();
    if (resultat == LectureOK) resultat = LireAnnotations();
    if (resultat == LectureOK) resultat = CalculerDate();
    if (resultat != LectureOK) {
        FERMER_FICHIER();
        Scripts.reset();
        RESET_VALIDITE_SCRIPTS();
    }
    return resultat;
}

// Fixed header and supplementary block; fills the family description.
uint8_t OuvreREC::LireEntete() {
    auto& e = *EnteteFichier;
    if (!Fichier_.LireTout(0, &e.EnteteTKAR, sizeof e.EnteteTKAR)) return Echec(CauseEnteteCourte);
    e.VersionFichier = e.EnteteTKAR.Signature;
    e.ChecksumDonnees = static_cast<int16_t>(e.EnteteTKAR.Checksum);
    e.ChecksumVerifie = 0;

    const int16_t signature = e.EnteteTKAR.Signature;
    bool bloc = false;
    if (signature == SignatureVEL) {
        auto& h = e.EnteteVEL;
        if (!Fichier_.LireTout(0, &h, sizeof h)) return Echec(CauseEnteteCourte);
        e.FamilleEnregistreur = FamilleVEL;
        e.ModeleTKAR = 0;
        e.NouvelleFormule = 1;
        e.Revision = h.Revision;
        e.ChecksumDonnees = 0;
        F_.TailleEnteteFixe = sizeof h;
        F_.Quill = Contient(h.Modele, sizeof h.Modele, "QUILL");
        F_.LimiteVoies = LimiteVoiesVEL;
        F_.LimiteAnalog = F_.Quill ? LimiteAnalogQUILL : LimiteAnalogVEL;
        F_.SupprimeCalcules = false;
        bloc = h.BlocSup == MarqueBlocSup;
        F_.TailleBloc = sizeof(tBlocEPAVELSup);
        F_.DebutEntrees = offsetof(tBlocEPAVELSup, Voie);
        F_.EntreesBloc = tBlocEPAVELSup::Entrees;
        F_.TypeVide = TypeSupVideVEL;
        F_.TypeOrdinaire = TypeSupOrdinaireVEL;
        F_.MotsLogiques = h.Presence.NombreMotsLogiques;
        F_.NomsLogiques = h.Presence.NombreNomsLogiques;
        F_.Periode = h.Periode;
        F_.PreTrig = h.PreTrig;
        F_.TailleAnnotations = h.TailleAnnotations;
        F_.DebutDonnees = h.DebutDonnees;
        F_.Scripts = h.RevisionFormat >= 4;
        F_.DebutScripts = h.DebutScripts;
        F_.SlotsScripts = NombreSlotsScript;
        F_.Seconde = h.Seconde, F_.Minute = h.Minute, F_.Heure = h.Heure;
        F_.Jour = h.Jour, F_.Mois = h.Mois, F_.Annee = h.Annee;
        F_.Millisecondes = h.MillisecondesTrigger;
    } else if (signature == SignatureTKOS) {
        auto& h = e.EnteteTKOS;
        if (!Fichier_.LireTout(0, &h, sizeof h)) return Echec(CauseEnteteCourte);
        e.FamilleEnregistreur = FamilleTKOS;
        e.ModeleTKAR = 1;
        e.NouvelleFormule = h.RevisionFormat >= 4 ? 1 : 0;
        e.Revision = h.Revision;
        e.ChecksumDonnees = h.ChecksumDonnees;
        F_.TailleEnteteFixe = sizeof h;
        F_.LimiteVoies = LimiteVoiesTKOS;
        F_.LimiteAnalog = LimiteAnalogTKOS;
        F_.SupprimeCalcules = h.RevisionFormat >= 3;
        bloc = h.BlocSup == MarqueBlocSup;
        const bool grand = h.RevisionFormat >= 4;
        F_.TailleBloc = grand ? sizeof(tBlocEPATKOSSup_V16) : sizeof(tBlocEPATKOSSup);
        F_.DebutEntrees = grand ? offsetof(tBlocEPATKOSSup_V16, Voie) : offsetof(tBlocEPATKOSSup, Voie);
        F_.EntreesBloc = grand ? tBlocEPATKOSSup_V16::Entrees : tBlocEPATKOSSup::Entrees;
        F_.TypeVide = TypeSupVideTKOS;
        F_.TypeOrdinaire = TypeSupOrdinaireTKOS;
        F_.MotsLogiques = h.Presence.NombreMotsLogiques;
        F_.NomsLogiques = h.Presence.NombreNomsLogiques;
        F_.Periode = h.Periode;
        F_.PreTrig = h.PreTrig;
        F_.TailleAnnotations = h.TailleAnnotations;
        F_.DebutDonnees = h.DebutDonnees;
        F_.Scripts = h.RevisionFormat > 1;
        F_.DebutScripts = h.DebutScripts;
        F_.SlotsScripts = NombreSlotsScriptTKOS;
        F_.Seconde = h.Seconde, F_.Minute = h.Minute, F_.Heure = h.Heure;
        F_.Jour = h.Jour, F_.Mois = h.Mois, F_.Annee = h.Annee;
        F_.Millisecondes = h.MillisecondesTrigger;
    } else if (signature == SignatureTKAR || signature == SignatureTKARChecksum) {
        const auto& h = e.EnteteTKAR;
        e.FamilleEnregistreur = FamilleTKAR;
        e.ModeleTKAR =
            (Contient(h.Modele, sizeof h.Modele, "TKAR") || Contient(h.Modele, sizeof h.Modele, "MORA") ||
             Contient(h.Modele, sizeof h.Modele, "NIV"))
                ? 1
                : 0;
        e.NouvelleFormule = h.Revision >= 3 ? 1 : 0;
        e.Revision = h.Revision;
        F_.TailleEnteteFixe = sizeof h;
        F_.LimiteVoies = LimiteVoiesTKAR;
        F_.LimiteAnalog = LimiteAnalogTKAR;
        F_.SupprimeCalcules = h.RevisionVoies >= 3;
        bloc = h.BlocSup == MarqueBlocSup;
        F_.TailleBloc = sizeof(tBlocEPATKARSup);
        F_.DebutEntrees = offsetof(tBlocEPATKARSup, Voie);
        F_.EntreesBloc = tBlocEPATKARSup::Entrees;
        F_.TypeVide = TypeSupVideTKAR;
        F_.TypeOrdinaire = TypeSupOrdinaireTKAR;
        F_.MotsLogiques = h.NombreMotsLogiques;
        F_.NomsLogiques = h.NombreNomsLogiques;
        F_.Periode = static_cast<float>(h.Periode);
        F_.PreTrig = h.PreTrig;
        F_.TailleAnnotations = h.TailleAnnotations;
        F_.Scripts = false;
        F_.Seconde = h.Seconde, F_.Minute = h.Minute, F_.Heure = h.Heure;
        F_.Jour = h.Jour, F_.Mois = h.Mois, F_.Annee = h.Annee;
        F_.Millisecondes = h.MillisecondesTrigger;
    } else {
        return LectureInconnu;
    }

    NbLus = F_.TailleEnteteFixe;
    if (!bloc) {
        F_.TailleBloc = 0;
        return LectureOK;
    }
    if (!LireSuite(BlocSup_, F_.TailleBloc)) return Echec("supplementary channel block cut short");
    V_EPA_1000 = 1;
    // The block's entry count replaces the channel limit; it cannot name
    // entries the block does not hold.
    const int entrees = BlocSup_[3];
    if (entrees > F_.EntreesBloc) return Echec("more supplementary entries than the block holds");
    F_.LimiteVoies = entrees;
    return LectureOK;
}

uint8_t OuvreREC::LireVoies() {
    auto& e = *EnteteFichier;
    int analog = 0, calcules = 0;
    bool premierLu = false;
    for (int n = 0; n < F_.LimiteVoies; ++n) {
        const int produits = analog + calcules;
        if (F_.TailleBloc != 0) {
            tVoieSup type{};
            std::memcpy(&type, BlocSup_ + F_.DebutEntrees + n * sizeof(tVoieSup), sizeof type);
            const int code = type.Type & 0xF;
            if (code == F_.TypeVide) continue;
            if (code != F_.TypeOrdinaire) {
                // A supplementary channel: described by the entry of the channels
                // already produced, recorded as signed words in the frame. It must
                // come before every computed channel, whose records follow the
                // recorded ones in the channel table.
                if (calcules != 0 || produits >= NombreVoiesTable)
                    return Echec("supplementary channel after a computed channel");
                uint8_t* place = BlocSup_ + F_.DebutEntrees + produits * sizeof(tVoieSup);
                tVoieSup entree{};
                std::memcpy(&entree, place, sizeof entree);
                float facteur = 1.f;
                if (entree.Unite[0] == 'K') facteur = 1000.f;
                if (entree.Unite[0] == 'G') facteur = 1000000.f;
                char unite[sizeof entree.Unite]{};
                if (facteur != 1.f) {
                    entree.Gain *= facteur;
                    entree.BorneBasse *= facteur;
                    entree.BorneHaute *= facteur;
                    std::memcpy(place, &entree, sizeof entree);
                    std::memcpy(unite, entree.Unite + 1, sizeof entree.Unite - 1);
                } else {
                    std::memcpy(unite, entree.Unite, sizeof entree.Unite);
                }
                tCalibVoie& v = e.CalibVoie[produits];
                std::memset(&v, 0, sizeof v);
                CopieChamp(v.NomVoie, sizeof v.NomVoie, entree.Nom, sizeof entree.Nom);
                CopieChamp(v.UniteVoie, sizeof v.UniteVoie, unite, sizeof unite);
                v.Decalage = 0.f;
                v.Gain = entree.Gain;
                v.Etendue = entree.BorneHaute - entree.BorneBasse;
                v.Centre = (entree.BorneBasse + entree.BorneHaute) / 2.f;
                v.TypeConversion = 0;
                v.PositionVoie = 0;
                e.Affichage[produits].VoieSignee = 1;
                ++analog;
                continue;
            }
        }
        if (!BitPresent(n)) continue;
        if (produits >= NombreVoiesTable) return Echec("more channels than the channel table holds");
        tCalibVoie& v = e.CalibVoie[produits];
        if (!LireSuite(&v, TailleVoie)) return Echec("channel records cut short");
        if (F_.Quill && !premierLu) {
            for (int k = 32; k <= 223; ++k) ENLEVE_ONOFF(e.EnteteVEL.Presence, k);
        }
        premierLu = true;
        const bool calcule = n >= F_.LimiteAnalog;
        if (calcule && F_.SupprimeCalcules && v.TypeConversion == 1) {
            EnleveBit(n);
            std::memset(&v, 0, sizeof v);
            continue;
        }
        if (v.TypeConversion == 1) NormaliseDeuxPoints(v);
        if (calcule) {
            v.Operande1 = PositionVoie(v.Operande1);
            v.Operande2 = PositionVoie(v.Operande2);
            ++calcules;
        } else {
            if (v.TypeConversion == 0) UniteDepuisType(v);
            ++analog;
        }
    }
    e.NombreVoiesAnalog = static_cast<uint8_t>(analog);
    e.NombreVoiesTotal = e.NombreVoiesTotalCopie = static_cast<uint8_t>(analog + calcules);
    for (int k = 0; k < analog + calcules; ++k) {
        const tCalibVoie& v = e.CalibVoie[k];
        CopieSansBlancs(e.Affichage[k].NomAffiche, sizeof e.Affichage[k].NomAffiche, v.NomVoie,
                        sizeof v.NomVoie);
        CopieSansBlancs(e.Affichage[k].UniteAffichee, sizeof e.Affichage[k].UniteAffichee, v.UniteVoie,
                        sizeof v.UniteVoie);
    }
    return LectureOK;
}

uint8_t OuvreREC::LireNomsLogiques() {
    auto& e = *EnteteFichier;
    // A frame holds at most one logic word.
    if (F_.MotsLogiques > 1) return Echec("more than one logic word per frame");
    e.PresenceLogique = F_.MotsLogiques;
    if (F_.MotsLogiques != 1) return LectureOK;
    const int nombre = std::min<int>(F_.NomsLogiques, NombreNomsLogiquesMax);
    char noms[NombreNomsLogiquesMax][TailleNomLogiqueFichier];
    if (!LireSuite(noms, static_cast<int64_t>(nombre) * TailleNomLogiqueFichier))
        return Echec("logic names cut short");
    for (int i = 0; i < nombre; ++i)
        CopieSansBlancs(e.NomLogique[i], sizeof e.NomLogique[i], noms[i], TailleNomLogiqueFichier);
    e.NombreEntreesLogiques = static_cast<uint8_t>(nombre);
    return LectureOK;
}

uint8_t OuvreREC::CalculerTailles() {
    auto& e = *EnteteFichier;
    e.LongueurScan = static_cast<uint8_t>(e.NombreVoiesAnalog + e.PresenceLogique);
    // A frame of no word holds no sample.
    if (e.LongueurScan == 0) return Echec("frames of no word");

    const int64_t debut = e.FamilleEnregistreur == FamilleTKAR ? NbLus : F_.DebutDonnees;
    if (debut < 0 || debut > Longueur_) return Echec("sample area outside the file");
    // Channel records and logic names come before the samples: a mask announcing
    // more records than the header holds would read samples as records.
    if (debut < NbLus) return Echec("header elements overlap the sample area");
    if (F_.TailleAnnotations < 0 || F_.TailleAnnotations > Longueur_)
        return Echec("annotation area outside the file");
    const int64_t octets = Longueur_ - debut - F_.TailleAnnotations;
    if (octets < 0) return Echec("negative sample count");
    e.DebutDonnees = static_cast<int32_t>(debut);
    e.NombreScans = octets / (2 * static_cast<int64_t>(e.LongueurScan));
    if (e.NombreScans > NombreScansMax) return Echec("more samples than can be addressed");

    // A period that is no time at all (negative, infinite, not a number).
    if (!std::isfinite(F_.Periode) || F_.Periode < 0.f) return Echec("invalid sampling period");
    if (F_.Periode == 0.f) {
        e.PeriodeEchantillon = 1.f;
        e.BaseDeTempsInterne = 0;
    } else {
        e.PeriodeEchantillon = F_.Periode;
        e.BaseDeTempsInterne = 1;
    }
    e.PreTrig = static_cast<double>(F_.PreTrig);
    e.TempsDebut = -(2.0 * e.PeriodeEchantillon * e.PreTrig);
    e.DureeTotale = static_cast<double>(e.NombreScans) * e.PeriodeEchantillon;
    return LectureOK;
}

uint8_t OuvreREC::LireScripts() {
    if (!F_.Scripts) return LectureOK;
    if (F_.DebutScripts < 0 || F_.DebutScripts > Longueur_ - TailleZoneScripts)
        return Echec("script area outside the file");
    std::unique_ptr<ScriptsREC> scripts = FabriqueScripts(EnteteFichier);
    if (!scripts) return Echec("no script holder");
    if (!Fichier_.LireTout(F_.DebutScripts, scripts->TexteScript, TailleZoneScripts))
        return Echec("script area cannot be read");
    for (int s = 0; s < F_.SlotsScripts; ++s) {
        scripts->SlotCourant = static_cast<int16_t>(s);
        scripts->Quit_moteur_script();
    }
    scripts->LANCEMENT_TOUS_SCRIPTS();
    Scripts = std::move(scripts);
    ValiditeAngelScript = 1;
    return LectureOK;
}

uint8_t OuvreREC::LireAnnotations() {
    const int64_t taille = F_.TailleAnnotations; // checked against the file length already
    if (taille == 0) return LectureOK;
    int64_t nouveaux = 0, debutNouveaux = 0;
    if (EnteteFichier->FamilleEnregistreur == FamilleTKAR) {
        // At most 65535 bytes: always fits the old-layout table.
        static_assert(sizeof TabAnnotMem >= 65535);
        if (!Fichier_.LireTout(Longueur_ - taille, TabAnnotMem, taille)) return Echec(CauseAnnotations);
        const int entiers = static_cast<int>(taille / TailleAnnotAncienne);
        int anciens = entiers;
        for (int i = 0; i < entiers; ++i)
            if (TabAnnotMem[i].GenreAnnot != 0) {
                anciens = i;
                break;
            }
        // The table keeps only the old-layout records.
        std::memset(TabAnnotMem + anciens, 0, sizeof TabAnnotMem - anciens * sizeof(tTabAnnotMem));
        for (int i = 0; i < anciens; ++i)
            TabAnnotMem[i].TexteAnnot[sizeof TabAnnotMem[i].TexteAnnot - 1] = '\0';
        AncienAnnot = anciens;
        if (anciens < entiers) {
            const int64_t reste = taille - static_cast<int64_t>(TailleAnnotAncienne) * anciens;
            nouveaux = reste / TailleAnnotNouvelle;
            debutNouveaux = Longueur_ - reste;
        }
    } else {
        nouveaux = taille / TailleAnnotNouvelle;
        debutNouveaux = Longueur_ - nouveaux * TailleAnnotNouvelle;
    }
    // Records beyond the table are not read.
    nouveaux = std::min<int64_t>(nouveaux, TailleTabAnnotMemNew);
    if (nouveaux > 0 && !Fichier_.LireTout(debutNouveaux, TabAnnotMemNew, nouveaux * TailleAnnotNouvelle))
        return Echec(CauseAnnotations);
    NouveauAnnot = static_cast<int32_t>(nouveaux);
    for (int i = 0; i < NouveauAnnot; ++i) {
        tTabAnnotMemNew& a = TabAnnotMemNew[i];
        a.Reserve2[0] = 0; // ends a text that fills its field
        if (a.GenreAnnot == GenreTitre) {
            OnAunTitre = 1;
            CopieChamp(M_Titre_Fichier, sizeof M_Titre_Fichier - 1, a.TexteAnnot, sizeof a.TexteAnnot);
        }
    }
    return LectureOK;
}

uint8_t OuvreREC::CalculerDate() {
    auto& e = *EnteteFichier;
    e.MillisecondesTrigger = F_.Millisecondes;
    const int ms = (F_.Millisecondes > 1000 || F_.Millisecondes < 0) ? 0 : F_.Millisecondes;
    const QDate jour(2000 + F_.Annee, F_.Mois + 1, F_.Jour);
    const QTime heure(F_.Heure, F_.Minute, F_.Seconde, ms);
    if (jour.isValid() && heure.isValid()) {
        DateTrigger = QDateTime(jour, heure, Qt::UTC);
        return LectureOK;
    }
    if (e.FamilleEnregistreur != FamilleTKOS) return Echec("invalid trigger date");
    DateTrigger = DateParDefaut();
    AFFICHE_MESSAGE("File Error - Erreur Fichier", MessageDateTKOS, tIconeBoite::Erreur);
    return LectureOK;
}
