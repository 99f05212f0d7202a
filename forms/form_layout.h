#pragma once
// Building blocks of the record windows' layouts, so that every window places its labels, fields
// and buttons alike: labels left-aligned in their own column, fields sized for the characters
// they hold, every widget named (objectName) as the screen names it.

#include <QString>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace forms::layout {

// Width of a field that shows about chars characters of w's font.
int WidthFor(const QWidget* w, int chars);

// A line edit of about chars characters; fixed: that width exactly, else at least that.
QLineEdit* LineEdit(QWidget* parent, const char* name, int chars, bool fixed = true);
// A label (name may be null) whose buddy is the field it names.
QLabel* Label(QWidget* parent, const char* name, const QString& caption, QWidget* buddy);
QCheckBox* CheckBox(QWidget* parent, const char* name, const QString& caption);
QRadioButton* Option(QWidget* parent, const char* name, const QString& caption);
QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption);
// A push button that never becomes the default: Enter belongs to the fields.
QPushButton* Button(QWidget* parent, const char* name, const QString& caption);

// A grid whose labels stand in their own column.
QGridLayout* FormGrid(QWidget* parent);
void AddRow(QGridLayout* grid, int row, int column, QLabel* label, QWidget* field);
// A line edit of about chars characters with its label, on a row of a form grid; the label is
// returned through labelOut when asked.
QLineEdit* TextRow(QGridLayout* grid, int row, int column, const char* name, int chars,
                   const char* labelName, const QString& caption, QLabel** labelOut = nullptr);

}  // namespace forms::layout
