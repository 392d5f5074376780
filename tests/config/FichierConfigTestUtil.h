// Fixture of the configuration-file tests: zero-filled globals, English texts, a recorded message
// box, and every per-user folder (application data, settings stores) inside a fresh temporary
// folder, so the tests never see or change the user's own files.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "ConfigTestUtil.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"
#include "shell/Registre.h"

class FichiersConfig : public ConfigGlobale {
protected:
    void SetUp() override {
        ConfigGlobale::SetUp();
        ASSERT_TRUE(Temp.isValid());
        AncienXdgData = qgetenv("XDG_DATA_HOME");
        AvaitXdgData = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(Chemin(QStringLiteral("data"))));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Chemin(QStringLiteral("config")));
        RESET_GLOBAL_REGISTRE();
        Langue = 1;
        Installation.emplace(Boites);
    }
    void TearDown() override {
        Installation.reset();
        if (AvaitXdgData)
            qputenv("XDG_DATA_HOME", AncienXdgData);
        else
            qunsetenv("XDG_DATA_HOME");
        RESET_LANGUE();
        RESET_GLOBAL_REGISTRE();
        ConfigGlobale::TearDown();
    }

public:
    QString Chemin(const QString& nom) const { return QDir(Temp.path()).filePath(nom); }

    static void EcrireFichier(const QString& chemin, const QByteArray& octets) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(octets), octets.size());
    }
    static QByteArray LireFichier(const QString& chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray ImageConfig() {
        return QByteArray(reinterpret_cast<const char*>(&Config), sizeof Config);
    }
    static void PoserImageConfig(const QByteArray& image) {
        ASSERT_EQ(image.size(), static_cast<qsizetype>(sizeof Config));
        std::memcpy(&Config, image.constData(), sizeof Config);
    }

protected:
    QTemporaryDir Temp;
    BoiteMessageEnregistreuse Boites;

private:
    std::optional<InstallationBoiteMessage> Installation;
    QByteArray AncienXdgData;
    bool AvaitXdgData = false;
};
