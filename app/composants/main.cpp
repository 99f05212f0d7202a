// composants: each companion component on its own, on a database.
//   --db PATH        database file; a new (or empty) one is made with the demo data, as
//                    meridoval makes it (default: composants.mvdb in the user's data folder)
//   --user NAME      whose rights apply (default: the demo user with full rights)
//   --lire CODE      reads that association into the address and bank tabs
//   --capture FILE   show tab --onglet N, write the window to FILE as PNG and exit
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "app/common/open_base.h"
#include "app/composants/fenetre_composants.h"
#include "platform/seed/seed.h"
#include "platform/toolkit/qtext.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("meridoval"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Les composants de MERIDOVAL, un par onglet."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("db"), QStringLiteral("Fichier de la base."), QStringLiteral("chemin")});
    parser.addOption({QStringLiteral("user"),
                      QStringLiteral("Utilisateur dont les droits "
                                     "s'appliquent."),
                      QStringLiteral("nom"), QString::fromUtf8(seed::kDemoAdminUser)});
    parser.addOption({QStringLiteral("capture"), QStringLiteral("Image PNG de la fenêtre."),
                      QStringLiteral("fichier")});
    parser.addOption({QStringLiteral("lire"), QStringLiteral("Association lue au départ."),
                      QStringLiteral("code")});
    parser.addOption({QStringLiteral("onglet"), QStringLiteral("Onglet montré (depuis 0)."),
                      QStringLiteral("n"), QStringLiteral("0")});
    parser.process(app);

    QString path = parser.value(QStringLiteral("db"));
    if (path.isEmpty()) {
        path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                   .filePath(QStringLiteral("composants.mvdb"));
    }
    std::shared_ptr<store::Database> database;
    try {
        appbase::OpenOptions options;
        options.preparation = appbase::Preparation::DemoData;
        options.makeFolders = true;
        appbase::Opened opened = appbase::OpenBase(toolkit::fromQ(path), options);
        if (opened.prepared)
            std::fprintf(stderr, "Base de démonstration créée : %s\n", qPrintable(path));
        database = opened.database;
        database->SetUserName(toolkit::fromQ(parser.value(QStringLiteral("user"))));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Impossible d'ouvrir la base %s : %s\n", qPrintable(path), e.what());
        return 1;
    }

    FenetreComposants fenetre(database, toolkit::fromQ(parser.value(QStringLiteral("user"))));
    fenetre.onglets()->setCurrentIndex(parser.value(QStringLiteral("onglet")).toInt());
    fenetre.show();
    if (parser.isSet(QStringLiteral("lire")))
        fenetre.lire(parser.value(QStringLiteral("lire")));
    const QString capture = parser.value(QStringLiteral("capture"));
    if (!capture.isEmpty()) {
        QTimer::singleShot(200, &fenetre, [&] {
            const bool ok = fenetre.grab().save(capture, "PNG");
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
