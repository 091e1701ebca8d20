#include "app/start_style_sheets.h"

#include "app/form/main_window_ui.h"

const char* const kControlPanelStyleSheet =
    "QPushButton{background: #ffffff;border: 2px solid #d9dfe7;border-radius: 4px;color: #333333;}"
    "QPushButton:hover{background: #0090ff;border-radius: 4px;color: #fefefe;}"
    "QPushButton:disabled{background: #cccccc;color:#666666}"
    "QComboBox{background: #ffffff;border: 1px solid rgba(51,51,51,0.30);border-radius: 4px;}"
    "QComboBox::drop-down{border:none;}"
    "QComboBox::down-arrow{width: 21px;height: 11px;right:7px;image: "
    "url(:/Image/ComboBox-downArrow.png)}"
    "QComboBox QAbstractItemView {height: 150px;background-color: #ffffff;}"
    "QLineEdit{background: #ffffff;border: 1px solid rgba(51,51,51,0.30);border-radius: 4px;}"
    "QCheckBox::indicator {width :  26px ;height :  26px ;}"
    "QCheckBox::indicator:unchecked {image:url(:/Image/Checkbox_uncheck.png);}"
    "QCheckBox::indicator:unchecked:hover {image:url(:/Image/Checkbox_uncheck_hover.png);}"
    "QCheckBox::indicator:checked{image:url(:/Image/Checkbox_check.png);}"
    "QCheckBox::indicator:checked:hover{image:url(:/Image/Checkbox_check_hover.png);}"
    "QLabel{color: #313c61;}"
    "QFrame{background: #d9dfe7;border-radius: 4px;}";

void ApplyStartStyleSheets(MainWindowUi* ui) {
    ui->progressBar->setStyleSheet(
        QStringLiteral("QProgressBar{color:black;border: 0px solid ;background: "
                       "rgba(248,248,255,180);border-radius: 6px; }QProgressBar::chunk:enabled "
                       "{border-radius: 4px; background: qlineargradient(x1:0, y1:0, x2:1, y2:0 "
                       ",stop:0 #b9c5d5, stop:1 #b9c5d5);}"));
    ui->frame_Right->setStyleSheet(
        QStringLiteral("QFrame{border-radius: 4px;border:1px solid rgb(223, 223,223);}"));
    ui->frame_System->setStyleSheet(
        QStringLiteral("QFrame{border-radius: 4px;border:1px solid rgb(223, "
                       "223,223);background:#ffffff}QLabel{border:0px solid;}"));
    ui->frame_User->setStyleSheet(
        QStringLiteral("QFrame{border-radius: 4px;border:1px solid rgb(223, "
                       "223,223);background:#ffffff}QLabel{border:0px solid;}"));
    ui->frame_8->setStyleSheet(QStringLiteral(
        "QFrame{border-radius: 4px;border:1px solid rgb(223, 223,223);background:#ffffff}"));
    ui->frame_10->setStyleSheet(
        QStringLiteral("QFrame{border-radius: 4px;border:0px solid rgb(223, 223,223);}"));
    ui->frame_4->setStyleSheet(QStringLiteral("QFrame{background: #d9dfe7;border-radius: 4px;}"));
    ui->frame_5->setStyleSheet(QStringLiteral("QFrame{background: #d9dfe7;border-radius: 4px;}"));
    ui->frame_9->setStyleSheet(QStringLiteral("QFrame{background: #d9dfe7;border-radius: 4px;}"));
    ui->frame_3->setStyleSheet(QString::fromLatin1(kControlPanelStyleSheet));
    ui->frame_6->setStyleSheet(QString::fromLatin1(kControlPanelStyleSheet));
    ui->frame_7->setStyleSheet(QString::fromLatin1(kControlPanelStyleSheet));
}
