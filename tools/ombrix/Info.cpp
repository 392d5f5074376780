// `ombrix info FILE`: reads a recording's header as the viewer does and prints
// what it found as one JSON object.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Commandes.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace {

// A float as the shortest decimal that reads back as that float (0.1f prints 0.1).
QJsonValue Reel(float f) {
    char texte[32];
    const auto fin = std::to_chars(texte, texte + sizeof texte - 1, f);
    if (fin.ec != std::errc()) return QJsonValue(static_cast<double>(f));
    *fin.ptr = '\0';
    return QJsonValue(std::strtod(texte, nullptr));
}

// A fixed text field of at most n bytes, which may fill its field without a NUL.
QString Texte(const char* champ, int n) {
    return DepuisCp1252(champ, n);
}

const char* NomFamille(int16_t famille) {
    switch (famille) {
    case FamilleTKAR:
        return "TKAR";
    case FamilleTKOS:
        return "TKOS";
    default:
        return "VEL";
    }
}

QJsonArray Voies(const t_EnteteREC_GlobalTotal& e) {
    QJsonArray voies;
    for (int k = 0; k < e.NombreVoiesTotal; ++k) {
        const tCalibVoie& v = e.CalibVoie[k];
        const tAffichageVoie& a = e.Affichage[k];
        QJsonObject o;
        o["index"] = k;
        o["name"] = Texte(a.NomAffiche, sizeof a.NomAffiche);
        o["unit"] = Texte(a.UniteAffichee, sizeof a.UniteAffichee);
        o["conversion"] = v.TypeConversion;
        o["signed"] = a.VoieSignee != 0;
        o["computed"] = k >= e.NombreVoiesAnalog;
        o["offset"] = Reel(v.Decalage);
        o["gain"] = Reel(v.Gain);
        o["span"] = Reel(v.Etendue);
        o["centre"] = Reel(v.Centre);
        o["coef"] = QJsonArray{Reel(v.CoefA), Reel(v.CoefB), Reel(v.CoefC), Reel(v.CoefD)};
        o["format"] = v.FormatVoie;
        o["position"] = v.PositionVoie;
        o["operator"] = v.OperateurFonction;
        o["operands"] = QJsonArray{v.Operande1, v.Operande2};
        voies.append(o);
    }
    return voies;
}

QJsonObject Annotations() {
    QJsonArray anciennes, nouvelles;
    for (int i = 0; i < AncienAnnot; ++i) {
        const tTabAnnotMem& a = TabAnnotMem[i];
        anciennes.append(QJsonObject{{"position", static_cast<qint64>(a.PositionMot)},
                                     {"text", Texte(a.TexteAnnot, sizeof a.TexteAnnot)}});
    }
    for (int i = 0; i < NouveauAnnot; ++i) {
        const tTabAnnotMemNew& a = TabAnnotMemNew[i];
        nouvelles.append(QJsonObject{{"position", static_cast<qint64>(a.PositionMot)},
                                     {"kind", a.GenreAnnot},
                                     {"color", a.CouleurAnnot},
                                     {"height", a.HauteurAnnot},
                                     {"vertical", a.AnnotVerticale},
                                     {"text", Texte(a.TexteAnnot, sizeof a.TexteAnnot)}});
    }
    return QJsonObject{{"old", anciennes}, {"new", nouvelles}};
}

QJsonArray Scripts(const OuvreREC& ouvre, int16_t famille) {
    QJsonArray scripts;
    if (!ouvre.Scripts) return scripts;
    const int nombre = famille == FamilleTKOS ? NombreSlotsScriptTKOS : NombreSlotsScript;
    for (int s = 0; s < nombre; ++s) {
        if (ouvre.Scripts->SlotVide(s)) continue;
        // The slot's lines up to its last non-empty one.
        int derniere = NombreLignesScript - 1;
        while (derniere > 0 && ouvre.Scripts->Ligne(s, derniere).empty()) --derniere;
        QJsonArray lignes;
        for (int l = 0; l <= derniere; ++l) lignes.append(DepuisCp1252(ouvre.Scripts->Ligne(s, l).c_str()));
        scripts.append(QJsonObject{{"slot", s}, {"lines", lignes}});
    }
    return scripts;
}

QJsonObject Description(const OuvreREC& ouvre) {
    const t_EnteteREC_GlobalTotal& e = *ouvre.EnteteFichier;
    QJsonArray nomsLogiques;
    for (int i = 0; i < e.NombreEntreesLogiques; ++i)
        nomsLogiques.append(Texte(e.NomLogique[i], sizeof e.NomLogique[i]));
    QJsonObject o;
    o["family"] = NomFamille(e.FamilleEnregistreur);
    o["signature"] = e.VersionFichier;
    o["revision"] = e.Revision;
    o["model_tkar"] = e.ModeleTKAR != 0;
    o["new_formula"] = e.NouvelleFormule != 0;
    o["scans"] = static_cast<qint64>(e.NombreScans);
    o["analog_channels"] = e.NombreVoiesAnalog;
    o["total_channels"] = e.NombreVoiesTotal;
    o["words_per_scan"] = e.LongueurScan;
    o["data_offset"] = e.DebutDonnees;
    o["period_us"] = Reel(e.PeriodeEchantillon);
    o["internal_clock"] = e.BaseDeTempsInterne != 0;
    o["pretrig"] = e.PreTrig;
    o["start_time_us"] = e.TempsDebut;
    o["duration_us"] = e.DureeTotale;
    o["trigger"] = ouvre.DateTrigger.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    o["trigger_ms"] = e.MillisecondesTrigger;
    o["checksum_stored"] = static_cast<uint16_t>(e.ChecksumDonnees);
    o["logic_words"] = e.PresenceLogique;
    o["logic_names"] = nomsLogiques;
    o["channels"] = Voies(e);
    o["annotations"] = Annotations();
    o["title"] = ouvre.OnAunTitre ? Texte(ouvre.M_Titre_Fichier, sizeof ouvre.M_Titre_Fichier) : QString();
    o["scripts"] = Scripts(ouvre, e.FamilleEnregistreur);
    return o;
}

} // namespace

int CommandeInfo(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ombrix info FILE\n");
        return 1;
    }
    Langue = 1; // messages in English
    OuvreREC ouvre(&EnteteF);
    ouvre.VraiNomFichier = ouvre.NomFichier = QString::fromLocal8Bit(argv[1]);
    const uint8_t resultat = ouvre.LECTURE_ENTETE();
    if (resultat != LectureOK) {
        OuvreREC::AFFICHE_ERREUR_LECTURE(resultat); // the console box writes to standard error
        if (resultat == LectureErreur && *ouvre.CauseErreur != '\0')
            std::fprintf(stderr, "ombrix info: %s\n", ouvre.CauseErreur);
        return resultat;
    }
    const QByteArray json = QJsonDocument(Description(ouvre)).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
