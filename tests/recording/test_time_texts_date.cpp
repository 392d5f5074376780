// Trigger date text and the period part of the title line.
#include <string>

#include <QDateTime>

#include "recording/TexteDate.h"
#include "test_scaling_fixture.h"

namespace {

const QDateTime dateTrigger(QDate(2024, 3, 5), QTime(14, 7, 9, 45), Qt::UTC);

std::string Date(const QDateTime& d) {
    char texte[128];
    TEXTE_DATE_GENERALE(texte, d);
    return texte;
}

TEST_F(EchelleTest, DateAvecEtSansMillisecondes) {
    Langue = 1;
    EnteteF.MillisecondesTrigger = 45;
    EXPECT_EQ(Date(dateTrigger), "5 Mar 2024 14:07:09.045");
    EnteteF.MillisecondesTrigger = -1;
    EXPECT_EQ(Date(dateTrigger), "5 Mar 2024 14:07:09");
    EnteteF.MillisecondesTrigger = 0;
    EXPECT_EQ(Date(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC)), "5 Mar 2024 14:07:09.000");
}

// The regional formats when they are in the interface language, otherwise the language's own;
// the neutral culture counts as English.
TEST_F(EchelleTest, DateDansLaLangueDeLInterface) {
    EnteteF.MillisecondesTrigger = 45;
    const struct {
        QLocale Regionale;
        uint8_t Langue;
        std::string Texte;
    } cas[] = {
        {QLocale(QLocale::French, QLocale::France), 0, "05/03/2024 14:07:09.045"},
        {QLocale(QLocale::English, QLocale::UnitedStates), 1, "3/5/24 2:07:09 PM.045"}, // no zone name
        {QLocale(QLocale::English, QLocale::UnitedKingdom), 1, "05/03/2024 14:07:09.045"},
        {QLocale(QLocale::French, QLocale::Canada), 0, "2024-03-05 14 h 07 min 09 s.045"},
        {QLocale::c(), 1, "5 Mar 2024 14:07:09.045"},
        {QLocale::c(), 4, "5 Mar 2024 14:07:09.045"}, // a stored language past Italian reads English
        {QLocale::c(), 0, "05/03/2024 14:07:09.045"},
        {QLocale::c(), 2, "05.03.24 14:07:09.045"},
        {QLocale::c(), 3, "05/03/24 14:07:09.045"}, // Italian dates, though the texts are German
        {QLocale(QLocale::German, QLocale::Germany), 0, "05/03/2024 14:07:09.045"},
        {QLocale(QLocale::French, QLocale::France), 1, "3/5/24 2:07:09 PM.045"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Regionale.name().toStdString() + " " + std::to_string(c.Langue));
        QLocale::setDefault(c.Regionale);
        Langue = c.Langue;
        EXPECT_EQ(Date(dateTrigger), c.Texte);
    }
    // A local wall-clock date is written as it stands, without conversion.
    QLocale::setDefault(QLocale::c());
    Langue = 1;
    EXPECT_EQ(Date(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 45), Qt::LocalTime)),
              "5 Mar 2024 14:07:09.045");
}

TEST_F(EchelleTest, TexteDeDateDeDeclenchement) {
    EnteteF.MillisecondesTrigger = 45;
    char texte[128];
    Langue = 1;
    TEXTE_DATE_TRIGGER(texte, dateTrigger);
    EXPECT_STREQ(texte, "Date :5 Mar 2024 14:07:09.045");
    Langue = 2;
    EnteteF.MillisecondesTrigger = -1;
    TEXTE_DATE_TRIGGER(texte, dateTrigger);
    EXPECT_STREQ(texte, "Datum :05.03.24 14:07:09");
    char court[10];
    TEXTE_DATE_TRIGGER(court, dateTrigger);
    EXPECT_STREQ(court, "Datum :05");
    TEXTE_DATE_TRIGGER(texte, QDateTime()); // no date: the label alone
    EXPECT_STREQ(texte, "Datum :");
}

TEST_F(EchelleTest, PeriodeDansLaLigneDeTitre) {
    Langue = 1;
    EnteteF.BaseDeTempsInterne = 1;
    EnteteF.PeriodeEchantillon = 1000.0f;
    char texte[128];
    TEXTE_PERIODE_TITRE(texte, true, false, 0.0f);
    EXPECT_STREQ(texte, "Sample Rate :1ms  ");
    EXPECT_EQ(samplingPeriod, 1000.0f);
    TEXTE_PERIODE_TITRE(texte, true, true, 5000.0f);
    EXPECT_STREQ(texte, "Sample Rate :1ms  Undersampling Period :5ms");
    TEXTE_PERIODE_TITRE(texte, false, true, 5000.0f);
    EXPECT_STREQ(texte, "Sample Rate :1msUndersampling Period :5ms");
    EnteteF.PeriodeEchantillon = 0.5f;
    TEXTE_PERIODE_TITRE(texte, false, false, 0.0f);
    EXPECT_STREQ(texte, "Sample Rate :0.5\xB5s");
}

TEST_F(EchelleTest, HorlogeExterneDansLaLigneDeTitre) {
    Langue = 1;
    EnteteF.BaseDeTempsInterne = 0;
    EnteteF.PeriodeEchantillon = 1.0f;
    char texte[64];
    TEXTE_PERIODE_TITRE(texte, true, true, 5000.0f);
    EXPECT_STREQ(texte, "External sample");
    EXPECT_EQ(samplingPeriod, 1.0f);
    Langue = 0;
    TEXTE_PERIODE_TITRE(texte, true, false, 0.0f);
    EXPECT_STREQ(texte, "Horloge Externe");
}

} // namespace
