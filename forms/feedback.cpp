#include "forms/feedback.h"

#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/store_error.h"

namespace forms {

void Avertir(QWidget* parent, const QString& text) {
    toolkit::MsgBox(text, toolkit::Icon::Exclamation, toolkit::Buttons::Ok, parent);
}

void Informer(QWidget* parent, const QString& text) {
    toolkit::MsgBox(text, toolkit::Icon::Information, toolkit::Buttons::Ok, parent);
}

void Guarded(QWidget* parent, const std::function<void()>& fn) {
    try {
        fn();
    } catch (const store::StoreError& e) {
        Avertir(parent, QStringLiteral("Erreur de la base de données (code %1) :\n%2")
                            .arg(QString::number(e.code(), 16).toUpper(), toolkit::toQ(e.what())));
    } catch (const std::exception& e) {
        Avertir(parent, QStringLiteral("Erreur inattendue :\n%1").arg(toolkit::toQ(e.what())));
    }
}

}  // namespace forms
