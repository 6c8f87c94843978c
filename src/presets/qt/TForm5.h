// The save panel: the box's device modes and the PC mode files.
#pragma once

#include "ToolWindow.h"

namespace mz3 {

class TForm5 : public ToolWindow {
    Q_OBJECT
public:
    TForm5();
};

}  // namespace mz3
