// The one seam through which every message box of the program goes. The window installs a handler
// that shows real boxes; without one, boxes are written to the console (standard error), which is
// what the command-line export and the tests see.
#pragma once

#include <QString>

#include <cstdint>
#include <iosfwd>

enum class tIconeBoite : uint8_t { Aucune, Information, Avertissement, Erreur };

class BoiteMessage {
public:
    virtual ~BoiteMessage() = default;
    // A box with an OK button.
    virtual void MONTRER(const QString& titre, const QString& texte, tIconeBoite icone) = 0;
    // A Yes/No question; true for Yes. `reponseSansEffet` is the answer that changes nothing, given
    // by a handler that cannot ask anyone.
    virtual bool DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone,
                          bool reponseSansEffet) = 0;
};

// Console handler: writes "<title>: <text>" and a line break, in UTF-8, to its stream; a question
// is written the same way and answered with the answer that changes nothing.
class BoiteMessageConsole : public BoiteMessage {
public:
    explicit BoiteMessageConsole(std::ostream& flux);
    void MONTRER(const QString& titre, const QString& texte, tIconeBoite icone) override;
    bool DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone,
                  bool reponseSansEffet) override;

private:
    std::ostream& Flux;
};

// Installs the handler of the whole process and returns the one it replaces. The handler is not
// owned and must outlive its installation. nullptr installs the console handler on standard error.
BoiteMessage* INSTALLER_BOITE_MESSAGE(BoiteMessage* boite);
// The handler in use (never null).
BoiteMessage& BOITE_MESSAGE();
// Back to the console handler on standard error.
void RESET_BOITE_MESSAGE();

// Installs a handler for the lifetime of this object, then puts the previous one back.
class InstallationBoiteMessage {
public:
    explicit InstallationBoiteMessage(BoiteMessage& boite) : Precedente(INSTALLER_BOITE_MESSAGE(&boite)) {}
    ~InstallationBoiteMessage() { INSTALLER_BOITE_MESSAGE(Precedente); }
    InstallationBoiteMessage(const InstallationBoiteMessage&) = delete;
    InstallationBoiteMessage& operator=(const InstallationBoiteMessage&) = delete;

private:
    BoiteMessage* Precedente;
};

// The same boxes for the core's Windows-1252 texts (a null text shows as empty).
void AFFICHE_MESSAGE(const char* titre, const char* texte, tIconeBoite icone);
bool QUESTION_OUI_NON(const char* titre, const char* texte, tIconeBoite icone, bool reponseSansEffet);
// An error of the program: warning box titled with `M_Erreur` in the current language.
void AFFICHE_ERREUR(const char* texte);
