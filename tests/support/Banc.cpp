#include "tests/support/Banc.h"

#include "core/reglages/DossierProgramme.h"
#include "platform/Plateforme.h"
#include "windows/demarrage/Splash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vuv::test {

void ouvre_seance(const Seance& s) {
    s.courant = QDir::currentPath();
    s.dossier = std::make_unique<DossierProgrammeTest>();
    QDir::setCurrent(s.dossier->chemin());
    s.dialogues = std::make_unique<DialoguesScriptes>();
    installe_dialogues(s.dialogues.get());
    s.programme = demarre();
}

void ferme_seance(const Seance& s) {
    s.programme.reset();
    installe_dialogues(nullptr);
    s.dialogues.reset();
    s.dossier.reset();
    QDir::setCurrent(s.courant);
}

DossierProgrammeTest::DossierProgrammeTest() : chemin_(temporaire_.path()) { installe(); }

DossierProgrammeTest::DossierProgrammeTest(const QString& chemin) : chemin_(chemin) { installe(); }

void DossierProgrammeTest::installe() {
    avait_ancien_ = qEnvironmentVariableIsSet(variable_dossier_programme);
    ancien_ = qgetenv(variable_dossier_programme);
    ancien_dossier_ = dossier_programme();
    qputenv(variable_dossier_programme, chemin_.toLocal8Bit());
    avait_donnees_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    ancien_donnees_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", fichier(QStringLiteral("donnees")).toLocal8Bit());
    fixe_dossier_programme(determine_dossier_programme().toStdString());
}

DossierProgrammeTest::~DossierProgrammeTest() {
    if (avait_ancien_) qputenv(variable_dossier_programme, ancien_);
    else qunsetenv(variable_dossier_programme);
    if (avait_donnees_) qputenv("XDG_DATA_HOME", ancien_donnees_);
    else qunsetenv("XDG_DATA_HOME");
    fixe_dossier_programme(ancien_dossier_);
}

ProgrammeTest::ProgrammeTest(const QStringList& arguments) {
    TSplashForm::attente_ms = 0;
    installe = std::make_unique<PortInstalle>(port);
    programme = std::make_unique<Programme>(arguments);
}

ProgrammeTest::~ProgrammeTest() {
    programme.reset();
    installe.reset();
}

std::unique_ptr<ProgrammeTest> demarre(const QStringList& arguments) {
    return std::make_unique<ProgrammeTest>(arguments);
}

bool existe(const QString& chemin) { return QFileInfo::exists(chemin); }

QByteArray lit_octets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrit_octets(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(octets);
}

} // namespace vuv::test
