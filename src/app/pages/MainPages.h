// The contents of the main window's nine pages, the running volumes, the EQ panel's buttons,
// and the system and save panels, built from the parameter map.
#pragma once

#include <QWidget>

namespace mz3 {

class PageBuilder;

// One class per page of FormPageItem, each built from the parameter map.
class MusicPage : public QWidget {
public:
    explicit MusicPage(PageBuilder& b);
};
class MicPage : public QWidget {
public:
    explicit MicPage(PageBuilder& b);
};
class EffectPage : public QWidget {  // echo and reverb inner pages
public:
    explicit EffectPage(PageBuilder& b);
};
class OutputPage : public QWidget {  // Main, Surround, Center and SUB
public:
    explicit OutputPage(PageBuilder& b);
};
class HintPage : public QWidget {
public:
    explicit HintPage(PageBuilder& b);
};
class RecPage : public QWidget {
public:
    explicit RecPage(PageBuilder& b);
};
class AuxiliaryPage : public QWidget {  // the limit and user-EQ sub-pages
public:
    explicit AuxiliaryPage(PageBuilder& b);
};
class DeqPage : public QWidget {
public:
    explicit DeqPage(PageBuilder& b);
};

// The page of FormPageItem at index (null for the system page, which the window builds).
QWidget* createParameterPage(int index, PageBuilder& b);
// The system page's parameter controls, the running volumes, the EQ panel's buttons and the
// hidden placeholder of the main window.
void populateMainPages(QWidget* mainWindow, PageBuilder& b);
// Fills the system panel (TForm4) and the save panel (TForm5).
void populateSystemPanel(QWidget* panel);
void populateSavePanel(QWidget* panel);

}  // namespace mz3
