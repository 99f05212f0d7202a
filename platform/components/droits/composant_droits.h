#pragma once
// Rights of the user the host runs for, read from the DROITS file: record id = user name,
// attribute 1 the screen names, attribute 2 the access levels, as parallel values ("ASSOCIATION"
// / "2"). Level 2 is full rights; an unknown user, an unknown screen, a level that is not a
// number or a missing DROITS file give level 1 (consultation). Any other failure of the record
// store (a damaged database) reaches the caller.
//
// The DROITS record is read at each GetScreenRights, so rights changed meanwhile apply to the next
// window opened. The returned object keeps its level for its whole life.

#include <cstdint>
#include <memory>
#include <string>

#include "store/components.h"

// Fixed rights for one screen.
class DroitsEcran : public store::ScreenRights {
  public:
    explicit DroitsEcran(std::int16_t level) : level_(level) {}
    std::int16_t AccessLevel() const override { return level_; }

  private:
    std::int16_t level_;
};

class Composant_Droits : public store::UserRights {
  public:
    static constexpr std::int16_t kConsultation = 1;
    static constexpr std::int16_t kFullRights = 2;

    Composant_Droits(std::shared_ptr<store::Database> database, std::string userName);

    std::shared_ptr<store::ScreenRights> GetScreenRights(const std::string& screen) override;

    // The level GetScreenRights would give for screen.
    std::int16_t LevelFor(const std::string& screen) const;
    const std::string& UserName() const { return userName_; }

  private:
    std::shared_ptr<store::Database> database_;
    std::string userName_;
};
