// The program-wide values kept in the program's key, their defaults, the start-up reading and
// the end-of-run writing.
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"

#include <QDir>

#include <type_traits>

char RepertoireSetUp[TailleRepertoireSetUp];
char MessageUtil[TailleMessageUtil];
uint16_t PosGraX, PosGraY;
uint16_t LargeurGra = LargeurGraDefaut, HauteurGra = HauteurGraDefaut;
int16_t NombreDePageImprimante = 1;
uint16_t PosAnnotX, PosAnnotY;
uint16_t PosCalculX, PosCalculY;

namespace {

inline constexpr uint8_t LangueMax = 4;
inline constexpr uint8_t LangueAnglais = 1;

// Reads a DWORD value into a global narrower than 32 bits: the value is cut to the global's width.
template <typename T> void LIRE_DWORD(const char* nom, T& global) {
    if (const auto valeur = RECUP_CLE_DWORD(nom)) global = static_cast<T>(*valeur);
}

void LIRE_CHAINE(const char* nom, char* tampon, std::size_t taille) {
    if (const auto valeur = RECUP_CLE(nom)) CONVERT_STRING_CHAR(*valeur, tampon, taille);
}

// DWORDs hold the global's bits as the program stores them: a negative int16 keeps its 16 bits.
template <typename T> uint32_t EN_DWORD(T valeur) {
    return static_cast<uint32_t>(static_cast<std::make_unsigned_t<T>>(valeur));
}

} // namespace

void INIT_CLES() {
    CONVERT_STRING_CHAR(QDir::rootPath(), RepertoireSetUp);
    MessageUtil[0] = '\0';
    Langue = 0;
    PosGraX = 0;
    PosGraY = 0;
    LargeurGra = LargeurGraDefaut;
    HauteurGra = HauteurGraDefaut;
    NombreDePageImprimante = 1;
    PosAnnotX = 0;
    PosAnnotY = 0;
    PosCalculX = 0;
    PosCalculY = 0;
}

void RESET_GLOBAL_REGISTRE() {
    INIT_CLES();
}

void LIRE_CLES() {
    INIT_CLES();
    if (CLE_EXISTE()) {
        LIRE_CHAINE("Reper", RepertoireSetUp, TailleRepertoireSetUp);
        LIRE_CHAINE("MessUtil", MessageUtil, TailleMessageUtil);
        LIRE_DWORD("Language", Langue);
        LIRE_DWORD("PosGraX", PosGraX);
        LIRE_DWORD("PosGraY", PosGraY);
        LIRE_DWORD("LargeurGra", LargeurGra);
        LIRE_DWORD("HauteurGra", HauteurGra);
        LIRE_DWORD("NombrePAGEIMP", NombreDePageImprimante);
        // The tool windows open beside the graph window unless their own place was kept.
        PosCalculX = PosAnnotX = static_cast<uint16_t>(PosGraX + DecalageFenetreOutil);
        PosCalculY = PosAnnotY = static_cast<uint16_t>(PosGraY + DecalageFenetreOutil);
        LIRE_DWORD("PosAnnotX", PosAnnotX);
        LIRE_DWORD("PosAnnotY", PosAnnotY);
        LIRE_DWORD("PosCalculX", PosCalculX);
        LIRE_DWORD("PosCalculY", PosCalculY);
    }
    if (NombreDePageImprimante < 1) NombreDePageImprimante = 1;
    if (NombreDePageImprimante > NombrePagesMax) NombreDePageImprimante = NombrePagesMax;
    if (Langue > LangueMax) Langue = LangueAnglais;
}

bool ECRIRE_CLES() {
    bool ok = SAUVE_CLE("Reper", DepuisCp1252(RepertoireSetUp, static_cast<int>(TailleRepertoireSetUp)));
    ok &= SAUVE_CLE("MessUtil", DepuisCp1252(MessageUtil, static_cast<int>(TailleMessageUtil)));
    ok &= SAUVE_CLE_DWORD("Language", Langue);
    ok &= SAUVE_CLE_DWORD("PosGraX", PosGraX);
    ok &= SAUVE_CLE_DWORD("PosGraY", PosGraY);
    ok &= SAUVE_CLE_DWORD("LargeurGra", LargeurGra);
    ok &= SAUVE_CLE_DWORD("HauteurGra", HauteurGra);
    ok &= SAUVE_CLE_DWORD("NombrePAGEIMP", EN_DWORD(NombreDePageImprimante));
    ok &= SAUVE_CLE_DWORD("PosAnnotX", PosAnnotX);
    ok &= SAUVE_CLE_DWORD("PosAnnotY", PosAnnotY);
    ok &= SAUVE_CLE_DWORD("PosCalculX", PosCalculX);
    ok &= SAUVE_CLE_DWORD("PosCalculY", PosCalculY);
    return ok;
}
