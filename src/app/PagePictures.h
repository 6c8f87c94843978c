// Pictures of every page of the main window and of the two panels, for reviewing the layout.
#pragma once

#include <QString>

namespace mz3 {

class PanelApp;

// Saves page-0-music.png ... and system-panel.png, save-panel.png in dir; returns the count.
int savePagePictures(PanelApp& panel, const QString& dir);

}  // namespace mz3
