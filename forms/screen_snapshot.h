#pragma once
// What a part of a screen shows, taken at once: the text of every line edit and combo box, the
// chosen entry of every list and the state of every check box and option button under a widget.
// A page compares the snapshot taken after its display with the one it shows now to tell whether
// the user changed it: a field set from a stored value the page would store in another form (a
// server address without its port) is then no change. User-interface thread only.

#include <QString>
#include <QStringList>

class QWidget;

namespace forms {

class ScreenSnapshot {
  public:
    ScreenSnapshot() = default;
    // Everything root shows, root included.
    static ScreenSnapshot Of(const QWidget* root);

    bool operator==(const ScreenSnapshot& other) const { return values_ == other.values_; }
    bool operator!=(const ScreenSnapshot& other) const { return !(*this == other); }
    bool Empty() const { return values_.isEmpty(); }

  private:
    QStringList values_;  // "objectName=value", in the order of the widget tree
};

}  // namespace forms
