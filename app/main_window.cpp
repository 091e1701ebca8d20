#include "app/main_window.h"

#include <QCoreApplication>
#include <QRegExp>
#include <QRegExpValidator>

#include "app/form/main_window_ui.h"
#include "app/start_style_sheets.h"
#include "render/font_families.h"
#include "render/packers.h"
#include "targets/output_target.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new MainWindowUi) {
    // W, H and Limit take digits only, with a non-zero first digit; one digit
    // stays in the field as an unfinished entry.
    QRegExp* fieldPattern = new QRegExp("[1-9][0-9]+$", Qt::CaseSensitive, QRegExp::RegExp);

    ui->SetupUi(this);
    setWindowTitle(QStringLiteral("Runemill V3.10"));
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);

    // Every start-up value is the core's default request.
    const runemill::ConvertRequest start;
    for (int i = 0; i < 4; ++i) {
        const runemill::CodeRange range =
            runemill::DescriptionOf(runemill::KindOfEncoding(i)).range;
        defaultStartCode[i] = range.start;
        defaultEndCode[i] = range.end;
    }

    FillLists(start);

    connect(ui->comboBox_ShowBy, SIGNAL(currentIndexChanged(int)), this, SLOT(OnSelectChanged()));
    ui->comboBox_ShowBy->clear();
    ui->comboBox_ShowBy->addItem(QStringLiteral("Code"));
    ui->comboBox_ShowBy->addItem(QStringLiteral("Char"));
    ui->comboBox_ShowBy->setCurrentIndex(1);

    ui->pushButton->setVisible(false);
    ui->pushButton_2->setVisible(false);
    ui->label->setVisible(false);
    ui->label_10->setVisible(false);
    ui->checkBox_revX->setVisible(false);
    ui->checkBox_revY->setVisible(false);
    ui->comboBox_Rotation->setVisible(false);

    pixFormat = start.cell.pixFormat;
    glyphW = start.cell.width;
    glyphH = start.cell.height;
    grayLimit = start.cell.grayLimit;
    ui->lineEdit_W->setText(DecimalText(glyphW));
    ui->lineEdit_H->setText(DecimalText(glyphH));
    ui->lineEdit_Limit->setText(DecimalText(grayLimit));

    x0 = 0;
    y0 = 0;

    runemill::InstallFontSubstitutes(start.family);
    currentFont = start.Font();
    ShowFontInformation(QStringLiteral("常规"));

    glyphImage = QImage(glyphW, glyphH, QImage::Format_ARGB32);
    previewImage = QImage(glyphW, glyphH, QImage::Format_ARGB32);
    previewImage.fill(Qt::black);  // scaled before its first drawing

    RenderGlyph(QStringLiteral("乐"));
    ShowSystemPattern();
    ShowUserPattern();

    for (QLineEdit* field : {ui->lineEdit_W, ui->lineEdit_H, ui->lineEdit_Limit})
        field->setValidator(new QRegExpValidator(*fieldPattern, field));

    // The form leaves the bar at 25; this fires the vertical slot once: y0 = value - 33.
    ui->verticalScrollBar->setValue(33 + start.y0);
    ui->progressBar->setValue(0);
    lastDir = QCoreApplication::applicationDirPath() + "/";

    ApplyStartStyleSheets(ui);
    setAcceptDrops(true);
    delete fieldPattern;
}

MainWindow::~MainWindow() { delete ui; }

void MainWindow::FillLists(const runemill::ConvertRequest& start) {
    // Adding the first encoding makes it current and fills the code fields.
    ui->comboBox_FCode->clear();
    ui->comboBox_FCode->addItem(QStringLiteral("GB2312"));
    ui->comboBox_FCode->addItem(QStringLiteral("BIG5"));
    ui->comboBox_FCode->addItem(QStringLiteral("GBK"));
    ui->comboBox_FCode->addItem(QStringLiteral("UniCode"));
    ui->comboBox_FCode->setCurrentIndex(0);

    ui->comboBox_PixFormat->clear();
    for (const char* item : runemill::kPixelFormatNames)
        ui->comboBox_PixFormat->addItem(QString::fromLatin1(item));
    ui->comboBox_PixFormat->setCurrentIndex(start.cell.pixFormat);

    ui->comboBox_Rotation->clear();
    for (const char* item : {"0 Degree", "R 90 Degree", "L 90 Degree"})
        ui->comboBox_Rotation->addItem(QString::fromLatin1(item));
    ui->comboBox_Rotation->setCurrentIndex(0);

    // The .bin first; then the display libraries' fonts.
    ui->comboBox_Target->clear();
    for (const runemill::TargetDescription& target : runemill::TargetTable())
        ui->comboBox_Target->addItem(QString::fromLatin1(target.item));
    ui->comboBox_Target->setCurrentIndex(0);

    ui->comboBox_Space->clear();
    for (const char* item : {"1/2", "1/3", "1/4"})
        ui->comboBox_Space->addItem(QString::fromLatin1(item));
    ui->comboBox_Space->setCurrentIndex(start.cell.spaceDivisor - 2);
    UpdateSpaceDivisor();
}
