// The system panel, the input panel and the new-version window.
#pragma once

#include <functional>

#include "ToolWindow.h"

namespace mz3 {

class TForm4 : public ToolWindow {
    Q_OBJECT
public:
    TForm4();
};

class TForm6 : public ToolWindow {
    Q_OBJECT
public:
    TForm6();
};

// Shown when the linked box does not identify itself as the expected model.
class TForm7 : public ToolWindow {
    Q_OBJECT
public:
    // linkFailed performs link action 9; upgrade starts the upgrade program.
    TForm7(std::function<void()> linkFailed, std::function<void()> upgrade);

    void RzBmpButton23Click();  // OK
    void RzBmpButton1Click();   // Cancel

private:
    std::function<void()> m_linkFailed;
    std::function<void()> m_upgrade;
};

}  // namespace mz3
