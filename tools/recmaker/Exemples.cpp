// Demonstration recordings: a few realistic channels of each family, with logic
// inputs and annotations; TKAR and VEL with computed channels (VEL's made by math
// scripts), TKOS with a supplementary channel block.
// Texts are Windows-1252 bytes, as the recorders store them.
#include "recmaker/Disposition.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"

namespace recmaker {

namespace {

Voie Analogique(int numero, const char* nom, const char* unite, uint16_t typeUnite, float decalage,
                float gain, float etendue, float centre, Signal donnees) {
    Voie v;
    v.Numero = numero;
    v.Nom = nom;
    v.Unite = unite;
    v.TypeUnite = typeUnite;
    v.Decalage = decalage;
    v.Gain = gain;
    v.Etendue = etendue;
    v.Centre = centre;
    v.Donnees = std::move(donnees);
    return v;
}

// Recorder-computed channel: coefficients such that both formula generations give
// CoefA x operand 1 (op) operand 2.
Voie Calculee(int numero, const char* nom, const char* unite, uint8_t operateur, uint8_t op1, uint8_t op2,
              float coefA, float etendue, float centre) {
    Voie v;
    v.Numero = numero;
    v.Nom = nom;
    v.Unite = unite;
    v.Gain = 1.f;
    v.Etendue = etendue;
    v.Centre = centre;
    v.OperateurFonction = operateur;
    v.Operande1 = op1;
    v.Operande2 = op2;
    v.CoefA = coefA;
    v.CoefB = 0.f;
    v.CoefC = 1.f;
    v.CoefD = 1.f;
    return v;
}

AnnotationNouvelle Note(int64_t position, int32_t couleur, int16_t hauteur, uint8_t verticale,
                        const char* texte) {
    AnnotationNouvelle a;
    a.PositionMot = position;
    a.Genre = GenreAnnotation;
    a.Couleur = couleur;
    a.Hauteur = hauteur;
    a.Verticale = verticale;
    a.Texte = texte;
    return a;
}

AnnotationNouvelle Titre(const char* texte) {
    AnnotationNouvelle a;
    a.Genre = GenreTitre;
    a.Couleur = 0;
    a.Hauteur = 0;
    a.Texte = texte;
    return a;
}

int64_t MotsParScan(const Enregistrement& e) {
    return detail::Disposer(e).Plan_.MotsParScan;
}

void Date(Enregistrement& e, int annee, int mois, int jour, int heure, int minute, int seconde, int ms) {
    e.Annee = static_cast<uint8_t>(annee - 2000);
    e.Mois = static_cast<uint8_t>(mois - 1);
    e.Jour = static_cast<uint8_t>(jour);
    e.Heure = static_cast<uint8_t>(heure);
    e.Minute = static_cast<uint8_t>(minute);
    e.Seconde = static_cast<uint8_t>(seconde);
    e.Millisecondes = static_cast<int16_t>(ms);
}

} // namespace

Enregistrement ExempleTKAR() {
    Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Checksum = true;
    e.RevisionVoies = 3;
    e.Revision = 3;
    e.Modele = "TKAR 8V";
    e.PeriodeUs = 100.f; // 10 kHz, 2 s
    e.PreTrig = 1000;
    e.NombreScans = 20000;
    Date(e, 2024, 6, 15, 14, 32, 7, 250);

    e.Voies.push_back(
        Analogique(0, "Pression", "bar", 0, 32768.f, 10.f / 32768.f, 20.f, 0.f, Sinus(32768, 26000, 2000)));
    Voie temperature = Analogique(1, "Temp\xE9rature huile",
                                  "\xB0"
                                  "C",
                                  2, 0.f, 0.005f, 200.f, 100.f, Rampe(8000, 1));
    temperature.FormatVoie = 1;
    e.Voies.push_back(temperature);
    e.Voies.push_back(Analogique(2, "Courant moteur", "A", 1, 32768.f, 5.f / 16384.f, 10.f, 0.f,
                                 Carre(20000, 45536, 4000)));
    e.Voies.push_back(
        Analogique(3, "Tension", "V", 6, 32768.f, 15.f / 32768.f, 30.f, 0.f, Sinus(32768, 20000, 4000)));
    e.Voies.push_back(Calculee(36, "Puissance", "W", 2, 3, 2, 1.f, 80.f, 0.f));

    e.Logique = true;
    e.NomsLogiques = {"Marche",
                      "D\xE9"
                      "faut",
                      "Porte ouverte", "Alarme"};
    e.DonneesLogiques = [](int64_t s) {
        uint16_t w = 0;
        if (s >= 1500) w |= 1;
        if ((s / 700) % 5 == 0) w |= 2;
        if ((s / 3000) % 2 == 1) w |= 4;
        if (s >= 12000 && s < 14000) w |= 8;
        return w;
    };

    const int64_t mots = MotsParScan(e);
    e.AnnotationsAnciennes = {{1500 * mots, "D\xE9marrage"}, {12000 * mots, "Alarme pression haute"}};
    e.AnnotationsNouvelles = {Titre("Essai banc moteur n\xB0"
                                    "3"),
                              Note(6000 * mots, 0x0000C0, 200, 1, "Palier 50 %"),
                              Note(16000 * mots, 0x008000, 650, 0, "Retour au repos")};
    return e;
}

Enregistrement ExempleTKOSSup() {
    Enregistrement e;
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 4; // large supplementary block, newer formulas, script area
    e.Revision = 4;
    e.Modele = "TKOS 16";
    e.PeriodeUs = 200.f; // 5 kHz, 6 s
    e.PreTrig = 500;
    e.NombreScans = 30000;
    Date(e, 2024, 9, 3, 9, 5, 41, 0);

    // Entries 0 and 1 are ordinary channels, 2 and 3 supplementary ones (signed words,
    // described by the entry alone). The block's count ends the channel loop within its
    // entries, so this recording has no computed channel; its script area stays empty.
    EntreeSup ordinaire;
    ordinaire.Type = TypeSupOrdinaireTKOS;
    EntreeSup acceleration;
    acceleration.Type = 1;
    acceleration.Gain = 0.0005f;
    acceleration.BorneBasse = -10.f;
    acceleration.BorneHaute = 10.f;
    acceleration.Nom = "Acc\xE9l\xE9ration";
    acceleration.Unite = "g";
    acceleration.Donnees = SinusSigne(0, 9000, 600);
    EntreeSup effort;
    effort.Type = 1;
    effort.Gain = 0.001f; // kN per word; shown in N
    effort.BorneBasse = -10.f;
    effort.BorneHaute = 10.f;
    effort.Nom = "Effort";
    effort.Unite = "KN";
    effort.Donnees = SinusSigne(0, 7000, 3000);
    e.BlocSup = std::vector<EntreeSup>{ordinaire, ordinaire, acceleration, effort};
    e.Voies.push_back(
        Analogique(0, "Vitesse", "rpm", 0, 0.f, 0.1f, 5000.f, 2500.f, Sinus(30000, 12000, 15000)));
    e.Voies.push_back(
        Analogique(1, "Couple", "Nm", 0, 32768.f, 0.01f, 200.f, 50.f, Sinus(40768, 6000, 5000)));

    e.Logique = true;
    e.NomsLogiques = {"Embrayage", "Frein", "Surchauffe"};
    e.DonneesLogiques = [](int64_t s) {
        uint16_t w = 0;
        if ((s / 2500) % 2 == 0) w |= 1;
        if ((s % 7500) > 6000) w |= 2;
        if (s > 24000) w |= 4;
        return w;
    };

    const int64_t mots = MotsParScan(e);
    e.AnnotationsNouvelles = {Titre("Essai routier, piste 2"),
                              Note(5000 * mots, 0xC00000, 150, 1, "Freinage"),
                              Note(24000 * mots, 0xFF8000, 300, 0, "Surchauffe embrayage")};
    return e;
}

Enregistrement ExempleTKOS() {
    Enregistrement e;
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 4; // newer formulas, script area
    e.Revision = 4;
    e.Modele = "TKOS 8";
    e.PeriodeUs = 500.f; // 2 kHz, 20 s
    e.PreTrig = 2000;
    e.NombreScans = 40000;
    Date(e, 2024, 11, 19, 14, 2, 55, 120);

    e.Voies.push_back(
        Analogique(0, "Pression", "bar", 0, 32768.f, 0.005f, 300.f, 0.f, Sinus(32768, 20000, 8000)));
    e.Voies.push_back(Analogique(1,
                                 "Temp\xE9"
                                 "rature",
                                 "", 2, 32768.f, 0.01f, 600.f, 0.f, Rampe(20000, 1)));
    e.Voies.push_back(
        Analogique(2, "Position", "mm", 0, 32768.f, 0.002f, 120.f, 0.f, Carre(22000, 43536, 4000)));
    // Script slot 0 fills channel 72; its coefficients give the same result by formula.
    e.Voies.push_back(Calculee(72, "Pression x 2", "bar", 0, 0, 0, 1.f, 600.f, 0.f));
    e.Scripts = {{0, {"// Double de la pression", "function = 'Pression' * 2;"}}};

    e.Logique = true;
    e.NomsLogiques = {"Vanne", "Pompe", "Alarme", "Cycle"};
    e.DonneesLogiques = [](int64_t s) {
        uint16_t w = 0;
        if ((s / 4000) % 2 == 0) w |= 1;
        if (s >= 6000) w |= 2;
        if (s >= 31000 && s < 31003) w |= 4;
        if ((s / 500) % 2 == 0) w |= 8;
        return w;
    };

    const int64_t mots = MotsParScan(e);
    e.AnnotationsNouvelles = {Titre("Essai de pression, circuit B"),
                              Note(6000 * mots, 0x0080FF, 120, 1, "Pompe en marche"),
                              Note(31000 * mots, 0xE00000, 400, 0, "Alarme")};
    return e;
}

Enregistrement ExempleVEL() {
    Enregistrement e;
    e.Famille = FamilleVEL;
    e.RevisionVoies = 4; // script area
    e.Revision = 4;
    e.Modele = "VEL 24";
    e.PeriodeUs = 50.f; // 20 kHz, 2.5 s
    e.PreTrig = 5000;
    e.NombreScans = 50000;
    Date(e, 2025, 1, 28, 16, 47, 3, 875);

    e.Voies.push_back(
        Analogique(0, "Capteur A", "mm", 0, 32768.f, 0.001f, 40.f, 0.f, Sinus(32768, 15000, 10000)));
    e.Voies.push_back(
        Analogique(1, "Capteur B", "mm", 0, 32768.f, 0.001f, 40.f, 0.f, Sinus(32768, 12000, 8000)));
    e.Voies.push_back(
        Analogique(2, "Tension", "V", 6, 32768.f, 1.f / 2048.f, 30.f, 0.f, Sinus(32768, 24000, 1000)));
    e.Voies.push_back(
        Analogique(3, "Courant", "A", 1, 32768.f, 1.f / 2048.f, 6.f, 0.f, Carre(28000, 37536, 1000)));
    // Two-point law: words 0..65535 give 0..200 l/min.
    Voie debit = Analogique(4,
                            "D\xE9"
                            "bit",
                            "l/min", 0, 0.f, 1.f, 200.f, 100.f, Rampe(0, 1));
    debit.TypeConversion = 1;
    debit.CoefA = 65535.f;
    debit.CoefB = 0.f;
    debit.CoefC = 0.f;
    debit.CoefD = 200.f;
    e.Voies.push_back(debit);
    // Script slots 0 and 1, with coefficients that give the same results by formula.
    e.Voies.push_back(Calculee(204, "Moyenne A-B", "mm", 0, 0, 1, 0.5f, 40.f, 0.f));
    e.Voies.back().CoefC = 0.5f;
    e.Voies.push_back(Calculee(205, "Puissance", "W", 2, 2, 3, 1.f, 60.f, 0.f));
    e.Scripts = {
        {0, {"// Moyenne des deux capteurs", "function = ('Capteur A' + 'Capteur B') / 2;"}},
        {1, {"// Puissance instantanee", "var u = 'Tension';", "var i = 'Courant';", "function = u * i;"}}};

    e.Logique = true;
    e.NomsLogiques = {"Capot",     "Pompe",       "Vanne 1",          "Vanne 2",
                      "Chauffage", "Ventilateur", "Arr\xEAt urgence", "Cycle"};
    e.DonneesLogiques = [](int64_t s) {
        uint16_t w = 1; // cover closed
        if (s >= 4000) w |= 2;
        if ((s / 5000) % 2 == 0) w |= 4;
        if ((s / 5000) % 2 == 1) w |= 8;
        if ((s / 12500) % 2 == 1) w |= 16;
        if (s >= 20000) w |= 32;
        if (s >= 46000 && s < 47000) w |= 64;
        if ((s / 250) % 2 == 0) w |= 128;
        return w;
    };

    const int64_t mots = MotsParScan(e);
    e.AnnotationsNouvelles = {Titre("Banc hydraulique, cycle d'endurance"),
                              Note(4000 * mots, 0x0060C0, 100, 1, "D\xE9marrage pompe"),
                              Note(20000 * mots, 0x008040, 450, 0,
                                   "Ventilation forc\xE9"
                                   "e"),
                              Note(46000 * mots, 0xE00000, 250, 1, "Arr\xEAt d'urgence")};
    return e;
}

} // namespace recmaker
