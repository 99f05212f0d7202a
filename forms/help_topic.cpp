#include "forms/help_topic.h"

#include "platform/components/aide/composant_aide.h"
#include "store/variables.h"

namespace forms {

void ShowHelp(const HelpTopic& help) {
    if (!help.file)
        return;
    const store::Variables& v = store::Variables::Get();
    Composant_Aide& aide = Composant_Aide::Instance();
    aide.SetClient(v.client);
    aide.SetDatabase(v.database);
    aide.ShowTopic(help.topic, help.kind, help.file);
}

}  // namespace forms
