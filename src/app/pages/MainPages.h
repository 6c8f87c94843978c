// The contents of the main window's nine pages, the running volumes, the EQ panel's buttons,
// and the system and save panels, built from the parameter map.
#pragma once

class QWidget;

namespace mz3 {

// Fills the pages of FormPageItem, AdvGroupBox16 and the EQ panel of the main window.
void populateMainPages(QWidget* mainWindow);
// Fills the system panel (TForm4) and the save panel (TForm5).
void populateSystemPanel(QWidget* panel);
void populateSavePanel(QWidget* panel);

}  // namespace mz3
