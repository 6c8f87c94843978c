// The panel's dark look: graph background RGB 23,23,23; panels RGB 50,58,71.
#pragma once

#include <QString>

namespace mz3 {

QString panelStyleSheet();

}  // namespace mz3
