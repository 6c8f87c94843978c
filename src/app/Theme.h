// The panel's dark look: graph background RGB 23,23,23; panels RGB 50,58,71.
#pragma once

#include <QString>

namespace mz3 {

QString panelStyleSheet();

// The status line's look: lime while online, silver otherwise.
QString linkStatusStyle(bool online);

}  // namespace mz3
