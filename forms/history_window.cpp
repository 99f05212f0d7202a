#include "forms/history_window.h"

#include <QAction>
#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/feedback.h"
#include "platform/toolkit/help_menu.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/caption.h"
#include "store/variables.h"

using toolkit::toQ;

namespace forms {

namespace {

// Subvalues shown side by side rather than as an unreadable mark.
QString lisible(std::string text) {
    for (char& c : text) {
        if (c == '\xFC')
            c = '\x1F';
    }
    return toQ(text).replace(QChar(0x1F), QStringLiteral(" ; "));
}

// The history's UTC time in the user's local time.
QString heureLocale(const std::string& utc) {
    QDateTime t = QDateTime::fromString(toQ(utc), QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    if (!t.isValid())
        return toQ(utc);
    t.setTimeSpec(Qt::UTC);
    return t.toLocalTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

}  // namespace

Frm_Historique::Frm_Historique(QWidget* parent, store::Database& database, const std::string& file,
                               const std::string& id)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_Historique"));
    setWindowTitle(
        QStringLiteral("Historique de l'enregistrement %1 (%2)").arg(toQ(id), toQ(file)));
    setModal(true);
    auto* column = new QVBoxLayout(this);
    lignes_ = new QTableWidget(this);
    lignes_->setObjectName(QStringLiteral("Lst_Historique"));
    lignes_->setColumnCount(5);
    lignes_->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Utilisateur"),
                                        QStringLiteral("Zone"), QStringLiteral("Avant"),
                                        QStringLiteral("Après")});
    lignes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lignes_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lignes_->verticalHeader()->hide();
    lignes_->horizontalHeader()->setStretchLastSection(true);

    const std::span<const store::layout::Caption> captions = store::layout::CaptionsOf(file);
    const std::vector<store::HistoryEntry> entries = database.History(file, id);
    auto ajouter = [this](const QStringList& cells) {
        const int row = lignes_->rowCount();
        lignes_->insertRow(row);
        for (int c = 0; c < cells.size(); ++c)
            lignes_->setItem(row, c, new QTableWidgetItem(cells[c]));
    };
    for (const store::HistoryEntry& e : entries) {
        const QString quand = heureLocale(e.time);
        const QString qui = toQ(e.user);
        if (e.changes.empty())
            ajouter({quand, qui, QStringLiteral("(enregistrement créé vide)"), {}, {}});
        for (const store::HistoryChange& c : e.changes) {
            QString zone = toQ(store::layout::CaptionOf(captions, c.attribute));
            if (c.value > 1)
                zone += QStringLiteral(" (valeur %1)").arg(c.value);
            ajouter({quand, qui, zone, lisible(c.before), lisible(c.after)});
        }
    }
    if (entries.empty()) {
        ajouter({{},
                 {},
                 QStringLiteral("Aucune modification enregistrée pour cet enregistrement."),
                 {},
                 {}});
    }
    lignes_->resizeColumnsToContents();
    column->addWidget(lignes_);

    auto* fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("Cmd_Fermer"));
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(fermer, 0, Qt::AlignRight);
    resize(900, 420);
}

void AddHistoryEntry(toolkit::HelpMenu* menu, QWidget* parent, CurrentRecord current) {
    QAction* entry = menu->addAction(QStringLiteral("Historique de l'enregistrement"));
    entry->setObjectName(QStringLiteral("Mnu_Historique"));
    QObject::connect(menu, &QMenu::aboutToShow, entry,
                     [entry, current] { entry->setEnabled(!current().second.empty()); });
    QObject::connect(entry, &QAction::triggered, parent, [parent, current] {
        Guarded(parent, [&] {
            const auto [file, id] = current();
            store::Database* database = store::Variables::Get().database.get();
            if (!database || id.empty())
                return;
            Frm_Historique historique(parent, *database, file, id);
            historique.exec();
        });
    });
}

}  // namespace forms
