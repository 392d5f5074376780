#include "export/OptionsCSV.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include <QFile>

#include <unistd.h>

#include "export/FichierProvisoire.h"
#include "shell/DossiersUtilisateur.h"
#include "shell/Texte8.h"

bool CSVSeparatorAutoDetect = true;
char CSV_Separator = '.';
char CSV_Delimiter = ',';

namespace {

// A reading of "%d\n%c\n%c": each directive "\n" skips any white space; a
// conversion that fails ends the reading, leaving the rest as it was.
void LireFormat(const QByteArray& octets) {
    const char* p = octets.constData();
    const char* const fin = p + octets.size();
    auto blancs = [&] {
        while (p < fin && std::isspace(static_cast<unsigned char>(*p))) ++p;
    };
    blancs();
    if (p < fin && (*p == '+' || *p == '-')) ++p;
    const char* chiffres = p;
    long long valeur = 0;
    while (p < fin && std::isdigit(static_cast<unsigned char>(*p))) {
        if (valeur < 1000000000LL) valeur = valeur * 10 + (*p - '0');
        ++p;
    }
    if (p == chiffres) return;
    CSVSeparatorAutoDetect = valeur != 0;
    blancs();
    if (p >= fin) return;
    CSV_Separator = *p++;
    blancs();
    if (p >= fin) return;
    CSV_Delimiter = *p++;
}

} // namespace

void RESET_OPTIONS_CSV() {
    CSVSeparatorAutoDetect = true;
    CSV_Separator = '.';
    CSV_Delimiter = ',';
}

QString CHEMIN_CSV_CONF() {
    return DossierDonneesUtilisateur() + QStringLiteral("/csv.conf");
}

bool LIRE_CSV_CONF() {
    QFile f(CHEMIN_CSV_CONF());
    if (!f.exists()) {
        RESET_OPTIONS_CSV();
        return ECRIRE_CSV_CONF();
    }
    if (!f.open(QIODevice::ReadOnly)) return false;
    LireFormat(f.read(64));
    return true;
}

bool ECRIRE_CSV_CONF() {
    // Written beside and renamed over it once whole: a failed write leaves the
    // options the file held, never an emptied file.
    FichierProvisoire f;
    if (!f.Creer(CHEMIN_CSV_CONF())) return false;
    const char contenu[] = {CSVSeparatorAutoDetect ? '1' : '0', '\n', CSV_Separator, '\n', CSV_Delimiter};
    ssize_t n;
    do {
        n = ::write(f.Descripteur(), contenu, sizeof contenu);
    } while (n < 0 && errno == EINTR);
    // Five bytes on a fresh file: all of them, or a full disk.
    return n == static_cast<ssize_t>(sizeof contenu) && f.Valider();
}

void UpdateCSV() {
    LIRE_CSV_CONF();
    if (CSVSeparatorAutoDetect) {
        CSV_Delimiter = SEPARATEUR_DECIMAL();
        CSV_Separator = CSV_Delimiter == '.' ? ',' : ';';
    }
}

char SEPARATEUR_DECIMAL(const QLocale& culture) {
    const std::string marque = VersCp1252(culture.decimalPoint());
    return marque.size() == 1 && marque[0] != '?' ? marque[0] : '.';
}
