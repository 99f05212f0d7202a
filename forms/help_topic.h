#pragma once
// The help page a window opens from its right-click menu "Aide" (entry "Aide_MERIDOVAL").

namespace forms {

struct HelpTopic {
    const char* topic;  // the subject shown first
    const char* kind;   // "P" page, "S" section
    const char* file;   // "AssocEtablissements.htm"; null for a window whose menu opens no page
};

// Hands the client, then the database, to the help component and shows the topic; does nothing
// for a topic without a file.
void ShowHelp(const HelpTopic& help);

}  // namespace forms
