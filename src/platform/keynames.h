#pragma once

#include <QKeyCombination>
#include <QString>
#include <QtGlobal>

namespace veltrix {

// The X keysym of a key without its modifiers (what the key's cap shows
// unshifted); 0 for keys that have none here.
quint32 keysymOf(Qt::Key key);

// A combination in the form desktop portals take as a preferred trigger
// ("CTRL+ALT+n"); empty when the key has no name here.
QString portalTrigger(QKeyCombination combination);

} // namespace veltrix
