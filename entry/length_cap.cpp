#include "length_cap.h"

namespace entry {

void LengthCapKey(int& keyAscii, const QString& text, int cap) {
    if (text.size() >= cap)
        keyAscii = 0;
}

void AttachLengthCap(QWidget* field, int cap, KeyFilter then) {
    AttachKeyFilter(field, [cap, then = std::move(then)](int& keyAscii, const QString& text) {
        LengthCapKey(keyAscii, text, cap);
        if (keyAscii != 0 && then)
            then(keyAscii, text);
    });
}

}  // namespace entry
