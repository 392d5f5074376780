#include "shell/Texte8.h"

#include "shell/Cp1252.h"

#include <algorithm>
#include <cstring>

QString DepuisCp1252(const char* texte) {
    if (texte == nullptr) return {};
    return DepuisCp1252(texte, static_cast<int>(std::strlen(texte)));
}

QString DepuisCp1252(const char* texte, int n) {
    QString resultat;
    if (texte == nullptr || n <= 0) return resultat;
    resultat.reserve(n);
    for (int i = 0; i < n && texte[i] != '\0'; ++i)
        resultat.append(QChar(TableCp1252[static_cast<unsigned char>(texte[i])]));
    return resultat;
}

std::string VersCp1252(const QString& texte) {
    std::string resultat;
    resultat.reserve(static_cast<std::size_t>(texte.size()));
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        // A surrogate pair is one character outside the basic plane: one '?'.
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate()) {
            ++i;
            resultat.push_back('?');
            continue;
        }
        const int octet = Cp1252DepuisUnicode(c.unicode());
        resultat.push_back(octet < 0 ? '?' : static_cast<char>(octet));
    }
    return resultat;
}

std::string Cp1252VersUtf8(const char* texte) {
    return DepuisCp1252(texte).toStdString();
}

std::string Utf8VersCp1252(std::string_view texte) {
    return VersCp1252(QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size())));
}

void CONVERT_STRING_CHAR(const QString& texte, char* tampon, std::size_t taille) {
    if (tampon == nullptr || taille == 0) return;
    const std::string octets = VersCp1252(texte);
    const std::size_t n = std::min({std::strlen(octets.c_str()), octets.size(), taille - 1});
    std::memcpy(tampon, octets.data(), n);
    tampon[n] = '\0';
}
