#include "composant_parametres.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "platform/toolkit/events.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/file.h"
#include "store/store_error.h"

using toolkit::fromQ;
using toolkit::toQ;

namespace {

QString tableCaption(const std::string& name) {
    static const std::map<std::string, const char*> known = {
        {"SECTANAL", "Sections analytiques"},
        {"SERVICES", "Services"},
        {"TAUXTVA", "Taux de T.V.A."},
        {"EMPLOIS", "Emplois"},
        {"TELEGESTION", "Systèmes de télégestion"},
        {"QUALITERESPPAIE", "Qualités du responsable de la paie"},
    };
    const auto it = known.find(name);
    if (it == known.end())
        return QStringLiteral("Table %1").arg(toQ(name));
    return QStringLiteral("%1 (table %2)").arg(QString::fromUtf8(it->second), toQ(name));
}

const QString kLibelleObligatoire = QStringLiteral("Le libellé doit être renseigné.");

bool allDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

Composant_Parametres::Composant_Parametres(QWidget* parent) : QWidget(parent) {
    etqTable_ = new QLabel(this);
    etqTable_->setObjectName(QStringLiteral("Etq_Table"));
    QFont bold = etqTable_->font();
    bold.setBold(true);
    etqTable_->setFont(bold);

    liste_ = new QTreeWidget(this);
    liste_->setObjectName(QStringLiteral("Lst_Parametres"));
    liste_->setColumnCount(2);
    liste_->setHeaderLabels({QStringLiteral("Code"), QStringLiteral("Libellé")});
    liste_->setRootIsDecorated(false);
    liste_->setUniformRowHeights(true);
    liste_->setAllColumnsShowFocus(true);
    liste_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    liste_->header()->setStretchLastSection(true);

    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("Txt_Code"));
    code_->setMaxLength(20);
    libelle_ = new QLineEdit(this);
    libelle_->setObjectName(QStringLiteral("Txt_Libelle"));
    libelle_->setMaxLength(60);

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    ajouter_ = button("Cmd_Ajouter", "Ajouter");
    modifier_ = button("Cmd_Modifier", "Modifier");
    supprimer_ = button("Cmd_Supprimer", "Supprimer");
    fermer_ = button("Cmd_Fermer", "Fermer");

    auto* fields = new QGridLayout;
    auto* etqCode = new QLabel(QStringLiteral("Code"), this);
    etqCode->setBuddy(code_);
    auto* etqLibelle = new QLabel(QStringLiteral("Libellé"), this);
    etqLibelle->setBuddy(libelle_);
    fields->addWidget(etqCode, 0, 0);
    fields->addWidget(code_, 0, 1);
    fields->addWidget(etqLibelle, 1, 0);
    fields->addWidget(libelle_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ajouter_);
    buttons->addWidget(modifier_);
    buttons->addWidget(supprimer_);
    buttons->addStretch(1);
    buttons->addWidget(fermer_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(etqTable_);
    layout->addWidget(liste_, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(liste_, &QTreeWidget::currentItemChanged, this, [this] { rowChosen(); });
    connect(ajouter_, &QPushButton::clicked, this, [this] { Cmd_Ajouter_Click(); });
    connect(modifier_, &QPushButton::clicked, this, [this] { Cmd_Modifier_Click(); });
    connect(supprimer_, &QPushButton::clicked, this, [this] { Cmd_Supprimer_Click(); });
    connect(fermer_, &QPushButton::clicked, this, [this] { Cmd_Fermer_Click(); });
    // Enter in the label saves it: a change when the code is in the list, an addition otherwise.
    toolkit::OnKeyPress(libelle_, [this](int& key) {
        if (key != 13 || !canEdit())
            return;
        key = 0;
        QTimer::singleShot(0, this, [this] {
            if (positionOf(entries_, typedCode()) > 0)
                Cmd_Modifier_Click();
            else
                Cmd_Ajouter_Click();
        });
    });
    toolkit::OnKeyPress(code_, [this](int& key) {
        if (key >= 'a' && key <= 'z')
            key = key - 'a' + 'A';
        if (key == 13) {
            key = 0;
            libelle_->setFocus();
            libelle_->selectAll();
        }
    });
}

Composant_Parametres::~Composant_Parametres() = default;

bool Composant_Parametres::canEdit() const {
    return droits_ && droits_->AccessLevel() == 2;
}

void Composant_Parametres::Demarrer() {
    fermeture_ = false;
    tables_.reset();
    entries_.clear();
    code_->clear();
    libelle_->clear();
    etqTable_->setText(tableCaption(nomTable_));
    const bool edit = canEdit();
    for (QPushButton* b : {ajouter_, modifier_, supprimer_})
        b->setVisible(edit);
    code_->setReadOnly(!edit);
    libelle_->setReadOnly(!edit);
    if (!database_ || nomTable_.empty()) {
        showEntries({});
        toolkit::MsgBox(QStringLiteral("Aucune table à afficher : la base de données ou le nom de "
                                       "la table n'a pas été donné."),
                        toolkit::Icon::Exclamation);
        return;
    }
    try {
        tables_ = database_->OpenFile("TABLES");
    } catch (const store::StoreError& e) {
        showEntries({});
        toolkit::MsgBox(QStringLiteral("La table %1 ne peut pas être lue : %2")
                            .arg(toQ(nomTable_), QString::fromUtf8(e.what())),
                        toolkit::Icon::Exclamation);
        return;
    }
    // A table not written yet is shown empty; the first addition creates it.
    showEntries(entriesOf(store::ReadSkippingErrors(tables_.get(), nomTable_)));
    if (edit)
        code_->setFocus();
    else
        liste_->setFocus();
}

std::vector<Composant_Parametres::Entry> Composant_Parametres::entriesOf(
    const store::Record& record) const {
    std::vector<Entry> entries;
    const int count = std::max(record.DCount(2), record.DCount(3));
    for (int i = 1; i <= count; ++i)
        entries.push_back({record.Value(2, i), record.Value(3, i)});
    return entries;
}

void Composant_Parametres::showEntries(const std::vector<Entry>& entries,
                                       const std::string& select) {
    entries_ = entries;
    const QSignalBlocker block(liste_);
    liste_->clear();
    QTreeWidgetItem* chosen = nullptr;
    for (const Entry& e : entries_) {
        auto* item = new QTreeWidgetItem(liste_, {toQ(e.code), toQ(e.label)});
        if (!select.empty() && e.code == select)
            chosen = item;
    }
    if (chosen) {
        liste_->setCurrentItem(chosen);
        liste_->scrollToItem(chosen);
    }
}

void Composant_Parametres::rowChosen() {
    QTreeWidgetItem* item = liste_->currentItem();
    if (!item)
        return;
    code_->setText(item->text(0));
    libelle_->setText(item->text(1));
}

std::optional<store::Record> Composant_Parametres::readForUpdate(bool createWhenMissing) {
    if (!tables_) {
        toolkit::MsgBox(QStringLiteral("La table %1 n'est pas ouverte.").arg(toQ(nomTable_)),
                        toolkit::Icon::Exclamation);
        return std::nullopt;
    }
    try {
        return tables_->ReadForUpdate(nomTable_);
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordNotFound) {
            toolkit::MsgBox(QString::fromUtf8(e.what()), toolkit::Icon::Exclamation);
            return std::nullopt;
        }
        if (!createWhenMissing) {
            toolkit::MsgBox(QStringLiteral("La table %1 n'existe plus.").arg(toQ(nomTable_)),
                            toolkit::Icon::Exclamation);
            showEntries({});
            return std::nullopt;
        }
    }
    try {
        return tables_->NewItem(nomTable_);
    } catch (const store::StoreError& e) {
        toolkit::MsgBox(QString::fromUtf8(e.what()), toolkit::Icon::Exclamation);
        return std::nullopt;
    }
}

void Composant_Parametres::release() {
    if (tables_) {
        try {
            tables_->Release(nomTable_);
        } catch (const store::StoreError&) {
            // Nothing held: nothing to give back.
        }
    }
}

void Composant_Parametres::writeAndShow(store::Record& record, const std::string& select) {
    try {
        record.DBWrite();
    } catch (const store::StoreError& e) {
        release();
        toolkit::MsgBox(QStringLiteral("La table %1 n'a pas pu être enregistrée : %2")
                            .arg(toQ(nomTable_), QString::fromUtf8(e.what())),
                        toolkit::Icon::Exclamation);
        return;
    }
    showEntries(entriesOf(record), select);
    code_->clear();
    libelle_->clear();
    code_->setFocus();
}

std::string Composant_Parametres::typedCode() const {
    return fromQ(code_->text().trimmed().toUpper());
}

int Composant_Parametres::positionOf(const std::vector<Entry>& entries, const std::string& code) {
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const Entry& e) { return e.code == code; });
    return it == entries.end() ? 0 : static_cast<int>(it - entries.begin()) + 1;
}

void Composant_Parametres::releaseAndShow(const std::vector<Entry>& entries) {
    release();
    showEntries(entries);
}

std::string Composant_Parametres::checkedNewCode(const std::vector<Entry>& entries,
                                                 QString& refusal) const {
    std::string code = typedCode();
    // Codes of one numeric length are looked up by that length on the screens.
    size_t width = 0;
    bool numeric = !entries.empty();
    for (const Entry& e : entries) {
        if (e.code.empty())
            continue;
        if (!allDigits(e.code) || (width != 0 && e.code.size() != width)) {
            numeric = false;
            break;
        }
        width = e.code.size();
    }
    if (numeric && width > 0) {
        if (!allDigits(code) || code.size() > width) {
            const QString attendu = width == 1 ? QStringLiteral("d'un seul chiffre")
                                               : QStringLiteral("d'au plus %1 chiffres").arg(width);
            refusal = QStringLiteral(
                          "Le code « %1 » ne convient pas : cette table attend un "
                          "nombre %2.")
                          .arg(toQ(code), attendu);
            return {};
        }
        code.insert(0, width - code.size(), '0');
    }
    if (positionOf(entries, code) > 0) {
        refusal = QStringLiteral("Le code %1 existe déjà.").arg(toQ(code));
        return {};
    }
    return code;
}

std::optional<Composant_Parametres::Held> Composant_Parametres::readEntryForUpdate(
    const std::string& code) {
    std::optional<store::Record> fresh = readForUpdate(false);
    if (!fresh)
        return std::nullopt;
    const std::vector<Entry> entries = entriesOf(*fresh);
    const int position = positionOf(entries, code);
    if (position == 0)
        releaseAndShow(entries);
    return Held{std::move(*fresh), position};
}

void Composant_Parametres::Cmd_Ajouter_Click() {
    if (!canEdit())
        return;
    if (code_->text().trimmed().isEmpty()) {
        toolkit::MsgBox(QStringLiteral("Le code doit être renseigné."));
        code_->setFocus();
        return;
    }
    std::optional<store::Record> fresh = readForUpdate(true);
    if (!fresh)
        return;
    const std::vector<Entry> entries = entriesOf(*fresh);
    QString refusal;
    const std::string code = checkedNewCode(entries, refusal);
    const std::string label = fromQ(libelle_->text().trimmed());
    // The table is given back before any message, so nobody waits on a message left open.
    if (code.empty()) {
        releaseAndShow(entries);
        toolkit::MsgBox(refusal, toolkit::Icon::Exclamation);
        code_->setFocus();
        code_->selectAll();
        return;
    }
    if (label.empty()) {
        releaseAndShow(entries);
        toolkit::MsgBox(kLibelleObligatoire);
        libelle_->setFocus();
        return;
    }
    const int position = std::max(fresh->DCount(2), fresh->DCount(3)) + 1;
    fresh->SetValue(2, position, code);
    fresh->SetValue(3, position, label);
    writeAndShow(*fresh, code);
}

void Composant_Parametres::Cmd_Modifier_Click() {
    if (!canEdit())
        return;
    const std::string code = typedCode();
    if (code.empty()) {
        toolkit::MsgBox(QStringLiteral("Choisissez dans la liste le code dont le libellé change."));
        liste_->setFocus();
        return;
    }
    const std::string label = fromQ(libelle_->text().trimmed());
    if (label.empty()) {
        toolkit::MsgBox(kLibelleObligatoire);
        libelle_->setFocus();
        return;
    }
    std::optional<Held> held = readEntryForUpdate(code);
    if (!held)
        return;
    if (held->position == 0) {
        toolkit::MsgBox(
            QStringLiteral("Le code %1 n'existe pas : cliquez sur Ajouter pour le créer.")
                .arg(toQ(code)),
            toolkit::Icon::Exclamation);
        return;
    }
    held->record.SetValue(3, held->position, label);
    writeAndShow(held->record, code);
}

void Composant_Parametres::Cmd_Supprimer_Click() {
    if (!canEdit())
        return;
    const std::string code = typedCode();
    const int shown = positionOf(entries_, code);
    if (code.empty() || shown == 0) {
        toolkit::MsgBox(QStringLiteral("Choisissez dans la liste le code à supprimer."));
        liste_->setFocus();
        return;
    }
    toolkit::Beep();
    const QString question = QStringLiteral("Voulez-vous supprimer le code %1 (%2) ?")
                                 .arg(toQ(code), toQ(entries_[shown - 1].label));
    if (toolkit::MsgBox(question, toolkit::Icon::Question, toolkit::Buttons::YesNo) !=
        toolkit::Answer::Yes)
        return;
    std::optional<Held> held = readEntryForUpdate(code);
    if (!held)
        return;
    if (held->position == 0) {
        // Someone else removed it meanwhile: what the user wanted is done.
        code_->clear();
        libelle_->clear();
        return;
    }
    store::Record& fresh = held->record;
    const int position = held->position;
    const int count = std::max(fresh.DCount(2), fresh.DCount(3));
    // Further attributes holding one value per entry (the rates of TAUXTVA) lose theirs too.
    for (int a = fresh.DCount(); a >= 4; --a) {
        const int values = fresh.DCount(a);
        if (values >= position && values <= count && (values > 1 || count == 1))
            fresh.Delete(a, position);
    }
    if (fresh.DCount(3) >= position)
        fresh.Delete(3, position);
    if (fresh.DCount(2) >= position)
        fresh.Delete(2, position);
    writeAndShow(fresh, {});
}

void Composant_Parametres::Cmd_Fermer_Click() {
    fermeture_ = true;
    emit fermetureDemandee();
    window()->close();
}
