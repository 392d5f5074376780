// The writing of an export: its preparation on the calling thread, then the
// rows, one per exported scan.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "config/Config.h"
#include "config/OnOff.h"
#include "export/EtatExport.h"
#include "export/GlobauxExport.h"
#include "export/OptionsCSV.h"
#include "export/PreparationExport.h"
#include "export/TexteDateExport.h"
#include "graph/GlobauxGraphe.h"
#include "math/ValeursPhysiques.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "shell/Messages.h"

namespace {

int64_t Tronquer(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9.2e18) return std::numeric_limits<int64_t>::max();
    if (x <= -9.2e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(x);
}

int64_t DivisionPlancher(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::string Texte(const char* t, size_t taille) {
    return std::string(t, strnlen(t, taille));
}

// DemandeExport for the time the rows are read.
class ExportEnLecture {
public:
    ExportEnLecture() { DemandeExport.store(1, std::memory_order_release); }
    ~ExportEnLecture() { DemandeExport.store(0, std::memory_order_release); }
    ExportEnLecture(const ExportEnLecture&) = delete;
    ExportEnLecture& operator=(const ExportEnLecture&) = delete;
};

// Absolute time texts: the regional date and time of the second, made once per
// second, then "," and the milliseconds.
class TempsAbsolus {
public:
    TempsAbsolus(const QDateTime& trigger, const QLocale& culture)
        : Trigger_(trigger), Culture_(culture), BaseMs_(trigger.toMSecsSinceEpoch()) {}

    const std::string& Texte(int64_t tempsUs) {
        const int64_t ms = BaseMs_ + DivisionPlancher(tempsUs, 1000);
        const int64_t seconde = DivisionPlancher(ms, 1000);
        if (seconde != Seconde_ || Date_.empty()) {
            Seconde_ = seconde;
            Date_ = TEXTE_DATE_HEURE(Trigger_.addMSecs(seconde * 1000 - BaseMs_), Culture_);
        }
        char millis[8];
        std::snprintf(millis, sizeof millis, ",%03d", static_cast<int>(ms - seconde * 1000));
        Texte_.assign(Date_).append(millis);
        return Texte_;
    }

private:
    QDateTime Trigger_;
    QLocale Culture_;
    int64_t BaseMs_;
    int64_t Seconde_ = 0;
    std::string Date_, Texte_;
};

} // namespace

bool EtatExport::PREPARER(const SourceExport& source) {
    Prep_.reset();
    auto p = std::make_unique<tPreparation>();
    p->Entete = std::make_unique<t_EnteteREC_GlobalTotal>(EnteteF);
    p->Valeurs = CONTEXTE_VALEURS();
    p->Valeurs.Entete = p->Entete.get();
    const t_EnteteREC_GlobalTotal& e = *p->Entete;
    p->Source = source;
    p->Culture = QLocale();
    p->Fenetre = CALCUL_FENETRE(e, Setup);
    const int64_t scans = std::max<int64_t>(p->Fenetre.LongueurAcquisition, 0);
    p->Limite = VraiLimitation != 0;
    p->Lignes =
        (!p->Limite || LongueurACalculer <= 0 || LongueurACalculer > scans) ? scans : LongueurACalculer;
    p->Periode = e.PeriodeEchantillon;
    p->TempsAbsolu = Config.TempsAbsolu == 1 && e.BaseDeTempsInterne == 1 && source.DateTrigger.isValid();

    // Separators by kind; the CSV choice reads "csv.conf" again.
    char sep = '\t', dec = SEPARATEUR_DECIMAL(p->Culture);
    if (TypeFichier == TypeCSV) {
        LIRE_CSV_CONF();
        if (CSVSeparatorAutoDetect) {
            sep = ';';
        } else {
            sep = CSV_Separator;
            dec = CSV_Delimiter;
        }
    }

    // Exported channels and logic inputs: those displayed, all of them in a folder export.
    const bool tout = folder_export == 1;
    tColonnesExport colonnes;
    const int voies = std::min<int>(e.NombreVoiesTotal, NombreVoiesTable);
    for (int n = 0; n < voies; ++n)
        if (tout || TST_B_ONOFF(Config.VoiesAffichees, n)) colonnes.Voies.push_back(n);
    if (e.LogiqueAffichee == 1) {
        const int logiques = std::min<int>(e.NombreEntreesLogiques, NombreNomsLogiquesMax);
        for (int b = 0; b < logiques; ++b)
            if (tout || ((Config.MasqueVoiesLogiques >> b) & 1) != 0) colonnes.Logiques.push_back(b);
    }

    // Header block.
    if (!source.LigneTitre.empty()) p->LignesEntete.push_back(source.LigneTitre);
    p->LignesEntete.push_back(source.Resume);
    p->LignesEntete.push_back(
        std::string(POS_MESS(M_Date)) +
        (source.DateTrigger.isValid() ? TEXTE_DATE_HEURE(source.DateTrigger, p->Culture) : std::string()));
    p->ColonnesEntete.push_back(POS_MESS(M_Temps));
    for (const int n : colonnes.Voies) {
        const tAffichageVoie& a = e.Affichage[n];
        p->ColonnesEntete.push_back(Texte(a.NomAffiche, sizeof a.NomAffiche) + "[" +
                                    Texte(a.UniteAffichee, sizeof a.UniteAffichee) + "]");
    }
    for (const int b : colonnes.Logiques)
        p->ColonnesEntete.push_back(Texte(e.NomLogique[b], sizeof e.NomLogique[b]));

    p->Annotations.Preparer(Config.AnnotationsMasquees == 1, p->Fenetre.DepartTracer, e.LongueurScan);

    // The file: a temporary one beside the target.
    auto fichier = std::make_unique<FichierProvisoire>(Ecriture);
    if (!fichier->Creer(FichierExport)) return false;
    if (TypeFichier == TypeExcel) {
        p->Sortie = SORTIE_EXCEL(std::move(fichier), colonnes,
                                 std::min(p->Lignes, LignesMaxExcel) + 1 +
                                     static_cast<int64_t>(p->LignesEntete.size()),
                                 CellulesMemoireConstante);
    } else {
        const tFormatValeurs format =
            Config.FormatExportFixe == 1 ? tFormatValeurs::Fixe : tFormatValeurs::Exposant;
        p->Sortie = SORTIE_TEXTE(std::move(fichier), colonnes, sep, dec, format, Formateur, DecoupageTexte);
    }
    if (p->Sortie->Erreur()) return false;
    Prep_ = std::move(p);
    return true;
}

void EtatExport::Avancer(int64_t ecrites, int64_t lignes) {
    LignesEcrites.store(ecrites, std::memory_order_relaxed);
    if (ecrites > 0)
        LongProgress.store(static_cast<int32_t>((ecrites - 1) * 1000 / lignes), std::memory_order_relaxed);
}

void EtatExport::CALCUL_TEXTE() {
    CalCulEnCours.store(ExportEnCours);
    std::unique_ptr<tPreparation> p = std::move(Prep_);
    bool ok = p != nullptr;
    if (ok) {
        const ExportEnLecture lecture;
        SortieExport& sortie = *p->Sortie;
        sortie.Entete(p->LignesEntete, p->ColonnesEntete);

        LecteurScans lecteur;
        ok = lecteur.Ouvrir(p->Source.CheminDonnees, *p->Entete, p->Fenetre.DepartTracer);
        const int64_t scans = p->Fenetre.LongueurAcquisition;
        const int64_t N = p->Lignes;
        if (TypeFichier == TypeExcel && N > LignesMaxExcel) ok = false; // never a cut sheet
        std::array<uint16_t, NombreSlotsColonne> brut{};
        std::array<double, NombreSlotsColonne> valeurs{};
        std::unique_ptr<TempsAbsolus> absolus;
        if (p->TempsAbsolu) absolus = std::make_unique<TempsAbsolus>(p->Source.DateTrigger, p->Culture);
        int64_t precedent = -1;
        int64_t donnees = 0; // rows handed to the writer
        for (int64_t r = 0; ok && r < N; ++r) {
            const int64_t s = static_cast<int64_t>(static_cast<__int128>(scans) * r / N);
            const double decalage =
                p->Limite ? static_cast<double>(r) * p->Fenetre.TempsTotal / static_cast<double>(N)
                          : static_cast<double>(r) * p->Periode;
            const int64_t tempsUs = Tronquer(p->Fenetre.DebutTemps + decalage);
            if (!lecteur.LIRE_SCAN(s, brut.data())) {
                ok = false;
                break;
            }
            RECUP_DOUBLE(p->Valeurs, brut.data(), valeurs.data(), {RangeeExport, r});

            tLigneExport ligne;
            ligne.TempsMs = static_cast<double>(tempsUs) / 1000.0;
            if (absolus) ligne.TempsAbsolu = &absolus->Texte(tempsUs);
            ligne.Valeurs = valeurs.data();
            ligne.MotLogique = brut[SlotLogique];
            ligne.Annotation = p->Annotations.Pour(precedent, s);
            precedent = s;
            sortie.Ligne(ligne);
            ++donnees;
            if (sortie.Erreur()) {
                ok = false;
                break;
            }
            Avancer(donnees - sortie.LignesEnAttente(), N);
            if (DemandeAbort.load(std::memory_order_relaxed) == 1) break;
        }
        // A failed export removes its temporary file with the writer.
        ok = ok && sortie.Terminer();
        Avancer(donnees - sortie.LignesEnAttente(), N);
        p.reset();
    }
    OnAEuUneErreur.store(ok ? 0 : 1);
    if (ok) LongProgress.store(1000);
    CalCulEnCours.store(ExportFini);
}
