#include "composant_adresse.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>
#include <cctype>

#include "codes_postaux.h"
#include "platform/components/utilitaires/telephone.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"

namespace {

// Line lengths of a French postal address (38 characters a line); telephone fields leave room
// for separators and an international prefix.
constexpr int kLineCap = 38;
constexpr int kPostalCap = 5;
constexpr int kForeignPostalCap = 10;
constexpr int kMentionCap = 20;
constexpr int kTelephoneCap = 20;

// Positions in the block of the values handled by name (the header lists them all).
constexpr size_t kPays = 6;
constexpr size_t kInsee = 10;

// Shows a stored text whole even when it is longer than what may be typed.
void setCapped(QLineEdit* field, const QString& text, int cap) {
    field->setMaxLength(std::max<int>(cap, static_cast<int>(text.size())));
    field->setText(text);
}

QLineEdit* makeField(QWidget* parent, const char* name, int cap) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaxLength(cap);
    return field;
}

bool isFiveDigits(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^[0-9]{5}$"));
    return re.match(text).hasMatch();
}

}  // namespace

Composant_Adresse::Composant_Adresse(QWidget* parent) : QWidget(parent) {
    ligne1_ = makeField(this, "Txt_Ligne1", kLineCap);
    ligne2_ = makeField(this, "Txt_Ligne2", kLineCap);
    ligne3_ = makeField(this, "Txt_Ligne3", kLineCap);
    codePostal_ = makeField(this, "Txt_CodePostal", kPostalCap);
    commune_ = new QComboBox(this);
    commune_->setObjectName(QStringLiteral("Cbo_Commune"));
    commune_->setEditable(true);
    commune_->setInsertPolicy(QComboBox::NoInsert);
    commune_->lineEdit()->setMaxLength(kLineCap);
    // The offer lists communes, it does not complete: a typed name stays as typed.
    commune_->setCompleter(nullptr);
    mention_ = makeField(this, "Txt_Mention", kMentionCap);
    pays_ = makeField(this, "Txt_Pays", kLineCap);
    pays_->setPlaceholderText(QStringLiteral("France"));
    telephone_ = makeField(this, "Txt_Telephone", kTelephoneCap);
    portable_ = makeField(this, "Txt_Portable", kTelephoneCap);
    telecopie_ = makeField(this, "Txt_Telecopie", kTelephoneCap);
    etqInsee_ = new QLabel(this);
    etqInsee_->setObjectName(QStringLiteral("Etq_CodeInsee"));
    etqInsee_->setToolTip(QStringLiteral("Code INSEE de la commune choisie dans la liste"));
    const int digit = codePostal_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (QLineEdit* field : {telephone_, portable_, telecopie_, mention_})
        field->setMaximumWidth(digit * 20);
    codePostal_->setMaximumWidth(digit * 9);
    mention_->setPlaceholderText(QStringLiteral("CEDEX 09"));
    ligne1_->setPlaceholderText(QStringLiteral("N° et voie"));
    ligne2_->setPlaceholderText(QStringLiteral("Bâtiment, résidence, étage"));
    ligne3_->setPlaceholderText(QStringLiteral("Lieu-dit, boîte postale"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    // A caption in the column before its field, the field spanning `span` columns.
    auto place = [this, grid](const char* caption, QWidget* field, int row, int column,
                              int span = 1) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1, 1, span);
    };
    place("Adresse", ligne1_, 0, 0, 4);
    place("Complément", ligne2_, 1, 0, 4);
    place("Lieu-dit / BP", ligne3_, 2, 0, 4);
    place("Code postal", codePostal_, 3, 0);
    place("Commune", commune_, 3, 2, 2);
    place("Mention", mention_, 4, 0);
    grid->addWidget(etqInsee_, 4, 3, 1, 2);
    place("Pays", pays_, 5, 0, 4);
    place("Téléphone", telephone_, 6, 0);
    place("Portable", portable_, 6, 2);
    place("Télécopie", telecopie_, 7, 0);
    grid->setColumnStretch(3, 1);

    connect(codePostal_, &QLineEdit::textEdited, this,
            [this](const QString& text) { postalCodeEdited(text); });
    connect(commune_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { communeEdited(text); });
    connect(commune_, &QComboBox::activated, this, [this](int index) { communeChosen(index); });
    connect(pays_, &QLineEdit::textChanged, this, [this] { applySettings(); });

    toolkit::OnKeyPress(codePostal_, [this](int& key) { filterPostalCodeKey(key); });
    toolkit::OnLostFocus(codePostal_, [this] { checkPostalCode(); });
    for (QLineEdit* field : {telephone_, portable_, telecopie_}) {
        toolkit::OnKeyPress(field, [this](int& key) { filterTelephoneKey(key); });
        toolkit::OnLostFocus(field, [this, field] { checkTelephone(field); });
    }
    applySettings();
}

Composant_Adresse::~Composant_Adresse() = default;

void Composant_Adresse::SetDatabase(std::shared_ptr<store::Database> database) {
    database_ = std::move(database);
}

void Composant_Adresse::SetSettings(bool consultationOnly, bool offerCommunes,
                                    bool foreignAllowed) {
    consultationOnly_ = consultationOnly;
    offerCommunes_ = offerCommunes;
    foreignAllowed_ = foreignAllowed;
    applySettings();
}

void Composant_Adresse::Initialise() {
    Clear();
    applySettings();
}

bool Composant_Adresse::isForeign() const {
    const QString country = pays_->text().trimmed();
    return foreignAllowed_ && !country.isEmpty() &&
           country.compare(QStringLiteral("FRANCE"), Qt::CaseInsensitive) != 0;
}

void Composant_Adresse::applySettings() {
    for (const auto& [field, cap] : fields())
        field->setReadOnly(consultationOnly_);
    // A country stored on a French-only screen stays visible but cannot be typed.
    pays_->setEnabled(foreignAllowed_);
    const int postalCap = isForeign() ? kForeignPostalCap : kPostalCap;
    codePostal_->setMaxLength(
        std::max<int>(postalCap, static_cast<int>(codePostal_->text().size())));
}

void Composant_Adresse::filterPostalCodeKey(int& key) {
    if (key == 8 || key == 9 || key == 13 || (key >= '0' && key <= '9'))
        return;
    if (isForeign() && key < 128 && (std::isalnum(key) || key == ' ' || key == '-')) {
        key = std::toupper(key);
        return;
    }
    key = 0;
}

void Composant_Adresse::filterTelephoneKey(int& key) {
    if (key == '.' || key == '-' || key == '/')
        key = ' ';
    if (key == 8 || key == 9 || key == 13 || key == ' ' || (key >= '0' && key <= '9'))
        return;
    if (key == '+')
        return;
    key = 0;
}

void Composant_Adresse::postalCodeEdited(const QString& text) {
    if (!offerCommunes_ || isForeign() || !isFiveDigits(text)) {
        if (!offeredFor_.isEmpty()) {
            const QString typed = commune_->currentText();
            commune_->clear();
            commune_->setEditText(typed);
            offeredFor_.clear();
        }
        communeEdited(commune_->currentText());
        return;
    }
    if (text == offeredFor_)
        return;
    const QList<CommunePostale> communes = CodesPostaux::Get().Communes(text);
    const QString typed = commune_->currentText();
    commune_->clear();
    for (const CommunePostale& c : communes) {
        commune_->addItem(c.libelle, c.codeInsee);
        commune_->setItemData(commune_->count() - 1,
                              QStringLiteral("%1 (INSEE %2)").arg(c.nom, c.codeInsee),
                              Qt::ToolTipRole);
    }
    offeredFor_ = text;
    commune_->setCurrentIndex(-1);
    commune_->setEditText(typed);
    communeEdited(typed);
    if (communes.size() == 1) {
        communeChosen(0);
    } else if (communes.size() > 1 && insee_.isEmpty()) {
        // Opened once the key that completed the code has been handled.
        QTimer::singleShot(0, commune_, [this] {
            if (commune_->isVisible() && commune_->count() > 0)
                commune_->showPopup();
        });
    }
}

void Composant_Adresse::communeEdited(const QString& text) {
    const QString wanted = text.trimmed();
    for (int i = 0; i < commune_->count() && !wanted.isEmpty(); ++i) {
        if (commune_->itemText(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            showInsee(commune_->itemData(i).toString());
            return;
        }
    }
    showInsee({});
}

void Composant_Adresse::communeChosen(int index) {
    if (index < 0 || index >= commune_->count())
        return;
    commune_->setEditText(commune_->itemText(index));
    showInsee(commune_->itemData(index).toString());
}

void Composant_Adresse::showInsee(const QString& code) {
    insee_ = code;
    etqInsee_->setText(code.isEmpty() ? QString() : QStringLiteral("Code INSEE : %1").arg(code));
}

void Composant_Adresse::dropOffer() {
    commune_->hidePopup();
    commune_->clear();
    offeredFor_.clear();
}

void Composant_Adresse::checkPostalCode() {
    const QString text = codePostal_->text().trimmed();
    if (consultationOnly_ || text.isEmpty() || isForeign() || isFiveDigits(text))
        return;
    toolkit::MsgBox(QStringLiteral("Le code postal « %1 » doit comporter 5 chiffres.").arg(text),
                    toolkit::Icon::Exclamation);
    toolkit::GiveFocusBack(codePostal_);
}

void Composant_Adresse::checkTelephone(QLineEdit* field) {
    const QString text = field->text().trimmed();
    if (consultationOnly_ || text.isEmpty())
        return;
    const QString digits = toolkit::toQ(utilitaires::NettoyerTelephone(toolkit::fromQ(text)));
    static const QRegularExpression french(QStringLiteral("^0[1-9][0-9]{8}$"));
    if (french.match(digits).hasMatch()) {
        QStringList pairs;
        for (int i = 0; i < 10; i += 2)
            pairs << digits.mid(i, 2);
        field->setText(pairs.join(QLatin1Char(' ')));
        return;
    }
    // A foreign address may carry an international number, written as typed.
    static const QRegularExpression international(QStringLiteral("^\\+[0-9]{6,15}$"));
    if (isForeign() && international.match(digits).hasMatch())
        return;
    toolkit::MsgBox(QStringLiteral("Le numéro « %1 » n'est pas un numéro de téléphone français : "
                                   "saisissez ses 10 chiffres, par exemple 02 41 12 34 56.")
                        .arg(text),
                    toolkit::Icon::Exclamation);
    toolkit::GiveFocusBack(field);
}

std::array<std::pair<QLineEdit*, int>, Composant_Adresse::kFields - 1> Composant_Adresse::fields()
    const {
    return {{{ligne1_, kLineCap},
             {ligne2_, kLineCap},
             {ligne3_, kLineCap},
             {codePostal_, isForeign() ? kForeignPostalCap : kPostalCap},
             {mention_, kMentionCap},
             {commune_->lineEdit(), kLineCap},
             {pays_, kLineCap},
             {telephone_, kTelephoneCap},
             {portable_, kTelephoneCap},
             {telecopie_, kTelephoneCap}}};
}

std::array<std::string, Composant_Adresse::kFields> Composant_Adresse::values() const {
    const auto shownFields = fields();
    std::array<std::string, kFields> v;
    for (size_t i = 0; i < v.size(); ++i) {
        const QString shown = i < shownFields.size() ? shownFields[i].first->text() : insee_;
        v[i] = shown == shown_[i] ? read_[i] : toolkit::fromQ(shown);
    }
    return v;
}

std::string Composant_Adresse::ReadFromRecord(store::Record& record, int firstAttribute) {
    for (size_t i = 0; i < read_.size(); ++i) {
        read_[i] = record.Value(firstAttribute + static_cast<int>(i), 1);
        shown_[i] = toolkit::toQ(read_[i]);
    }
    dropOffer();
    // The country first: it decides how long a postal code may be.
    setCapped(pays_, shown_[kPays], kLineCap);
    const auto shownFields = fields();
    for (size_t i = 0; i < shownFields.size(); ++i)
        setCapped(shownFields[i].first, shown_[i], shownFields[i].second);
    showInsee(shown_[kInsee]);
    return summary();
}

std::string Composant_Adresse::WriteToRecord(store::Record& record, int firstAttribute) {
    const auto v = values();
    for (int i = 0; i < kFields; ++i)
        record.SetValue(firstAttribute + i, 1, v[static_cast<size_t>(i)]);
    return summary();
}

bool Composant_Adresse::Differs(store::Record& record, int firstAttribute) {
    const auto v = values();
    for (int i = 0; i < kFields; ++i) {
        if (record.Value(firstAttribute + i, 1) != v[static_cast<size_t>(i)])
            return true;
    }
    return false;
}

void Composant_Adresse::Clear() {
    dropOffer();
    for (const auto& [field, cap] : fields()) {
        field->clear();
        field->setMaxLength(cap);
    }
    showInsee({});
    read_.fill({});
    shown_.fill({});
}

void Composant_Adresse::Close() {
    dropOffer();
}

std::string Composant_Adresse::summary() const {
    QStringList parts;
    for (QLineEdit* field : {ligne1_, ligne2_, ligne3_}) {
        if (!field->text().trimmed().isEmpty())
            parts << field->text().trimmed();
    }
    const QString town = QStringList{codePostal_->text().trimmed(),
                                     commune_->currentText().trimmed(), mention_->text().trimmed()}
                             .filter(QRegularExpression(QStringLiteral(".")))
                             .join(QLatin1Char(' '));
    if (!town.isEmpty())
        parts << town;
    if (!pays_->text().trimmed().isEmpty())
        parts << pays_->text().trimmed();
    return toolkit::fromQ(parts.join(QStringLiteral(", ")));
}
