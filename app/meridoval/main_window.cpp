#include "app/meridoval/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "app/meridoval/captures.h"
#include "control/ctr_association.h"
#include "platform/components/droits/composant_droits.h"
#include "platform/toolkit/qtext.h"
#include "store/client.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Frm_Association"));
    setWindowTitle(QStringLiteral("MERIDOVAL — Entité juridique"));
    control_ = new Ctr_Association(this);
    setCentralWidget(control_);
    connect(control_, &Ctr_Association::unloadRequested, this, [this] { controlAsked_ = true; });
    resize(sizeHint().expandedTo(QSize(900, 600)));
}

void MainWindow::start(std::shared_ptr<store::Database> database, const QString& userName) {
    const std::string user = toolkit::fromQ(userName);
    // A window started again is a new session: its next close must release it again.
    closed_ = false;
    controlAsked_ = false;
    control_->TheDatabase(database);
    control_->TheClient(std::make_shared<store::Client>(user));
    control_->DroitsUtilisateur(std::make_shared<Composant_Droits>(database, user));
    control_->Init();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!controlAsked_ && !closed_) {
        // The frame's close button is the screen's "Sortir"; the screen closes us if it agrees.
        event->ignore();
        if (auto* sortir = control_->findChild<QPushButton*>(QStringLiteral("Cmd_Sortir")))
            QTimer::singleShot(0, sortir, &QPushButton::click);
        return;
    }
    controlAsked_ = false;
    if (!closed_) {
        closed_ = true;
        control_->Fermeture();
    }
    event->accept();
}

bool MainWindow::screenshot(const QString& file, const QString& code, int tab, QString& error,
                            const QString& window, const QString& etab, const QString& activite,
                            const QString& table) {
    // Nobody is there to answer a message: report it and close it.
    QTimer answering;
    connect(&answering, &QTimer::timeout, this, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "%s\n", qPrintable(box->text()));
            box->done(QMessageBox::Ok);
        }
    });
    answering.start(50);

    show();
    QApplication::processEvents();
    if (!code.isEmpty()) {
        auto* codeBox = control_->findChild<QLineEdit*>(QStringLiteral("Txt_CodeAssoc"));
        codeBox->setText(code.rightJustified(3, QLatin1Char('0')));
    }
    if (window == QLatin1String("etablissements"))
        return captures::Etablissements(*control_, file, etab, tab, error);
    if (window == QLatin1String("activites"))
        return captures::Activites(*control_, file, activite, error);
    if (window == QLatin1String("comptabilite"))
        return captures::Comptabilite(*control_, file, activite, error);
    if (window == QLatin1String("parametres"))
        return captures::Parametres(*control_, *this, file, table, error);
    if (!window.isEmpty()) {
        error = QStringLiteral(
                    "Fenêtre inconnue : %1 (fenêtres possibles : etablissements, "
                    "activites, comptabilite, parametres).")
                    .arg(window);
        return false;
    }
    auto* tabs = control_->findChild<QTabWidget*>(QStringLiteral("Ong_Assoc"));
    if (tab >= 0) {
        if (tab >= tabs->count()) {
            error = QStringLiteral("L'onglet %1 n'existe pas (0 à %2).")
                        .arg(tab)
                        .arg(tabs->count() - 1);
            return false;
        }
        tabs->setCurrentIndex(tab);
    }
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    if (!grab().save(file, "PNG")) {
        error = QStringLiteral("Impossible d'écrire l'image %1.").arg(file);
        return false;
    }
    return true;
}
