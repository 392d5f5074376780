#include "graph/DonneesGraphe.h"

#include "graph/EtatPasseRapide.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

namespace {

int64_t LectureFichier(void*, int32_t handle, int64_t position, void* tampon, int64_t n) {
    return FichierREC::LireHandle(handle, position, tampon, n);
}

// Truncation toward zero, saturated instead of undefined for values out of range.
int64_t TronquerEntier64(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9.2e18) return std::numeric_limits<int64_t>::max();
    if (x <= -9.2e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(x);
}

} // namespace

DonneesGraphe::DonneesGraphe(t_EnteteREC_GlobalTotal* entete, tSetup* setup)
    : EnteteFichier(entete), SetupGraphe(setup),
      TabCyclique(
          std::make_unique<uint16_t[]>(static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne)),
      TabFlottant(std::make_unique<double[]>(static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne)),
      TabFichierLecture(std::make_unique<uint8_t[]>(OctetsParPage + MargePage)), Lecture_(&LectureFichier),
      TamponSomme_(std::make_unique<uint8_t[]>(OctetsParPage)) {}

DonneesGraphe::~DonneesGraphe() {
    FermerFichier();
}

void DonneesGraphe::FermerFichier() {
    // The mapping and the pyramid belong to the recording being closed.
    LIBERER_RAPIDE();
    if (!Fichier_.EstOuvert()) return;
    if (EnteteFichier->HandleFichier == Fichier_.Handle()) EnteteFichier->HandleFichier = 0;
    Fichier_.Fermer();
}

void DonneesGraphe::RemplacerLecture(FonctionLecture lecture, void* contexte) {
    Lecture_ = lecture != nullptr ? lecture : &LectureFichier;
    LectureRemplacee_ = lecture != nullptr;
    ContexteLecture_ = lecture != nullptr ? contexte : nullptr;
}

void DonneesGraphe::DEMARRAGE_GRAPH() {
    const t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    const double nombreScans = static_cast<double>(e.NombreScans);
    DepartTracer = TronquerEntier64(nombreScans * SetupGraphe->DebutFenetre) * e.LongueurScan;
    LongueurAcquisition = TronquerEntier64(SetupGraphe->LargeurFenetre * nombreScans);
    TempsTotal = SetupGraphe->LargeurFenetre * e.DureeTotale;
    DebutTemps = e.DureeTotale * SetupGraphe->DebutFenetre + e.TempsDebut;
    VraiPageFichier = -1;
}

void DonneesGraphe::ARRET_CALCUL() {
    ArretDemander.store(1, std::memory_order_relaxed);
    for (int i = 0; i < 5000 && CalculTerminer.load(std::memory_order_acquire) == CalculEnCours; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

void DonneesGraphe::RAZ_MINMAX() {
    for (int n = 0; n < NombreSlotsAnalog; ++n) TabMinGraphe[n] = TabMaxGraphe[n] = TabEntGraphe[n];
    ValGraLogDebGraphe = TabEntGraphe[SlotLogique];
    ValGraLogOrGraphe = 0;
}

uint16_t DonneesGraphe::CALCUL_MIN_MAX(int n) {
    // The extreme reached first closes the column; the next one starts from the
    // extreme reached last.
    if (DernPenteGraphe[n] == 1) {
        const uint16_t r = TabMinGraphe[n];
        TabMinGraphe[n] = TabMaxGraphe[n];
        return r;
    }
    const uint16_t r = TabMaxGraphe[n];
    TabMaxGraphe[n] = TabMinGraphe[n];
    return r;
}

uint16_t DonneesGraphe::RAZ_GRAPHE_LOG() {
    const uint16_t r = ValGraLogOrGraphe ^ ValGraLogDebGraphe;
    ValGraLogDebGraphe = r;
    ValGraLogOrGraphe = 0;
    return r;
}

void DonneesGraphe::MIN_MAX_CYC() {
    for (int n = 0; n < NombreSlotsAnalog; ++n) MIN_MAX_D_UNE_VOIE(TabEntGraphe[n], n);
    MIN_MAX_LOG(TabEntGraphe[SlotLogique]);
}

void DonneesGraphe::SAUVE_DATA_CYC2() {
    MIN_MAX_CYC();
    // A complete pass stores columns 0..1000; the guard only keeps a corrupt
    // count from writing past the table.
    const bool dansTable = CompteurGraphique >= 0 && CompteurGraphique < NombreColonnesTable;
    uint16_t* colonne =
        TabCyclique.get() + static_cast<size_t>(dansTable ? CompteurGraphique : 0) * NombreSlotsColonne;
    for (int n = 0; n < NombreSlotsAnalog; ++n) {
        const uint16_t mot = CALCUL_MIN_MAX(n);
        if (dansTable) colonne[n] = mot;
    }
    const uint16_t logique = RAZ_GRAPHE_LOG();
    if (dansTable) colonne[SlotLogique] = logique;
    ++CompteurGraphique;
}

void DonneesGraphe::DECALAGE_TABCYCL(int slot) {
    if (slot < 0 || slot >= NombreSlotsColonne) return;
    const int nombre = std::clamp<int>(VraiLongueurCyc, 0, TailleValeurCyclique);
    for (int i = 0; i < nombre; ++i) ValeurCyclique[i] = Mot(i, slot);
    Abscisse_Dep = 0;
    Abscisse_Fin = PointeurCyclique.load(std::memory_order_acquire);
}

int32_t DonneesGraphe::CAL_VALCYC(int i) const {
    if (i < 0 || i >= TailleValeurCyclique) return 0;
    return ValeurCyclique[i];
}
