#include "TForm5.h"

namespace mz3 {

TForm5::TForm5()
    : ToolWindow("TForm5", QStringLiteral("保存面板"), QStringLiteral("Save Panel"), 452, 400) {}

}  // namespace mz3
