// meridoval: the association screen in its own window.
//   --db PATH          database file (default: the demo database in the user's data folder,
//                      created with the demo data on first run)
//   --user NAME        whose rights apply (default: the demo user with full rights)
//   --screenshot FILE  show an association (--code NNN) on a tab (--tab N), write the window to
//                      FILE as PNG and exit; with --window etablissements, open its
//                      establishments window on establishment --etab NNN and capture that;
//                      with --window activites, its activities window on --activite NNN;
//                      with --window comptabilite, the accounting window of --activite NNN;
//                      with --window parametres, the parameters window on --table NOM
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <cstdio>
#include <cstring>

#include "app/meridoval/demo_database.h"
#include "app/meridoval/main_window.h"
#include "platform/seed/seed.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"

int main(int argc, char** argv) {
    // A capture needs no screen: without a platform chosen, render off screen.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("meridoval"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("MERIDOVAL — paramètres de l'association"));
    parser.addHelpOption();
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("Fichier de la base."),
                                QStringLiteral("PATH"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Utilisateur."),
                                  QStringLiteral("NAME"),
                                  QString::fromLatin1(seed::kDemoAdminUser));
    const QCommandLineOption shot(QStringLiteral("screenshot"),
                                  QStringLiteral("Écrit la fenêtre dans FILE (PNG) et s'arrête."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption code(QStringLiteral("code"),
                                  QStringLiteral("Entité juridique montrée par --screenshot."),
                                  QStringLiteral("NNN"));
    const QCommandLineOption tab(
        QStringLiteral("tab"),
        QStringLiteral("Onglet montré par --screenshot (0 à 6 ; 0 à 3 pour les établissements)."),
        QStringLiteral("N"));
    const QCommandLineOption fenetre(
        QStringLiteral("window"),
        QStringLiteral("Fenêtre capturée par --screenshot au lieu de l'entité juridique : "
                       "etablissements, activites, comptabilite, parametres."),
        QStringLiteral("NAME"));
    const QCommandLineOption etab(QStringLiteral("etab"),
                                  QStringLiteral("Etablissement montré par --window "
                                                 "etablissements."),
                                  QStringLiteral("NNN"));
    const QCommandLineOption activite(
        QStringLiteral("activite"),
        QStringLiteral("Activité montrée par --window activites ou comptabilite."),
        QStringLiteral("NNN"));
    const QCommandLineOption table(
        QStringLiteral("table"),
        QStringLiteral("Table montrée par --window parametres : SECTANAL ou SERVICES."),
        QStringLiteral("NOM"));
    parser.addOptions({db, user, shot, code, tab, fenetre, etab, activite, table});
    parser.process(app);

    try {
        const QString path = parser.isSet(db) ? parser.value(db) : DefaultDemoPath();
        auto database = OpenDatabase(path);
        database->SetUserName(toolkit::fromQ(parser.value(user)));
        MainWindow window;
        window.start(database, parser.value(user));
        if (parser.isSet(shot)) {
            QString error;
            const int tabIndex = parser.isSet(tab) ? parser.value(tab).toInt() : -1;
            if (!window.screenshot(parser.value(shot), parser.value(code), tabIndex, error,
                                   parser.value(fenetre), parser.value(etab),
                                   parser.value(activite), parser.value(table))) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
            return 0;
        }
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        if (!parser.isSet(shot))
            toolkit::MsgBox(
                QStringLiteral("MERIDOVAL ne peut pas démarrer :\n%1").arg(toolkit::toQ(e.what())),
                toolkit::Icon::Exclamation);
        return 1;
    }
}
