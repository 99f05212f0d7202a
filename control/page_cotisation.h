#pragma once
// The "Cotisation Annuelle" tab of the association screen: one yearly membership fee per way of
// working (agent, provider, intermediary), each with its amount and calling rule, open only when
// the association runs an activity of that kind.
//
// The fees reach the record through the shared request record (store::Variables::requete): its
// attribute 1 the amounts in hundredths, its attribute 2 the calling rules, value k for frame k.
// A frame that is disabled, or that shows what its display showed, hands on the association's
// own stored values, so an untouched fee keeps its stored bytes.

#include <QWidget>
#include <optional>
#include <string>

#include "forms/screen_snapshot.h"
#include "store/record.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QRadioButton;

class PageCotisation : public QWidget {
    Q_OBJECT

  public:
    explicit PageCotisation(QWidget* parent = nullptr);

    // The activities of the association whose code is given: id and type letter.
    void RequeteActivite(const std::string& code);
    // Enables the frames of the kinds of activity the association runs.
    void Degriser_Cotisation(const std::string& code);
    void Show(const store::Record& record);
    void Clear();
    // Copies the frames into the request record; association is the record shown (its stored
    // fees go on where a frame is disabled or untouched).
    void EnrModifCotisation(const std::optional<store::Record>& association) const;
    // Copies the request record's fees into record.
    static void CopyInto(store::Record& record);

  private:
    struct FeeFrame {
        QGroupBox* frame = nullptr;
        QLineEdit* montant = nullptr;
        QButtonGroup* typeAppel = nullptr;
        QRadioButton* anneeCivile = nullptr;
        QRadioButton* moisAnniversaire = nullptr;
        forms::ScreenSnapshot shown;
    };
    QGroupBox* buildFrame(const char* frameName, const QString& caption, QChar kind, FeeFrame& f);

    // Index 0 agent, 1 provider, 2 intermediary: the order of the fee attributes' values.
    FeeFrame frames_[3];
    store::Record activites_;
};
