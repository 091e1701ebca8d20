// The form of the main window: its widget tree, texts and the one style sheet it sets itself.
#pragma once

// Like a generated form header, this one brings in every widget class it names, so the window's
// code can use the members directly.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QWidget>

// The widget tree of the main window, built by hand. The pointers do not own: every widget and
// layout belongs to its Qt parent. The members keep the order in which SetupUi creates the
// widgets, which is also the stacking and focus order inside frame_Right.
class MainWindowUi {
  public:
    QWidget* centralwidget = nullptr;
    QGridLayout* gridLayout_6 = nullptr;
    QFrame* frame = nullptr;
    QGridLayout* gridLayout = nullptr;
    QFrame* frame_8 = nullptr;
    QGridLayout* gridLayout_2 = nullptr;
    QFrame* frame_9 = nullptr;
    QHBoxLayout* horizontalLayout_4 = nullptr;
    QLabel* label_15 = nullptr;
    QTextEdit* textEdit = nullptr;
    QFrame* frame_2 = nullptr;
    QGridLayout* gridLayout_5 = nullptr;
    QFrame* frame_System = nullptr;
    QGridLayout* gridLayout_4 = nullptr;
    QFrame* frame_5 = nullptr;
    QHBoxLayout* horizontalLayout_2 = nullptr;
    QLabel* label_14 = nullptr;
    QLabel* label_ImgSystem = nullptr;
    QFrame* frame_10 = nullptr;
    QFrame* frame_User = nullptr;
    QGridLayout* gridLayout_3 = nullptr;
    QFrame* frame_4 = nullptr;
    QHBoxLayout* horizontalLayout_3 = nullptr;
    QLabel* label_13 = nullptr;
    QScrollBar* verticalScrollBar = nullptr;
    QLabel* label_ImgUser = nullptr;
    QScrollBar* horizontalScrollBar = nullptr;
    QFrame* frame_Right = nullptr;
    QPushButton* pushButton_2 = nullptr;
    QFrame* frame_6 = nullptr;
    QLabel* label_3 = nullptr;
    QComboBox* comboBox_FCode = nullptr;
    QLineEdit* lineEdit_FontInformation = nullptr;
    QPushButton* pushButton_SelectFont = nullptr;
    QFrame* frame_7 = nullptr;
    QLineEdit* lineEdit_Limit = nullptr;
    QLabel* label_5 = nullptr;
    QLabel* label_4 = nullptr;
    QLineEdit* lineEdit_W = nullptr;
    QLineEdit* lineEdit_H = nullptr;
    QLabel* label_6 = nullptr;
    QLabel* label_9 = nullptr;
    QComboBox* comboBox_PixFormat = nullptr;
    QLabel* label_2 = nullptr;
    QCheckBox* checkBox_SetBold = nullptr;
    QCheckBox* checkBox_SetItalic = nullptr;
    QCheckBox* checkBox_Left = nullptr;
    QLabel* label_11 = nullptr;
    QLabel* label_12 = nullptr;
    QComboBox* comboBox_ShowBy = nullptr;
    QLineEdit* lineEdit_TextCode = nullptr;
    QPushButton* pushButton_3 = nullptr;
    QLineEdit* lineEdit_CharCode = nullptr;
    QLabel* label_16 = nullptr;
    QComboBox* comboBox_Space = nullptr;
    QCheckBox* checkBox_Crisp = nullptr;     // the crisp rendering mode
    QCheckBox* checkBox_Compress = nullptr;  // write the compressed form of the fonts
    QPushButton* pushButton_Fit = nullptr;   // fits size and offsets to the cell
    QFrame* frame_3 = nullptr;
    QLabel* label_7 = nullptr;
    QLabel* label_8 = nullptr;
    QLineEdit* lineEdit_SCode = nullptr;
    QLineEdit* lineEdit_ECode = nullptr;
    QPushButton* pushButton_MakeFont = nullptr;
    QPushButton* pushButton_Ascii = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* pushButton_String = nullptr;
    QPushButton* pushButton = nullptr;
    QComboBox* comboBox_Rotation = nullptr;
    QComboBox* comboBox_Target = nullptr;
    QCheckBox* checkBox_revY = nullptr;
    QLabel* label = nullptr;
    QLabel* label_10 = nullptr;
    QCheckBox* checkBox_revX = nullptr;

    // Builds the whole tree on the window, sets its texts and connects the window's
    // on_<name>_<signal> slots. Combo-box items, validators and the start-up style sheets are left
    // to the window.
    void SetupUi(QMainWindow* window);
    // Sets every visible text; the window title is left empty for the window to fill.
    void RetranslateUi(QMainWindow* window);
};
