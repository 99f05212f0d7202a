# Help pages shipped as Qt resources under :/aide by the help component (meri_aide), with the
# style sheet the help window gives them all.
set(MERI_HELP_PAGES
    Assoc.htm
    AssocEtablissements.htm
    AssocActivites.htm
    aide.css)
