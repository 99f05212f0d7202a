#include "forms/form_layout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace forms::layout {

int WidthFor(const QWidget* w, int chars) {
    const QFontMetrics fm(w->font());
    return fm.horizontalAdvance(QLatin1Char('M')) * chars / 2 + fm.averageCharWidth() * chars / 2 +
           14;
}

QLineEdit* LineEdit(QWidget* parent, const char* name, int chars, bool fixed) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    if (fixed)
        e->setFixedWidth(WidthFor(e, chars));
    else
        e->setMinimumWidth(WidthFor(e, chars));
    return e;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption, QWidget* buddy) {
    auto* l = new QLabel(caption, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    l->setBuddy(buddy);
    return l;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const QString& caption) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

QRadioButton* Option(QWidget* parent, const char* name, const QString& caption) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(QLatin1String(name));
    return o;
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(QLatin1String(name));
    return g;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QGridLayout* FormGrid(QWidget* parent) {
    auto* grid = new QGridLayout(parent);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    return grid;
}

void AddRow(QGridLayout* grid, int row, int column, QLabel* label, QWidget* field) {
    grid->addWidget(label, row, column, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(field, row, column + 1, Qt::AlignLeft | Qt::AlignVCenter);
}

QLineEdit* TextRow(QGridLayout* grid, int row, int column, const char* name, int chars,
                   const char* labelName, const QString& caption, QLabel** labelOut) {
    QWidget* parent = grid->parentWidget();
    QLineEdit* field = LineEdit(parent, name, chars);
    QLabel* l = Label(parent, labelName, caption, field);
    AddRow(grid, row, column, l, field);
    if (labelOut)
        *labelOut = l;
    return field;
}

}  // namespace forms::layout
