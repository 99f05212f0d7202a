#pragma once
// The help window: one process-wide object, created on first use. ShowTopic opens the page
// (Assoc.htm, AssocEtablissements.htm, AssocActivites.htm, shipped as resources) in a non-modal
// window, or raises the window already open, and scrolls to the section whose heading is the
// topic. A topic the page does not have leaves the page at its top; an unknown page is reported
// to the user and opens nothing.
//
// The window is a QTextBrowser named Frm_Aide; links between the pages work, Alt+Left goes back.

#include <QString>
#include <memory>
#include <string>

#include "store/components.h"

class QTextBrowser;

class Composant_Aide : public store::HelpComponent {
  public:
    static Composant_Aide& Instance();

    void SetClient(std::shared_ptr<store::Client> client) override;
    void SetDatabase(std::shared_ptr<store::Database> database) override;
    // kind: "P" shows the page from its top when the topic is its title, "S" a section; both
    // scroll to the heading that matches the topic when there is one.
    void ShowTopic(const std::string& topic, const std::string& kind,
                   const std::string& file) override;

    // The window, or null before the first ShowTopic (and after the user closed it: it is
    // deleted on close).
    QTextBrowser* window() const;

    // Resource URL of a help page ("qrc:/aide/Assoc.htm"); empty when no such page is shipped.
    static QString PageUrl(const std::string& file);
    // Anchor name of a section title: lower case, unaccented, words joined by "-"
    // ("Cotisation de l'association" -> "cotisation-de-l-association").
    static QString AnchorFor(const QString& title);

  private:
    Composant_Aide();
    ~Composant_Aide();
    Composant_Aide(const Composant_Aide&) = delete;
    Composant_Aide& operator=(const Composant_Aide&) = delete;

    struct Impl;
    std::unique_ptr<Impl> impl_;
};
