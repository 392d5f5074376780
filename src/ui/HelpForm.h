// Help: the help file of the program opened with the desktop's viewer for it,
// or else the user guide in a help window; and the about window with the
// name, the version and the maker's web address.
#pragma once

#include <functional>

#include <QDialog>
#include <QString>
#include <QUrl>

class QLabel;
class QPushButton;

namespace VIEW {

// The help file next to the program: "HelpOmbrixViewer_fra.chm" in French
// (language 0), "HelpOmbrixViewer_eng.chm" in every other language.
QString CHEMIN_AIDE(const QString& dossierProgramme, int langue);

// The user guide of the language, French for language 0 and English for every
// other one ("guide_fr.html", "guide_en.html"): first in "guide" next to the
// program (the build tree), then in the installed documentation of the
// program's prefix (<prefix>/bin/../share/doc/ombrixviewer/guide). Empty when
// neither holds it.
QString CHEMIN_GUIDE(const QString& dossierProgramme, int langue);

// Opens the help file with `ouvrir` (the desktop's associated program); when
// there is none or nothing opens it, shows the user guide in the help window
// (owned by `parent`). With neither, the box "Error Reading help file " (title
// "Error", exclamation). True when help was shown.
bool APPEL_CHM(const QString& dossierProgramme, int langue, const std::function<bool(const QUrl&)>& ouvrir,
               QWidget* parent = nullptr);

// The version the about window shows: major and minor of the build's version.
inline constexpr const char* VersionAffichee = OMBRIX_VERSION_AFFICHEE;

class HelpForm : public QDialog {
    Q_OBJECT
public:
    explicit HelpForm(QWidget* parent = nullptr);
    // Texts in the current language.
    void init();
    // Opens the web address; when no browser opens it, the box says so
    // (labelSansNavigateur) and the address stays there to be copied.
    void APPEL_SITE();
    std::function<bool(const QUrl&)> Ouvrir;

    QLabel* pictureBox1 = nullptr;
    QLabel* labelNom = nullptr;
    QLabel* labelVersion = nullptr;
    QLabel* linkLabel1 = nullptr;
    QLabel* labelSansNavigateur = nullptr; // hidden until a link could not be opened
    QPushButton* button1 = nullptr;
};

} // namespace VIEW
