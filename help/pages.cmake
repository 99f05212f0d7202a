# Help pages shipped as Qt resources under :/aide by the help component (meri_aide).
set(MERI_HELP_PAGES
    Assoc.htm
    AssocEtablissements.htm
    AssocActivites.htm)
