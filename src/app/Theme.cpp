#include "Theme.h"

namespace mz3 {

QString panelStyleSheet() {
    return QStringLiteral(R"(
QWidget { background-color: rgb(37, 43, 53); color: rgb(220, 224, 230);
          font-family: "WenQuanYi Micro Hei", "Noto Sans CJK SC", sans-serif; font-size: 12px; }
QGroupBox { background-color: rgb(50, 58, 71); border: 1px solid rgb(70, 80, 96);
            border-radius: 4px; margin-top: 14px; padding-top: 4px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; color: rgb(160, 170, 186); }
QPushButton { background-color: rgb(62, 72, 88); border: 1px solid rgb(86, 98, 118);
              border-radius: 3px; padding: 4px 10px; }
QPushButton:hover { background-color: rgb(78, 90, 110); }
QPushButton:checked { background-color: rgb(243, 152, 0); color: black; }
QLineEdit, QComboBox, QListWidget { background-color: rgb(23, 23, 23); border: 1px solid rgb(86, 98, 118);
              border-radius: 2px; padding: 2px 4px; }
QLabel { background: transparent; }
QWidget#TitleBar { background-color: rgb(23, 23, 23); }
QLabel#RzLabel9 { font-size: 14px; font-weight: bold; color: rgb(230, 230, 230); }
QWidget#AdvPanel2 { background-color: rgb(23, 23, 23); border: 1px solid rgb(70, 80, 96); }
QPushButton#RzBmpButton3:hover { background-color: rgb(200, 40, 40); }
)");
}

QString linkStatusStyle(bool online) {
    return online ? QStringLiteral("color: rgb(0,255,0); font-size: 14px;")
                  : QStringLiteral("color: rgb(192,192,192); font-size: 14px;");
}

}  // namespace mz3
