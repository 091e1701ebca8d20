#include "app/form/main_window_ui.h"

#include <QCoreApplication>
#include <QFont>
#include <QMetaObject>
#include <QTabWidget>

namespace {

constexpr int kMaxWidgetSize = QWIDGETSIZE_MAX;
// The log keeps a seven-digit maximum height; it only has to be larger than any screen.
constexpr int kLogMaxHeight = 1677215;
// Height of the title bar above each of the three panels of the left area.
constexpr int kPanelTitleHeight = 51;

const char kCodeFieldStyle[] =
    "QLineEdit{background: #ffffff;border: 1px solid rgba(51,51,51,0.30);border-radius: 4px;}";

// Each font sets only the attributes it names; the rest resolve against the parent's font.
// Bold is weight 75 and normal weight 50, both set explicitly.
enum class FontRole {
    kPanelTitle,  // Arial 12 bold
    kArialBold,   // Arial bold, inherited size
    kTitle12,     // 12 points only
    kNormal,      // normal weight only
    kField,       // Arial 10 normal
    kFieldLabel,  // Arial 10 bold
    kKerned10,    // 10 points with kerning
    kCodeField,   // 10 points normal
    kProgress,    // Arial Black bold, inherited size
    kArial10,     // Arial 10, inherited weight
};

QFont MakeFont(FontRole role) {
    QFont font;
    switch (role) {
        case FontRole::kPanelTitle:
            font.setFamily(QString::fromUtf8("Arial"));
            font.setPointSize(12);
            font.setBold(true);
            font.setWeight(75);
            break;
        case FontRole::kArialBold:
            font.setFamily(QString::fromUtf8("Arial"));
            font.setBold(true);
            font.setWeight(75);
            break;
        case FontRole::kTitle12:
            font.setPointSize(12);
            break;
        case FontRole::kNormal:
            font.setBold(false);
            font.setWeight(50);
            break;
        case FontRole::kField:
            font.setFamily(QString::fromUtf8("Arial"));
            font.setPointSize(10);
            font.setBold(false);
            font.setWeight(50);
            break;
        case FontRole::kFieldLabel:
            font.setFamily(QString::fromUtf8("Arial"));
            font.setPointSize(10);
            font.setBold(true);
            font.setWeight(75);
            break;
        case FontRole::kKerned10:
            font.setPointSize(10);
            font.setKerning(true);
            break;
        case FontRole::kCodeField:
            font.setPointSize(10);
            font.setBold(false);
            font.setWeight(50);
            break;
        case FontRole::kProgress:
            font.setFamily(QString::fromUtf8("Arial Black"));
            font.setBold(true);
            font.setWeight(75);
            break;
        case FontRole::kArial10:
            font.setFamily(QString::fromUtf8("Arial"));
            font.setPointSize(10);
            break;
    }
    return font;
}

QFrame* NewFrame(QWidget* parent, const char* name, QFrame::Shape shape, QFrame::Shadow shadow) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromUtf8(name));
    frame->setFrameShape(shape);
    frame->setFrameShadow(shadow);
    return frame;
}

// A title bar of the left area: a fixed-height raised panel holding one centred label.
QFrame* NewTitleBar(QWidget* parent, const char* frameName, QHBoxLayout** layout,
                    const char* layoutName, QLabel** label, const char* labelName,
                    const QFont& labelFont) {
    QFrame* bar = NewFrame(parent, frameName, QFrame::StyledPanel, QFrame::Raised);
    bar->setMinimumSize(QSize(0, kPanelTitleHeight));
    bar->setMaximumSize(QSize(kMaxWidgetSize, kPanelTitleHeight));
    *layout = new QHBoxLayout(bar);
    (*layout)->setObjectName(QString::fromUtf8(layoutName));
    *label = new QLabel(bar);
    (*label)->setObjectName(QString::fromUtf8(labelName));
    (*label)->setFont(labelFont);
    (*label)->setAlignment(Qt::AlignCenter);
    (*layout)->addWidget(*label);
    return bar;
}

template <typename W>
W* NewPlaced(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(QRect(x, y, w, h));
    return widget;
}

QLabel* NewCentredLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QScrollBar* NewOffsetScrollBar(QWidget* parent, const char* name, Qt::Orientation orientation) {
    auto* bar = new QScrollBar(parent);
    bar->setObjectName(QString::fromUtf8(name));
    bar->setMinimum(0);
    bar->setMaximum(50);
    bar->setPageStep(1);
    bar->setValue(25);
    bar->setOrientation(orientation);
    return bar;
}

QString Tr(const char* text) { return QCoreApplication::translate("MainWindow", text, nullptr); }

}  // namespace

// The images live in a static library, where the linker would drop the unreferenced resource
// object and the style sheets would find nothing under ":/Image/". Referencing it from the form
// keeps it, and registers the images at program start.
static int RegisterFormImages() {
    Q_INIT_RESOURCE(images);
    return 1;
}
static const int kFormImagesRegistered = RegisterFormImages();

void MainWindowUi::SetupUi(QMainWindow* window) {
    if (window->objectName().isEmpty()) window->setObjectName(QString::fromUtf8("MainWindow"));
    window->resize(1266, 850);
    QFont windowFont;
    windowFont.setPointSize(10);
    window->setFont(windowFont);
    window->setTabShape(QTabWidget::Rounded);

    centralwidget = new QWidget(window);
    centralwidget->setObjectName(QString::fromUtf8("centralwidget"));
    centralwidget->setEnabled(true);
    centralwidget->setMinimumSize(QSize(0, 0));
    centralwidget->setMaximumSize(QSize(kMaxWidgetSize, kMaxWidgetSize));
    gridLayout_6 = new QGridLayout(centralwidget);
    gridLayout_6->setObjectName(QString::fromUtf8("gridLayout_6"));
    gridLayout_6->setContentsMargins(3, 3, 3, 3);
    gridLayout_6->setSizeConstraint(QLayout::SetDefaultConstraint);

    // Left area: the two previews above the message log, all layout-managed.
    frame = NewFrame(centralwidget, "frame", QFrame::NoFrame, QFrame::Plain);
    gridLayout = new QGridLayout(frame);
    gridLayout->setObjectName(QString::fromUtf8("gridLayout"));
    gridLayout->setContentsMargins(1, 1, 1, 1);

    frame_8 = NewFrame(frame, "frame_8", QFrame::NoFrame, QFrame::Sunken);
    frame_8->setMinimumSize(QSize(0, 285));
    gridLayout_2 = new QGridLayout(frame_8);
    gridLayout_2->setObjectName(QString::fromUtf8("gridLayout_2"));
    frame_9 = NewTitleBar(frame_8, "frame_9", &horizontalLayout_4, "horizontalLayout_4", &label_15,
                          "label_15", MakeFont(FontRole::kPanelTitle));
    gridLayout_2->addWidget(frame_9, 0, 0, 1, 1);
    textEdit = new QTextEdit(frame_8);
    textEdit->setObjectName(QString::fromUtf8("textEdit"));
    textEdit->setMaximumSize(QSize(kMaxWidgetSize, kLogMaxHeight));
    textEdit->setFont(MakeFont(FontRole::kArialBold));
    textEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    gridLayout_2->addWidget(textEdit, 1, 0, 1, 1);
    gridLayout->addWidget(frame_8, 1, 0, 1, 1);

    frame_2 = NewFrame(frame, "frame_2", QFrame::NoFrame, QFrame::Sunken);
    gridLayout_5 = new QGridLayout(frame_2);
    gridLayout_5->setSpacing(0);
    gridLayout_5->setObjectName(QString::fromUtf8("gridLayout_5"));
    gridLayout_5->setContentsMargins(0, 0, 0, 0);

    frame_System = NewFrame(frame_2, "frame_System", QFrame::NoFrame, QFrame::Sunken);
    frame_System->setMinimumSize(QSize(0, 502));
    frame_System->setFont(MakeFont(FontRole::kArialBold));
    gridLayout_4 = new QGridLayout(frame_System);
    gridLayout_4->setObjectName(QString::fromUtf8("gridLayout_4"));
    frame_5 = NewTitleBar(frame_System, "frame_5", &horizontalLayout_2, "horizontalLayout_2",
                          &label_14, "label_14", MakeFont(FontRole::kTitle12));
    gridLayout_4->addWidget(frame_5, 0, 0, 1, 1);
    label_ImgSystem = NewCentredLabel(frame_System, "label_ImgSystem");
    gridLayout_4->addWidget(label_ImgSystem, 1, 0, 1, 1);
    frame_10 = NewFrame(frame_System, "frame_10", QFrame::StyledPanel, QFrame::Raised);
    frame_10->setMaximumSize(QSize(kMaxWidgetSize, 21));
    gridLayout_4->addWidget(frame_10, 2, 0, 1, 1);
    gridLayout_5->addWidget(frame_System, 0, 0, 1, 1);

    frame_User = NewFrame(frame_2, "frame_User", QFrame::NoFrame, QFrame::Sunken);
    frame_User->setMinimumSize(QSize(0, 502));
    frame_User->setFont(MakeFont(FontRole::kArialBold));
    frame_User->setMidLineWidth(0);
    gridLayout_3 = new QGridLayout(frame_User);
    gridLayout_3->setObjectName(QString::fromUtf8("gridLayout_3"));
    frame_4 = NewTitleBar(frame_User, "frame_4", &horizontalLayout_3, "horizontalLayout_3",
                          &label_13, "label_13", MakeFont(FontRole::kPanelTitle));
    label_13->setMinimumSize(QSize(0, 0));
    gridLayout_3->addWidget(frame_4, 0, 0, 1, 1);
    verticalScrollBar = NewOffsetScrollBar(frame_User, "verticalScrollBar", Qt::Vertical);
    gridLayout_3->addWidget(verticalScrollBar, 0, 1, 2, 1);
    label_ImgUser = NewCentredLabel(frame_User, "label_ImgUser");
    gridLayout_3->addWidget(label_ImgUser, 1, 0, 1, 1);
    horizontalScrollBar = NewOffsetScrollBar(frame_User, "horizontalScrollBar", Qt::Horizontal);
    gridLayout_3->addWidget(horizontalScrollBar, 2, 0, 1, 1);
    gridLayout_5->addWidget(frame_User, 0, 1, 1, 1);
    gridLayout->addWidget(frame_2, 0, 0, 1, 1);
    gridLayout_6->addWidget(frame, 0, 0, 1, 1);

    // Right column: no layout, every control at a fixed place. Creation order is the stacking
    // and focus order. The rotation, mirror and chip-bin controls lie below y = 850, under the
    // bottom edge of a window of the start size.
    frame_Right = NewFrame(centralwidget, "frame_Right", QFrame::NoFrame, QFrame::Sunken);
    frame_Right->setMinimumSize(QSize(300, 0));
    frame_Right->setMaximumSize(QSize(360, kMaxWidgetSize));
    frame_Right->setFont(MakeFont(FontRole::kArialBold));
    pushButton_2 = NewPlaced<QPushButton>(frame_Right, "pushButton_2", 230, 850, 51, 35);

    frame_6 = NewPlaced<QFrame>(frame_Right, "frame_6", 10, 13, 281, 96);
    frame_6->setMaximumSize(QSize(kMaxWidgetSize, 98));
    frame_6->setFrameShape(QFrame::StyledPanel);
    frame_6->setFrameShadow(QFrame::Raised);
    label_3 = NewPlaced<QLabel>(frame_6, "label_3", 10, 15, 100, 28);
    comboBox_FCode = NewPlaced<QComboBox>(frame_6, "comboBox_FCode", 130, 15, 141, 28);
    lineEdit_FontInformation =
        NewPlaced<QLineEdit>(frame_6, "lineEdit_FontInformation", 130, 55, 141, 28);
    lineEdit_FontInformation->setFont(MakeFont(FontRole::kNormal));
    lineEdit_FontInformation->setReadOnly(true);
    pushButton_SelectFont =
        NewPlaced<QPushButton>(frame_6, "pushButton_SelectFont", 9, 55, 100, 28);

    frame_7 = NewPlaced<QFrame>(frame_Right, "frame_7", 10, 130, 280, 373);
    frame_7->setMinimumSize(QSize(0, 373));
    frame_7->setFrameShape(QFrame::StyledPanel);
    frame_7->setFrameShadow(QFrame::Raised);
    const QFont fieldFont = MakeFont(FontRole::kField);
    const QFont fieldLabelFont = MakeFont(FontRole::kFieldLabel);
    lineEdit_Limit = NewPlaced<QLineEdit>(frame_7, "lineEdit_Limit", 230, 14, 41, 28);
    lineEdit_Limit->setFont(fieldFont);
    label_5 = NewPlaced<QLabel>(frame_7, "label_5", 90, 14, 30, 28);
    label_5->setFont(fieldLabelFont);
    label_4 = NewPlaced<QLabel>(frame_7, "label_4", 10, 14, 30, 28);
    label_4->setFont(fieldLabelFont);
    lineEdit_W = NewPlaced<QLineEdit>(frame_7, "lineEdit_W", 40, 14, 41, 28);
    lineEdit_W->setFont(fieldFont);
    lineEdit_H = NewPlaced<QLineEdit>(frame_7, "lineEdit_H", 120, 14, 41, 26);
    lineEdit_H->setFont(fieldFont);
    label_6 = NewPlaced<QLabel>(frame_7, "label_6", 170, 14, 51, 28);
    label_6->setFont(fieldLabelFont);
    label_9 = NewPlaced<QLabel>(frame_7, "label_9", 10, 60, 90, 28);
    comboBox_PixFormat = NewPlaced<QComboBox>(frame_7, "comboBox_PixFormat", 120, 60, 150, 28);
    label_2 = NewPlaced<QLabel>(frame_7, "label_2", 100, 60, 10, 28);
    label_2->setFont(MakeFont(FontRole::kKerned10));
    label_2->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    checkBox_SetBold = NewPlaced<QCheckBox>(frame_7, "checkBox_SetBold", 10, 156, 91, 28);
    checkBox_SetItalic = NewPlaced<QCheckBox>(frame_7, "checkBox_SetItalic", 10, 112, 71, 28);
    checkBox_Left = NewPlaced<QCheckBox>(frame_7, "checkBox_Left", 10, 200, 151, 28);
    label_11 = NewPlaced<QLabel>(frame_7, "label_11", 10, 250, 75, 28);
    label_12 = NewPlaced<QLabel>(frame_7, "label_12", 85, 250, 10, 28);
    comboBox_ShowBy = NewPlaced<QComboBox>(frame_7, "comboBox_ShowBy", 100, 250, 81, 28);
    // The code field and the character field share one place; only one of them is shown.
    lineEdit_TextCode = NewPlaced<QLineEdit>(frame_7, "lineEdit_TextCode", 190, 250, 81, 28);
    lineEdit_TextCode->setFont(fieldLabelFont);
    lineEdit_TextCode->setStyleSheet(QString::fromUtf8(kCodeFieldStyle));
    pushButton_3 = NewPlaced<QPushButton>(frame_7, "pushButton_3", 10, 296, 261, 65);
    lineEdit_CharCode = NewPlaced<QLineEdit>(frame_7, "lineEdit_CharCode", 190, 250, 80, 28);
    lineEdit_CharCode->setFont(fieldFont);
    lineEdit_CharCode->setStyleSheet(QString::fromUtf8(kCodeFieldStyle));
    label_16 = NewPlaced<QLabel>(frame_7, "label_16", 120, 112, 101, 25);
    comboBox_Space = NewPlaced<QComboBox>(frame_7, "comboBox_Space", 218, 112, 51, 25);
    // Two controls in what was empty space: right of "Bold" and of "Left alignment".
    checkBox_Crisp = NewPlaced<QCheckBox>(frame_7, "checkBox_Crisp", 120, 156, 151, 28);
    pushButton_Fit = NewPlaced<QPushButton>(frame_7, "pushButton_Fit", 170, 200, 101, 28);

    frame_3 = NewPlaced<QFrame>(frame_Right, "frame_3", 10, 522, 281, 321);
    frame_3->setMinimumSize(QSize(0, 266));
    frame_3->setFrameShape(QFrame::StyledPanel);
    frame_3->setFrameShadow(QFrame::Raised);
    label_7 = NewPlaced<QLabel>(frame_3, "label_7", 30, 10, 91, 16);
    label_7->setFont(fieldLabelFont);
    label_8 = NewPlaced<QLabel>(frame_3, "label_8", 160, 10, 91, 16);
    label_8->setFont(fieldLabelFont);
    const QFont codeFieldFont = MakeFont(FontRole::kCodeField);
    lineEdit_SCode = NewPlaced<QLineEdit>(frame_3, "lineEdit_SCode", 40, 35, 61, 26);
    lineEdit_SCode->setFont(codeFieldFont);
    lineEdit_ECode = NewPlaced<QLineEdit>(frame_3, "lineEdit_ECode", 170, 35, 61, 26);
    lineEdit_ECode->setFont(codeFieldFont);
    pushButton_MakeFont = NewPlaced<QPushButton>(frame_3, "pushButton_MakeFont", 10, 70, 261, 61);
    pushButton_MakeFont->setFont(fieldLabelFont);
    pushButton_Ascii = NewPlaced<QPushButton>(frame_3, "pushButton_Ascii", 10, 140, 261, 61);
    pushButton_Ascii->setFont(fieldLabelFont);
    progressBar = NewPlaced<QProgressBar>(frame_3, "progressBar", 10, 280, 261, 31);
    progressBar->setFont(MakeFont(FontRole::kProgress));
    progressBar->setValue(24);
    progressBar->setAlignment(Qt::AlignCenter);
    pushButton_String = NewPlaced<QPushButton>(frame_3, "pushButton_String", 10, 210, 261, 61);
    pushButton_String->setFont(fieldLabelFont);

    pushButton = NewPlaced<QPushButton>(frame_Right, "pushButton", 30, 850, 51, 35);
    pushButton->setFont(MakeFont(FontRole::kArialBold));
    pushButton->setStyleSheet(QString());
    pushButton->setAutoDefault(false);
    pushButton->setFlat(false);
    comboBox_Rotation = NewPlaced<QComboBox>(frame_Right, "comboBox_Rotation", 140, 910, 150, 28);
    checkBox_revY = NewPlaced<QCheckBox>(frame_Right, "checkBox_revY", 170, 950, 121, 28);
    label = NewPlaced<QLabel>(frame_Right, "label", 30, 910, 91, 28);
    label_10 = NewPlaced<QLabel>(frame_Right, "label_10", 120, 910, 10, 28);
    label_10->setFont(MakeFont(FontRole::kArial10));
    checkBox_revX = NewPlaced<QCheckBox>(frame_Right, "checkBox_revX", 30, 950, 131, 28);
    // In what was the empty strip between the settings and the convert panels.
    checkBox_Compress = NewPlaced<QCheckBox>(frame_Right, "checkBox_Compress", 20, 503, 150, 19);
    // Right of it in the same strip: the file the convert commands write.
    comboBox_Target = NewPlaced<QComboBox>(frame_Right, "comboBox_Target", 170, 503, 120, 19);

    frame_6->raise();
    frame_7->raise();
    frame_3->raise();
    pushButton->raise();
    pushButton_2->raise();
    comboBox_Rotation->raise();
    checkBox_revY->raise();
    label->raise();
    label_10->raise();
    checkBox_revX->raise();
    checkBox_Compress->raise();
    comboBox_Target->raise();

    gridLayout_6->addWidget(frame_Right, 0, 1, 1, 1);
    window->setCentralWidget(centralwidget);

    RetranslateUi(window);

    pushButton->setDefault(false);

    QMetaObject::connectSlotsByName(window);
}

void MainWindowUi::RetranslateUi(QMainWindow* window) {
    window->setWindowTitle(QString());
    label_15->setText(Tr("Message"));
    label_14->setText(Tr("System Pattern"));
    label_ImgSystem->setText(Tr("TextLabel"));
    label_13->setText(Tr("User Pattern"));
    label_ImgUser->setText(Tr("TextLabel"));
    pushButton_2->setText(Tr("TTF File Bin"));
    label_3->setText(Tr("Encodings:"));
    pushButton_SelectFont->setText(Tr("Font..."));
    lineEdit_Limit->setText(Tr("50"));
    label_5->setText(Tr("H："));
    label_4->setText(Tr("W："));
    lineEdit_W->setText(Tr("32"));
    lineEdit_H->setText(Tr("32"));
    label_6->setText(Tr(" Limit："));
    label_9->setText(Tr("Gray scale"));
    label_2->setText(Tr(":"));
    checkBox_SetBold->setText(Tr("Bold"));
    checkBox_SetItalic->setText(Tr("Italic"));
    checkBox_Left->setText(Tr("Left alignment"));
    checkBox_Crisp->setText(Tr("Crisp"));
    pushButton_Fit->setText(Tr("Fit"));
    label_11->setText(Tr("Show by"));
    label_12->setText(Tr(":"));
    lineEdit_TextCode->setInputMask(QString());
    lineEdit_TextCode->setText(Tr("BBAA"));
    pushButton_3->setText(Tr("View"));
    lineEdit_CharCode->setInputMask(QString());
    lineEdit_CharCode->setText(Tr("乐"));
    label_16->setText(Tr("Word-spacing:"));
    label_7->setText(Tr("Start Code"));
    label_8->setText(Tr("End Code"));
    lineEdit_SCode->setText(Tr("A1A0"));
    lineEdit_ECode->setText(Tr("F7FE"));
    pushButton_MakeFont->setText(Tr("Convert all"));
    pushButton_Ascii->setText(Tr("Convert ASCII"));
    pushButton_String->setText(Tr("Convert string"));
    pushButton->setText(Tr("ZQ IC Bin"));
    checkBox_revY->setText(Tr("Reverse Y"));
    label->setText(Tr("Rotate"));
    label_10->setText(Tr(":"));
    checkBox_revX->setText(Tr("Reverse X"));
    checkBox_Compress->setText(Tr("Compress"));
}
