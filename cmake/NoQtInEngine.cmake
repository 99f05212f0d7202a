# The engine, its seed data and the record-store interface stay free of Qt, so that a server
# backend or a command-line tool can use them without a windowing toolkit.
foreach(target mv_language mv_engine mv_server mv_seed meri_store meri_filesystem meri_utilitaires_regles meri_rib_controles)
    if(TARGET ${target})
        get_target_property(libs ${target} LINK_LIBRARIES)
        get_target_property(ilibs ${target} INTERFACE_LINK_LIBRARIES)
        foreach(lib IN LISTS libs ilibs)
            if(lib MATCHES "Qt[0-9]*::|Qt[0-9]*(Core|Gui|Widgets)")
                message(FATAL_ERROR "${target} must not link Qt (found ${lib})")
            endif()
        endforeach()
    endif()
endforeach()
