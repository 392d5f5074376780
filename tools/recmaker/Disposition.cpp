#include "recmaker/Disposition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>

#include "recording/Annotations.h"

namespace recmaker::detail {

namespace {

// Copies at most taille bytes of s (no terminator when s fills the field) and pads.
void CopierTexte(char* dst, size_t taille, const std::string& s, char remplissage = '\0') {
    std::memset(dst, static_cast<unsigned char>(remplissage), taille);
    std::memcpy(dst, s.data(), std::min(taille, s.size()));
}

template <typename T> void Ajouter(std::vector<uint8_t>& octets, const T& record) {
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    octets.insert(octets.end(), p, p + sizeof(T));
}

struct Famille {
    int TailleEntete;
    int LimiteVoies;
    int LimiteAnalog;
    int TaillePreambule, EntreesBloc, TypeVide, TypeOrdinaire;
    bool SupprimeCalculees; // scaled computed channels are dropped by the reader
    bool Scripts;           // the revision says a script area is present
};

Famille DecrireFamille(const Enregistrement& e) {
    const bool quill = e.Famille == FamilleVEL && e.Modele.find("QUILL") != std::string::npos;
    switch (e.Famille) {
    case FamilleTKOS: {
        const bool grand = e.RevisionVoies >= 4;
        return {sizeof(tEnteteTKOS),
                LimiteVoiesTKOS,
                LimiteAnalogTKOS,
                36,
                grand ? tBlocEPATKOSSup_V16::Entrees : tBlocEPATKOSSup::Entrees,
                TypeSupVideTKOS,
                TypeSupOrdinaireTKOS,
                e.RevisionVoies >= 3,
                e.RevisionVoies > 1};
    }
    case FamilleVEL:
        return {sizeof(tEnteteVEL),
                LimiteVoiesVEL,
                quill ? LimiteAnalogQUILL : LimiteAnalogVEL,
                52,
                tBlocEPAVELSup::Entrees,
                TypeSupVideVEL,
                TypeSupOrdinaireVEL,
                false,
                e.RevisionVoies >= 4};
    case FamilleTKAR:
    default:
        return {
            sizeof(tEnteteTKAR), LimiteVoiesTKAR,      LimiteAnalogTKAR,     20,   tBlocEPATKARSup::Entrees,
            TypeSupVideTKAR,     TypeSupOrdinaireTKAR, e.RevisionVoies >= 3, false};
    }
}

tCalibVoie Record(const Voie& v) {
    tCalibVoie r{};
    r.Decalage = v.Decalage;
    r.Gain = v.Gain;
    r.Etendue = v.Etendue;
    r.Centre = v.Centre;
    r.CoefA = v.CoefA;
    r.CoefB = v.CoefB;
    r.CoefC = v.CoefC;
    r.CoefD = v.CoefD;
    CopierTexte(r.NomVoie, sizeof r.NomVoie, v.Nom);
    CopierTexte(r.UniteVoie, sizeof r.UniteVoie, v.Unite);
    r.TypeUnite = v.TypeUnite;
    r.FormatVoie = v.FormatVoie;
    r.TypeConversion = v.TypeConversion;
    r.PositionVoie = v.PositionVoie;
    r.OperateurFonction = v.OperateurFonction;
    r.Operande1 = v.Operande1;
    r.Operande2 = v.Operande2;
    return r;
}

tVoieSup Entree(const EntreeSup& s) {
    tVoieSup r{};
    r.Type = s.Type;
    r.Gain = s.Gain;
    r.BorneBasse = s.BorneBasse;
    r.BorneHaute = s.BorneHaute;
    CopierTexte(r.Nom, sizeof r.Nom, s.Nom);
    CopierTexte(r.Unite, sizeof r.Unite, s.Unite);
    return r;
}

const Signal& SignalVide() {
    static const Signal vide = Constant(0);
    return vide;
}

} // namespace

uint16_t ChecksumStocke(const Enregistrement& e, uint64_t somme) {
    return static_cast<uint16_t>(somme + static_cast<uint16_t>(e.ChecksumDecalage));
}

Disposition Disposer(const Enregistrement& e) {
    Disposition d;
    const Famille f = DecrireFamille(e);
    Plan& plan = d.Plan_;
    plan.TailleEnteteFixe = f.TailleEntete;

    // Presence bits and channel records by number (the first one given wins).
    std::array<bool, 256> bits{};
    std::map<int, const Voie*> voies;
    for (const Voie& v : e.Voies) {
        if (v.Numero < 0 || v.Numero >= 256) continue;
        bits[static_cast<size_t>(v.Numero)] = true;
        voies.emplace(v.Numero, &v);
    }
    const std::array<bool, 256> masque = bits;

    // Supplementary block: the entries given, then empty-coded ones.
    std::vector<tVoieSup> entrees;
    int nombreAtraiter = 0;
    if (e.BlocSup) {
        entrees.resize(static_cast<size_t>(f.EntreesBloc));
        for (auto& en : entrees) {
            en = tVoieSup{};
            en.Type = f.TypeVide;
        }
        const size_t donnees = std::min(e.BlocSup->size(), entrees.size());
        for (size_t i = 0; i < donnees; ++i) entrees[i] = Entree((*e.BlocSup)[i]);
        nombreAtraiter =
            e.NombreEntreesSup >= 0 ? std::min(e.NombreEntreesSup, 255) : static_cast<int>(donnees);
    }

    // The header reader's channel loop: it decides which records are read and which
    // channels take a word in the frame.
    std::vector<tCalibVoie> records;
    const bool quill = f.LimiteAnalog == LimiteAnalogQUILL && e.Famille == FamilleVEL;
    // A count beyond the block's entries makes a file the reader refuses: the
    // layout then covers the entries only.
    const int limite = e.BlocSup ? std::min({nombreAtraiter, f.EntreesBloc, f.LimiteVoies}) : f.LimiteVoies;
    int produites = 0;
    bool premierLu = false;
    for (int n = 0; n < limite; ++n) {
        if (e.BlocSup) {
            const int type = entrees[static_cast<size_t>(n)].Type & 0xF;
            if (type == f.TypeVide) continue;
            if (type != f.TypeOrdinaire) {
                // Described by the entry of the produced-channel count, data included.
                const auto k = static_cast<size_t>(produites);
                d.Colonnes.push_back(k < e.BlocSup->size() ? &(*e.BlocSup)[k].Donnees : &SignalVide());
                ++produites;
                continue;
            }
        }
        if (!bits[static_cast<size_t>(n)]) continue;
        const Voie& v = *voies.at(n);
        records.push_back(Record(v));
        if (!premierLu && quill)
            for (int b = 32; b <= 223; ++b) bits[static_cast<size_t>(b)] = false;
        premierLu = true;
        if (n < f.LimiteAnalog) {
            d.Colonnes.push_back(&v.Donnees);
            ++produites;
        } else if (!(f.SupprimeCalculees && v.TypeConversion == 1)) {
            ++produites;
        }
    }
    plan.NombreVoiesAnalog = static_cast<int>(d.Colonnes.size());
    plan.NombreRecords = static_cast<int>(records.size());
    if (e.Logique) d.Colonnes.push_back(&e.DonneesLogiques);
    plan.MotsParScan = static_cast<int>(d.Colonnes.size());

    const int nombreNoms =
        e.Logique ? std::min<int>(static_cast<int>(e.NomsLogiques.size()), NombreNomsLogiquesMax) : 0;
    const bool zoneScripts = e.Famille != FamilleTKAR && (f.Scripts || e.ZoneScripts || !e.Scripts.empty());

    // Offsets of every element.
    int64_t pos = f.TailleEntete;
    if (e.BlocSup) {
        plan.DebutBlocSup = pos;
        pos += f.TaillePreambule + f.EntreesBloc * static_cast<int64_t>(sizeof(tVoieSup));
    }
    plan.DebutVoies = pos;
    pos += static_cast<int64_t>(records.size() * sizeof(tCalibVoie));
    if (e.Logique) plan.DebutNomsLogiques = pos;
    pos += nombreNoms * TailleNomLogiqueFichier;
    if (zoneScripts) {
        plan.DebutScripts = pos;
        pos += TailleZoneScripts;
    }
    plan.DebutDonnees = pos;

    // Annotation area: old records first, then the 152-byte records.
    for (const AnnotationAncienne& a : e.AnnotationsAnciennes) {
        tTabAnnotMem r{};
        r.PositionMot = a.PositionMot;
        r.GenreAnnot = 0;
        CopierTexte(r.TexteAnnot, sizeof r.TexteAnnot, a.Texte);
        Ajouter(d.Annotations, r);
    }
    for (const AnnotationNouvelle& a : e.AnnotationsNouvelles) {
        tTabAnnotMemNew r{};
        r.PositionMot = a.PositionMot;
        r.GenreAnnot = a.Genre;
        r.CouleurAnnot = a.Couleur;
        r.HauteurAnnot = a.Hauteur;
        r.AnnotVerticale = a.Verticale;
        CopierTexte(r.TexteAnnot, sizeof r.TexteAnnot, a.Texte);
        Ajouter(d.Annotations, r);
    }
    plan.TailleAnnotations = static_cast<int64_t>(d.Annotations.size());
    const int64_t octetsDonnees = std::max<int64_t>(e.NombreScans, 0) * plan.MotsParScan * 2;
    plan.DebutAnnotations = plan.DebutDonnees + octetsDonnees;
    plan.Taille = plan.DebutAnnotations + plan.TailleAnnotations;

    // Fixed header.
    const uint8_t libre = e.OctetInutilise;
    const uint8_t marque = e.BlocSup ? MarqueBlocSup : 0;
    std::vector<uint8_t>& out = d.Entete;
    switch (e.Famille) {
    case FamilleTKOS: {
        tEnteteTKOS h{};
        h.Signature = e.Signature != 0 ? e.Signature : SignatureTKOS;
        h.RevisionFormat = e.RevisionVoies;
        h.Revision = e.Revision;
        CopierTexte(h.Modele, sizeof h.Modele, e.Modele);
        h.BlocSup = marque;
        h.Periode = e.PeriodeUs;
        for (int n = 0; n < 128; ++n)
            if (masque[static_cast<size_t>(n)]) h.Presence.Masque[n / 32] |= 1u << (n % 32);
        h.Presence.Libre1 = libre;
        h.Presence.NombreMotsLogiques = e.Logique ? 1 : 0;
        h.Presence.NombreNomsLogiques = static_cast<uint8_t>(nombreNoms);
        h.Presence.Libre2 = libre;
        h.TailleAnnotations = static_cast<int32_t>(plan.TailleAnnotations);
        h.DebutDonnees = static_cast<int32_t>(plan.DebutDonnees);
        h.Seconde = e.Seconde, h.Minute = e.Minute, h.Heure = e.Heure;
        h.Jour = e.Jour, h.Mois = e.Mois, h.Annee = e.Annee;
        h.MillisecondesTrigger = e.Millisecondes;
        h.ChecksumDonnees = e.MotChecksumTKOS;
        std::memset(h.Libre, libre, sizeof h.Libre);
        h.DebutScripts = zoneScripts ? static_cast<int32_t>(plan.DebutScripts) : 0;
        h.PreTrig = e.PreTrig;
        Ajouter(out, h);
        break;
    }
    case FamilleVEL: {
        tEnteteVEL h{};
        h.Signature = e.Signature != 0 ? e.Signature : SignatureVEL;
        h.RevisionFormat = e.RevisionVoies;
        h.Revision = e.Revision;
        CopierTexte(h.Modele, sizeof h.Modele, e.Modele);
        h.BlocSup = marque;
        h.Periode = e.PeriodeUs;
        for (int n = 0; n < 256; ++n)
            if (masque[static_cast<size_t>(n)]) h.Presence.Masque[n / 32] |= 1u << (n % 32);
        h.Presence.VoiesFonction = libre;
        h.Presence.NombreMotsLogiques = e.Logique ? 1 : 0;
        h.Presence.NombreNomsLogiques = static_cast<uint8_t>(nombreNoms);
        h.Presence.Libre = libre;
        h.TailleAnnotations = static_cast<int32_t>(plan.TailleAnnotations);
        h.DebutDonnees = static_cast<int32_t>(plan.DebutDonnees);
        h.Seconde = e.Seconde, h.Minute = e.Minute, h.Heure = e.Heure;
        h.Jour = e.Jour, h.Mois = e.Mois, h.Annee = e.Annee;
        h.MillisecondesTrigger = e.Millisecondes;
        std::memset(h.Libre, libre, sizeof h.Libre);
        h.DebutScripts = zoneScripts ? static_cast<int32_t>(plan.DebutScripts) : 0;
        h.PreTrig = e.PreTrig;
        Ajouter(out, h);
        break;
    }
    case FamilleTKAR:
    default: {
        tEnteteTKAR h{};
        d.Checksum = e.Checksum;
        h.Signature = e.Signature != 0 ? e.Signature : (e.Checksum ? SignatureTKARChecksum : SignatureTKAR);
        h.RevisionVoies = e.RevisionVoies;
        h.Revision = e.Revision;
        CopierTexte(h.Modele, sizeof h.Modele, e.Modele);
        h.BlocSup = marque;
        h.Periode = static_cast<uint32_t>(
            std::llround(std::clamp(static_cast<double>(e.PeriodeUs), 0.0, 4294967295.0)));
        h.PreTrig = static_cast<int32_t>(e.PreTrig);
        for (int n = 0; n < 64; ++n)
            if (masque[static_cast<size_t>(n)])
                h.Presence.Masque[n / 16] =
                    static_cast<uint16_t>(h.Presence.Masque[n / 16] | (1u << (n % 16)));
        h.Checksum = ChecksumStocke(e, 0); // the sum is added once the whole file is known
        h.TailleAnnotations = static_cast<uint16_t>(plan.TailleAnnotations);
        h.MillisecondesTrigger = e.Millisecondes;
        std::memset(h.Libre, libre, sizeof h.Libre);
        h.NombreMotsLogiques = e.Logique ? 1 : 0;
        h.NombreNomsLogiques = static_cast<uint8_t>(nombreNoms);
        h.Seconde = e.Seconde, h.Minute = e.Minute, h.Heure = e.Heure;
        h.Jour = e.Jour, h.Mois = e.Mois, h.Annee = e.Annee;
        Ajouter(out, h);
        break;
    }
    }

    // Supplementary block: byte 3 of the preamble is the number of entries to process.
    if (e.BlocSup) {
        std::vector<uint8_t> preambule(static_cast<size_t>(f.TaillePreambule), libre);
        preambule[3] = static_cast<uint8_t>(nombreAtraiter);
        out.insert(out.end(), preambule.begin(), preambule.end());
        for (const tVoieSup& en : entrees) Ajouter(out, en);
    }
    for (const tCalibVoie& r : records) Ajouter(out, r);
    for (int i = 0; i < nombreNoms; ++i) {
        char nom[TailleNomLogiqueFichier];
        CopierTexte(nom, sizeof nom, e.NomsLogiques[static_cast<size_t>(i)], ' ');
        out.insert(out.end(), nom, nom + sizeof nom);
    }
    if (zoneScripts) {
        // Slot s, line l at (s * 12 + l) * 200; lines NUL-padded.
        const size_t debut = out.size();
        out.resize(debut + TailleZoneScripts, 0);
        for (const auto& [slot, lignes] : e.Scripts) {
            if (slot < 0 || slot >= NombreSlotsScript) continue;
            for (size_t l = 0; l < lignes.size() && l < NombreLignesScript; ++l) {
                char* ligne = reinterpret_cast<char*>(out.data() + debut) +
                              (static_cast<size_t>(slot) * NombreLignesScript + l) * LongueurLigneScript;
                CopierTexte(ligne, LongueurLigneScript, lignes[l]);
            }
        }
    }

    if (d.Checksum)
        for (size_t i = static_cast<size_t>(f.TailleEntete); i < out.size(); ++i) d.SommeEntete += out[i];
    return d;
}

} // namespace recmaker::detail
