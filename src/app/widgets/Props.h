// Typed access to the dynamic properties a bound control carries: Tag (its parameter address
// or selector number) and Hint (scale kind, toggle state, or the other-language text).
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace mz3 {

inline void setTag(QObject* o, int tag) {
    o->setProperty("Tag", tag);
}
inline int tag(const QObject* o) {
    return o->property("Tag").toInt();
}
inline void setHint(QObject* o, const QString& hint) {
    o->setProperty("Hint", hint);
}
inline QString hint(const QObject* o) {
    return o->property("Hint").toString();
}

// The Hint as a number (scale kind, state, role, type index); 0 when empty.
inline int hintNumber(const QObject* o) {
    return hint(o).toInt();
}

// A control shows the current-language text and keeps the other language's text in its Hint,
// so the language switch can swap the two.
template <typename W>
void setBilingualText(W* w, const QString& shown, const QString& other) {
    w->setText(shown);
    setHint(w, other);
}

}  // namespace mz3
