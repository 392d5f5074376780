// The message table: its names, its blocks and the texts the rest of the program relies on.
#include "shell/Messages.h"
#include "shell/Texte8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

class TableMessages : public ::testing::Test {
protected:
    void SetUp() override {
        RESET_LANGUE();
        RESET_NOM_LOGICIEL();
    }
    void TearDown() override { SetUp(); }
};

// Entry n of a block as UTF-8.
std::string Entree(tBloc bloc, int n) {
    int position = 0;
    int longueur = 0;
    const char* texte = POS_MESS_NT(bloc, n, position, longueur);
    return Cp1252VersUtf8(std::string(texte, static_cast<std::size_t>(longueur)).c_str());
}

std::string EnLangue(tBloc bloc, uint8_t langue) {
    Langue = langue;
    return Cp1252VersUtf8(POS_MESS(bloc));
}

// Messages whose English and German entries are deliberately missing: language names, shown in
// their own language whatever the language of the window.
const std::set<std::string> NomsDeLangue = {"M_Allemand", "M_Anglais", "M_Francais", "M_Italiano"};

TEST_F(TableMessages, HoldsExactlyTheListedNamesOnceEach) {
    const std::string attendus =
        "M_1Ecran M_add M_ADR_WEB M_Aff_CurseurY M_AfficheBorne M_AfficheScript M_Aide M_AideDetaille "
        "M_Allemand M_AncienEcran M_Anglais M_Annot_Label M_AnnotPleines M_Annuler M_APropos M_Bas "
        "M_CalculMathematique "
        "M_Calibre_box M_CalibreAuto M_CalibreREC M_ChangementEcran M_Channel M_CloseConf M_concatenation "
        "M_CoulCurseur M_Couleur M_CoulFond M_CoulReticule M_CoulVoie M_Create_annot M_CryptFaux "
        "M_CSVAutoDetect M_CSVDelimiter M_CSVSeparator M_CurseuDansBoite M_Curseur M_CurseurDansRetic "
        "M_CurseurY M_Date M_Ecran M_EffaceAnnot M_Epaisseur M_Erase M_Erreur M_ErreurConcat "
        "M_ErreurConcatMorceaux M_ErreurFichier M_Erreurretperso M_ErreurScript M_ErreurScriptTrouve "
        "M_ErreurSauveAnnot "
        "M_Export M_ExportAnnot "
        "M_ExportBitmap M_ExportCSV M_ExportEnd M_ExportErreur M_ExportExcell M_ExportFolderCSV "
        "M_ExportText M_FichierNonTKAR M_FileErreur M_FileMenu M_FileOK M_FilterRec M_FilterSPT "
        "M_FiltreExport M_FonctionsMath M_Format M_FormatEXPO M_FormatFIXE M_FormatISO M_Francais "
        "M_Graphique M_Grpbox_xy_dots M_Haut M_Hauteur M_HauteurLogique M_Hext M_Impression M_Init_Ret "
        "M_InitConf M_Intervalle M_Italiano M_Language M_Limitation M_Math_Ampl M_Math_Ampl_Com "
        "M_Math_Bas M_Math_Bas_Com M_Math_Freq M_Math_Freq_Com M_Math_Haut M_Math_Haut_Com M_Math_Max "
        "M_Math_Max_Com M_Math_Min M_Math_Min_Com M_Math_Moy M_Math_Moy_Com M_Math_N_Dutty_Cycle "
        "M_Math_N_Dutty_Cycle_Com M_Math_N_Oversh M_Math_N_Oversh_Com M_Math_N_Width M_Math_N_Width_Com "
        "M_Math_P_Dutty_Cycle M_Math_P_Dutty_Cycle_Com M_Math_P_Oversh M_Math_P_Oversh_Com M_Math_P_Widht "
        "M_Math_P_Widht_Com M_Math_Periode M_Math_Periode_Com M_Math_Pk_Pk M_Math_Pk_Pk_Com M_Math_RMS "
        "M_Math_RMS_Com M_Math_T_Desc M_Math_T_Desc_Com M_Math_T_Montee M_Math_T_Montee_Com M_MinMaxEcran "
        "M_ModifFonc M_NbEchant M_NbEchantS M_NbLigne M_NbpageImprimante M_NbRet M_NbVoieLogique "
        "M_Nombre_Calcul M_NombreDeVoieCurseur M_NomFichier M_NomLogiciel M_NomVerticale M_NomVoie "
        "M_NumeroVoieLogique M_NumRet M_OpenConf M_OpenFile M_Option M_PeriodUndersampling M_PleinePage "
        "M_PlusieurBorne M_Plusieurecran M_Police M_PosCursBas M_PosCursDroite M_PosCursGauche "
        "M_PosCursHaut M_Position_Ret M_Position_VLog M_Position_Voie M_Propriete M_Quit M_Retic "
        "M_Reticperso M_Retour M_retperso M_Sample M_Sauve_Nom_Concat M_SauveAnnot M_SaveFile M_SixFonctions "
        "M_Temps "
        "M_TempsAbsolue M_TempsDebut M_TempsFin M_TempsRelatif M_Timebase M_TypeEcran M_Undersampling "
        "M_Unite M_ValeurSuitCurseur M_Valid_Calcul M_Valider M_ValidLog M_ValidVL M_Version M_Vertical "
        "M_VL_EnDehors M_VL_Position M_Voie M_VoieLog M_VoieLogique M_VoieX_XY M_VoiesPleines "
        "M_ScriptArreteColonne M_ScriptArreteLigne "
        "M_ScriptInterrompuColonne M_ScriptInterrompuLigne M_ScriptNonInstalle M_VoieNonCalculee M_VoieZero "
        "M_VoieZeroEnSuite M_FichierSaufScripts M_AucunEnregistrement M_CommentOuvrir "
        "M_FichiersRecents M_NavigateurAbsent M_XY_dots "
        "M_XY_dots_size "
        "M_XY_lines M_ZoomEntreCurseur M_ZoomOff M_ZoomOn";
    std::istringstream flux(attendus);
    std::vector<std::string> noms;
    for (std::string nom; flux >> nom;) noms.push_back(nom);
    ASSERT_EQ(noms.size(), 206u);

    const auto table = TABLE_MESSAGES();
    ASSERT_EQ(table.size(), NombreMessages);
    std::set<std::string> vus;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].Nom, noms[i]);
        EXPECT_TRUE(vus.insert(table[i].Nom).second) << "twice: " << table[i].Nom;
        EXPECT_NE(table[i].Bloc.Octets, nullptr) << table[i].Nom;
        const bool tampon =
            std::strcmp(table[i].Nom, "M_ADR_WEB") == 0 || std::strcmp(table[i].Nom, "M_NomLogiciel") == 0;
        EXPECT_EQ(table[i].EstTampon, tampon) << table[i].Nom;
    }
}

TEST_F(TableMessages, ListingShowsTheSameBlocksAsTheGlobals) {
    struct tGlobal {
        const char* Nom;
        const char* Octets;
    };
#define MESSAGE(nom, fr, en, de) {#nom, nom.Octets},
#define TAMPON(nom) {#nom, nom},
    const tGlobal globaux[] = {
#include "shell/Messages.def"
    };
#undef MESSAGE
#undef TAMPON
    const auto table = TABLE_MESSAGES();
    ASSERT_EQ(std::size(globaux), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_STREQ(globaux[i].Nom, table[i].Nom);
        EXPECT_EQ(globaux[i].Octets, table[i].Bloc.Octets) << table[i].Nom;
    }
}

TEST_F(TableMessages, EveryTextBlockHasThreeTextsAndEndsWithPadding) {
    for (const tEntreeMessage& m : TABLE_MESSAGES()) {
        if (m.EstTampon) continue;
        SCOPED_TRACE(m.Nom);
        const bool langue = NomsDeLangue.count(m.Nom) != 0;
        for (int n = 0; n < 3; ++n) {
            int position = -1;
            int longueur = -1;
            POS_MESS_NT(m.Bloc, n, position, longueur);
            EXPECT_GT(longueur, 0) << "entry " << n;
            if (n == 0) continue;
            if (langue) {
                EXPECT_EQ(position, 0) << "entry " << n << " should fall back to French";
            } else {
                EXPECT_GT(position, 0) << "entry " << n << " is missing";
            }
        }
        // After the German text comes at least one padding NUL, inside the block.
        int position = 0;
        int longueur = 0;
        POS_MESS_NT(m.Bloc, 2, position, longueur);
        ASSERT_LT(static_cast<std::size_t>(position + longueur + 1), m.Bloc.Taille);
        EXPECT_EQ(m.Bloc.Octets[position + longueur], '\0');
        EXPECT_EQ(m.Bloc.Octets[m.Bloc.Taille - 1], '\0');
    }
}

TEST_F(TableMessages, ItalianAndUnknownLanguagesShowTheGermanText) {
    for (const tEntreeMessage& m : TABLE_MESSAGES()) {
        SCOPED_TRACE(m.Nom);
        const std::string allemand = EnLangue(m.Bloc, 2);
        EXPECT_FALSE(allemand.empty());
        EXPECT_EQ(EnLangue(m.Bloc, 3), allemand);
        EXPECT_EQ(EnLangue(m.Bloc, 4), allemand);
        EXPECT_EQ(EnLangue(m.Bloc, 255), allemand);
        EXPECT_FALSE(EnLangue(m.Bloc, 0).empty());
        EXPECT_FALSE(EnLangue(m.Bloc, 1).empty());
    }
}

TEST_F(TableMessages, LanguageNamesAreShownInTheirOwnLanguage) {
    for (uint8_t langue = 0; langue < 4; ++langue) {
        EXPECT_EQ(EnLangue(M_Francais, langue), "Français");
        EXPECT_EQ(EnLangue(M_Anglais, langue), "English");
        EXPECT_EQ(EnLangue(M_Allemand, langue), "Deutsch");
        EXPECT_EQ(EnLangue(M_Italiano, langue), "Italiano");
    }
}

struct tTexteFixe {
    tBloc Bloc;
    const char* Francais;
    const char* Anglais;
    const char* Allemand;
};

TEST_F(TableMessages, RecordingMessagesHaveTheirFixedTexts) {
    const tTexteFixe textes[] = {
        {M_Erreur, "Erreur", "Error", "Fehler"},
        {M_ErreurFichier, "Erreur Fichier", "File error", "Dateifehler"},
        {M_FichierNonTKAR,
         "Ce fichier n'est pas compatible\n Avec ce logiciel\n Utilisez OmbrixView à la place",
         "These file is not compatible with this software\n use instead OmbrixView",
         " Achtung :\n Diese Datei ist nicht kompatibel mit dieser Software\n Bitte OmbrixView anstelle von "
         "OmbrixViewer benutzen"},
        {M_VoieLog, "Voie Logique :", "Logic channels :", "Logik-Kanäle :"},
        {M_NbEchant,
         "Nombre Echantillons par voie : ", "Number of samples by channels :", "Anzahl Punkte pro Kanal :"},
        {M_NbEchantS, " Echant/voies", " Samples/channels", " Punkte/Kanal"},
        {M_Date, "Date :", "Date :", "Datum :"},
        {M_Sample, "Période acquisition :", "Sample Rate :", "Abtastrate :"},
        {M_PeriodUndersampling,
         "Période sous-échantillonnée :", "Undersampling Period :", "Unterabtastungszeitraum:"},
        {M_Hext, "Horloge Externe", "External sample", "Abtastrate Extern"},
        {M_ErreurConcat, "Erreur :\nLes fichiers ne sont pas compatibles entre eux",
         "Error:\n files headers are incompatibles", "Fehler:\n Dateien nicht kompatibel"},
        {M_concatenation, "Concatener", "Concatenate", "Dateien zusammenfügen"},
        {M_Sauve_Nom_Concat, "Sauver fichier", "Save file", "Speichern"},
        {M_CryptFaux, "Le checksum  est faux\n Voulez vous quand même ouvrir le fichier ?",
         "The checksum is false \n Would you still open the file?",
         "Prüfsummenfehler \n Wollen Sie die Datei trotzdem öffnen?"},
    };
    for (const tTexteFixe& t : textes) {
        EXPECT_EQ(Entree(t.Bloc, 0), t.Francais);
        EXPECT_EQ(Entree(t.Bloc, 1), t.Anglais);
        EXPECT_EQ(Entree(t.Bloc, 2), t.Allemand);
        EXPECT_EQ(EnLangue(t.Bloc, 0), t.Francais);
        EXPECT_EQ(EnLangue(t.Bloc, 1), t.Anglais);
        EXPECT_EQ(EnLangue(t.Bloc, 2), t.Allemand);
    }
}

TEST_F(TableMessages, TextsAreStoredInWindows1252) {
    Langue = 2;
    EXPECT_STREQ(POS_MESS(M_VoieLog), "Logik-Kan\xE4le :");
    Langue = 0;
    EXPECT_STREQ(POS_MESS(M_Sample), "P\xE9riode acquisition :");
    EXPECT_TRUE(std::string(POS_MESS(M_FichierNonTKAR)).ends_with("OmbrixView \xE0 la place"));
}

struct tTexteAnglais {
    tBloc Bloc;
    const char* Anglais;
};

TEST_F(TableMessages, EnglishTextsNamedByTheWindowsAndDialogs) {
    const tTexteAnglais textes[] = {
        {M_Calibre_box, "Range"},
        {M_CalibreAuto, "Automatic"},
        {M_CalibreREC, "Recorder"},
        {M_TypeEcran, "Screen"},
        {M_AncienEcran, "No modification"},
        {M_Plusieurecran, "One screen"},
        {M_1Ecran, "One screen by channel"},
        {M_Undersampling, "Undersampling"},
        {M_Valider, "Valid"},
        {M_Annuler, "Abort"},
        {M_add, "Add"},
        {M_Erase, "remove"},
        {M_FilterRec, "Recoder File *.rec|*.rec"},
        {M_FileErreur, "Error: this file is failed !"},
        {M_FileOK, "Loading finished . . . "},
        {M_Erreurretperso, "Custom Grid Not Found"},
        {M_VoieLogique, "Logics Channels"},
        {M_Aff_CurseurY, "Plot Cursor Y"},
        {M_Retour, "Return"},
        {M_OpenFile, "Open file"},
        {M_SauveAnnot, "Save Annotation file"},
        {M_OpenConf, "Open Setup File"},
        {M_CloseConf, "Save Setup File"},
        {M_InitConf, "Setup reset"},
        {M_ExportBitmap, "Bitmap export"},
        {M_ExportCSV, "CSV file export"},
        {M_ExportText, "Text file export"},
        {M_ExportFolderCSV, "CSV folder export"},
        {M_Impression, "Print"},
        {M_NbpageImprimante, "Numbers of print page : "},
        {M_Quit, "Exit"},
        {M_Propriete, "Properties"},
        {M_Language, "Language"},
        {M_CSVDelimiter, "CSV Delimiter"},
        {M_AideDetaille, "Detailed Help"},
        {M_APropos, "About"},
        {M_Curseur, "Cursor"},
        {M_ZoomOff, "Zoom +"},
        {M_ZoomEntreCurseur, "zoom between cursors"},
        {M_ZoomOn, "Zoom -"},
        {M_PleinePage, "Full page"},
        {M_CurseurY, "Cursor Y"},
        {M_CalculMathematique, "Mathematics calculations"},
        {M_Create_annot, "Create Annotation"},
        {M_FiltreExport, "File:"},
        {M_Ecran, "Screen"},
        {M_Voie, "Channels"},
        {M_Timebase, "Time base"},
        {M_NbRet, "Screen number :"},
        {M_NumRet, "Screen :"},
        {M_Haut, "top"},
        {M_Bas, "bottom"},
        {M_Intervalle, "Division :"},
        {M_AfficheBorne, "Display boundaries"},
        {M_Reticperso, "Custom Grid"},
        {M_VoieX_XY, "Channel X:"},
        {M_Grpbox_xy_dots, "XY Mode: Dots or Lines"},
        {M_XY_dots, "Dots"},
        {M_XY_lines, "Lines"},
        {M_Position_VLog, "Logic Channels position"},
        {M_VL_Position, "Position :"},
        {M_Hauteur, "Height (mm) :"},
        {M_VL_EnDehors, "Separate logic channels"},
        {M_Couleur, "Color"},
        {M_CoulFond, "Background"},
        {M_CoulReticule, "Grid"},
        {M_NomFichier, "Graph Title"},
        {M_Police, "Font"},
        {M_CoulVoie, "Color"},
        {M_Epaisseur, "thickness :"},
        {M_Format, "Format"},
        {M_FormatISO, "ISO"},
        {M_FormatFIXE, "Fixed"},
        {M_FormatEXPO, "Exponent"},
        {M_PlusieurBorne, "Multiple boundary"},
        {M_NomVerticale, "Channels name verticaly "},
        {M_ModifFonc, "Change"},
        {M_ChangementEcran, "Change screen :"},
        {M_TempsRelatif, "Relative time"},
        {M_TempsAbsolue, "Absolute time"},
        {M_TempsDebut, "Begin:"},
        {M_TempsFin, "End:"},
        {M_CurseuDansBoite, "Write values of channels"},
        {M_NombreDeVoieCurseur, "# cursor channels :"},
        {M_PosCursHaut, "Top"},
        {M_PosCursDroite, "Right"},
        {M_PosCursBas, "Bottom"},
        {M_PosCursGauche, "Left"},
        {M_CurseurDansRetic, "Cursor into the grid"},
        {M_CoulCurseur, "Color"},
        {M_ValeurSuitCurseur, "the Value follow the cursor"},
        {M_Aide, "Help"},
        {M_Version, "Version :"},
        {M_Math_Min, " Min Value"},
        {M_Math_Min_Com, "Min"},
        {M_Math_Max, " Max Value"},
        {M_Math_Max_Com, "Max"},
        {M_Math_Pk_Pk, "Peak to Peak"},
        {M_Math_Pk_Pk_Com, "Pk_Pk"},
        {M_Math_Freq, " Frequency"},
        {M_Math_Freq_Com, "Freq"},
        {M_Math_Periode, "Period"},
        {M_Math_Periode_Com, "Period"},
        {M_Math_Moy, "Mean "},
        {M_Math_Moy_Com, "Mean"},
        {M_Math_RMS, "RMS"},
        {M_Math_RMS_Com, "RMS"},
        {M_Valid_Calcul, "Draw calculation"},
        {M_Nombre_Calcul, "Number  of calculations:"},
        {M_MinMaxEcran, "Position Min and Max value onto the graph"},
        {M_NomVoie, "Name:"},
        {M_Unite, "Unit:"},
        {M_ErreurScript, "Error"},
        {M_ErreurScriptTrouve, "Errors in the following scripts:"},
        {M_Temps, "Time"},
        {M_Limitation, "Convert all points "},
        {M_ExportAnnot, "Export annotations"},
        {M_NbLigne, "Number of points maximum :"},
        {M_Export, "Export"},
        {M_ExportEnd, "Export finish"},
        {M_CSVAutoDetect, "Auto-Detect"},
        {M_CSVSeparator, "CSV Separator"},
        {M_Vertical, "vertical"},
        {M_Annot_Label, "click where do you want to add an annotation"},
        {M_EffaceAnnot, "Delete"},
    };
    for (const tTexteAnglais& t : textes) EXPECT_EQ(EnLangue(t.Bloc, 1), t.Anglais);
}

TEST_F(TableMessages, ProgramNameBufferReadsTheSameInEveryLanguage) {
    for (uint8_t langue = 0; langue < 4; ++langue) {
        Langue = langue;
        EXPECT_STREQ(POS_MESS(M_NomLogiciel), "OmbrixViewer");
    }
    const std::size_t adresse = std::strlen(M_ADR_WEB);
    EXPECT_GT(adresse, 0u);
    EXPECT_LT(adresse, TailleTamponMessage);
}

TEST_F(TableMessages, StartUpRefillsTheBuffersWhole) {
    std::memset(M_NomLogiciel, 'x', TailleTamponMessage);
    std::memset(M_ADR_WEB, 'y', TailleTamponMessage);
    INIT_NOM_LOGICIEL();
    EXPECT_STREQ(M_NomLogiciel, "OmbrixViewer");
    for (std::size_t i = std::strlen(M_NomLogiciel); i < TailleTamponMessage; ++i)
        EXPECT_EQ(M_NomLogiciel[i], '\0');
    EXPECT_LT(std::strlen(M_ADR_WEB), TailleTamponMessage);
    EXPECT_EQ(M_ADR_WEB[TailleTamponMessage - 1], '\0');

    std::strcpy(M_NomLogiciel, "Autre");
    RESET_NOM_LOGICIEL();
    EXPECT_STREQ(M_NomLogiciel, "OmbrixViewer");
}

} // namespace
