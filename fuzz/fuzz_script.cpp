// A math script from a text: the preprocessor over the whole text, then the
// compile path of the engine for a slot holding the text cut into the 12 lines
// of 200 characters of a script area (tried in a child process first, as the
// program does), and a few rows run within the engine's statement limit. The header the script is compiled
// against comes from small TKOS and VEL recordings of the recording maker, read once by the opener.
//
// The first byte of the input chooses the recording and how many rows run; the
// rest is the script text.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCommun.h"
#include "math/ErreursScript.h"
#include "math/MoteurScript.h"
#include "math/PreprocesseurScript.h"
#include "math/ValeursPhysiques.h"
#include "recmaker/RecMaker.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"

namespace {

// Recorded channels whose names the preprocessor must find between quotes:
// blanks inside and after a name, a quote, a slash, an accented letter.
recmaker::Enregistrement Recording(FamilleREC famille) {
    recmaker::Enregistrement e;
    e.Famille = famille;
    e.Modele = famille == FamilleTKOS ? "TKOS 16" : "VEL 8";
    e.RevisionVoies = 4; // script area present
    e.NombreScans = 4;
    const char* noms[] = {"Pression", "Capteur A  ", "D/bit", "l'eau", "Temp\xE9rature", "V1"};
    int numero = 0;
    for (const char* nom : noms) e.Voies.push_back(recmaker::Voie{.Numero = numero++, .Nom = nom});
    // Slot 0 exists: its channel is the first script channel of the family.
    const int script = famille == FamilleTKOS ? LimiteAnalogTKOS : LimiteAnalogVEL;
    e.Voies.push_back(recmaker::Voie{.Numero = script, .Nom = "Script"});
    e.Scripts = {{0, {"function = 'Pression' * 2;"}}};
    return e;
}

// The header of each recording, read once by the opener from a file in memory.
const t_EnteteREC_GlobalTotal& Entete(int i) {
    static const std::array<std::unique_ptr<t_EnteteREC_GlobalTotal>, 2> entetes = [] {
        std::array<std::unique_ptr<t_EnteteREC_GlobalTotal>, 2> r;
        fuzz::FichierMemoire fichier("fuzz_script.rec");
        for (int k = 0; k < 2; ++k) {
            const std::vector<uint8_t> octets =
                recmaker::Construire(Recording(k == 0 ? FamilleTKOS : FamilleVEL));
            fichier.Ecrire(octets.data(), octets.size());
            r[k] = std::make_unique<t_EnteteREC_GlobalTotal>();
            OuvreREC ouvre(r[k].get());
            ouvre.VraiNomFichier = fichier.Chemin();
            if (ouvre.LECTURE_ENTETE() != LectureOK) std::abort();
            ouvre.FERMER_FICHIER();
        }
        return r;
    }();
    return *entetes[static_cast<size_t>(i)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    fuzz::BOITES_DU_PASSAGE();
    if (taille == 0) return 0;
    const uint8_t choix = octets[0];
    const std::string texte(reinterpret_cast<const char*>(octets + 1), taille - 1);
    // A copy: the engine's holder reads the header through a pointer it may keep.
    auto entete = std::make_unique<t_EnteteREC_GlobalTotal>(Entete(choix & 1));
    RESET_ERREURS_SCRIPT();

    (void)Script_Preprocesseur(texte, *entete);

    MoteurScript moteur(entete.get());
    // The text as a script area holds it: 12 lines of at most 200 characters.
    size_t debut = 0;
    for (int l = 0; l < NombreLignesScript && debut <= texte.size(); ++l) {
        size_t fin = texte.find('\n', debut);
        if (fin == std::string::npos) fin = texte.size();
        const size_t n = std::min<size_t>(fin - debut, LongueurLigneScript);
        std::memcpy(moteur.TexteScript[0][l], texte.data() + debut, n);
        debut = fin + 1;
    }
    moteur.LANCEMENT_TOUS_SCRIPTS();

    // A few rows, each run bounded by the engine's statement limit (lowered:
    // an endless loop costs a fuzzer's input only a moment).
    moteur.LimiteInstructions = 1'000'000;
    std::vector<double> ligne(NombreSlotsColonne, 0.0);
    for (int r = 0; r < ((choix >> 1) & 3); ++r) {
        for (int i = 0; i < NombreSlotsColonne; ++i) ligne[static_cast<size_t>(i)] = 0.5 * (i - r);
        TableauTravail = ligne.data();
        moteur.execute_script({RangeeColonne, r});
        TableauTravail = nullptr;
    }
    RESET_ERREURS_SCRIPT();
    return 0;
}
