#include "shell/LigneCommande.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace {

// Value of an option: the text from its fourth character, -1 for an argument of fewer than three
// characters, 0 when it does not read as a number.
double VALEUR_OPTION(const QString& option, const QLocale& culture) {
    if (option.size() < 3) return -1.0;
    bool lu = false;
    const double valeur = culture.toDouble(option.mid(3), &lu);
    return lu ? valeur : 0.0;
}

// Written so that a value that is not a number (a "nan" typed as value) fails the test.
bool DANS(double v, double bas, double haut) {
    return v >= bas && v <= haut;
}

// Row count of /n: truncated, kept within 32 bits (the export caps it much lower).
int32_t NOMBRE_LIGNES(double v) {
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::trunc(v));
}

bool EST_ENREGISTREMENT(const QString& argument) {
    return argument.toLower().endsWith(QStringLiteral(".rec"));
}

} // namespace

bool EST_FICHIER_CONFIG(const QString& argument) {
    const QString nom = QFileInfo(argument).fileName();
    return nom.endsWith(QStringLiteral(".cnf")) || nom.endsWith(QStringLiteral(".spt"));
}

tLigneCommande INTERPRETER_LIGNE_COMMANDE(const QStringList& arguments, const QString& repertoireTravail,
                                          const QLocale& culture) {
    tLigneCommande r;
    const QString decimal = culture.decimalPoint();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (EST_ENREGISTREMENT(argument)) {
            r.FichierREC = QDir(repertoireTravail).filePath(argument);
            continue;
        }
        if (i == 0 && EST_FICHIER_CONFIG(argument)) continue;

        QString option = argument.toLower();
        option.replace(QLatin1Char('.'), decimal).replace(QLatin1Char(','), decimal);
        if (!option.startsWith(QLatin1Char('/'))) {
            r.Erreur = true;
            continue;
        }
        const double valeur = VALEUR_OPTION(option, culture);
        const QChar lettre = option.size() > 1 ? option[1] : QChar();
        switch (lettre.unicode()) {
        case 'b':
            if (DANS(valeur, 0.0, 1.0))
                r.Debut = valeur;
            else
                r.Erreur = true;
            break;
        case 'e':
            if (valeur > 0.0 && valeur <= 1.0)
                r.Fin = valeur;
            else
                r.Erreur = true;
            break;
        case 'x':
            r.ModeExport = ModeExportExcel;
            break;
        case 't':
            r.ModeExport = ModeExportTexte;
            break;
        case 'c':
            r.ModeExport = ModeExportCSV;
            break;
        case 'n':
            if (valeur > 0.0) {
                r.LimitationExport = 1;
                r.LongueurExport = NOMBRE_LIGNES(valeur);
            }
            break;
        case 'd': {
            const QChar suite = option.size() > 2 ? option[2] : QChar();
            if (suite == QLatin1Char('a'))
                r.TempsAbsolu = 1;
            else if (suite == QLatin1Char('r'))
                r.TempsAbsolu = 0;
            break;
        }
        default:
            r.Erreur = true;
            break;
        }
    }
    if (r.Erreur) {
        r.TexteErreur = QStringLiteral("Error ");
        for (const QString& argument : arguments) r.TexteErreur += QLatin1Char(' ') + argument;
    }
    return r;
}

std::pair<double, double> ORDONNER_FRACTIONS(double debut, double fin) {
    if (fin < debut) return {fin, debut};
    return {debut, fin};
}
