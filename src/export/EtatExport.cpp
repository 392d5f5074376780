#include "export/EtatExport.h"

#include <algorithm>
#include <system_error>

#include "config/Config.h"
#include "export/PreparationExport.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"

SourceExport SOURCE_EXPORT(const OuvreREC& ouvre) {
    SourceExport s;
    s.CheminDonnees = ouvre.VraiNomFichier;
    s.LigneTitre = ouvre.MessageTitreEntete;
    s.Resume = ouvre.MessageEntSimplifie;
    s.DateTrigger = ouvre.DateTrigger;
    return s;
}

EtatExport::EtatExport() = default;

EtatExport::~EtatExport() {
    ARRETER();
}

void EtatExport::INIT() {
    Limitation = (Config.LimitationExport & 1) != 0 ? 1 : 0;
    if (Config.LongueurExport <= 0) Config.LongueurExport = 100;
    if (Config.LongueurExport >= LignesMaxExcel) Config.LongueurExport = static_cast<int32_t>(LignesMaxExcel);
    VraiLimitation = Limitation;
    if (Limitation == 1) {
        LongueurACalculer = Config.LongueurExport;
    } else {
        LongueurACalculer = CALCUL_FENETRE(EnteteF, Setup).LongueurAcquisition;
        if (TypeFichier == TypeExcel && LongueurACalculer > LignesMaxExcel) {
            LongueurACalculer = LignesMaxExcel;
            VraiLimitation = 1;
        }
    }
}

QString EtatExport::NOM_SANS_CROCHETS(const QString& chemin) {
    // Only the file name: a folder of that name in brackets stays the folder meant.
    const qsizetype debutNom = chemin.lastIndexOf(QLatin1Char('/')) + 1;
    QString nom = chemin.mid(debutNom);
    nom.replace(QLatin1Char('['), QLatin1Char('(')).replace(QLatin1Char(']'), QLatin1Char(')'));
    return chemin.left(debutNom) + nom;
}

bool EtatExport::LANCE_CALCUL(const SourceExport& source) {
    ATTENDRE_FIN(); // one writing at a time
    OnAEuUneErreur.store(0);
    DemandeAbort.store(0);
    LongProgress.store(0);
    LignesEcrites.store(0);
    INIT();
    FichierExport = NOM_SANS_CROCHETS(FichierExport);
    if (!PREPARER(source)) {
        OnAEuUneErreur.store(1);
        CalCulEnCours.store(ExportFini);
        return false;
    }
    CalCulEnCours.store(ExportEnCours);
    if (TypeInterface == 1) {
        try {
            Travailleur_ = std::thread([this] { CALCUL_TEXTE(); });
            return true;
        } catch (const std::system_error&) {
            // No thread to be had: write on this one.
        }
    }
    CALCUL_TEXTE();
    return true;
}

void EtatExport::ATTENDRE_FIN() {
    if (Travailleur_.joinable()) Travailleur_.join();
}

void EtatExport::ARRETER() {
    if (CalCulEnCours.load() == ExportEnCours) DemandeAbort.store(1);
    ATTENDRE_FIN();
}

const char* EtatExport::MESSAGE_FIN() const {
    return POS_MESS(OnAEuUneErreur.load() != 0 ? M_ExportErreur : M_ExportEnd);
}

void EtatExport::AFFICHER_FIN() const {
    AFFICHE_MESSAGE(POS_MESS(M_Export), MESSAGE_FIN(), tIconeBoite::Avertissement);
}

std::string EtatExport::TEXTE_NB_LIGNE() const {
    std::string t = POS_MESS(M_NbLigne);
    if (Limitation == 0) t += std::to_string(LongueurACalculer);
    return t;
}
