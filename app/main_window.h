// The one window of the program and the owner of all its state.
#pragma once

#include <QFont>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <functional>

#include "convert/convert_job.h"
#include "render/glyph_drawer.h"
#include "render/rasterizer.h"

class MainWindowUi;

namespace runemill {
struct WriteResult;
}  // namespace runemill

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Settings (app/settings.cpp).
    void ReadSettings();
    void UpdateSpaceDivisor();

    // Codes and numbers (app/settings.cpp); the rules live in render/codes.h.
    QString TextCodeToChar();
    QString HexCodeText(int code, int width);
    QString DecimalText(int n);

    // The per-glyph path on the window's GlyphImage (app/glyph_operations.cpp).
    bool RenderGlyph(const QString& text);
    int MeasureInkWidth();
    void TransformGlyph();
    void PackGlyph1Bit(unsigned char* out);
    void PackGlyph2Bit(unsigned char* out);
    void PackGlyph4Bit(unsigned char* out);
    void PackGlyph8Bit(unsigned char* out);
    void PackGlyphARGB4444(unsigned char* out);

    // The two enlarged views (preview/preview.cpp).
    void ShowSystemPattern();
    void ShowUserPattern();

    // Output services (generators/output.cpp).
    QString GetSaveBinFileName();
    // The save dialog of a font: the .bin's, or the file type of the target chosen.
    QString GetSaveFontFileName();
    QString DirectoryOf(const QString& path);
    int WriteBinFile(const QString& fileName, int length);
    int ReplaceBinFile(const QString& fileName, int length);
    int ReportWrite(const QString& fileName, int length, const runemill::WriteResult& result);
    void ShowMessage(const QString& text);

    // Generators (generators/*.cpp).
    void MakeGB2312Lib();
    void MakeBIG5Lib();
    void MakeGBKLib();
    void MakeUnicodeLib();
    QString ReadCommandFile(bool* declined = nullptr, QString* path = nullptr);

  protected:
    void closeEvent(class QCloseEvent* event) override;
    // A font file dropped on the window becomes the current font (app/font_drop.cpp).
    void dragEnterEvent(class QDragEnterEvent* event) override;
    void dropEvent(class QDropEvent* event) override;

  private slots:
    void on_pushButton_SelectFont_clicked();
    void on_pushButton_MakeFont_clicked();
    void on_pushButton_Ascii_clicked();
    void on_pushButton_String_clicked();
    void on_comboBox_FCode_currentIndexChanged(int index);
    void on_verticalScrollBar_valueChanged(int value);
    void on_horizontalScrollBar_valueChanged(int value);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_checkBox_Crisp_toggled(bool checked);
    void on_pushButton_Fit_clicked();
    void OnSelectChanged();

  private:
    friend class MainWindowTestAccess;

    MainWindowUi* ui;
    QFont currentFont;
    QImage previewImage;
    QImage glyphImage;
    QString lastDir;
    int spaceDivisor = 3;
    int pixFormat = 0;
    int glyphW = 32;
    int glyphH = 32;
    int grayLimit = 50;
    int previewW = 0;
    int previewH = 0;
    int x0 = 0;
    int y0 = 0;
    int startCode = 0;
    int endCode = 0;
    int defaultStartCode[4] = {0, 0, 0, 0};
    int defaultEndCode[4] = {0, 0, 0, 0};
    unsigned char* outBuffer = nullptr;

    // What the window adds to the core: the shared canvas, and the run guard
    // that keeps two conversions from overlapping.
    runemill::GlyphRasterizer rasterizer;
    bool runActive = false;
    bool closeRequested = false;  // the window was closed while a run drew

    // The encoding, pixel format, rotation and space lists at their start-up items.
    void FillLists(const runemill::ConvertRequest& start);
    QString PreviewCharacter();
    // "family-size-style" in the font field; fractional sizes keep their fraction.
    void ShowFontInformation(const QString& style);
    void RefreshPreview(const QString& text);
    void ResizeGlyphImage();
    // Makes the GlyphImage W x H; false (and, when `tell`, a message) for a
    // size that cannot be drawn.
    bool PreviewCellDrawable(bool tell);
    void PlacePreview(class QLabel* label);
    bool PreparePreviewImage();
    void MoveOffset(const class QScrollBar* bar, int centre, int* offset, const char* name);
    // Views of larger cells are not drawn (4001 x 4001 pixels at most).
    static constexpr int kMaxPreviewCell = 1000;
    // The request the form describes (app/settings.cpp): W, H, format and
    // threshold as last read, the code fields as last read, the font, the
    // check boxes, the space divisor and the offsets.
    runemill::ConvertRequest FormRequest(runemill::ConvertKind kind) const;
    runemill::GlyphSettings CurrentGlyphSettings() const;

    // Conversion runs (generators/run.cpp).
    using RunProgress = std::function<void(int slotIndex, int width)>;
    void SetConvertButtonsEnabled(bool enabled);
    // Shows a refusal; true when there was one.
    bool Refused(const runemill::Refusal& refusal);
    // The save dialog (a font's, else the .bin's); a cancelled one says "Can't save to this file.".
    QString ChooseSaveFile(bool font = true);
    static QString CannotSaveMessage();
    // A job of the form's request, as a run starts with it.
    runemill::ConvertJob StartJob(runemill::ConvertKind kind, const QString& text = QString());
    int DrawRunGlyph(const runemill::GlyphSlot& slot, const runemill::CellSettings& cell,
                     unsigned char* packed);
    // Writes the run's file from outBuffer (compressed when the form asks);
    // false when nothing could be written.
    bool WriteRunFile(const runemill::ConvertJob& job, const QString& fileName, qint64 size);
    // The target of comboBox_Target (generators/target_output.cpp): whether a
    // run of `job` into `fileName` is refused for it (with its message), and
    // the target's file from the plain file in outBuffer.
    bool TargetRefused(const runemill::ConvertJob& job, const QString& fileName);
    bool WriteTargetFile(const runemill::ConvertJob& job, const QString& fileName, qint64 size);
    bool RunPlan(const runemill::ConvertJob& job, const QString& fileName,
                 const RunProgress& afterGlyph);
    bool PrepareTwoByteRun(runemill::ConvertJob* job, QString* fileName);
    bool ReadCodeFields();
    void WriteChipHeader(bool ttf);
};
